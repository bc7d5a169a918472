#pragma once

#include "objects/page.h"

#include <cstdint>
#include <string>
#include <vector>

namespace carvelle {

// The kind name followed by the smallest number n >= 1 that no object of the page is named.
std::string UniqueObjectName(const TPage& page, std::uint8_t kind);

// Appends a new object of the kind at the point, with the kind's defaults, its default
// caption and a unique name; every other object is deselected.
TAutoObject& CreateObject(TPage& page, std::uint8_t kind, std::int32_t left, std::int32_t top);

// Kinds drawn without a window of their own come first, so windowed objects stack above
// them; the order within each part is kept.
void ReorderObjects(TPage& page);
bool IsWindowlessKind(std::uint8_t kind);

// For every object, the toggle group of a Button that holds down within its group (0 for
// none): the page's distinct non-empty group names numbered 1, 2, ... by first appearance.
std::vector<int> ButtonToggleGroups(const TPage& page);

} // namespace carvelle
