#include "about_window.h"

#include "launcher_boxes.h"

#include "launcher/window_rules.h"

#include "platform/shell.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace carvelle::ui::avensa {

namespace {

constexpr int kPictureWidth = 422;
constexpr int kPictureHeight = 234;

// A label that acts on a click, like a link.
class LinkLabel : public QLabel {
public:
    LinkLabel(const QString& text, QWidget* parent, std::function<void()> clicked)
        : QLabel(text, parent), clicked_(std::move(clicked)) {
        setCursor(Qt::PointingHandCursor);
        QFont underlined = font();
        underlined.setUnderline(true);
        setFont(underlined);
        QPalette blue = palette();
        blue.setColor(QPalette::WindowText, Qt::blue);
        setPalette(blue);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            clicked_();
        }
    }

private:
    std::function<void()> clicked_;
};

// The fixed picture in the corner: the title's initial on a small badge.
QPixmap Badge() {
    QPixmap badge(97, 45);
    badge.fill(QColor(0x2E, 0x4A, 0x7A));
    QPainter painter(&badge);
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(24);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(badge.rect(), Qt::AlignCenter, QStringLiteral("A"));
    return badge;
}

int Mix(int top, int bottom, double a) {
    return static_cast<int>(launcher::RoundHalfEven(top * (1 - a) + bottom * a));
}

} // namespace

QColor AboutGradientColour(int row, int height) {
    const double a = height > 0 ? static_cast<double>(row) / height : 0.0;
    return QColor(Mix(252, 244, a), Mix(252, 243, a), Mix(254, 238, a));
}

QImage AboutGradient(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int row = 0; row < size.height(); ++row) {
        const QRgb colour = AboutGradientColour(row, size.height()).rgb();
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        std::fill(line, line + size.width(), colour);
    }
    return image;
}

AboutWindow::AboutWindow() : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("aboutWindow"));
    setWindowTitle(QStringLiteral("About"));

    auto* bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bevel->setLineWidth(2);
    auto* bevelLayout = new QVBoxLayout(bevel);
    bevelLayout->setContentsMargins(2, 2, 2, 2);

    auto* picture = new QLabel(bevel);
    picture->setObjectName(QStringLiteral("Picture2"));
    picture->setFixedSize(kPictureWidth, kPictureHeight);
    picture->setPixmap(QPixmap::fromImage(AboutGradient(picture->size())));
    bevelLayout->addWidget(picture);

    auto* badge = new QLabel(picture);
    badge->setObjectName(QStringLiteral("Picture3"));
    badge->setPixmap(Badge());
    badge->setGeometry(kPictureWidth - 97, 0, 97, 45);

    auto* title = new QLabel(kDialogCaption, picture);
    title->setObjectName(QStringLiteral("Label1"));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPixelSize(36);
    title->setFont(titleFont);
    title->setGeometry(24, 70, kPictureWidth - 48, 60);

    auto* link = new LinkLabel(QString::fromLatin1(kHomePage), picture, [this] { OpenHomePage(); });
    link->setObjectName(QStringLiteral("Label5"));
    link->setGeometry(24, 150, kPictureWidth - 48, 20);

    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("Command1"));
    // Closing hides the window, which is what lets the program end again.
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bevel);
    layout->addWidget(close, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutWindow::OpenHomePage() {
    ShellRequest request;
    request.Verb = "open";
    request.File = kHomePage;
    request.ShowCommand = 3;
    const int result = CurrentShell().Execute(request);
    if (result == ShellResult::FileNotFound || result == ShellResult::NoAssociation) {
        ShowLauncherBox(launcher::MessageKind::Information,
                        std::string("Could not launch Web Browser. Please start you web browser "
                                    "and point it to:\r\r") +
                            kHomePage);
    }
}

} // namespace carvelle::ui::avensa
