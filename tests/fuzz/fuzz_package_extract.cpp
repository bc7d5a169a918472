// Arbitrary bytes as a package tree, unpacked for real into a scratch folder.
#include "common/stream.h"
#include "fuzz_support.h"
#include "project/cleanup_list.h"
#include "project/package.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace carvelle;

// <temp>/carvelle-fuzz-<pid>/outer/inner/scratch: the two levels above the scratch folder
// catch a name that climbs out, and the per-process root keeps parallel runs apart.
struct Layout {
    fs::path root;
    fs::path outer;
    fs::path inner;
    fs::path scratch;
};

void RemoveRoot();

// Never destroyed, so the exit handler can still read it.
const Layout& Folders() {
    static const Layout* const layout = [] {
        auto* l = new Layout;
        l->root = fs::temp_directory_path() / ("carvelle-fuzz-" + std::to_string(getpid()));
        l->outer = l->root / "outer";
        l->inner = l->outer / "inner";
        l->scratch = l->inner / "scratch";
        fs::remove_all(l->root);
        fs::create_directories(l->inner);
        std::atexit(RemoveRoot);
        return l;
    }();
    return *layout;
}

void RemoveRoot() {
    std::error_code ignored;
    fs::remove_all(Folders().root, ignored);
}

bool IsInside(const fs::path& path, const fs::path& folder) {
    const std::string prefix = folder.string() + "/";
    return path.lexically_normal().string().rfind(prefix, 0) == 0;
}

// Everything under the root must be one of the fixed folders or lie inside the scratch folder,
// and extraction never creates links.
void RequireNothingOutside(const Layout& l) {
    std::error_code ec;
    fs::recursive_directory_iterator it(l.root, ec);
    fuzz::Require(!ec, "cannot walk the scratch root");
    for (; it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::path& path = it->path();
        if (path != l.outer && path != l.inner && path != l.scratch) {
            if (!IsInside(path, l.scratch)) {
                std::fprintf(stderr, "written outside: %s\n", path.c_str());
                fuzz::Fail("extraction wrote outside its folder");
            }
        }
        fuzz::Require(!it->is_symlink(ec), "extraction created a link");
    }
    fuzz::Require(!ec, "walking the scratch root failed");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Layout& l = Folders();
    auto& reporter = fuzz::Reporter();
    reporter.reports.clear();
    fs::create_directory(l.scratch);

    MemoryStream stream(std::vector<std::uint8_t>(data, data + size));
    CleanupList cleanup;
    const bool ok = ExtractTree(stream, l.scratch, cleanup, "package.exe");
    fuzz::RequireReportsMatch(ok);

    RequireNothingOutside(l);
    for (const std::string& entry : cleanup.Entries()) {
        fuzz::Require(entry.size() > 1 && (entry[0] == 'D' || entry[0] == 'F'),
                      "malformed cleanup entry");
        fuzz::Require(IsInside(entry.substr(1), l.scratch), "cleanup lists a path outside");
    }

    // The cleanup list must cover everything the extraction created.
    cleanup.RemoveAll();
    std::error_code ec;
    fuzz::Require(fs::is_empty(l.scratch, ec) && !ec, "cleanup left files behind");
    fs::remove_all(l.scratch);
    return 0;
}
