#pragma once

#include "stream.h"
#include "values.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace carvelle {

// Readers and writers of the composite primitives. Each reports its own code once on failure
// and returns false.
bool WriteString(Stream& stream, const std::string& text);
bool ReadString(Stream& stream, std::string& text);
bool WriteFont(Stream& stream, const Font& font);
bool ReadFont(Stream& stream, Font& font);
bool WritePicture(Stream& stream, const Picture& picture);
bool ReadPicture(Stream& stream, Picture& picture);
bool WriteTextEffect(Stream& stream, const TextEffect& effect);
bool ReadTextEffect(Stream& stream, TextEffect& effect);
bool WriteFontLabels(Stream& stream, const std::vector<FontLabel>& labels);
bool ReadFontLabels(Stream& stream, std::vector<FontLabel>& labels);

// Text fields: every line followed by CR LF on writing; CR, LF and CR LF end a line on reading.
std::string JoinTextLines(const std::vector<std::string>& lines);
std::vector<std::string> SplitTextLines(const std::string& text);

// Looks the upper-cased name up in the fixed class order; None when nothing matches.
GraphicClass GraphicClassByName(const std::string& name);
// The name a picture of this class is written with ("" for None).
const char* GraphicClassName(GraphicClass graphicClass);

// Installed by the ui: tells whether bytes decode as a picture of the class. Without one,
// any bytes of a known class are accepted.
using PictureDecoderCheck =
    std::function<bool(GraphicClass graphicClass, std::span<const std::uint8_t> bytes)>;
void SetPictureDecoderCheck(PictureDecoderCheck check);

} // namespace carvelle
