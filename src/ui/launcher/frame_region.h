#pragma once

#include <QRegion>

#include <optional>
#include <string>

namespace carvelle::ui::avensa {

// The window outline a frame's region text describes: its rectangle less the spans it cuts,
// built in one pass from banded rectangles. Nullopt when the text is not made of numbers.
std::optional<QRegion> BuildFrameRegion(const std::string& regionText);

} // namespace carvelle::ui::avensa
