#pragma once

#include "launcher/messages.h"

#include "common/stream.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace carvelle::launcher {

// The directory of the package appended to the launcher's executable. The launcher's tables
// have a fixed number of slots; a package with more entries is refused.
constexpr int kDirectorySlots = 100;
constexpr std::size_t kEntryNameSize = 256;
constexpr std::size_t kDirectoryEntrySize = kEntryNameSize + 4;

struct PackageDirectory {
    // Trimmed and lower-cased, so that lookups ignore letter case.
    std::array<std::string, kDirectorySlots> EntryNames;
    // Absolute file offsets of the entries' data.
    std::array<std::int64_t, kDirectorySlots> EntryOffsets{};
    int EntryCount = 0;
};

// Reads the trailer, the header and the directory. False when the launcher cannot go on;
// the boxes to show are appended to `messages` (the caller adds its own closing box).
bool OpenPackage(Stream& exe, PackageDirectory& directory, Messages& messages);

// Lower-cases `name` in place and positions the stream at the first entry of that name.
// False, with a warning, when there is none; the stream is then not moved. An entry whose
// offset lies outside the file leaves the stream at its end, so the next read fails.
bool SeekEntry(Stream& exe, const PackageDirectory& directory, std::string& name,
               Messages& messages);

// The launcher's text helpers, as names are stored and compared.
std::string LowerAscii(std::string text);
std::string TrimBlanks(const std::string& text);

struct PackageEntry {
    std::string Name;
    std::vector<std::uint8_t> Data;
};

struct PackageHeader {
    std::array<std::uint8_t, 3> Version{2, 0, 0};
    std::string Text;
    std::uint8_t Flag = 0;
};

// Appends a package holding `entries` behind whatever `out` already holds (the launcher's
// executable image), ending with the trailer. Throws StreamError when the entries do not fit
// the format (more than 100, a name longer than 256 bytes, offsets beyond 2 GiB) or a write
// fails.
void WritePackage(Stream& out, const std::vector<PackageEntry>& entries,
                  const PackageHeader& header = {});

} // namespace carvelle::launcher
