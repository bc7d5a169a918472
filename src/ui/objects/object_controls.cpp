#include "object_controls.h"

#include "objects/kind_blocks.h"
#include "objects/object_bounds.h"
#include "ui/common/model_conversion.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <type_traits>

namespace carvelle::ui {

namespace {

// "&" marks a hot key in stored captions, as in the widgets.
QString Caption(const std::string& stored) {
    return ToQString(stored);
}

void ApplyFont(QWidget& widget, const Font& font) {
    widget.setFont(ToQFont(font));
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, ToQColor(font.Color));
    palette.setColor(QPalette::ButtonText, ToQColor(font.Color));
    palette.setColor(QPalette::Text, ToQColor(font.Color));
    widget.setPalette(palette);
}

void ApplyBackground(QWidget& widget, Colour colour, QPalette::ColorRole role) {
    QPalette palette = widget.palette();
    palette.setColor(role, ToQColor(colour));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

// Stands for the kinds whose own control comes later: it keeps the object's place, hint and
// events, so every page loads and plays.
class PlaceholderControl final : public QWidget {
public:
    explicit PlaceholderControl(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TranslucentBackground);
    }
};

QWidget* CreateButton(const kinds::Button& b, QWidget* parent) {
    auto* button = new QPushButton(Caption(b.Caption), parent);
    ApplyFont(*button, b.Font);
    button->setFocusPolicy(Qt::NoFocus); // a speed button takes no focus
    return button;
}

QWidget* CreateTextBox(const kinds::TextBox& t, QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setReadOnly(true);
    box->setPlainText(ToQString(t.Text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box->setLineWrapMode(t.WordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    box->setVerticalScrollBarPolicy(t.ScrollBar >= 2 ? Qt::ScrollBarAsNeeded
                                                     : Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(
        t.ScrollBar == 1 || t.ScrollBar == 3 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    box->setFrameShape(t.Border ? QFrame::StyledPanel : QFrame::NoFrame);
    box->setFocusPolicy(Qt::NoFocus);
    ApplyFont(*box, t.Font);
    ApplyBackground(*box, t.BackColor, QPalette::Base);
    box->viewport()->setCursor(Qt::ArrowCursor);
    return box;
}

QWidget* CreateEdit(const kinds::Edit& e, QWidget* parent) {
    auto* edit = new QLineEdit(ToQString(e.Text), parent);
    if (e.MaxLength > 0) {
        edit->setMaxLength(e.MaxLength);
    }
    if (e.PasswordChar != 0) {
        edit->setEchoMode(QLineEdit::Password);
    }
    edit->setFrame(e.Border != 0);
    ApplyFont(*edit, e.Font);
    ApplyBackground(*edit, e.Color, QPalette::Base);
    return edit;
}

template <typename Button> QWidget* CreateAgreement(const kinds::Agreement& a, QWidget* parent) {
    auto* button = new Button(Caption(a.Caption), parent);
    button->setChecked(a.Checked);
    button->setLayoutDirection(a.Alignment == 0 ? Qt::RightToLeft : Qt::LeftToRight);
    ApplyFont(*button, a.Font);
    return button;
}

QWidget* CreateExplorerPlaceholder(QWidget* parent) {
    auto* panel = new QWidget(parent);
    ApplyBackground(*panel, Colours::White, QPalette::Window);
    return panel;
}

} // namespace

namespace {

// A transparent picture without an alpha channel leaves out the colour of its bottom-left
// pixel, as bitmaps are drawn transparently.
QImage Keyed(QImage picture, bool transparent) {
    if (!transparent || picture.isNull() || picture.hasAlphaChannel()) {
        return picture;
    }
    const QRgb key = picture.pixel(0, picture.height() - 1);
    picture = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if ((row[x] & 0xFFFFFF) == (key & 0xFFFFFF)) {
                row[x] = 0;
            }
        }
    }
    return picture;
}

} // namespace

ImageControl::ImageControl(const kinds::Image& image, QWidget* parent)
    : QWidget(parent), normal_(Keyed(DecodePicture(image.NormalImage), image.Transparent)),
      over_(Keyed(DecodePicture(image.MouseOverImage), image.Transparent)),
      down_(Keyed(DecodePicture(image.MouseDownImage), image.Transparent)), center_(image.Center),
      stretch_(image.Stretch) {
    setAttribute(Qt::WA_TranslucentBackground, image.Transparent);
    if (image.AutoSize && !normal_.isNull()) {
        resize(normal_.size());
    }
    Choose();
}

void ImageControl::SetHover(bool hover) {
    hover_ = hover;
    Choose();
}

void ImageControl::SetPressed(bool pressed) {
    pressed_ = pressed;
    Choose();
}

void ImageControl::SetChecked(bool checked) {
    checked_ = checked;
    Choose();
}

void ImageControl::LoadPictureFile(const QString& file) {
    QImage loaded(file);
    if (loaded.isNull()) {
        return;
    }
    normal_ = loaded;
    shown_ = -1;
    Choose();
}

void ImageControl::Choose() {
    int next = 0;
    if (((pressed_ && hover_) || checked_) && !down_.isNull()) {
        next = 2;
    } else if (hover_ && !over_.isNull() && isEnabled()) {
        next = 1;
    }
    if (next != shown_) {
        shown_ = next;
        update();
    }
}

void ImageControl::paintEvent(QPaintEvent*) {
    const QImage& picture = shown_ == 2 ? down_ : shown_ == 1 ? over_ : normal_;
    if (picture.isNull()) {
        return;
    }
    QPainter painter(this);
    if (stretch_) {
        painter.drawImage(rect(), picture);
    } else if (center_) {
        painter.drawImage((width() - picture.width()) / 2, (height() - picture.height()) / 2,
                          picture);
    } else {
        painter.drawImage(0, 0, picture);
    }
}

SimpleTextControl::SimpleTextControl(const kinds::SimpleText& text, QWidget* parent)
    : QLabel(ToQString(text.Caption), parent), model_(text) {
    setWordWrap(true);
    const Qt::Alignment horizontal = text.Alignment == 1   ? Qt::AlignRight
                                     : text.Alignment == 2 ? Qt::AlignHCenter
                                                           : Qt::AlignLeft;
    const Qt::Alignment vertical = text.Layout == 1   ? Qt::AlignVCenter
                                   : text.Layout == 2 ? Qt::AlignBottom
                                                      : Qt::AlignTop;
    setAlignment(horizontal | vertical);
    SetLook(Look::Normal);
}

void SimpleTextControl::SetLook(Look look) {
    if (checked_ && look != Look::Down) {
        return; // a checked text keeps its pressed look
    }
    look_ = look;
    const Font& font = look == Look::Hot    ? model_.HotFont
                       : look == Look::Down ? model_.MouseDownFont
                                            : model_.Font;
    const Colour back = look == Look::Hot    ? model_.HotBackColor
                        : look == Look::Down ? model_.MouseDownBackColor
                                             : model_.BackColor;
    ApplyFont(*this, font);
    // The colours show only on an opaque text.
    if (!model_.Transparent) {
        ApplyBackground(*this, back, QPalette::Window);
    }
}

void SimpleTextControl::SetChecked(bool checked) {
    checked_ = checked;
    SetLook(checked ? Look::Down : Look::Normal);
}

QWidget* CreateObjectControl(const TAutoObject& object, const std::string& /*projectFolder*/,
                             bool /*played*/, QWidget* parent) {
    QWidget* control = std::visit(
        [&](const auto& block) -> QWidget* {
            using Block = std::remove_cvref_t<decltype(block)>;
            if constexpr (std::is_same_v<Block, kinds::Button>) {
                return CreateButton(block, parent);
            } else if constexpr (std::is_same_v<Block, kinds::Image>) {
                return new ImageControl(block, parent);
            } else if constexpr (std::is_same_v<Block, kinds::SimpleText>) {
                return new SimpleTextControl(block, parent);
            } else if constexpr (std::is_same_v<Block, kinds::TextBox>) {
                return CreateTextBox(block, parent);
            } else if constexpr (std::is_same_v<Block, kinds::Edit>) {
                return CreateEdit(block, parent);
            } else if constexpr (std::is_same_v<Block, kinds::RadioButton>) {
                return CreateAgreement<QRadioButton>(block, parent);
            } else if constexpr (std::is_same_v<Block, kinds::CheckBox>) {
                return CreateAgreement<QCheckBox>(block, parent);
            } else if constexpr (std::is_same_v<Block, kinds::Explorer>) {
                return CreateExplorerPlaceholder(parent);
            } else {
                return new PlaceholderControl(parent);
            }
        },
        object.Properties);
    control->setObjectName(ToQString(object.Command.Name));
    const Bounds bounds = ObjectBounds(object.Properties);
    if (!std::holds_alternative<kinds::Image>(object.Properties) ||
        !std::get<kinds::Image>(object.Properties).AutoSize) {
        control->setGeometry(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
    } else {
        control->move(bounds.Left, bounds.Top);
    }
    std::visit(
        [&](const auto& block) {
            if constexpr (requires { block.Hint; }) {
                control->setToolTip(ToQString(block.Hint));
            }
        },
        object.Properties);
    return control;
}

} // namespace carvelle::ui
