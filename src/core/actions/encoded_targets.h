#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace carvelle {

// Composite action targets pack their fields between control bytes; each field, the last
// one included, is followed by its separator. Yes/no fields are "Y" or a blank.

struct FileListEntry {
    std::string File;
    std::string Parameters;
    std::string StartFolder;
    bool Wait = false;
    bool operator==(const FileListEntry&) const = default;
};

struct CopySet {
    std::string Source;
    std::string TargetFolder;
    bool Overwrite = false;
    bool ShowMessage = false;
    std::string MessageCaption;
    std::string MessageText;
    std::string MessageType; // "0" OK, "1" Yes/No
    std::string OpenFile;
    std::string OpenParameters;
    std::string OpenFolder;
    bool operator==(const CopySet&) const = default;
};

struct SlideShowSet {
    std::string Folder;
    bool Loop = false;
    std::string Style;
    std::string ImageStyle;
    std::string Step;
    std::string StepDelay;
    std::string Interval;
    std::string BackColor;
    std::string Music;
    bool operator==(const SlideShowSet&) const = default;
};

struct LoadSet {
    std::string ObjectName;
    std::string File;
    bool operator==(const LoadSet&) const = default;
};

// Eight lists of names, in stored order.
struct VisibilitySet {
    std::vector<std::string> ShowGroups, HideGroups, EnableGroups, DisableGroups;
    std::vector<std::string> ShowObjects, HideObjects, EnableObjects, DisableObjects;
    bool operator==(const VisibilitySet&) const = default;
};

struct ActionRecord {
    std::string Code; // decimal, as stored
    std::string ShowCommand;
    std::string Target;
    std::string Parameters;
    std::string Folder;
    bool CloseAfter = false;
    bool operator==(const ActionRecord&) const = default;
};

// A file-list target is recognised by its byte 02.
bool IsFileList(const std::string& target);
std::vector<FileListEntry> ParseFileList(const std::string& target);
std::string BuildFileList(const std::vector<FileListEntry>& entries);

// Readers give nothing when a separator is missing.
std::optional<CopySet> ParseCopySet(const std::string& target);
std::string BuildCopySet(const CopySet& set);
std::optional<SlideShowSet> ParseSlideShowSet(const std::string& target);
std::string BuildSlideShowSet(const SlideShowSet& set);
std::optional<LoadSet> ParseLoadSet(const std::string& target);
std::string BuildLoadSet(const LoadSet& set);

// The visibility lists read so far: a missing separator stops the reading, and `complete`
// tells whether all eight were there.
VisibilitySet ParseVisibilitySet(const std::string& target, bool& complete);
std::string BuildVisibilitySet(const VisibilitySet& set);

// The records up to the first one without its separators.
std::vector<ActionRecord> ParseActionList(const std::string& target);
std::string BuildActionList(const std::vector<ActionRecord>& records);

} // namespace carvelle
