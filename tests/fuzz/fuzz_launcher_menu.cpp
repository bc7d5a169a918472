// Arbitrary bytes as a launcher executable: the appended package and its first menu.
#include "common/stream.h"
#include "launcher/menu_file.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace carvelle;
    MemoryStream exe(std::vector<std::uint8_t>(data, data + size));
    const launcher::StartupRead read = launcher::ReadStartupMenu(exe);
    // Whatever loaded must hold together: every frame's pixels match its size.
    for (const launcher::Frame& frame : read.MenuRead.Loaded.Frames) {
        if (frame.Width <= 0 || frame.Height <= 0 ||
            frame.Pixels.size() !=
                static_cast<std::size_t>(frame.Width) * static_cast<std::size_t>(frame.Height)) {
            __builtin_trap();
        }
    }
    return 0;
}
