#pragma once

#include "page.h"

#include <string>

namespace carvelle {

// The whole page as one JSON object: every property under its designer name, the start
// command with its packed strings unpacked, menus with their actions decoded, the bars and
// every object with its kind's own fields.
std::string PageJson(const TPage& page);

} // namespace carvelle
