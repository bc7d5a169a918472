#pragma once

#include <cstdint>

namespace carvelle::launcher {

// The classic sixteen-colour palette as 0x00BBGGRR colour values, numbered 1 to 15 (0 black);
// any other number gives 0.
std::uint32_t QBColor(int number);

// The shape colour kept for a stored ShapeColourIndex: 0 (shaping off) when index + 1 is 1 or
// less, otherwise QBColor(index + 1). Shaping is on when the result is greater than 0.
std::uint32_t ShapeColourFromIndex(std::int32_t index);

} // namespace carvelle::launcher
