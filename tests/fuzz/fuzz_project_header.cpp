// Arbitrary bytes as a project file: marker, settings, page list and the trailing byte.
#include "common/error_codes.h"
#include "common/guarded.h"
#include "common/stream.h"
#include "fuzz_support.h"
#include "project/project_file.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using namespace carvelle;

// The file reader's body, minus opening the file.
bool ReadHeaderAndTrailer(Stream& stream, ProjectHeader& header) {
    return Guarded(ErrorCode::ProjectFileRead, [&] {
        if (!ReadProjectHeader(stream, header)) {
            return false;
        }
        header.TrailingByte = ReadByte(stream);
        return true;
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto& reporter = fuzz::Reporter();
    reporter.reports.clear();

    MemoryStream input(std::vector<std::uint8_t>(data, data + size));
    ProjectHeader header;
    const bool ok = ReadHeaderAndTrailer(input, header);
    fuzz::RequireReportsMatch(ok);
    if (!ok) {
        return 0;
    }

    // Whatever is accepted must be written and read back to the same model.
    MemoryStream written;
    fuzz::Require(WriteProjectHeader(written, header), "writing an accepted header failed");
    WriteByte(written, header.TrailingByte);
    written.Seek(0);
    ProjectHeader again;
    fuzz::Require(ReadHeaderAndTrailer(written, again), "re-reading a written header failed");
    fuzz::Require(written.Remaining() == 0, "re-reading left bytes over");
    fuzz::Require(again == header, "header changed across a write and read");
    fuzz::Require(reporter.reports.empty(), "the round trip reported an error");
    return 0;
}
