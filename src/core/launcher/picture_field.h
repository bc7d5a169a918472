#pragma once

#include "launcher/tagged_fields.h"

#include <cstdint>
#include <vector>

namespace carvelle::launcher {

// One picture of a menu: Width × Height pixels, the top row first, each 0x00RRGGBB.
struct Frame {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::vector<std::uint32_t> Pixels;
    bool operator==(const Frame&) const = default;
};

// Bounds checked before anything is allocated, so a damaged or hostile size fails the picture
// instead of exhausting memory.
constexpr std::int32_t kMaxPictureSide = 16384;
constexpr std::uint64_t kMaxPictureBytes = 256ull << 20;

// Reads one picture field into `frame`. A wrong tag, a picture kept in a file of its own
// (not supported), a size out of bounds or inconsistent, a byte count above `budget`, or a
// zlib stream that is damaged or ends early fails the reader. On success the bytes used are
// taken from `budget` and the stream stands right after the field.
bool ReadPictureField(FieldReader& reader, Frame& frame, std::uint64_t& budget);

// Writes `frame` as picture field `number` (1-based), compressed with zlib at its best level.
// Throws StreamError when the frame is empty, inconsistent or out of bounds.
void WritePictureField(Stream& out, const Frame& frame, int number);

} // namespace carvelle::launcher
