// Arbitrary bytes as a page record, as a page file or the target file holds it.
#include "common/stream.h"
#include "fuzz_support.h"
#include "objects/page.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace carvelle;
    auto& reporter = fuzz::Reporter();
    reporter.reports.clear();

    MemoryStream input(std::vector<std::uint8_t>(data, data + size));
    TPage page;
    const bool ok = ReadPage(input, page);
    fuzz::RequireReportsMatch(ok);
    if (!ok) {
        return 0;
    }

    // Whatever is accepted must be written and read back to the same page.
    MemoryStream written;
    fuzz::Require(WritePage(written, page), "writing an accepted page failed");
    written.Seek(0);
    TPage again;
    fuzz::Require(ReadPage(written, again), "re-reading a written page failed");
    fuzz::Require(written.Remaining() == 0, "re-reading left bytes over");
    fuzz::Require(again == page, "page changed across a write and read");
    fuzz::Require(reporter.reports.empty(), "the round trip reported an error");
    return 0;
}
