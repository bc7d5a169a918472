// The floor of the player's start-up benchmark: a Qt Widgets program that shows one window
// and ends once it is painted.
#include <QApplication>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>

namespace {

class Window final : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override { QTimer::singleShot(0, qApp, &QApplication::quit); }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Window window;
    window.resize(598, 435);
    window.show();
    return QApplication::exec();
}
