#pragma once

#include <cstdint>
#include <vector>

namespace carvelle {

// Content the sample project makes itself, so it needs no files from elsewhere.

// A width x height 24-bit BMP file: a round emblem shaded from `light` to `dark` (0xRRGGBB).
std::vector<std::uint8_t> SampleEmblemBitmap(int width, int height, std::uint32_t light,
                                             std::uint32_t dark);

// A short click as a 16-bit mono PCM WAVE file.
std::vector<std::uint8_t> SampleClickSound();

} // namespace carvelle
