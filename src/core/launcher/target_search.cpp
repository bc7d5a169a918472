#include "target_search.h"

#include "launcher/package.h"

#include "common/codepage.h"
#include "common/native_path.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <vector>

namespace carvelle::launcher {

namespace {

namespace fs = std::filesystem;

// A file that counts for the first three passes: not a folder, not hidden.
bool CandidateExists(const std::string& composed) {
    if (composed.find("\\\\") != std::string::npos) {
        return false;
    }
    const std::string name = composed.substr(composed.rfind('\\') + 1);
    if (name.empty() || name[0] == '.') {
        return false;
    }
    std::error_code error;
    const fs::file_status status = fs::status(FindNativePath(composed), error);
    return !error && fs::exists(status) && !fs::is_directory(status);
}

bool HasHighBytes(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

struct Folder {
    std::string Composed;
    fs::path Native;
};

} // namespace

std::string FolderPart(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

FolderSearch SearchFolders(const std::string& name, bool deep, const std::string& start,
                           const SearchProgress& progress) {
    // Names on disk may be UTF-8 where the menu stores Windows-1252.
    const std::string utf8Name = HasHighBytes(name) ? LowerAscii(Windows1252ToUtf8(name)) : name;
    std::deque<Folder> queue{{start, FindNativePath(start)}};
    int taken = 0;
    bool cancelled = false;
    while (!queue.empty()) {
        if (cancelled) {
            return {FolderSearch::Outcome::Cancelled, name};
        }
        const Folder folder = std::move(queue.front());
        queue.pop_front();
        ++taken;
        if (progress && !progress(folder.Composed, taken, deep)) {
            cancelled = true;
        }
        std::vector<fs::directory_entry> entries;
        std::error_code error;
        for (fs::directory_iterator it(folder.Native, fs::directory_options::skip_permission_denied,
                                       error);
             !error && it != fs::directory_iterator(); it.increment(error)) {
            entries.push_back(*it);
        }
        std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
            return a.path().filename() < b.path().filename();
        });
        for (const fs::directory_entry& entry : entries) {
            const std::string entryName = entry.path().filename().string();
            // A backslash inside a name cannot be told from a separator once composed.
            if (entryName.empty() || entryName[0] == '.' ||
                entryName.find('\\') != std::string::npos) {
                continue;
            }
            const std::string lower = LowerAscii(entryName);
            if (lower == name || lower == utf8Name) {
                return {FolderSearch::Outcome::Found, folder.Composed + entryName};
            }
            std::error_code statusError;
            if (entry.is_directory(statusError) && !entry.is_symlink(statusError)) {
                queue.push_back({folder.Composed + entryName + "\\", entry.path()});
            }
        }
    }
    if (cancelled) {
        return {FolderSearch::Outcome::Cancelled, name};
    }
    return {FolderSearch::Outcome::NotFound, {}};
}

SearchResult SearchTarget(const std::string& target, const std::string& exeFolder,
                          const std::string& drive, const SearchProgress& progress) {
    const std::string ownFolder = FolderPart(target);
    std::string dir = ownFolder;
    if (!dir.empty() && dir.back() == '\\') {
        dir.pop_back();
    }
    dir = LowerAscii(dir) + "\\";
    const std::string name = LowerAscii(target.substr(ownFolder.size()));

    std::vector<std::string> candidates{exeFolder};
    for (std::size_t slash = dir.find('\\'); slash != std::string::npos;
         slash = dir.find('\\', slash + 1)) {
        candidates.push_back(drive + dir.substr(slash));
    }
    for (std::string folder = ownFolder; !folder.empty();
         folder = FolderPart(folder.substr(0, folder.size() - 1))) {
        candidates.push_back(folder);
    }
    for (const std::string& folder : candidates) {
        if (CandidateExists(folder + name)) {
            return {folder + name, false};
        }
    }

    const struct {
        std::string Start;
        bool Deep;
    } walks[] = {{exeFolder, false}, {drive + "\\", true}};
    for (const auto& walk : walks) {
        const FolderSearch found = SearchFolders(name, walk.Deep, walk.Start, progress);
        if (found.Result != FolderSearch::Outcome::NotFound) {
            return {found.Path, found.Result == FolderSearch::Outcome::Cancelled};
        }
    }
    return {target, false};
}

} // namespace carvelle::launcher
