#pragma once

#include "cleanup_list.h"
#include "common/stream.h"

#include <filesystem>
#include <string>

namespace carvelle {

// Appends the folder tree of `folder`: subfolders first (without "AutoRunSource"), then
// regular files (without "autorun.exe"). Reports the first file it cannot pack.
bool WriteTree(Stream& stream, const std::filesystem::path& folder);

// Unpacks a folder tree into `destination`, listing what it creates in `cleanup`. Names that
// would leave the destination, and counts or sizes beyond the remaining bytes, are refused;
// `sourceName` is the file named in the message.
bool ExtractTree(Stream& stream, const std::filesystem::path& destination, CleanupList& cleanup,
                 const std::string& sourceName);

// Writes the single executable: the player, the project folder's tree, then the player's
// size as the last four bytes. The output is replaced only when everything was written.
bool WritePackage(const std::filesystem::path& player, const std::filesystem::path& projectFolder,
                  const std::filesystem::path& output);

// Reads the tree offset from the last four bytes and checks it lies inside the file.
bool ReadPackageOffset(Stream& stream, std::uint64_t& offset);

// True for a single path component that stays inside the folder it is created in.
bool IsSafeEntryName(const std::string& name);

} // namespace carvelle
