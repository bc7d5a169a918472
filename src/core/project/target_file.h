#pragma once

#include "common/stream.h"
#include "project_model.h"

#include <cstddef>
#include <functional>
#include <string>

namespace carvelle {

// Appends the stream of the page at this page-list index; reports its own failure.
using PageStreamWriter = std::function<bool(Stream& stream, std::size_t pageIndex)>;

// Writes project folder + "\autorun.tgt": the project file, then every page in list order,
// then the header again with each page's final Position (also set in `header`).
bool WriteTargetFile(const std::string& projectFolder, ProjectHeader& header,
                     const PageStreamWriter& writePage);

} // namespace carvelle
