#include "custom_cursors.h"

#include "common/ascii.h"
#include "common/cursor_file.h"
#include "ui/common/model_conversion.h"

#include <QFile>
#include <QImage>
#include <QPixmap>

#include <map>
#include <span>
#include <vector>

namespace carvelle::ui {

namespace {

struct Entry {
    std::string name;
    QCursor cursor;
};

std::map<int, Entry>& Table() {
    static std::map<int, Entry> table;
    return table;
}

// A .cur file as a cursor with its hotspot; the first frame stands for an animated one.
bool MakeCursor(const QByteArray& data, QCursor& cursor) {
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(data.constData()),
                                 static_cast<std::size_t>(data.size()));
    std::vector<std::uint8_t> frame(bytes.begin(), bytes.end());
    AnimatedCursor animated;
    if (ReadAnimatedCursor(bytes, animated)) {
        frame = animated.Frames[static_cast<std::size_t>(animated.StepFrames.front())];
    }
    CursorHotspot hotspot;
    if (!ReadCursorHotspot(frame, hotspot)) {
        return false;
    }
    const QImage image = QImage::fromData(frame.data(), static_cast<int>(frame.size()), "cur");
    if (image.isNull()) {
        return false;
    }
    cursor = QCursor(QPixmap::fromImage(image), hotspot.X, hotspot.Y);
    return true;
}

} // namespace

int CustomCursors::Load(const std::string& projectFolder, const std::string& file) {
    if (file.empty()) {
        return -1;
    }
    std::string name = UpperAscii(file);
    if (name.front() != '\\') {
        name.insert(name.begin(), '\\');
    }
    for (const auto& [number, entry] : Table()) {
        if (entry.name == name) {
            return number;
        }
    }
    QFile source(ProjectFilePath(projectFolder, file));
    QCursor cursor;
    if (!source.open(QIODevice::ReadOnly) || !MakeCursor(source.readAll(), cursor)) {
        return -1;
    }
    const int number = Table().empty() ? 1 : Table().rbegin()->first + 1;
    Table()[number] = {name, cursor};
    return number;
}

QCursor CustomCursors::Cursor(int number) {
    const auto it = Table().find(number);
    return it == Table().end() ? QCursor() : it->second.cursor;
}

void CustomCursors::Clear() {
    Table().clear();
}

} // namespace carvelle::ui
