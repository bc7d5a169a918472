#include "primitives.h"

#include "ascii.h"
#include "error_codes.h"
#include "guarded.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace carvelle {

namespace {

PictureDecoderCheck& DecoderCheck() {
    static PictureDecoderCheck check;
    return check;
}

struct ClassEntry {
    GraphicClass graphicClass;
    const char* name;
};

// The order in which names are matched.
constexpr std::array<ClassEntry, 6> kClasses{{
    {GraphicClass::GIFImage, "TGIFImage"},
    {GraphicClass::PNGObject, "TPNGObject"},
    {GraphicClass::JPEGImage, "TJPEGImage"},
    {GraphicClass::Bitmap, "TBitmap"},
    {GraphicClass::Icon, "TIcon"},
    {GraphicClass::Metafile, "TMetafile"},
}};

// Raised when a field holds a value the format does not allow.
class InvalidValue : public StreamError {
public:
    using StreamError::StreamError;
};

} // namespace

bool WriteString(Stream& stream, const std::string& text) {
    return Guarded(ErrorCode::StringWrite, [&] {
        if (text.size() > static_cast<std::size_t>(INT32_MAX)) {
            throw InvalidValue("string too long");
        }
        WriteInt32(stream, static_cast<std::int32_t>(text.size()));
        stream.Write(text.data(), text.size());
        return true;
    });
}

bool ReadString(Stream& stream, std::string& text) {
    return Guarded(ErrorCode::StringRead, [&] {
        const std::int32_t count = ReadInt32(stream);
        if (count <= 0) {
            text.clear();
            return true;
        }
        if (static_cast<std::uint64_t>(count) > stream.Remaining()) {
            throw StreamError("string beyond the end of data");
        }
        std::string value(static_cast<std::size_t>(count), '\0');
        stream.ReadExact(value.data(), value.size());
        text = std::move(value);
        return true;
    });
}

bool WriteFont(Stream& stream, const Font& font) {
    return Guarded(ErrorCode::FontWrite, [&] {
        if (!WriteString(stream, font.Name)) {
            return false;
        }
        WriteUInt32(stream, font.Color);
        WriteInt32(stream, font.Size);
        WriteByte(stream, font.Style);
        return true;
    });
}

bool ReadFont(Stream& stream, Font& font) {
    return Guarded(ErrorCode::FontRead, [&] {
        if (!ReadString(stream, font.Name)) {
            return false;
        }
        font.Color = ReadUInt32(stream);
        font.Size = ReadInt32(stream);
        font.Style = ReadByte(stream);
        return true;
    });
}

bool WritePicture(Stream& stream, const Picture& picture) {
    return Guarded(ErrorCode::PictureWrite, [&] {
        if (!WriteString(stream, GraphicClassName(picture.Class))) {
            return false;
        }
        if (picture.IsEmpty()) {
            return true;
        }
        if (picture.Data.size() > static_cast<std::size_t>(INT32_MAX)) {
            throw InvalidValue("picture too large");
        }
        WriteInt32(stream, static_cast<std::int32_t>(picture.Data.size()));
        stream.Write(picture.Data.data(), picture.Data.size());
        return true;
    });
}

bool ReadPicture(Stream& stream, Picture& picture) {
    picture.Clear();
    return Guarded(ErrorCode::PictureRead, [&] {
        std::string className;
        if (!ReadString(stream, className)) {
            return false;
        }
        if (className.empty()) {
            return true;
        }
        const std::int32_t count = ReadInt32(stream);
        if (count < 0 || static_cast<std::uint64_t>(count) > stream.Remaining()) {
            throw StreamError("picture beyond the end of data");
        }
        std::vector<std::uint8_t> data(static_cast<std::size_t>(count));
        stream.ReadExact(data.data(), data.size());
        const GraphicClass graphicClass = GraphicClassByName(className);
        if (graphicClass == GraphicClass::None) {
            throw InvalidValue("unknown graphic class");
        }
        if (const auto& check = DecoderCheck(); check && !check(graphicClass, data)) {
            throw InvalidValue("picture does not decode");
        }
        picture.Class = graphicClass;
        picture.Data = std::move(data);
        return true;
    });
}

bool WriteTextEffect(Stream& stream, const TextEffect& effect) {
    return Guarded(ErrorCode::TextEffectWrite, [&] {
        WriteInt32(stream, effect.Alpha);
        WriteInt32(stream, effect.Angle);
        WriteInt32(stream, effect.Blur);
        WriteBool(stream, effect.HorzMirror);
        WriteInt32(stream, effect.Noise);
        WriteBool(stream, effect.Outline);
        WriteInt32(stream, effect.Spray);
        WriteBool(stream, effect.VertMirror);
        WriteBool(stream, effect.Gradual.Enabled);
        WriteUInt32(stream, effect.Gradual.EndColor);
        WriteUInt32(stream, effect.Gradual.StartColor);
        WriteByte(stream, effect.Gradual.Style);
        WriteInt32(stream, effect.Shadow.Alpha);
        WriteInt32(stream, effect.Shadow.Blur);
        WriteUInt32(stream, effect.Shadow.Color);
        WriteBool(stream, effect.Shadow.Enabled);
        WriteInt32(stream, effect.Shadow.OffsetX);
        WriteInt32(stream, effect.Shadow.OffsetY);
        WriteBool(stream, effect.Texture.Enabled);
        WriteByte(stream, effect.Texture.Mode);
        return WritePicture(stream, effect.Texture.Picture);
    });
}

bool ReadTextEffect(Stream& stream, TextEffect& effect) {
    return Guarded(ErrorCode::TextEffectRead, [&] {
        // Byte-sized properties are stored widened; reading keeps their low byte.
        const auto narrow = [&] { return static_cast<std::uint8_t>(ReadInt32(stream)); };
        const auto narrowSigned = [&] { return static_cast<std::int8_t>(ReadInt32(stream)); };
        effect.Alpha = narrow();
        effect.Angle = ReadInt32(stream);
        effect.Blur = narrow();
        effect.HorzMirror = ReadBool(stream);
        effect.Noise = narrow();
        effect.Outline = ReadBool(stream);
        effect.Spray = narrow();
        effect.VertMirror = ReadBool(stream);
        effect.Gradual.Enabled = ReadBool(stream);
        effect.Gradual.EndColor = ReadUInt32(stream);
        effect.Gradual.StartColor = ReadUInt32(stream);
        effect.Gradual.Style = ReadByte(stream);
        effect.Shadow.Alpha = narrow();
        effect.Shadow.Blur = narrow();
        effect.Shadow.Color = ReadUInt32(stream);
        effect.Shadow.Enabled = ReadBool(stream);
        effect.Shadow.OffsetX = narrowSigned();
        effect.Shadow.OffsetY = narrowSigned();
        effect.Texture.Enabled = ReadBool(stream);
        effect.Texture.Mode = ReadByte(stream);
        return ReadPicture(stream, effect.Texture.Picture);
    });
}

bool WriteFontLabels(Stream& stream, const std::vector<FontLabel>& labels) {
    return Guarded(ErrorCode::FontLabelsWrite, [&] {
        WriteInt32(stream, static_cast<std::int32_t>(labels.size()));
        for (const FontLabel& label : labels) {
            if (!WriteTextEffect(stream, label.Effect) || !WriteFont(stream, label.Font) ||
                !WriteString(stream, label.Name)) {
                return false;
            }
        }
        return true;
    });
}

bool ReadFontLabels(Stream& stream, std::vector<FontLabel>& labels) {
    labels.clear();
    return Guarded(ErrorCode::FontLabelsRead, [&] {
        // The smallest label: an effect with an empty texture, a font with an empty name and
        // an empty name.
        constexpr std::uint64_t kMinLabelSize = 60 + 13 + 4;
        const std::int32_t count = ReadBoundedCount(stream, kMinLabelSize);
        for (std::int32_t i = 0; i < count; ++i) {
            FontLabel label;
            if (!ReadTextEffect(stream, label.Effect) || !ReadFont(stream, label.Font) ||
                !ReadString(stream, label.Name)) {
                return false;
            }
            labels.push_back(std::move(label));
        }
        return true;
    });
}

std::string JoinTextLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> SplitTextLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        lines.push_back(std::move(current));
    }
    return lines;
}

GraphicClass GraphicClassByName(const std::string& name) {
    const std::string upper = UpperAscii(name);
    for (const ClassEntry& entry : kClasses) {
        if (upper == UpperAscii(entry.name)) {
            return entry.graphicClass;
        }
    }
    return GraphicClass::None;
}

const char* GraphicClassName(GraphicClass graphicClass) {
    for (const ClassEntry& entry : kClasses) {
        if (entry.graphicClass == graphicClass) {
            return entry.name;
        }
    }
    return "";
}

void SetPictureDecoderCheck(PictureDecoderCheck check) {
    DecoderCheck() = std::move(check);
}

} // namespace carvelle
