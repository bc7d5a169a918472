#pragma once

#include "common/stream.h"

#include <cstdint>
#include <string>

namespace carvelle::launcher {

// Every field of the package header and of the menu file starts with one of these tags.
enum FieldTag : std::uint8_t {
    kByteFieldTag = 1,
    kIntFieldTag = 2,
    kStringFieldTag = 4,
    kPictureFieldTag = 5,
};

// Reads tagged fields. A wrong tag or a short read sets the failed flag and delivers 0 or the
// empty text; nothing throws and nothing skips ahead to resynchronise, so callers test
// Failed() after the steps that matter.
class FieldReader {
public:
    explicit FieldReader(Stream& stream) : stream_(stream) {}

    std::uint8_t ReadByteField();
    std::int32_t ReadIntField();
    std::string ReadStringField();

    // Raw values outside the tagged encoding; a short read fails and delivers 0.
    std::uint8_t ReadRawByte();
    std::int16_t ReadRawInt16();
    std::int32_t ReadRawInt32();

    // Reads the tag; on a mismatch the tag alone has been consumed and the reader has failed.
    bool ExpectTag(FieldTag tag);

    bool Failed() const { return failed_; }
    void Fail() { failed_ = true; }
    void ClearFailed() { failed_ = false; }
    Stream& Source() { return stream_; }

private:
    Stream& stream_;
    bool failed_ = false;
};

// The writers' side; they throw StreamError like every other writer.
void WriteByteField(Stream& stream, std::uint8_t value);
void WriteIntField(Stream& stream, std::int32_t value);
void WriteStringField(Stream& stream, const std::string& text);

} // namespace carvelle::launcher
