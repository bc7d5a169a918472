#include "sample_media.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace carvelle {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
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
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + pixelBytes);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, pixelBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    const double cx = width / 2.0;
    const double cy = height / 2.0;
    const double radius = std::min(width, height) / 2.0 - 2;
    // Rows are stored bottom-up.
    for (int y = height - 1; y >= 0; --y) {
        const std::size_t start = out.size();
        for (int x = 0; x < width; ++x) {
            const double distance = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            const bool inside = distance <= radius;
            const double t = inside ? distance / radius : 1.0;
            const std::uint32_t a = inside ? light : 0xFFFFFF;
            const std::uint32_t b = inside ? dark : 0xFFFFFF;
            out.push_back(Mix(a, b, 0, t));
            out.push_back(Mix(a, b, 8, t));
            out.push_back(Mix(a, b, 16, t));
        }
        out.resize(start + static_cast<std::size_t>(rowSize), 0);
    }
    return out;
}

std::vector<std::uint8_t> SampleClickSound() {
    constexpr std::uint32_t kRate = 22050;
    constexpr std::uint32_t kSamples = kRate / 20; // 50 ms
    std::vector<std::uint8_t> out;
    PutTag(out, "RIFF");
    Put32(out, 36 + kSamples * 2);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1); // PCM
    Put16(out, 1);
    Put32(out, kRate);
    Put32(out, kRate * 2);
    Put16(out, 2);
    Put16(out, 16);
    PutTag(out, "data");
    Put32(out, kSamples * 2);
    for (std::uint32_t i = 0; i < kSamples; ++i) {
        const double fade = 1.0 - static_cast<double>(i) / kSamples;
        const double value = std::sin(2 * std::numbers::pi * 1200.0 * i / kRate) * fade * 12000;
        Put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
    }
    return out;
}

} // namespace carvelle
