#pragma once

#include "platform/shell.h"

#include <string>

namespace carvelle::posix {

// The dry run's line for a request, line feed included (format in platform/shell.h).
std::string DryRunLine(const ShellRequest& request);

// Appends each request to a file instead of carrying it out.
class DryRunShell final : public Shell {
public:
    explicit DryRunShell(std::string path = {}) : path_(std::move(path)) {}
    void SetPath(std::string path) { path_ = std::move(path); }
    // 33 once the line is written; a shell failure code when the file cannot take it, so a
    // broken recording is never mistaken for a carried-out request.
    int Execute(const ShellRequest& request) override;

private:
    std::string path_;
};

} // namespace carvelle::posix
