// Reads and writes a page of 1,000 objects of mixed kinds, timed against copying the same
// bytes in memory in the same run, and prints the two ratios.
#include "common/error_report.h"
#include "common/primitives.h"
#include "common/stream.h"
#include "designer/object_rules.h"
#include "objects/page.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

using namespace carvelle;
using Clock = std::chrono::steady_clock;

TPage MixedPage(std::size_t count) {
    TPage page;
    page.PageName = "Bench";
    for (std::size_t i = 0; i < count; ++i) {
        const auto kind = static_cast<std::uint8_t>(i % kKindCount);
        TAutoObject& object = CreateObject(page, kind, static_cast<std::int32_t>(i % 600),
                                           static_cast<std::int32_t>(i % 400));
        object.Command.Comment = "Comment of object " + std::to_string(i);
        object.Command.ActionKind = 1;
        object.Command.Target = "\\docs\\file" + std::to_string(i) + ".pdf";
        if (auto* list = std::get_if<kinds::ListBox>(&object.Properties)) {
            list->Items.resize(5);
        }
    }
    return page;
}

// Median seconds per call over `rounds` timed rounds of `calls` calls each.
double MedianSeconds(int rounds, int calls, const std::function<void()>& body) {
    std::vector<double> times;
    for (int r = 0; r < rounds; ++r) {
        const auto start = Clock::now();
        for (int c = 0; c < calls; ++c) {
            body();
        }
        times.push_back(std::chrono::duration<double>(Clock::now() - start).count() / calls);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main() {
    RecordingErrorReporter quiet;
    SetErrorReporter(&quiet);
    const TPage page = MixedPage(1000);
    MemoryStream encoded;
    if (!WritePage(encoded, page)) {
        std::fprintf(stderr, "page_bench: writing the page failed\n");
        return 1;
    }
    const std::vector<std::uint8_t>& bytes = encoded.Bytes();

    std::size_t sink = 0;
    const double copy = MedianSeconds(9, 200, [&] {
        std::vector<std::uint8_t> copied(bytes.size());
        std::memcpy(copied.data(), bytes.data(), bytes.size());
        sink += copied[copied.size() / 2];
    });
    const double write = MedianSeconds(9, 5, [&] {
        MemoryStream stream;
        WritePage(stream, page);
        sink += stream.Bytes().size();
    });
    const double read = MedianSeconds(9, 5, [&] {
        MemoryStream stream(bytes);
        TPage back;
        if (!ReadPage(stream, back)) {
            std::fprintf(stderr, "page_bench: reading the page failed\n");
            std::exit(1);
        }
        sink += back.Objects.size();
    });
    std::printf("page of %zu objects, %zu bytes (check %zu)\n", page.Objects.size(), bytes.size(),
                sink % 7);
    std::printf("write ratio: %.1f (write %.3f ms, copy %.4f ms)\n", write / copy, write * 1e3,
                copy * 1e3);
    std::printf("read ratio: %.1f (read %.3f ms, copy %.4f ms)\n", read / copy, read * 1e3,
                copy * 1e3);
    return 0;
}
