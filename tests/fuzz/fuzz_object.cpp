// Arbitrary bytes as a single object record, as the clipboard and the object library hold it.
#include "common/stream.h"
#include "fuzz_support.h"
#include "objects/object_record.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace carvelle;
    auto& reporter = fuzz::Reporter();
    reporter.reports.clear();

    MemoryStream input(std::vector<std::uint8_t>(data, data + size));
    TAutoObject object;
    const bool ok = ReadObject(input, object);
    fuzz::RequireReportsMatch(ok);
    if (!ok) {
        return 0;
    }

    MemoryStream written;
    fuzz::Require(WriteObject(written, object), "writing an accepted object failed");
    written.Seek(0);
    TAutoObject again;
    fuzz::Require(ReadObject(written, again), "re-reading a written object failed");
    fuzz::Require(written.Remaining() == 0, "re-reading left bytes over");
    fuzz::Require(again == object, "object changed across a write and read");
    fuzz::Require(reporter.reports.empty(), "the round trip reported an error");
    return 0;
}
