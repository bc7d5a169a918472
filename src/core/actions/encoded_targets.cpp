#include "encoded_targets.h"

#include "common/primitives.h"

#include <array>

namespace carvelle {

namespace {

constexpr char kField = '\x01';
constexpr char kEntry = '\x02';
constexpr char kRecordField = '\x03';
constexpr char kRecord = '\x04';

std::string Flag(bool value) {
    return value ? "Y" : " ";
}

// Reads fields one by one, each ending at its separator.
class FieldReader {
public:
    explicit FieldReader(const std::string& text) : text_(text) {}
    bool Next(char separator, std::string& field) {
        const std::size_t end = text_.find(separator, at_);
        if (end == std::string::npos) {
            return false;
        }
        field = text_.substr(at_, end - at_);
        at_ = end + 1;
        return true;
    }
    bool AtEnd() const { return at_ >= text_.size(); }

private:
    const std::string& text_;
    std::size_t at_ = 0;
};

std::string Joined(std::initializer_list<std::string> fields, char separator) {
    std::string text;
    for (const std::string& field : fields) {
        text += field;
        text += separator;
    }
    return text;
}

} // namespace

bool IsFileList(const std::string& target) {
    return target.find(kEntry) != std::string::npos;
}

std::vector<FileListEntry> ParseFileList(const std::string& target) {
    std::vector<FileListEntry> entries;
    FieldReader entryReader(target);
    std::string entryText;
    while (entryReader.Next(kEntry, entryText)) {
        FieldReader fields(entryText);
        FileListEntry entry;
        std::string wait;
        if (!fields.Next(kField, entry.File) || !fields.Next(kField, entry.Parameters) ||
            !fields.Next(kField, entry.StartFolder) || !fields.Next(kField, wait)) {
            break;
        }
        entry.Wait = wait == "Y";
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string BuildFileList(const std::vector<FileListEntry>& entries) {
    std::string text;
    for (const FileListEntry& e : entries) {
        text += Joined({e.File, e.Parameters, e.StartFolder, Flag(e.Wait)}, kField) + kEntry;
    }
    return text;
}

std::optional<CopySet> ParseCopySet(const std::string& target) {
    FieldReader reader(target);
    CopySet set;
    std::string overwrite;
    std::string show;
    if (!reader.Next(kField, set.Source) || !reader.Next(kField, set.TargetFolder) ||
        !reader.Next(kField, overwrite) || !reader.Next(kField, show) ||
        !reader.Next(kField, set.MessageCaption) || !reader.Next(kField, set.MessageText) ||
        !reader.Next(kField, set.MessageType) || !reader.Next(kField, set.OpenFile) ||
        !reader.Next(kField, set.OpenParameters) || !reader.Next(kField, set.OpenFolder)) {
        return std::nullopt;
    }
    set.Overwrite = overwrite == "Y";
    set.ShowMessage = show == "Y";
    return set;
}

std::string BuildCopySet(const CopySet& s) {
    return Joined({s.Source, s.TargetFolder, Flag(s.Overwrite), Flag(s.ShowMessage),
                   s.MessageCaption, s.MessageText, s.MessageType, s.OpenFile, s.OpenParameters,
                   s.OpenFolder},
                  kField);
}

std::optional<SlideShowSet> ParseSlideShowSet(const std::string& target) {
    FieldReader reader(target);
    SlideShowSet set;
    std::string loop;
    if (!reader.Next(kField, set.Folder) || !reader.Next(kField, loop) ||
        !reader.Next(kField, set.Style) || !reader.Next(kField, set.ImageStyle) ||
        !reader.Next(kField, set.Step) || !reader.Next(kField, set.StepDelay) ||
        !reader.Next(kField, set.Interval) || !reader.Next(kField, set.BackColor) ||
        !reader.Next(kField, set.Music)) {
        return std::nullopt;
    }
    set.Loop = loop == "Y";
    return set;
}

std::string BuildSlideShowSet(const SlideShowSet& s) {
    return Joined({s.Folder, Flag(s.Loop), s.Style, s.ImageStyle, s.Step, s.StepDelay, s.Interval,
                   s.BackColor, s.Music},
                  kField);
}

std::optional<LoadSet> ParseLoadSet(const std::string& target) {
    FieldReader reader(target);
    LoadSet set;
    if (!reader.Next(kField, set.ObjectName) || !reader.Next(kField, set.File)) {
        return std::nullopt;
    }
    return set;
}

std::string BuildLoadSet(const LoadSet& set) {
    return Joined({set.ObjectName, set.File}, kField);
}

VisibilitySet ParseVisibilitySet(const std::string& target, bool& complete) {
    VisibilitySet set;
    const std::array<std::vector<std::string>*, 8> lists{
        &set.ShowGroups,  &set.HideGroups,  &set.EnableGroups,  &set.DisableGroups,
        &set.ShowObjects, &set.HideObjects, &set.EnableObjects, &set.DisableObjects};
    FieldReader reader(target);
    complete = false;
    for (std::vector<std::string>* list : lists) {
        std::string text;
        if (!reader.Next(kField, text)) {
            return set;
        }
        *list = SplitTextLines(text);
    }
    complete = true;
    return set;
}

std::string BuildVisibilitySet(const VisibilitySet& s) {
    return Joined({JoinTextLines(s.ShowGroups), JoinTextLines(s.HideGroups),
                   JoinTextLines(s.EnableGroups), JoinTextLines(s.DisableGroups),
                   JoinTextLines(s.ShowObjects), JoinTextLines(s.HideObjects),
                   JoinTextLines(s.EnableObjects), JoinTextLines(s.DisableObjects)},
                  kField);
}

std::vector<ActionRecord> ParseActionList(const std::string& target) {
    std::vector<ActionRecord> records;
    FieldReader recordReader(target);
    std::string recordText;
    while (recordReader.Next(kRecord, recordText)) {
        FieldReader fields(recordText);
        ActionRecord record;
        if (!fields.Next(kRecordField, record.Code) ||
            !fields.Next(kRecordField, record.ShowCommand) ||
            !fields.Next(kRecordField, record.Target) ||
            !fields.Next(kRecordField, record.Parameters) ||
            !fields.Next(kRecordField, record.Folder)) {
            break;
        }
        record.CloseAfter = recordText.substr(recordText.rfind(kRecordField) + 1) == "Y";
        records.push_back(std::move(record));
    }
    return records;
}

std::string BuildActionList(const std::vector<ActionRecord>& records) {
    std::string text;
    for (const ActionRecord& r : records) {
        text += Joined({r.Code, r.ShowCommand, r.Target, r.Parameters, r.Folder}, kRecordField) +
                Flag(r.CloseAfter) + kRecord;
    }
    return text;
}

} // namespace carvelle
