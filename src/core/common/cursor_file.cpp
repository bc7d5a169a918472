#include "cursor_file.h"

#include <cstring>
#include <string_view>

namespace carvelle {

namespace {

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 |
           static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

bool IsTag(std::span<const std::uint8_t> b, std::size_t at, std::string_view tag) {
    return at + 4 <= b.size() && std::memcmp(b.data() + at, tag.data(), 4) == 0;
}

constexpr std::size_t kMaxFrames = 1024;

} // namespace

bool ReadCursorHotspot(std::span<const std::uint8_t> bytes, CursorHotspot& hotspot) {
    constexpr std::uint16_t kCursorType = 2;
    if (bytes.size() < 6 + 16 || Le16(bytes, 0) != 0 || Le16(bytes, 2) != kCursorType ||
        Le16(bytes, 4) == 0) {
        return false;
    }
    // The first directory entry keeps the hotspot where icons keep planes and bit count.
    hotspot = {Le16(bytes, 6 + 4), Le16(bytes, 6 + 6)};
    return true;
}

bool ReadAnimatedCursor(std::span<const std::uint8_t> bytes, AnimatedCursor& cursor) {
    cursor = {};
    if (bytes.size() < 12 || !IsTag(bytes, 0, "RIFF") || !IsTag(bytes, 8, "ACON")) {
        return false;
    }
    const std::size_t end = std::min<std::size_t>(bytes.size(), 8 + std::size_t{Le32(bytes, 4)});
    std::vector<int> rates;
    std::vector<int> sequence;
    int displayRate = 0;
    std::size_t steps = 0;
    // Walks the chunks in any order; lists are entered, other chunks skipped.
    std::size_t at = 12;
    while (at + 8 <= end) {
        const std::uint32_t size = Le32(bytes, at + 4);
        const std::size_t body = at + 8;
        if (size > end - body) {
            return false;
        }
        if (IsTag(bytes, at, "LIST")) {
            if (size >= 4 && IsTag(bytes, body, "fram")) {
                std::size_t inner = body + 4;
                while (inner + 8 <= body + size) {
                    const std::uint32_t frameSize = Le32(bytes, inner + 4);
                    if (frameSize > body + size - (inner + 8)) {
                        return false;
                    }
                    if (IsTag(bytes, inner, "icon") && cursor.Frames.size() < kMaxFrames) {
                        const auto* start = bytes.data() + inner + 8;
                        cursor.Frames.emplace_back(start, start + frameSize);
                    }
                    inner += 8 + frameSize + (frameSize & 1);
                }
            }
        } else if (IsTag(bytes, at, "anih") && size >= 36) {
            steps = std::min<std::size_t>(Le32(bytes, body + 8), kMaxFrames);
            displayRate = static_cast<int>(Le32(bytes, body + 28));
        } else if (IsTag(bytes, at, "rate") || IsTag(bytes, at, "seq ")) {
            auto& values = IsTag(bytes, at, "rate") ? rates : sequence;
            for (std::size_t i = 0; i + 4 <= size && values.size() < kMaxFrames; i += 4) {
                values.push_back(static_cast<int>(Le32(bytes, body + i)));
            }
        }
        at = body + size + (size & 1);
    }
    if (cursor.Frames.empty()) {
        return false;
    }
    if (steps == 0) {
        steps = sequence.empty() ? cursor.Frames.size() : sequence.size();
    }
    for (std::size_t step = 0; step < steps; ++step) {
        const int frame = step < sequence.size() ? sequence[step] : static_cast<int>(step);
        if (frame < 0 || static_cast<std::size_t>(frame) >= cursor.Frames.size()) {
            return false;
        }
        cursor.StepFrames.push_back(frame);
        cursor.StepJiffies.push_back(step < rates.size() ? rates[step] : displayRate);
    }
    return true;
}

} // namespace carvelle
