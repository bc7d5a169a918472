#pragma once

#include "common/stream.h"
#include "common/values.h"
#include "open_project.h"

#include <cstddef>
#include <string>

namespace carvelle {

// The first page-list entry with this name (compared exactly), or -1.
int FindPageByName(const ProjectSession& session, const std::string& name);
// The first page-list entry of this kind, or -1.
int FindFirstPageOfKind(const ProjectSession& session, std::int32_t kind);

// Where the page of a page-list entry is stored: its ".pg" file in the source folder, or the
// target file at the entry's Position.
std::string PageFileName(const ProjectSession& session, std::size_t index);

// Opens the page's stream positioned at its first byte. On failure `systemError` holds the
// reason; nothing is reported, since each caller reports with its own code.
bool OpenPageStream(const ProjectSession& session, std::size_t index, FileStream& stream,
                    int& systemError);

// The caption and icon at the start of a page's stream, for notebook tabs. An index outside
// the list is refused without a message.
bool ReadPageTitle(const ProjectSession& session, std::size_t index, std::string& caption,
                   Picture& icon);

} // namespace carvelle
