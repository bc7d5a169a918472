#pragma once

#include <string>
#include <vector>

namespace carvelle {

// Everything a run created, in creation order: "D" + folder or "F" + file (native paths).
// Removed in reverse order at exit, so files go before the folders that hold them.
class CleanupList {
public:
    void AddFolder(const std::string& path) { entries_.push_back("D" + path); }
    void AddFile(const std::string& path) { entries_.push_back("F" + path); }
    const std::vector<std::string>& Entries() const { return entries_; }
    // Removes every entry that can still be removed; the rest is skipped silently.
    void RemoveAll();

private:
    std::vector<std::string> entries_;
};

} // namespace carvelle
