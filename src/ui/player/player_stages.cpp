#include "player_stages.h"

#include "auto_run_form.h"

#include <QApplication>
#include <QTimer>

#include <vector>

namespace carvelle::ui {

namespace {

constexpr int kSplashPage = 0;
constexpr int kBackgroundPage = 1;

// With CARVELLE_QUIT_AFTER_PAINT set, the run ends once the main page is painted fully
// faded in: for benchmarks and scripted checks.
class QuitAfterPaint final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && window->windowOpacity() >= 1.0) {
            QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return false;
    }
};

bool ShowSplashPages(ProjectSession& session) {
    const auto& pages = session.Project.Pages;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (pages[i].Kind != kSplashPage) {
            continue;
        }
        TAutoRunForm splash(session);
        if (!splash.LoadPage(i, TAutoRunForm::LoadMode::Whole)) {
            return false;
        }
        splash.exec();
    }
    return true;
}

} // namespace

PlayerStages PagePlayerStages() {
    // Background windows stay up behind the main window until the run ends.
    auto backgrounds = std::make_shared<std::vector<std::unique_ptr<TAutoRunForm>>>();
    PlayerStages stages;
    stages.showSplashPages = ShowSplashPages;
    stages.showBackgroundPages = [backgrounds](ProjectSession& session) {
        const auto& pages = session.Project.Pages;
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (pages[i].Kind != kBackgroundPage) {
                continue;
            }
            auto window = std::make_unique<TAutoRunForm>(session);
            if (!window->LoadPage(i, TAutoRunForm::LoadMode::Whole)) {
                return false;
            }
            window->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
            window->setWindowOpacity(1.0);
            window->setEnabled(false);
            window->showMaximized();
            window->repaint();
            backgrounds->push_back(std::move(window));
        }
        return true;
    };
    stages.createMainWindow = [backgrounds](ProjectSession& session) -> std::unique_ptr<QWidget> {
        auto window = std::make_unique<TAutoRunForm>(session);
        if (!window->PrepareAsMainWindow()) {
            return nullptr;
        }
        // The run ends with the main window, whatever background windows remain.
        QObject::connect(window.get(), &QDialog::finished, qApp, &QApplication::quit);
        if (qEnvironmentVariableIsSet("CARVELLE_QUIT_AFTER_PAINT")) {
            window->installEventFilter(new QuitAfterPaint(window.get()));
        }
        window->show();
        return window;
    };
    return stages;
}

} // namespace carvelle::ui
