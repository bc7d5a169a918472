#include "picture_check.h"

#include "common/primitives.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

namespace carvelle::ui {

namespace {

std::uint32_t LittleEndian32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// Metafiles are drawn by our own player, so only their headers are checked here: an
// enhanced metafile, a placeable metafile, or a plain one (in memory or on disk).
bool IsMetafile(std::span<const std::uint8_t> bytes) {
    constexpr std::uint32_t kEmfHeaderRecord = 1;
    constexpr std::uint32_t kEmfSignature = 0x464D4520; // " EMF"
    constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
    if (bytes.size() >= 44 && LittleEndian32(bytes, 0) == kEmfHeaderRecord &&
        LittleEndian32(bytes, 40) == kEmfSignature) {
        return true;
    }
    if (bytes.size() >= 22 + 18 && LittleEndian32(bytes, 0) == kPlaceableKey) {
        return true;
    }
    // METAHEADER: type 1 or 2, header size 9 words.
    return bytes.size() >= 18 && (bytes[0] == 1 || bytes[0] == 2) && bytes[1] == 0 &&
           bytes[2] == 9 && bytes[3] == 0;
}

const char* QtFormat(GraphicClass graphicClass) {
    switch (graphicClass) {
    case GraphicClass::GIFImage:
        return "gif";
    case GraphicClass::PNGObject:
        return "png";
    case GraphicClass::JPEGImage:
        return "jpeg";
    case GraphicClass::Bitmap:
        return "bmp";
    case GraphicClass::Icon:
        return "ico";
    case GraphicClass::Metafile:
    case GraphicClass::None:
        break;
    }
    return nullptr;
}

} // namespace

bool PictureDecodes(GraphicClass graphicClass, std::span<const std::uint8_t> bytes) {
    if (graphicClass == GraphicClass::Metafile) {
        return IsMetafile(bytes);
    }
    const char* format = QtFormat(graphicClass);
    if (!format || bytes.empty()) {
        return false;
    }
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    // Reading the whole first frame catches truncated pixel data, not only a bad header.
    return !reader.read().isNull();
}

void InstallPictureDecoderCheck() {
    SetPictureDecoderCheck(PictureDecodes);
}

} // namespace carvelle::ui
