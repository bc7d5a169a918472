#pragma once

#include <functional>
#include <string>

namespace carvelle::launcher {

// Called for every folder a search is about to list, with how many folders it has taken so far
// (1-based) and whether the search is the deep one; the ui shows its wait window from the
// 21st folder of a deep search. Returning false cancels before the next folder.
using SearchProgress = std::function<bool(const std::string& folder, int count, bool deep)>;

struct FolderSearch {
    enum class Outcome { Found, NotFound, Cancelled };
    Outcome Result = Outcome::NotFound;
    std::string Path; // Found: the folder + entry; Cancelled: the bare name
};

// A breadth-first walk from `start` (composed, ending in '\') for an entry whose lower-cased
// name is `name`. Subfolders are walked whether deep or not (`deep` only tells the progress
// callback). Hidden entries (names beginning with '.') and symbolic links to folders are not
// entered, so the walk always ends. Folders and entries of each folder come in name order.
FolderSearch SearchFolders(const std::string& name, bool deep, const std::string& start,
                           const SearchProgress& progress);

struct SearchResult {
    std::string Path;
    bool Cancelled = false;
};

// Looks for a missing local target (composed) in five passes: the launcher's folder; the
// target's folder path on the launcher's drive, then ever shorter tails of it; the folders
// holding the target up to its root; a walk of the launcher's folder; a deep walk of the
// launcher's drive. The first hit wins; a cancelled walk gives the bare name; when nothing is
// found the target comes back unchanged.
SearchResult SearchTarget(const std::string& target, const std::string& exeFolder,
                          const std::string& drive, const SearchProgress& progress);

// The folder part of a composed path, up to and including its last '\'; empty when none.
std::string FolderPart(const std::string& path);

} // namespace carvelle::launcher
