#include "model_conversion.h"

#include "common/codepage.h"
#include "common/native_path.h"
#include "project/project_paths.h"

#include <QApplication>
#include <QPalette>

namespace carvelle::ui {

QString ToQString(const std::string& stored) {
    return QString::fromStdString(Windows1252ToUtf8(stored));
}

std::string FromQString(const QString& text) {
    return Utf8ToWindows1252(text.toStdString());
}

namespace {

// System colour numbers and the palette entries that stand for them on this desktop.
QColor SystemColour(std::uint32_t number) {
    const QPalette palette = QApplication::palette();
    switch (number) {
    case 5: // window
        return palette.color(QPalette::Base);
    case 8:  // window text
    case 18: // button text
        return palette.color(QPalette::Text);
    case 4:  // menu
    case 15: // button face
        return palette.color(QPalette::Button);
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 16: // button shadow
        return palette.color(QPalette::Mid);
    case 17: // grey text
        return palette.color(QPalette::PlaceholderText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 21: // dark shadow
        return palette.color(QPalette::Shadow);
    case 24: // info background
        return palette.color(QPalette::ToolTipBase);
    case 23: // info text
        return palette.color(QPalette::ToolTipText);
    default:
        return palette.color(QPalette::Window);
    }
}

} // namespace

QColor ToQColor(Colour colour) {
    if ((colour & 0xFF000000u) == 0xFF000000u) {
        return SystemColour(colour & 0xFFu);
    }
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

QFont ToQFont(const Font& font) {
    QFont result(ToQString(font.Name));
    if (font.Size > 0) {
        result.setPointSize(font.Size);
    } else if (font.Size < 0) {
        result.setPixelSize(-font.Size);
    }
    result.setBold(font.Style & FontStyle::Bold);
    result.setItalic(font.Style & FontStyle::Italic);
    result.setUnderline(font.Style & FontStyle::Underline);
    result.setStrikeOut(font.Style & FontStyle::StrikeOut);
    return result;
}

QImage DecodePicture(const Picture& picture) {
    if (picture.IsEmpty() || picture.Data.empty()) {
        return {};
    }
    const auto* data = reinterpret_cast<const uchar*>(picture.Data.data());
    const auto size = static_cast<int>(picture.Data.size());
    switch (picture.Class) {
    case GraphicClass::Icon: {
        // The largest entry of an icon file looks best when scaled down.
        QImage best;
        QImage candidate = QImage::fromData(data, size, "ico");
        return candidate.isNull() ? best : candidate;
    }
    case GraphicClass::Metafile:
        return {}; // drawn by the metafile player
    default:
        return QImage::fromData(data, size);
    }
}

QString ProjectFilePath(const std::string& projectFolder, const std::string& relative) {
    return QString::fromStdString(
        FindNativePath(ResolveProjectPath(projectFolder, relative)).string());
}

} // namespace carvelle::ui
