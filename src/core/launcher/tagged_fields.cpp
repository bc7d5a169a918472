#include "tagged_fields.h"

#include <limits>

namespace carvelle::launcher {

bool FieldReader::ExpectTag(FieldTag tag) {
    const std::uint8_t found = ReadRawByte();
    if (failed_ || found != tag) {
        failed_ = true;
        return false;
    }
    return true;
}

std::uint8_t FieldReader::ReadRawByte() {
    try {
        return ReadByte(stream_);
    } catch (const StreamError&) {
        failed_ = true;
        return 0;
    }
}

std::int16_t FieldReader::ReadRawInt16() {
    try {
        return ReadInt16(stream_);
    } catch (const StreamError&) {
        failed_ = true;
        return 0;
    }
}

std::int32_t FieldReader::ReadRawInt32() {
    try {
        return ReadInt32(stream_);
    } catch (const StreamError&) {
        failed_ = true;
        return 0;
    }
}

std::uint8_t FieldReader::ReadByteField() {
    if (!ExpectTag(kByteFieldTag)) {
        return 0;
    }
    ReadRawInt32(); // a size word the launcher never needed
    const std::uint8_t value = ReadRawByte();
    return failed_ ? 0 : value;
}

std::int32_t FieldReader::ReadIntField() {
    if (!ExpectTag(kIntFieldTag)) {
        return 0;
    }
    ReadRawInt32();
    const std::int32_t value = ReadRawInt32();
    return failed_ ? 0 : value;
}

std::string FieldReader::ReadStringField() {
    if (!ExpectTag(kStringFieldTag)) {
        return {};
    }
    const std::int32_t length = ReadRawInt32();
    if (failed_ || length <= 0) {
        return {};
    }
    // The length is checked against the bytes left before anything is allocated.
    if (static_cast<std::uint64_t>(length) > stream_.Remaining()) {
        failed_ = true;
        return {};
    }
    std::string text(static_cast<std::size_t>(length), '\0');
    try {
        stream_.ReadExact(text.data(), text.size());
    } catch (const StreamError&) {
        failed_ = true;
        return {};
    }
    return text;
}

void WriteByteField(Stream& stream, std::uint8_t value) {
    WriteByte(stream, kByteFieldTag);
    WriteInt32(stream, 1);
    WriteByte(stream, value);
}

void WriteIntField(Stream& stream, std::int32_t value) {
    WriteByte(stream, kIntFieldTag);
    WriteInt32(stream, 2);
    WriteInt32(stream, value);
}

void WriteStringField(Stream& stream, const std::string& text) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw StreamError("text too long for a string field");
    }
    WriteByte(stream, kStringFieldTag);
    WriteInt32(stream, static_cast<std::int32_t>(text.size()));
    stream.Write(text.data(), text.size());
}

} // namespace carvelle::launcher
