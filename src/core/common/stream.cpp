#include "stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace carvelle {

std::uint64_t Stream::Remaining() const {
    const auto size = Size();
    const auto position = Position();
    return position < size ? size - position : 0;
}

void Stream::ReadExact(void* buffer, std::size_t size) {
    if (ReadSome(buffer, size) != size) {
        throw StreamError("unexpected end of data");
    }
}

std::size_t MemoryStream::ReadSome(void* buffer, std::size_t size) {
    const std::size_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    const std::size_t count = std::min(size, available);
    if (count > 0) {
        std::memcpy(buffer, bytes_.data() + position_, count);
    }
    position_ += count;
    return count;
}

void MemoryStream::Write(const void* data, std::size_t size) {
    if (size == 0) {
        return;
    }
    if (position_ + size > bytes_.size()) {
        bytes_.resize(position_ + size);
    }
    std::memcpy(bytes_.data() + position_, data, size);
    position_ += size;
}

void MemoryStream::Seek(std::uint64_t position) {
    if (position > bytes_.size()) {
        throw StreamError("seek beyond the end");
    }
    position_ = static_cast<std::size_t>(position);
}

FileStream::~FileStream() {
    if (file_) {
        std::fclose(file_);
    }
}

bool FileStream::Open(const std::filesystem::path& path, Mode mode) {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    const char* flags = mode == Mode::Read ? "rb" : mode == Mode::Create ? "w+b" : "r+b";
    errno = 0;
    file_ = std::fopen(path.c_str(), flags);
    if (!file_) {
        openError_ = errno;
        return false;
    }
    // Regular files only: a folder opens on some systems but cannot be read.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        std::fclose(file_);
        file_ = nullptr;
        openError_ = EISDIR;
        return false;
    }
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
    position_ = 0;
    size_ = 0;
    if (mode != Mode::Create) {
        size_ = std::filesystem::file_size(path, ec);
        if (ec) {
            std::fclose(file_);
            file_ = nullptr;
            openError_ = ec.value();
            return false;
        }
    }
    openError_ = 0;
    return true;
}

void FileStream::Close() {
    if (!file_) {
        return;
    }
    std::FILE* file = file_;
    file_ = nullptr;
    errno = 0;
    if (std::fclose(file) != 0) {
        throw StreamError("close failed", errno);
    }
}

std::size_t FileStream::ReadSome(void* buffer, std::size_t size) {
    if (!file_) {
        throw StreamError("file not open", EBADF);
    }
    errno = 0;
    const std::size_t count = std::fread(buffer, 1, size, file_);
    if (count < size && std::ferror(file_)) {
        throw StreamError("read failed", errno);
    }
    position_ += count;
    return count;
}

void FileStream::Write(const void* data, std::size_t size) {
    if (!file_) {
        throw StreamError("file not open", EBADF);
    }
    errno = 0;
    if (std::fwrite(data, 1, size, file_) != size) {
        throw StreamError("write failed", errno);
    }
    position_ += size;
    size_ = std::max(size_, position_);
}

void FileStream::Seek(std::uint64_t position) {
    if (!file_) {
        throw StreamError("file not open", EBADF);
    }
    if (position > size_) {
        throw StreamError("seek beyond the end");
    }
    errno = 0;
    if (std::fseek(file_, static_cast<long>(position), SEEK_SET) != 0) {
        throw StreamError("seek failed", errno);
    }
    position_ = position;
}

namespace {

template <typename Unsigned> Unsigned ReadLittleEndian(Stream& stream) {
    std::uint8_t bytes[sizeof(Unsigned)];
    stream.ReadExact(bytes, sizeof bytes);
    Unsigned value = 0;
    for (std::size_t i = sizeof bytes; i-- > 0;) {
        value = static_cast<Unsigned>((value << 8) | bytes[i]);
    }
    return value;
}

template <typename Unsigned> void WriteLittleEndian(Stream& stream, Unsigned value) {
    std::uint8_t bytes[sizeof(Unsigned)];
    for (std::size_t i = 0; i < sizeof bytes; ++i) {
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    stream.Write(bytes, sizeof bytes);
}

} // namespace

std::uint32_t ReadUInt32(Stream& stream) {
    return ReadLittleEndian<std::uint32_t>(stream);
}
std::int32_t ReadInt32(Stream& stream) {
    return static_cast<std::int32_t>(ReadUInt32(stream));
}
std::int16_t ReadInt16(Stream& stream) {
    return static_cast<std::int16_t>(ReadLittleEndian<std::uint16_t>(stream));
}
std::uint8_t ReadByte(Stream& stream) {
    return ReadLittleEndian<std::uint8_t>(stream);
}
bool ReadBool(Stream& stream) {
    return ReadByte(stream) != 0;
}

void WriteUInt32(Stream& stream, std::uint32_t value) {
    WriteLittleEndian(stream, value);
}
void WriteInt32(Stream& stream, std::int32_t value) {
    WriteUInt32(stream, static_cast<std::uint32_t>(value));
}
void WriteInt16(Stream& stream, std::int16_t value) {
    WriteLittleEndian(stream, static_cast<std::uint16_t>(value));
}
void WriteByte(Stream& stream, std::uint8_t value) {
    WriteLittleEndian(stream, value);
}
void WriteBool(Stream& stream, bool value) {
    WriteByte(stream, value ? 1 : 0);
}

std::int32_t ReadBoundedCount(Stream& stream, std::uint64_t minEntrySize) {
    const std::int32_t count = ReadInt32(stream);
    if (count < 0) {
        throw StreamError("negative count");
    }
    if (static_cast<std::uint64_t>(count) * minEntrySize > stream.Remaining()) {
        throw StreamError("count beyond the end of data");
    }
    return count;
}

void CopyBytes(Stream& from, Stream& to, std::uint64_t size) {
    constexpr std::size_t kBlock = 1 << 20;
    std::vector<std::uint8_t> buffer(
        static_cast<std::size_t>(std::min<std::uint64_t>(size, kBlock)));
    while (size > 0) {
        const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(size, buffer.size()));
        from.ReadExact(buffer.data(), chunk);
        to.Write(buffer.data(), chunk);
        size -= chunk;
    }
}

} // namespace carvelle
