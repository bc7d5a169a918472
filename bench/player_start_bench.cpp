// Cold start of the player until its main page is painted, against a minimal Qt Widgets
// program that shows one window, both started the same number of times in the same run.
#include "designer/object_rules.h"
#include "objects/page.h"
#include "project/project_file.h"
#include "project/target_file.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace carvelle;

// A published medium with one main page of buttons and texts, without fades, so the time is
// the player's own work.
bool WriteMedium(const fs::path& folder) {
    TPage page;
    page.PageName = "Main";
    page.Caption = "Benchmark";
    page.PageKind = 2;
    page.FadeIn = page.FadeOut = page.Shadow = false;
    for (int i = 0; i < 20; ++i) {
        CreateObject(page, static_cast<std::uint8_t>(i % 2 == 0 ? 0 : 17), 10 + (i % 4) * 140,
                     10 + (i / 4) * 40);
    }
    ProjectHeader header;
    header.Pages = {{"Main", 2, 0, "Main", false}};
    return WriteTargetFile(folder.string(), header,
                           [&](Stream& stream, std::size_t) { return WritePage(stream, page); });
}

double MedianSeconds(const std::string& command, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "player_start_bench: '%s' failed\n", command.c_str());
            std::exit(1);
        }
        times.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const fs::path folder = fs::temp_directory_path() / "carvelle-start-bench";
    fs::remove_all(folder);
    fs::create_directories(folder);
    if (!WriteMedium(folder)) {
        return 1;
    }
    fs::copy_file(CARVELLE_PLAYER, folder / "autorun", fs::copy_options::overwrite_existing);
    const std::string environment =
        "QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} CARVELLE_QUIT_AFTER_PAINT=1 ";
    const std::string player = environment + "'" + (folder / "autorun").string() + "' 2>/dev/null";
    const std::string floor = environment + "'" MINIMAL_WINDOW "' 2>/dev/null";
    // One warm-up each, so both start from the same disk cache.
    MedianSeconds(player, 1);
    MedianSeconds(floor, 1);
    const double playerTime = MedianSeconds(player, runs);
    const double floorTime = MedianSeconds(floor, runs);
    std::printf("start ratio: %.2f (player %.0f ms, minimal Qt window %.0f ms, median of %d)\n",
                playerTime / floorTime, playerTime * 1e3, floorTime * 1e3, runs);
    fs::remove_all(folder);
    return 0;
}
