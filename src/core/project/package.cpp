#include "package.h"

#include "common/error_codes.h"
#include "common/guarded.h"
#include "common/primitives.h"
#include "common/safe_file.h"
#include "project_file.h"

#include <limits>
#include <set>
#include <system_error>
#include <vector>

namespace carvelle {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSkippedFolder = "AutoRunSource";
constexpr const char* kSkippedFile = "autorun.exe";
// Deeper trees than this are refused rather than followed down the stack.
constexpr int kMaxDepth = 128;
// A folder entry holds at least a one-byte name and two counts; a file entry a name and a size.
constexpr std::uint64_t kMinFolderEntry = 4 + 1 + 4 + 4;
constexpr std::uint64_t kMinFileEntry = 4 + 1 + 4;

// A failure that has already been reported.
struct Reported {};

struct Listing {
    std::vector<fs::path> folders;
    std::vector<fs::path> files;
};

Listing ListFolder(const fs::path& folder) {
    Listing listing;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        ReportFileError(ErrorCode::PublishExecutable, folder.string(), ec.value());
        throw Reported{};
    }
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) {
            break;
        }
        const fs::path& path = it->path();
        const std::string name = path.filename().string();
        std::error_code statError;
        if (it->is_directory(statError)) {
            if (name != kSkippedFolder) {
                listing.folders.push_back(path);
            }
        } else if (it->is_regular_file(statError)) {
            if (name != kSkippedFile) {
                listing.files.push_back(path);
            }
        }
    }
    if (ec) {
        ReportFileError(ErrorCode::PublishExecutable, folder.string(), ec.value());
        throw Reported{};
    }
    return listing;
}

void WriteCount(Stream& stream, std::size_t count) {
    if (count > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw StreamError("too many entries");
    }
    WriteInt32(stream, static_cast<std::int32_t>(count));
}

void WriteName(Stream& stream, const fs::path& path) {
    if (!WriteString(stream, path.filename().string())) {
        throw Reported{};
    }
}

void WriteFileEntry(Stream& stream, const fs::path& file) {
    WriteName(stream, file);
    FileStream input;
    if (!input.Open(file, FileStream::Mode::Read)) {
        ReportFileError(ErrorCode::PublishExecutable, file.string(), input.OpenError());
        throw Reported{};
    }
    if (input.Size() > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
        ReportFileError(ErrorCode::PublishExecutable, file.string(), EFBIG);
        throw Reported{};
    }
    WriteInt32(stream, static_cast<std::int32_t>(input.Size()));
    try {
        CopyBytes(input, stream, input.Size());
    } catch (const StreamError& e) {
        ReportFileError(ErrorCode::PublishExecutable, file.string(), e.SystemError());
        throw Reported{};
    }
}

// `ancestors` holds the real paths of the folders above, so a link back up is not followed.
void WriteTreeLevel(Stream& stream, const fs::path& folder, std::set<fs::path>& ancestors) {
    Listing listing = ListFolder(folder);
    std::error_code ec;
    std::vector<fs::path> folders;
    for (const fs::path& sub : listing.folders) {
        const fs::path real = fs::canonical(sub, ec);
        if (ec || !ancestors.contains(real)) {
            folders.push_back(sub);
        }
    }
    WriteCount(stream, folders.size());
    for (const fs::path& sub : folders) {
        WriteName(stream, sub);
        const fs::path real = fs::canonical(sub, ec);
        ancestors.insert(real);
        WriteTreeLevel(stream, sub, ancestors);
        ancestors.erase(real);
    }
    WriteCount(stream, listing.files.size());
    for (const fs::path& file : listing.files) {
        WriteFileEntry(stream, file);
    }
}

class Extractor {
public:
    Extractor(Stream& stream, CleanupList& cleanup) : stream_(stream), cleanup_(cleanup) {}

    // Throws StreamError on malformed input; returns false after reporting anything else.
    bool Extract(const fs::path& destination, int depth) {
        if (depth > kMaxDepth) {
            throw StreamError("folders nested too deeply");
        }
        const std::int32_t folderCount = ReadBoundedCount(stream_, kMinFolderEntry);
        for (std::int32_t i = 0; i < folderCount; ++i) {
            const fs::path folder = destination / ReadEntryName();
            std::error_code ec;
            if (!fs::is_directory(fs::symlink_status(folder, ec))) {
                fs::create_directory(folder, ec);
                if (ec) {
                    ReportFileError(ErrorCode::PackageFolderCreate, folder.string(), ec.value());
                    return false;
                }
            }
            cleanup_.AddFolder(folder.string());
            if (!Extract(folder, depth + 1)) {
                return false;
            }
        }
        const std::int32_t fileCount = ReadBoundedCount(stream_, kMinFileEntry);
        for (std::int32_t i = 0; i < fileCount; ++i) {
            if (!ExtractFile(destination / ReadEntryName())) {
                return false;
            }
        }
        return true;
    }

private:
    std::string ReadEntryName() {
        const std::int32_t length = ReadInt32(stream_);
        if (length <= 0 || static_cast<std::uint64_t>(length) > stream_.Remaining()) {
            throw StreamError("entry name beyond the end of data");
        }
        std::string name(static_cast<std::size_t>(length), '\0');
        stream_.ReadExact(name.data(), name.size());
        if (!IsSafeEntryName(name)) {
            throw StreamError("entry name leaves the folder");
        }
        return name;
    }

    bool ExtractFile(const fs::path& file) {
        std::error_code ec;
        // Never write through a link or over a folder that is already there.
        const auto status = fs::symlink_status(file, ec);
        if (fs::is_symlink(status) || fs::is_directory(status)) {
            ReportFileError(ErrorCode::PackageFolderCreate, file.string(), EEXIST);
            return false;
        }
        const std::int32_t size = ReadInt32(stream_);
        if (size < 0 || static_cast<std::uint64_t>(size) > stream_.Remaining()) {
            throw StreamError("file beyond the end of data");
        }
        FileStream output;
        if (!output.Open(file, FileStream::Mode::Create)) {
            ReportFileError(ErrorCode::PackageFolderCreate, file.string(), output.OpenError());
            return false;
        }
        cleanup_.AddFile(file.string());
        constexpr std::size_t kBlock = 1 << 20;
        std::vector<std::uint8_t> buffer(
            std::min<std::size_t>(static_cast<std::size_t>(size), kBlock));
        std::uint64_t left = static_cast<std::uint64_t>(size);
        while (left > 0) {
            const auto chunk =
                static_cast<std::size_t>(std::min<std::uint64_t>(left, buffer.size()));
            // A read failure means a damaged package and is reported against the package.
            stream_.ReadExact(buffer.data(), chunk);
            if (!WriteOrReport(output, file, buffer.data(), chunk)) {
                return false;
            }
            left -= chunk;
        }
        return WriteOrReport(output, file, nullptr, 0);
    }

    // Writes a block, or closes the file when size is 0; reports a failure against the file.
    static bool WriteOrReport(FileStream& output, const fs::path& file, const void* data,
                              std::size_t size) {
        try {
            if (size > 0) {
                output.Write(data, size);
            } else {
                output.Close();
            }
            return true;
        } catch (const StreamError& e) {
            ReportFileError(ErrorCode::PackageFolderCreate, file.string(), e.SystemError());
            return false;
        }
    }

    Stream& stream_;
    CleanupList& cleanup_;
};

} // namespace

bool IsSafeEntryName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") {
        return false;
    }
    for (const char c : name) {
        if (c == '/' || c == '\\' || c == ':' || c == '\0') {
            return false;
        }
    }
    return true;
}

bool WriteTree(Stream& stream, const fs::path& folder) {
    try {
        return Guarded(ErrorCode::PublishExecutable, [&] {
            std::set<fs::path> ancestors;
            std::error_code ec;
            ancestors.insert(fs::canonical(folder, ec));
            WriteTreeLevel(stream, folder, ancestors);
            return true;
        });
    } catch (const Reported&) {
        return false;
    }
}

bool ExtractTree(Stream& stream, const fs::path& destination, CleanupList& cleanup,
                 const std::string& sourceName) {
    return GuardedFile(ErrorCode::ProjectOpen, sourceName, [&] {
        Extractor extractor(stream, cleanup);
        return extractor.Extract(destination, 0);
    });
}

bool ReadPackageOffset(Stream& stream, std::uint64_t& offset) {
    constexpr std::uint64_t kTrailer = 4;
    constexpr std::uint64_t kEmptyTree = 8;
    const std::uint64_t size = stream.Size();
    if (size < kTrailer + kEmptyTree) {
        return false;
    }
    stream.Seek(size - kTrailer);
    offset = ReadUInt32(stream);
    if (offset + kEmptyTree > size - kTrailer) {
        return false;
    }
    stream.Seek(offset);
    return true;
}

bool WritePackage(const fs::path& player, const fs::path& projectFolder, const fs::path& output) {
    try {
        return GuardedFile(ErrorCode::PublishExecutable, output.string(), [&] {
            SafeFileWriter writer(output);
            if (!writer.Open()) {
                throw StreamError("cannot create", writer.OpenError());
            }
            FileStream input;
            if (!input.Open(player, FileStream::Mode::Read)) {
                ReportFileError(ErrorCode::PublishExecutable, player.string(), input.OpenError());
                return false;
            }
            CopyBytes(input, writer.Stream(), input.Size());
            const std::uint64_t offset = writer.Stream().Position();
            if (!WriteTree(writer.Stream(), projectFolder)) {
                return false;
            }
            WriteUInt32(writer.Stream(), static_cast<std::uint32_t>(offset));
            writer.Commit();
            // The package starts like the player it carries.
            std::error_code ec;
            fs::permissions(output, fs::status(player, ec).permissions() | fs::perms::owner_write,
                            ec);
            return true;
        });
    } catch (const Reported&) {
        return false;
    }
}

} // namespace carvelle
