#pragma once

#include "stream.h"

#include <filesystem>

namespace carvelle {

// Writes a file the user keeps without ever leaving it half-written: the bytes go to a new
// file beside the target, which replaces the target only on Commit(). Without a commit the
// new file is removed and the old one stays as it was.
class SafeFileWriter {
public:
    explicit SafeFileWriter(std::filesystem::path target);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Creates the new file; on failure OpenError() holds the system's error number.
    bool Open();
    int OpenError() const { return stream_.OpenError(); }
    FileStream& Stream() { return stream_; }
    // Flushes, closes and renames into place; throws StreamError on failure.
    void Commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    FileStream stream_;
    bool opened_ = false;
    bool committed_ = false;
};

} // namespace carvelle
