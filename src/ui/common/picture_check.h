#pragma once

#include "common/values.h"

#include <cstdint>
#include <span>

namespace carvelle::ui {

// Whether the bytes are a picture of that class that this program can show.
bool PictureDecodes(GraphicClass graphicClass, std::span<const std::uint8_t> bytes);

// Makes every picture reader refuse bytes that do not decode.
void InstallPictureDecoderCheck();

} // namespace carvelle::ui
