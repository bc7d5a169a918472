#include "colour.h"

#include <array>

namespace carvelle::launcher {

std::uint32_t QBColor(int number) {
    static constexpr std::array<std::uint32_t, 16> kPalette = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    return number >= 0 && number < static_cast<int>(kPalette.size())
               ? kPalette[static_cast<std::size_t>(number)]
               : 0;
}

std::uint32_t ShapeColourFromIndex(std::int32_t index) {
    const std::int64_t number = static_cast<std::int64_t>(index) + 1;
    return number <= 1 || number > 15 ? 0 : QBColor(static_cast<int>(number));
}

} // namespace carvelle::launcher
