#include "package.h"

#include "launcher/tagged_fields.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace carvelle::launcher {

namespace {

constexpr char kMagic[4] = {'F', 'P', 'A', 'K'};

void Report(Messages& messages, MessageKind kind, std::string text) {
    messages.push_back({kind, std::move(text)});
}

bool ReadFields(Stream& exe, PackageDirectory& directory, Messages& messages) {
    const std::uint64_t size = exe.Size();
    // The stored number is the package offset plus one, so 1 means offset 0.
    if (size < 4) {
        Report(messages, MessageKind::Error, "Invalid menu address.");
        return false;
    }
    const auto trailerPosition = static_cast<std::int64_t>(size - 4);
    exe.Seek(static_cast<std::uint64_t>(trailerPosition));
    const std::int64_t packageStart = static_cast<std::int64_t>(ReadInt32(exe)) - 1;
    if (packageStart > trailerPosition || packageStart == 0) {
        Report(messages, MessageKind::Error, "Invalid menu address.");
        return false;
    }
    char magic[4] = {};
    if (packageStart > 0) {
        exe.Seek(static_cast<std::uint64_t>(packageStart));
        exe.ReadExact(magic, sizeof magic);
    }
    if (std::memcmp(magic, kMagic, sizeof magic) != 0) {
        Report(messages, MessageKind::Error, "Could not retrieve packed files");
        return false;
    }

    FieldReader reader(exe);
    for (int i = 0; i < 3; ++i) {
        reader.ReadRawByte();
    }
    reader.ReadStringField();
    reader.ReadByteField();
    const int count = reader.ReadRawByte();
    if (reader.Failed()) {
        return false;
    }
    if (count > kDirectorySlots) {
        Report(messages, MessageKind::Error, "Could not retrieve packed files");
        return false;
    }
    if (static_cast<std::uint64_t>(count) * kDirectoryEntrySize > exe.Remaining()) {
        return false;
    }
    for (int slot = 0; slot < count; ++slot) {
        std::string name(kEntryNameSize, ' ');
        exe.ReadExact(name.data(), name.size());
        directory.EntryNames[static_cast<std::size_t>(slot)] = LowerAscii(TrimBlanks(name));
        directory.EntryOffsets[static_cast<std::size_t>(slot)] =
            static_cast<std::int64_t>(ReadInt32(exe)) - 1;
    }
    if (count < kDirectorySlots) {
        directory.EntryNames[static_cast<std::size_t>(count)].clear();
    }
    directory.EntryCount = count;
    return true;
}

} // namespace

std::string LowerAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return text;
}

std::string TrimBlanks(const std::string& text) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    const auto first = std::find_if_not(text.begin(), text.end(), blank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

bool OpenPackage(Stream& exe, PackageDirectory& directory, Messages& messages) {
    directory = PackageDirectory{};
    try {
        return ReadFields(exe, directory, messages);
    } catch (const StreamError&) {
        // A directory cut short: the launcher gives up with its closing box.
        return false;
    }
}

bool SeekEntry(Stream& exe, const PackageDirectory& directory, std::string& name,
               Messages& messages) {
    name = LowerAscii(name);
    const auto found = std::find(directory.EntryNames.begin(), directory.EntryNames.end(), name);
    if (found == directory.EntryNames.end()) {
        Report(messages, MessageKind::Warning, "Could not locate specified package:\r\r" + name);
        return false;
    }
    const std::int64_t offset =
        directory.EntryOffsets[static_cast<std::size_t>(found - directory.EntryNames.begin())];
    try {
        exe.Seek(offset >= 0 && static_cast<std::uint64_t>(offset) <= exe.Size()
                     ? static_cast<std::uint64_t>(offset)
                     : exe.Size());
    } catch (const StreamError&) {
        // Nothing can be read from a stream that cannot seek; the header check then fails.
    }
    return true;
}

void WritePackage(Stream& out, const std::vector<PackageEntry>& entries,
                  const PackageHeader& header) {
    if (entries.size() > static_cast<std::size_t>(kDirectorySlots)) {
        throw StreamError("a package holds at most 100 entries");
    }
    const std::uint64_t start = out.Size();
    const std::uint64_t headerSize = 4 + 3 + (5 + header.Text.size()) + 6 + 1;
    std::uint64_t dataOffset = start + headerSize + entries.size() * kDirectoryEntrySize;
    std::vector<std::int32_t> stored;
    constexpr auto kLimit = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());
    for (const PackageEntry& entry : entries) {
        if (entry.Name.size() > kEntryNameSize) {
            throw StreamError("entry name longer than 256 bytes: " + entry.Name);
        }
        if (dataOffset + 1 > kLimit) {
            throw StreamError("package too large: offsets must stay below 2 GiB");
        }
        stored.push_back(static_cast<std::int32_t>(dataOffset + 1));
        dataOffset += entry.Data.size();
    }
    if (dataOffset + 1 > kLimit || start + 1 > kLimit) {
        throw StreamError("package too large: offsets must stay below 2 GiB");
    }

    out.Seek(start);
    out.Write(kMagic, sizeof kMagic);
    out.Write(header.Version.data(), header.Version.size());
    WriteStringField(out, header.Text);
    WriteByteField(out, header.Flag);
    WriteByte(out, static_cast<std::uint8_t>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::string name = entries[i].Name;
        name.resize(kEntryNameSize, ' ');
        out.Write(name.data(), name.size());
        WriteInt32(out, stored[i]);
    }
    for (const PackageEntry& entry : entries) {
        out.Write(entry.Data.data(), entry.Data.size());
    }
    WriteByte(out, 1);
    WriteInt32(out, static_cast<std::int32_t>(start + 1));
}

} // namespace carvelle::launcher
