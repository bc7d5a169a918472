#include "object_bounds.h"

#include <type_traits>

namespace carvelle {

Bounds ObjectBounds(const KindProperties& properties) {
    return std::visit(
        [](const auto& block) {
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(block)>, kinds::Image>) {
                return Bounds{block.Left, block.Top, block.Width, block.Height};
            } else {
                return block.Bounds;
            }
        },
        properties);
}

void SetObjectBounds(KindProperties& properties, const Bounds& bounds) {
    std::visit(
        [&](auto& block) {
            if constexpr (std::is_same_v<std::remove_cvref_t<decltype(block)>, kinds::Image>) {
                block.Left = bounds.Left;
                block.Top = bounds.Top;
                block.Width = bounds.Width;
                block.Height = bounds.Height;
            } else {
                block.Bounds = bounds;
            }
        },
        properties);
}

} // namespace carvelle
