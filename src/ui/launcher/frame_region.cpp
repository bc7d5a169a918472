#include "frame_region.h"

#include "launcher/region_text.h"

#include <QRect>

#include <vector>

namespace carvelle::ui::avensa {

std::optional<QRegion> BuildFrameRegion(const std::string& regionText) {
    const std::optional<launcher::RegionText> parsed = launcher::ParseRegionText(regionText);
    if (!parsed) {
        return std::nullopt;
    }
    const std::vector<launcher::RegionRect> kept = launcher::KeptRectangles(*parsed);
    std::vector<QRect> rects;
    rects.reserve(kept.size());
    for (const launcher::RegionRect& r : kept) {
        rects.emplace_back(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    }
    // The rectangles come y-x banded, which is what setRects takes as it is; subtracting the
    // spans one by one would take far longer for thousands of them.
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

} // namespace carvelle::ui::avensa
