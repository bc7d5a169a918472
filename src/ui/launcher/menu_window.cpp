#include "menu_window.h"

#include "about_window.h"
#include "frame_region.h"
#include "launch_runner.h"
#include "launcher_boxes.h"
#include "launcher_sound.h"
#include "viewers_window.h"

#include "common/native_path.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QIcon>
#include <QLoggingCategory>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>

#include <system_error>

namespace carvelle::ui::avensa {

namespace {

// What the launcher traces for a debugger; off unless QT_LOGGING_RULES turns it on.
Q_LOGGING_CATEGORY(lcTrace, "avensa.trace", QtWarningMsg)

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

MenuWindow::MenuWindow(LauncherEnvironment environment, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      environment_(std::move(environment)) {
    setObjectName(QStringLiteral("menuWindow"));
    setWindowTitle(kDialogCaption);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(170, 164);

    const std::filesystem::path exe(environment_.ExePath);
    exeFolder_ = exe.parent_path();
    exeName_ = exe.filename().string();
    paths_ = launcher::PosixLaunchPaths(exeFolder_.string(), environment_.MountPoint);

    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer2_.setObjectName(QStringLiteral("Timer2"));
    timer3_.setObjectName(QStringLiteral("Timer3"));
    connect(&timer1_, &QTimer::timeout, this, &MenuWindow::DisplayTick);
    connect(&timer2_, &QTimer::timeout, this, &MenuWindow::ExitPollTick);
    connect(&timer3_, &QTimer::timeout, this, &MenuWindow::AnimationTick);

    popupMenu_.setObjectName(QStringLiteral("PopupMenu1"));
    QAction* about = popupMenu_.addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, &MenuWindow::ShowAbout);

    QRandomGenerator seeded(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
    random_ = [generator = seeded]() mutable { return generator.generateDouble(); };
    runner_ = std::make_unique<LaunchRunner>(*this);
    LoadIcon();
}

MenuWindow::~MenuWindow() {
    PlayExitSound();
    delete viewers_;
    delete about_;
}

std::filesystem::path MenuWindow::BesideExecutable(const std::string& name) const {
    const std::filesystem::path found = FindNativePath(paths_.ExeFolder + name);
    return IsFile(found) ? found : std::filesystem::path();
}

void MenuWindow::LoadIcon() {
    const std::size_t dot = exeName_.rfind('.');
    const std::string stem = dot == std::string::npos ? exeName_ : exeName_.substr(0, dot);
    const std::filesystem::path icon = BesideExecutable(stem + ".ico");
    if (!icon.empty()) {
        const QIcon loaded(QString::fromStdString(icon.string()));
        if (!loaded.isNull()) {
            QApplication::setWindowIcon(loaded);
            setWindowIcon(loaded);
        }
    }
}

bool MenuWindow::Start(launcher::StartupRead startup) {
    for (const launcher::Message& box : startup.Boxes) {
        ShowLauncherBox(box.Kind, box.Text);
    }
    if (!startup.PackageOpened) {
        return false;
    }
    runner_->ReadErrorOptions();
    // A menu that cannot be read has nothing to show or launch: the program ends after the
    // boxes rather than running on invisibly.
    if (!startup.MenuRead.Read) {
        return false;
    }
    for (const std::string& trace : startup.MenuRead.Traces) {
        qCDebug(lcTrace, "**** %s **** ", trace.c_str());
    }
    menu_ = std::move(startup.MenuRead.Loaded);
    frames_.clear();
    for (launcher::Frame& frame : menu_.Frames) {
        // Stored pixels are 0x00RRGGBB; the image format wants the top byte set.
        for (std::uint32_t& pixel : frame.Pixels) {
            pixel |= 0xFF000000u;
        }
        frames_.emplace_back(reinterpret_cast<const uchar*>(frame.Pixels.data()), frame.Width,
                             frame.Height, static_cast<qsizetype>(frame.Width) * 4,
                             QImage::Format_RGB32);
    }
    Present();

    const std::filesystem::path start = BesideExecutable("start.wav");
    if (!start.empty()) {
        CurrentLauncherSound().PlayFile(start, false);
    } else {
        CurrentLauncherSound().PlayBuiltIn(BuiltInSound::Start, false);
    }
    timer1_.start(100);
    return true;
}

void MenuWindow::Present() {
    animation_ = launcher::AnimationState{};
    hide();
    SetPos(menu_.Position);
    if (menu_.ShapingOn()) {
        ApplyFrameRegion(1);
    }
    if (!frames_.empty()) {
        show();
    }
    QCoreApplication::processEvents();
    if (!frames_.empty() && menu_.FrameInterval > 0) {
        timer3_.start(menu_.FrameInterval);
    }
}

void MenuWindow::SetPos(int code) {
    const int index = animation_.CurrentFrame - 1;
    if (index < 0 || index >= static_cast<int>(frames_.size())) {
        return;
    }
    const QSize size = frames_[static_cast<std::size_t>(index)].size();
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 640, 480);
    const launcher::WindowPlace place =
        launcher::PlaceWindow(code, area.width(), area.height(), size.width(), size.height());
    setFixedSize(size);
    move(area.x() + place.Left, area.y() + place.Top);
}

void MenuWindow::ApplyFrameRegion(int frame) {
    if (frame < 1 || frame > static_cast<int>(menu_.FrameRegions.size())) {
        return;
    }
    // A text that is not made of numbers leaves the outline as it was.
    if (const std::optional<QRegion> region =
            BuildFrameRegion(menu_.FrameRegions[static_cast<std::size_t>(frame - 1)])) {
        setMask(*region);
        update();
    }
}

void MenuWindow::ButtonAni() {
    launcher::AnimationState next = animation_;
    const bool redraw = launcher::AnimationStep(menu_.AnimationMode, menu_.LoadedFrames(), next,
                                                random_ ? random_() : 0.0);
    if (!next.Running) {
        timer3_.stop();
    }
    animation_ = next;
    if (!redraw) {
        return;
    }
    update();
    SetPos(menu_.Position);
    if (menu_.NoFrameRegions == 0 && menu_.ShapingOn()) {
        ApplyFrameRegion(animation_.CurrentFrame);
    }
}

void MenuWindow::AnimationTick() {
    try {
        ButtonAni();
    } catch (...) {
        // A step that fails leaves the frame as it was; the animation goes on.
    }
    QCoreApplication::processEvents();
}

void MenuWindow::DisplayTick() {
    const launcher::ClockTick tick =
        launcher::TickDisplayClock(clock_, menu_.AutoLaunchMode, menu_.DisplayTicks);
    if (tick.LaunchMain) {
        Launch(0, this);
        QCoreApplication::processEvents();
    }
    if (tick.PeriodOver) {
        // Without a launch mode nothing else could end the program once the window is hidden.
        if (menu_.AutoLaunchMode < 1 || menu_.AutoLaunchMode > 3) {
            exitPending_ = true;
        }
        timer1_.stop();
        timer3_.stop();
        hide();
        timer2_.start(300);
    }
}

void MenuWindow::ExitPollTick() {
    if (exitPending_ && !SecondaryWindowOpen()) {
        Terminate();
    }
}

void MenuWindow::Terminate() {
    timer1_.stop();
    timer2_.stop();
    timer3_.stop();
    if (environment_.Terminate) {
        environment_.Terminate();
    } else {
        // exit(), not quit(): the program ends even while a box or the viewers window is up.
        QCoreApplication::exit(0);
    }
}

bool MenuWindow::SecondaryWindowOpen() const {
    return (viewers_ && viewers_->isVisible()) || (about_ && about_->isVisible());
}

void MenuWindow::Launch(int index, QWidget* asking) {
    runner_->Launch(index, asking);
}

void MenuWindow::PlayExitSound() {
    if (exitSoundPlayed_) {
        return;
    }
    exitSoundPlayed_ = true;
    const std::filesystem::path exitSound = BesideExecutable("exit.wav");
    // Waited for either way: the program ends right after it.
    if (!exitSound.empty()) {
        CurrentLauncherSound().PlayFile(exitSound, true);
    } else {
        CurrentLauncherSound().PlayBuiltIn(BuiltInSound::Exit, true);
    }
}

void MenuWindow::ShowAbout() {
    if (!about_) {
        about_ = new AboutWindow();
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void MenuWindow::ShowViewers() {
    if (!viewers_) {
        viewers_ = new ViewersWindow(*this);
    } else {
        viewers_->Fill();
    }
    viewers_->CentreOnScreen();
    viewers_->show();
    viewers_->raise();
    viewers_->activateWindow();
}

void MenuWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int index = animation_.CurrentFrame - 1;
    if (index >= 0 && index < static_cast<int>(frames_.size())) {
        painter.drawImage(0, 0, frames_[static_cast<std::size_t>(index)]);
        if (!painted_) {
            painted_ = true;
            emit FirstFramePainted();
        }
    } else {
        painter.fillRect(rect(), palette().button());
    }
}

void MenuWindow::contextMenuEvent(QContextMenuEvent* event) {
    popupMenu_.popup(event->globalPos());
}

} // namespace carvelle::ui::avensa
