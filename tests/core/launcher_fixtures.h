#pragma once

#include "launcher/menu_file.h"
#include "launcher/package.h"
#include "launcher/region_text.h"

#include "common/stream.h"

#include <cstdint>
#include <string>
#include <vector>

namespace carvelle::test {

// A small frame whose pixels tell their position apart.
inline launcher::Frame PatternFrame(std::int32_t width, std::int32_t height, std::uint32_t seed) {
    launcher::Frame frame{width, height, {}};
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            frame.Pixels.push_back((seed * 0x10101u + static_cast<std::uint32_t>(y * 97 + x)) &
                                   0xFFFFFF);
        }
    }
    return frame;
}

inline void AddFrame(launcher::Menu& menu, launcher::Frame frame) {
    menu.FrameRegions.push_back(*launcher::MakeRegionText(frame, std::nullopt));
    menu.Frames.push_back(std::move(frame));
}

inline std::vector<std::uint8_t> MenuBytes(const launcher::Menu& menu) {
    MemoryStream out;
    launcher::WriteMenu(out, menu);
    return out.Bytes();
}

// An executable image of `imageSize` bytes followed by a package of `entries`.
inline std::vector<std::uint8_t> Executable(const std::vector<launcher::PackageEntry>& entries,
                                            std::size_t imageSize = 64) {
    MemoryStream out;
    const std::vector<std::uint8_t> image(imageSize, 0x4D);
    out.Write(image.data(), image.size());
    launcher::WritePackage(out, entries);
    return out.Bytes();
}

inline void PutInt32(std::vector<std::uint8_t>& bytes, std::size_t at, std::int32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
    }
}

inline void AppendInt32(std::vector<std::uint8_t>& bytes, std::int32_t value) {
    bytes.resize(bytes.size() + 4);
    PutInt32(bytes, bytes.size() - 4, value);
}

} // namespace carvelle::test
