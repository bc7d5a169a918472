// Times the launcher's start-up with 100 frames of 640 × 480 (reading its package and menu,
// building the window and painting the first frame) against inflating the same frames with
// zlib alone, in the same run, and prints the ratio.
//
//   avensa_bench [--frames N] [--repeat N]
//
// The launcher file goes to a fresh temporary folder that is removed at the end. Windows are
// built on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "ui/launcher/launcher_startup.h"
#include "ui/launcher/menu_window.h"

#include "launcher/menu_file.h"
#include "launcher/package.h"
#include "launcher/region_text.h"

#include "common/stream.h"

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace carvelle;
using Clock = std::chrono::steady_clock;

constexpr int kWidth = 640;
constexpr int kHeight = 480;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// A picture that compresses like a real one: smooth gradients, a few shapes, some noise.
launcher::Frame MakeFrame(int number) {
    launcher::Frame frame{kWidth, kHeight, {}};
    frame.Pixels.reserve(static_cast<std::size_t>(kWidth) * kHeight);
    std::uint32_t noise = 12345u + static_cast<std::uint32_t>(number);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            noise = noise * 1103515245u + 12345u;
            const int dx = x - 320 - number * 2;
            const int dy = y - 240;
            const bool disc = dx * dx + dy * dy < 120 * 120;
            const std::uint32_t r = static_cast<std::uint32_t>(x * 255 / kWidth);
            const std::uint32_t g = disc ? 200u : static_cast<std::uint32_t>(y * 255 / kHeight);
            const std::uint32_t b =
                (static_cast<std::uint32_t>(number * 2) + ((noise >> 16) & 7)) & 0xFF;
            frame.Pixels.push_back(r << 16 | g << 8 | b);
        }
    }
    return frame;
}

// The raw bytes of each frame as the menu stores them, and their zlib blocks.
struct Blocks {
    std::vector<std::vector<std::uint8_t>> packed;
    std::size_t rawSize = 0;
};

Blocks Compress(const std::vector<launcher::Frame>& frames) {
    Blocks blocks;
    for (const launcher::Frame& frame : frames) {
        std::vector<std::uint8_t> raw(frame.Pixels.size() * 4);
        std::memcpy(raw.data(), frame.Pixels.data(), raw.size());
        uLongf size = compressBound(static_cast<uLong>(raw.size()));
        std::vector<std::uint8_t> packed(size);
        compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION);
        packed.resize(size);
        blocks.packed.push_back(std::move(packed));
        blocks.rawSize = raw.size();
    }
    return blocks;
}

double InflateAll(const Blocks& blocks) {
    std::vector<std::uint8_t> out(blocks.rawSize);
    const auto start = Clock::now();
    for (const auto& packed : blocks.packed) {
        uLongf size = static_cast<uLongf>(out.size());
        if (uncompress(out.data(), &size, packed.data(), static_cast<uLong>(packed.size())) !=
                Z_OK ||
            size != out.size()) {
            std::fprintf(stderr, "avensa_bench: inflating failed\n");
            std::exit(1);
        }
    }
    return Seconds(Clock::now() - start);
}

// Reading the package and the menu with its pictures, without any window.
double ReadOnly(const std::string& exePath) {
    const auto start = Clock::now();
    const launcher::StartupRead read = ui::avensa::ReadOwnPackage(exePath);
    const double seconds = Seconds(Clock::now() - start);
    if (read.MenuRead.Loaded.LoadedFrames() == 0) {
        std::fprintf(stderr, "avensa_bench: the menu did not read\n");
        std::exit(1);
    }
    return seconds;
}

// From opening the launcher's file to the first frame painted.
double StartUp(const std::string& exePath) {
    const auto start = Clock::now();
    ui::avensa::MenuWindow window({exePath, "/", [] {}});
    QEventLoop loop;
    bool painted = false;
    QObject::connect(&window, &ui::avensa::MenuWindow::FirstFramePainted, &loop, [&] {
        painted = true;
        loop.quit();
    });
    if (!window.Start(ui::avensa::ReadOwnPackage(exePath))) {
        std::fprintf(stderr, "avensa_bench: the launcher did not start\n");
        std::exit(1);
    }
    if (!painted) {
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    const double seconds = Seconds(Clock::now() - start);
    if (!painted) {
        std::fprintf(stderr, "avensa_bench: no frame was painted\n");
        std::exit(1);
    }
    window.DisplayClock().stop();
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    int frameCount = 100;
    int repeat = 3;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--frames" || arg == "--repeat") && i + 1 < argc) {
            (arg == "--frames" ? frameCount : repeat) = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: avensa_bench [--frames N] [--repeat N]\n");
            return 2;
        }
    }
    frameCount = std::min(frameCount, launcher::kMaxMenuFrames);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "avensa_bench: no temporary folder\n");
        return 1;
    }

    launcher::Menu menu;
    menu.MenuName = "bench.mnu";
    menu.DisplayTicks = 100000;
    menu.FrameInterval = 0;
    std::vector<launcher::Frame> frames;
    for (int k = 0; k < frameCount; ++k) {
        frames.push_back(MakeFrame(k));
        menu.FrameRegions.push_back(*launcher::MakeRegionText(frames.back(), std::nullopt));
    }
    menu.Frames = frames;
    const std::string exePath = dir.filePath(QStringLiteral("avensa")).toStdString();
    {
        MemoryStream menuBytes;
        launcher::WriteMenu(menuBytes, menu);
        FileStream out;
        if (!out.Open(exePath, FileStream::Mode::Create)) {
            std::fprintf(stderr, "avensa_bench: cannot write %s\n", exePath.c_str());
            return 1;
        }
        const std::vector<std::uint8_t> image(64 * 1024, 0x90);
        out.Write(image.data(), image.size());
        launcher::WritePackage(out, {{menu.MenuName, menuBytes.Bytes()}});
        out.Close();
    }
    const Blocks blocks = Compress(frames);

    double zlibBest = 1e9;
    double readBest = 1e9;
    double startBest = 1e9;
    for (int r = 0; r < repeat; ++r) {
        zlibBest = std::min(zlibBest, InflateAll(blocks));
        readBest = std::min(readBest, ReadOnly(exePath));
        startBest = std::min(startBest, StartUp(exePath));
    }
    std::printf("launcher start-up, %d frames of %d x %d\n", frameCount, kWidth, kHeight);
    std::printf("  zlib inflate alone  : %8.1f ms\n", zlibBest * 1000);
    std::printf("  package and menu read: %8.1f ms\n", readBest * 1000);
    std::printf("  start to first paint : %8.1f ms\n", startBest * 1000);
    std::printf("  ratio                : %8.2f\n", startBest / zlibBest);
    return 0;
}
