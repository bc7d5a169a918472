#include "sample_media.h"

#include "common/stream.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace carvelle {

namespace {

void PutTag(MemoryStream& out, const char* tag) {
    out.Write(tag, 4);
}

void Put16(MemoryStream& out, std::uint32_t value) {
    WriteInt16(out, static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
}

std::uint8_t Mix(std::uint32_t a, std::uint32_t b, int shift, double t) {
    const double from = (a >> shift) & 0xFF;
    const double to = (b >> shift) & 0xFF;
    return static_cast<std::uint8_t>(std::lround(from + (to - from) * t));
}

} // namespace

std::vector<std::uint8_t> SampleEmblemBitmap(int width, int height, std::uint32_t light,
                                             std::uint32_t dark) {
    const int rowSize = (width * 3 + 3) / 4 * 4;
    const auto pixelBytes = static_cast<std::uint32_t>(rowSize * height);
    MemoryStream out;
    out.Write("BM", 2);
    WriteUInt32(out, 54 + pixelBytes);
    WriteUInt32(out, 0);
    WriteUInt32(out, 54);
    WriteUInt32(out, 40); // BITMAPINFOHEADER
    WriteInt32(out, width);
    WriteInt32(out, height); // positive: rows are stored bottom-up
    Put16(out, 1);
    Put16(out, 24);
    WriteUInt32(out, 0);
    WriteUInt32(out, pixelBytes);
    WriteUInt32(out, 2835);
    WriteUInt32(out, 2835);
    WriteUInt32(out, 0);
    WriteUInt32(out, 0);
    const double cx = width / 2.0;
    const double cy = height / 2.0;
    const double radius = std::min(width, height) / 2.0 - 2;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(rowSize), 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const double distance = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            const bool inside = distance <= radius;
            const double t = inside ? distance / radius : 1.0;
            const std::uint32_t a = inside ? light : 0xFFFFFF;
            const std::uint32_t b = inside ? dark : 0xFFFFFF;
            const auto at = static_cast<std::size_t>(x) * 3;
            row[at] = Mix(a, b, 0, t);
            row[at + 1] = Mix(a, b, 8, t);
            row[at + 2] = Mix(a, b, 16, t);
        }
        out.Write(row.data(), row.size());
    }
    return out.Bytes();
}

std::vector<std::uint8_t> SampleClickSound() {
    constexpr std::uint32_t kRate = 22050;
    constexpr std::uint32_t kSamples = kRate / 20; // 50 ms
    MemoryStream out;
    PutTag(out, "RIFF");
    WriteUInt32(out, 36 + kSamples * 2);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    WriteUInt32(out, 16);
    Put16(out, 1); // PCM
    Put16(out, 1);
    WriteUInt32(out, kRate);
    WriteUInt32(out, kRate * 2);
    Put16(out, 2);
    Put16(out, 16);
    PutTag(out, "data");
    WriteUInt32(out, kSamples * 2);
    for (std::uint32_t i = 0; i < kSamples; ++i) {
        const double fade = 1.0 - static_cast<double>(i) / kSamples;
        const double value = std::sin(2 * std::numbers::pi * 1200.0 * i / kRate) * fade * 12000;
        WriteInt16(out, static_cast<std::int16_t>(value));
    }
    return out.Bytes();
}

} // namespace carvelle
