#pragma once

#include "common/error_report.h"

#include <cstdio>
#include <cstdlib>

namespace carvelle::fuzz {

// Stops the run with a message; libFuzzer keeps the input that got here.
[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "fuzz property violated: %s\n", what);
    std::abort();
}

inline void Require(bool condition, const char* what) {
    if (!condition) {
        Fail(what);
    }
}

// Installed once for the whole process, so reports are counted and nothing is printed.
inline RecordingErrorReporter& Reporter() {
    static RecordingErrorReporter reporter;
    static const bool installed = (SetErrorReporter(&reporter), true);
    (void)installed;
    return reporter;
}

// A failed read reports exactly once; a successful one stays silent.
inline void RequireReportsMatch(bool ok) {
    const auto count = Reporter().reports.size();
    if (ok && count != 0) {
        std::fprintf(stderr, "success with a report: %s\n", Reporter().reports[0].c_str());
        Fail("a successful read reported an error");
    }
    if (!ok && count != 1) {
        std::fprintf(stderr, "%zu reports:\n", count);
        for (const auto& report : Reporter().reports) {
            std::fprintf(stderr, "  %s\n", report.c_str());
        }
        Fail("a failed read did not report exactly once");
    }
}

} // namespace carvelle::fuzz
