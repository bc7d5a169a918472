#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace carvelle {

// Raised by streams and by the scalar helpers when bytes cannot be read or written. It carries
// the operating system's error number, or 0 when the failure is a short or malformed read.
class StreamError : public std::runtime_error {
public:
    explicit StreamError(const std::string& what, int systemError = 0)
        : std::runtime_error(what), systemError_(systemError) {}
    int SystemError() const { return systemError_; }

private:
    int systemError_;
};

// A seekable byte stream of known size. Every reader checks counts and lengths against
// Remaining() before it allocates or loops on them.
class Stream {
public:
    virtual ~Stream() = default;
    // Reads up to size bytes; returns how many were read.
    virtual std::size_t ReadSome(void* buffer, std::size_t size) = 0;
    // Writes all bytes or throws StreamError.
    virtual void Write(const void* data, std::size_t size) = 0;
    virtual std::uint64_t Position() const = 0;
    virtual void Seek(std::uint64_t position) = 0;
    virtual std::uint64_t Size() const = 0;

    std::uint64_t Remaining() const;
    // Reads exactly size bytes or throws StreamError.
    void ReadExact(void* buffer, std::size_t size);
};

class MemoryStream final : public Stream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::size_t ReadSome(void* buffer, std::size_t size) override;
    void Write(const void* data, std::size_t size) override;
    std::uint64_t Position() const override { return position_; }
    void Seek(std::uint64_t position) override;
    std::uint64_t Size() const override { return bytes_.size(); }

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// A file on disk. Open() records the operating system's error number on failure.
class FileStream final : public Stream {
public:
    enum class Mode { Read, Create, ReadWrite };

    FileStream() = default;
    ~FileStream() override;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    bool Open(const std::filesystem::path& path, Mode mode);
    bool IsOpen() const { return file_ != nullptr; }
    int OpenError() const { return openError_; }
    // Flushes and closes; throws StreamError when buffered bytes cannot be written.
    void Close();

    std::size_t ReadSome(void* buffer, std::size_t size) override;
    void Write(const void* data, std::size_t size) override;
    std::uint64_t Position() const override { return position_; }
    void Seek(std::uint64_t position) override;
    std::uint64_t Size() const override { return size_; }

private:
    std::FILE* file_ = nullptr;
    std::uint64_t position_ = 0;
    std::uint64_t size_ = 0;
    int openError_ = 0;
};

// Scalars as the formats store them: little-endian, exact widths.
std::int32_t ReadInt32(Stream& stream);
std::uint32_t ReadUInt32(Stream& stream);
std::int16_t ReadInt16(Stream& stream);
std::uint8_t ReadByte(Stream& stream);
bool ReadBool(Stream& stream);
void WriteInt32(Stream& stream, std::int32_t value);
void WriteUInt32(Stream& stream, std::uint32_t value);
void WriteInt16(Stream& stream, std::int16_t value);
void WriteByte(Stream& stream, std::uint8_t value);
void WriteBool(Stream& stream, bool value);

// Reads a count that must leave room for at least minEntrySize bytes per entry.
std::int32_t ReadBoundedCount(Stream& stream, std::uint64_t minEntrySize);

// Copies exactly size bytes from one stream to another in large blocks.
void CopyBytes(Stream& from, Stream& to, std::uint64_t size);

} // namespace carvelle
