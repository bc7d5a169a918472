#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace carvelle {

// A stored colour: 0x00BBGGRR for RGB, 0xFF0000nn for system colour nn.
using Colour = std::uint32_t;

namespace Colours {
inline constexpr Colour Black = 0x00000000;
inline constexpr Colour White = 0x00FFFFFF;
inline constexpr Colour Red = 0x000000FF;
inline constexpr Colour Yellow = 0x0000FFFF;
inline constexpr Colour Gray = 0x00808080;
inline constexpr Colour WindowText = 0xFF000008;
inline constexpr Colour ButtonFace = 0xFF00000F;
} // namespace Colours

constexpr Colour RgbColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<Colour>(red) | static_cast<Colour>(green) << 8 |
           static_cast<Colour>(blue) << 16;
}

namespace FontStyle {
inline constexpr std::uint8_t Bold = 1;
inline constexpr std::uint8_t Italic = 2;
inline constexpr std::uint8_t Underline = 4;
inline constexpr std::uint8_t StrikeOut = 8;
} // namespace FontStyle

struct Font {
    std::string Name = "MS Sans Serif";
    Colour Color = Colours::WindowText;
    std::int32_t Size = 8;
    std::uint8_t Style = 0;

    bool operator==(const Font&) const = default;
};

// The graphic classes a stored picture may name.
enum class GraphicClass { None, GIFImage, PNGObject, JPEGImage, Bitmap, Icon, Metafile };

// A picture is its class and the graphic's own file bytes; the ui decodes it.
struct Picture {
    GraphicClass Class = GraphicClass::None;
    std::vector<std::uint8_t> Data;

    bool IsEmpty() const { return Class == GraphicClass::None; }
    void Clear() {
        Class = GraphicClass::None;
        Data.clear();
    }
    bool operator==(const Picture&) const = default;
};

struct TextGradual {
    bool Enabled = false;
    Colour EndColor = Colours::Black;
    Colour StartColor = Colours::White;
    std::uint8_t Style = 0;
    bool operator==(const TextGradual&) const = default;
};

struct TextShadow {
    std::uint8_t Alpha = 70;
    std::uint8_t Blur = 1;
    Colour Color = Colours::Black;
    bool Enabled = false;
    std::int8_t OffsetX = 2;
    std::int8_t OffsetY = 2;
    bool operator==(const TextShadow&) const = default;
};

struct TextTexture {
    bool Enabled = false;
    std::uint8_t Mode = 0;
    carvelle::Picture Picture;
    bool operator==(const TextTexture&) const = default;
};

// The effects of the anti-aliased text controls. Byte-sized fields are stored as Integers.
struct TextEffect {
    std::uint8_t Alpha = 100;
    std::int32_t Angle = 0;
    std::uint8_t Blur = 0;
    bool HorzMirror = false;
    std::uint8_t Noise = 0;
    bool Outline = false;
    std::uint8_t Spray = 0;
    bool VertMirror = false;
    TextGradual Gradual;
    TextShadow Shadow;
    TextTexture Texture;
    bool operator==(const TextEffect&) const = default;
};

// A named font and effect that text can refer to by name.
struct FontLabel {
    TextEffect Effect;
    carvelle::Font Font;
    std::string Name;
    bool operator==(const FontLabel&) const = default;
};

} // namespace carvelle
