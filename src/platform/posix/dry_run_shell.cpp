#include "dry_run_shell.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace carvelle::posix {

namespace {

// Separators inside a field would split the record.
void AppendField(std::string& line, const std::string& field) {
    for (const char c : field) {
        line += c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
    }
}

int ResultForError(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ShellResult::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return ShellResult::AccessDenied;
    default:
        return ShellResult::OutOfResources;
    }
}

} // namespace

std::string DryRunLine(const ShellRequest& request) {
    std::string line;
    AppendField(line, request.Verb);
    line += '\t';
    AppendField(line, request.File);
    line += '\t';
    AppendField(line, request.Parameters);
    line += '\t';
    AppendField(line, request.Folder);
    line += '\t';
    line += std::to_string(request.ShowCommand);
    line += '\t';
    line += request.Wait ? '1' : '0';
    line += '\n';
    return line;
}

int DryRunShell::Execute(const ShellRequest& request) {
    const std::string line = DryRunLine(request);
    const int fd = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        return ResultForError(errno);
    }
    // One write per line: appends from several processes then never interleave.
    std::size_t written = 0;
    int error = 0;
    while (written < line.size()) {
        const ssize_t count = ::write(fd, line.data() + written, line.size() - written);
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = errno;
            break;
        }
        written += static_cast<std::size_t>(count);
    }
    ::close(fd);
    return error == 0 ? ShellResult::Success : ResultForError(error);
}

} // namespace carvelle::posix
