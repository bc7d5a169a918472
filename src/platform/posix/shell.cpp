#include "platform/shell.h"

#include "common/command_line.h"
#include "dry_run_shell.h"
#include "posix_shell.h"
#include "xdg_dirs.h"
#include "xdg_mime.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QObject>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace carvelle {

namespace {

Shell* installedShell = nullptr;

} // namespace

Shell& CurrentShell() {
    if (installedShell) {
        return *installedShell;
    }
    // Read per call, so a test or a script may switch it on and off.
    const char* dryRun = std::getenv("CARVELLE_DRY_RUN");
    if (dryRun && dryRun[0]) {
        static posix::DryRunShell dryRunShell;
        dryRunShell.SetPath(dryRun);
        return dryRunShell;
    }
    static posix::PosixShell systemShell;
    return systemShell;
}

void SetShell(Shell* shell) {
    installedShell = shell;
}

namespace posix {

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr char kElfMagic[4] = {'\x7f', 'E', 'L', 'F'};

enum class Kind { Program, Document, Folder, Other };

QString Decode(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

std::string Encode(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

std::string LowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return LowerAscii(text.substr(0, prefix.size())) == prefix;
}

// "scheme:..." with a scheme of two or more characters, so "C:\x" is no address.
bool HasScheme(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon < 2) {
        return false;
    }
    for (std::size_t i = 0; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool other = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
        if (!letter && (i == 0 || !other)) {
            return false;
        }
    }
    return true;
}

std::string ParentFolder(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') {
        trimmed.pop_back();
    }
    const std::size_t slash = trimmed.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : trimmed.substr(0, slash);
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// The result for a path the system refused with `error`.
int ResultForPathError(int error, const std::string& path) {
    switch (error) {
    case ENOENT:
        return IsFolder(ParentFolder(path)) ? ShellResult::FileNotFound : ShellResult::PathNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return ShellResult::PathNotFound;
    case EACCES:
    case EPERM:
        return ShellResult::AccessDenied;
    case ENOMEM:
        return ShellResult::OutOfResources;
    default:
        return ShellResult::OperationFailed;
    }
}

// A relative file is looked for in `folder` (else the current folder), a bare program name
// that is not there in PATH.
std::string ResolveFile(const std::string& file, const std::string& folder) {
    if (file.front() == '/') {
        return file;
    }
    std::string base = folder;
    if (base.empty()) {
        std::error_code error;
        base = std::filesystem::current_path(error).string();
    }
    const std::string candidate = base.empty() ? file : JoinPath(base, file);
    if (file.find('/') == std::string::npos && !Exists(candidate)) {
        const QString found = QStandardPaths::findExecutable(Decode(file));
        if (!found.isEmpty()) {
            return Encode(found);
        }
    }
    return candidate;
}

// What the path is; a shell failure code when it cannot be looked at.
int Classify(const std::string& path, Kind& kind) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return ResultForPathError(errno, path);
    }
    if (S_ISDIR(info.st_mode)) {
        kind = Kind::Folder;
        return ShellResult::Success;
    }
    if (!S_ISREG(info.st_mode)) {
        kind = Kind::Other; // devices and pipes: nothing to open, and reading one may block
        return ShellResult::Success;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        // An execute-only program can still be started.
        if (::access(path.c_str(), X_OK) == 0) {
            kind = Kind::Program;
            return ShellResult::Success;
        }
        return ResultForPathError(error, path);
    }
    char magic[4] = {};
    ssize_t count = 0;
    do {
        count = ::read(fd, magic, sizeof magic);
    } while (count < 0 && errno == EINTR);
    ::close(fd);
    // Only real programs run directly: media often mark every file executable.
    const bool elf = count == 4 && std::memcmp(magic, kElfMagic, sizeof kElfMagic) == 0;
    const bool script = count >= 2 && magic[0] == '#' && magic[1] == '!';
    kind = elf || script ? Kind::Program : Kind::Document;
    return ShellResult::Success;
}

void SetChannels(QProcess& process, bool hidden) {
    process.setStandardInputFile(QProcess::nullDevice());
    if (hidden) {
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
    } else {
        process.setProcessChannelMode(QProcess::ForwardedChannels);
    }
}

// Waits for the process to end, at most `waitMs` (-1: no limit), running the event loop so
// windows repaint and timers fire. Returns whether it ended.
bool WaitForEnd(QProcess& process, int waitMs) {
    if (process.state() == QProcess::NotRunning) {
        return true;
    }
    if (!QCoreApplication::instance()) {
        return process.waitForFinished(waitMs);
    }
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer limit;
    if (waitMs >= 0) {
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        limit.start(waitMs);
    }
    // A bounded wait is not one the user asked for: their clicks wait until it is over.
    loop.exec(waitMs >= 0 ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
    return process.state() == QProcess::NotRunning;
}

// xdg-open and xdg-email: 2 missing file, 3 no method to open, 4 action failed, 5 no
// permission to read.
int ResultForXdgExit(int code) {
    switch (code) {
    case 0:
        return ShellResult::Success;
    case 2:
        return ShellResult::FileNotFound;
    case 3:
    case 4:
        return ShellResult::NoAssociation;
    case 5:
        return ShellResult::AccessDenied;
    default:
        return ShellResult::OperationFailed;
    }
}

int ResultForPrintExit(int code) {
    return code == 0 ? ShellResult::Success : ShellResult::OperationFailed;
}

struct HandOffCall {
    QString helper;
    QString argument;
    std::string workingFolder; // empty: ours
    bool hidden = false;
    int waitMs = -1;
    int (*resultForExit)(int) = ResultForXdgExit;
};

// Gives one file or address to a helper program and turns its exit code into a result.
int HandOff(const HandOffCall& call) {
    auto* process = new QProcess;
    process->setProgram(call.helper);
    process->setArguments({call.argument});
    if (!call.workingFolder.empty()) {
        process->setWorkingDirectory(Decode(call.workingFolder));
    }
    SetChannels(*process, call.hidden);
    process->start();
    if (!process->waitForStarted(kStartTimeoutMs)) {
        delete process;
        return ShellResult::NoAssociation; // no helper, so nothing can open it
    }
    if (!WaitForEnd(*process, call.waitMs)) {
        // Still busy, typically with the viewer it started: let it run. The object goes when
        // the process ends; at our exit it is never destroyed, so the process is not killed.
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return ShellResult::Success;
    }
    const int result = process->exitStatus() == QProcess::NormalExit
                           ? call.resultForExit(process->exitCode())
                           : ShellResult::OperationFailed;
    delete process;
    return result;
}

int StartProgram(const std::string& path, const ShellRequest& request) {
    if (::access(path.c_str(), X_OK) != 0) {
        return ResultForPathError(errno, path);
    }
    const std::string folder = request.Folder.empty() ? ParentFolder(path) : request.Folder;
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        return errno == EACCES ? ShellResult::AccessDenied : ShellResult::PathNotFound;
    }
    if (!S_ISDIR(info.st_mode)) {
        return ShellResult::PathNotFound;
    }
    QStringList arguments;
    for (const std::string& argument : SplitCommandLine(request.Parameters)) {
        arguments.append(
            QString::fromLocal8Bit(argument.data(), static_cast<qsizetype>(argument.size())));
    }
    QProcess process;
    process.setProgram(Decode(path));
    process.setArguments(arguments);
    process.setWorkingDirectory(Decode(folder));
    SetChannels(process, request.ShowCommand == 0);
    // The checks above passed, so a failure here means the file is no program this system
    // can run (another processor's, or a script whose interpreter is missing).
    if (!request.Wait) {
        return process.startDetached() ? ShellResult::Success : ShellResult::InvalidProgram;
    }
    process.start();
    if (!process.waitForStarted(kStartTimeoutMs)) {
        return ShellResult::InvalidProgram;
    }
    WaitForEnd(process, -1);
    return ShellResult::Success;
}

} // namespace

int PosixShell::Execute(const ShellRequest& request) {
    const std::string verb = LowerAscii(request.Verb);
    const bool open = verb.empty() || verb == "open";
    if (!open && verb != "explore" && verb != "print") {
        return ShellResult::NoAssociation;
    }
    if (request.File.empty()) {
        return ShellResult::FileNotFound;
    }
    HandOffCall call;
    call.helper = QStringLiteral("xdg-open");
    call.hidden = request.ShowCommand == 0;
    call.waitMs = request.Wait ? -1 : handOffWaitMs_;

    std::string address;
    if (request.File.front() != '/') {
        if (HasScheme(request.File)) {
            address = request.File;
        } else if (!Exists(ResolveFile(request.File, request.Folder))) {
            // Written the way browsers accept them.
            if (StartsWithNoCase(request.File, "www.")) {
                address = "http://" + request.File;
            } else if (StartsWithNoCase(request.File, "ftp.")) {
                address = "ftp://" + request.File;
            }
        }
    }
    if (!address.empty()) {
        if (!open) {
            return ShellResult::NoAssociation;
        }
        if (StartsWithNoCase(address, "mailto:")) {
            const QString mailer = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
            if (!mailer.isEmpty()) {
                call.helper = mailer;
            }
        }
        call.argument =
            QString::fromLocal8Bit(address.data(), static_cast<qsizetype>(address.size()));
        return HandOff(call);
    }

    const std::string path = ResolveFile(request.File, request.Folder);
    Kind kind = Kind::Other;
    if (const int result = Classify(path, kind); result != ShellResult::Success) {
        return result;
    }
    call.argument = Decode(path);
    call.workingFolder = IsFolder(request.Folder) ? request.Folder : ParentFolder(path);

    if (verb == "explore") {
        return kind == Kind::Folder ? HandOff(call) : ShellResult::NoAssociation;
    }
    if (verb == "print") {
        if (kind != Kind::Document && kind != Kind::Program) {
            return ShellResult::NoAssociation;
        }
        call.helper = QStandardPaths::findExecutable(QStringLiteral("lp"));
        if (call.helper.isEmpty()) {
            return ShellResult::NoAssociation;
        }
        call.resultForExit = ResultForPrintExit;
        return HandOff(call);
    }
    switch (kind) {
    case Kind::Program:
        return StartProgram(path, request);
    case Kind::Folder:
        return HandOff(call);
    case Kind::Document:
        return HasDefaultApplication(path) ? HandOff(call) : ShellResult::NoAssociation;
    case Kind::Other:
        break;
    }
    return ShellResult::NoAssociation;
}

} // namespace posix

} // namespace carvelle
