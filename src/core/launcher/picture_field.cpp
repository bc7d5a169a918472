#include "picture_field.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace carvelle::launcher {

namespace {

// Deflate never packs more than 1032 bytes into one, so a block claiming more is damaged.
constexpr std::uint64_t kMaxDeflateRatio = 1032;

bool SizeIsSane(std::int32_t width, std::int32_t height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4 <=
               kMaxPictureBytes;
}

// Inflates exactly out.size() bytes from the next `available` bytes of the stream.
bool InflateExactly(Stream& stream, std::uint64_t available, std::vector<std::uint8_t>& out) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) {
        return false;
    }
    std::array<std::uint8_t, 1 << 16> input{};
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    bool ok = false;
    try {
        while (true) {
            if (z.avail_in == 0) {
                const auto chunk =
                    static_cast<std::size_t>(std::min<std::uint64_t>(available, input.size()));
                if (chunk == 0) {
                    break; // the block ended before the picture did
                }
                stream.ReadExact(input.data(), chunk);
                available -= chunk;
                z.next_in = input.data();
                z.avail_in = static_cast<uInt>(chunk);
            }
            const int result = inflate(&z, Z_NO_FLUSH);
            if (z.avail_out == 0) {
                ok = true; // every byte the picture needs
                break;
            }
            if (result != Z_OK) {
                break; // a damaged stream, or one that ended early
            }
        }
    } catch (const StreamError&) {
        ok = false;
    }
    inflateEnd(&z);
    return ok;
}

} // namespace

bool ReadPictureField(FieldReader& reader, Frame& frame, std::uint64_t& budget) {
    if (!reader.ExpectTag(kPictureFieldTag)) {
        reader.ReadRawByte();
        reader.Fail();
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        reader.ReadRawByte();
    }
    const std::int32_t marker = reader.ReadRawInt32();
    if (reader.Failed() || marker == -1) {
        // A picture kept in a file of its own has no settled layout; it counts as failed.
        reader.Fail();
        return false;
    }
    const std::int32_t width = reader.ReadRawInt32();
    const std::int32_t height = reader.ReadRawInt32();
    const std::int32_t blockSize = reader.ReadRawInt32();
    Stream& stream = reader.Source();
    if (reader.Failed() || blockSize < 4 ||
        static_cast<std::uint64_t>(blockSize) > stream.Remaining()) {
        reader.Fail();
        return false;
    }
    const std::uint64_t blockEnd = stream.Position() + static_cast<std::uint64_t>(blockSize);
    const std::int32_t count = reader.ReadRawInt32();
    const std::uint64_t compressed = static_cast<std::uint64_t>(blockSize) - 4;
    const bool sane =
        !reader.Failed() && SizeIsSane(width, height) &&
        static_cast<std::int64_t>(count) == static_cast<std::int64_t>(width) * height * 4 &&
        static_cast<std::uint64_t>(count) <= budget &&
        static_cast<std::uint64_t>(count) <= compressed * kMaxDeflateRatio;
    if (!sane) {
        reader.Fail();
        return false;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count));
    if (!InflateExactly(stream, compressed, bytes)) {
        reader.Fail();
        return false;
    }
    try {
        stream.Seek(blockEnd);
    } catch (const StreamError&) {
        reader.Fail();
        return false;
    }
    frame.Width = width;
    frame.Height = height;
    frame.Pixels.resize(bytes.size() / 4);
    for (std::size_t i = 0; i < frame.Pixels.size(); ++i) {
        const std::uint8_t* p = bytes.data() + i * 4;
        frame.Pixels[i] = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                          static_cast<std::uint32_t>(p[2]) << 16 |
                          static_cast<std::uint32_t>(p[3]) << 24;
    }
    budget -= static_cast<std::uint64_t>(count);
    return true;
}

void WritePictureField(Stream& out, const Frame& frame, int number) {
    if (!SizeIsSane(frame.Width, frame.Height) ||
        frame.Pixels.size() !=
            static_cast<std::size_t>(frame.Width) * static_cast<std::size_t>(frame.Height)) {
        throw StreamError("picture size out of bounds or inconsistent with its pixels");
    }
    std::vector<std::uint8_t> raw(frame.Pixels.size() * 4);
    for (std::size_t i = 0; i < frame.Pixels.size(); ++i) {
        const std::uint32_t v = frame.Pixels[i];
        raw[i * 4] = static_cast<std::uint8_t>(v);
        raw[i * 4 + 1] = static_cast<std::uint8_t>(v >> 8);
        raw[i * 4 + 2] = static_cast<std::uint8_t>(v >> 16);
        raw[i * 4 + 3] = static_cast<std::uint8_t>(v >> 24);
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        throw StreamError("picture could not be compressed");
    }
    WriteByte(out, kPictureFieldTag);
    WriteByte(out, 1);
    WriteByte(out, static_cast<std::uint8_t>(number));
    WriteByte(out, 0);
    WriteInt32(out, 0);
    WriteInt32(out, frame.Width);
    WriteInt32(out, frame.Height);
    WriteInt32(out, static_cast<std::int32_t>(packedSize + 4));
    WriteInt32(out, static_cast<std::int32_t>(raw.size()));
    out.Write(packed.data(), packedSize);
}

} // namespace carvelle::launcher
