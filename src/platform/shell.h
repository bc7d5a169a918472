#pragma once

#include <string>
#include <vector>

namespace carvelle {

// Shell result codes: above 32 is success; the others are the shell's error numbers.
namespace ShellResult {
inline constexpr int Success = 33;
inline constexpr int OutOfResources = 0;
inline constexpr int FileNotFound = 2;
inline constexpr int PathNotFound = 3;
inline constexpr int AccessDenied = 5;
inline constexpr int NoAssociation = 31;
inline constexpr int InvalidProgram = 11; // a program file the system could not start
inline constexpr int OperationFailed = 1; // any other failure ("Operation Error")
} // namespace ShellResult

inline bool ShellSucceeded(int result) {
    return result > 32;
}

// One request to open, print or explore something, or to start a program.
struct ShellRequest {
    std::string Verb = "open"; // "open", "print", "explore"; mailto: addresses go as files
    std::string File;          // native path, address or mailto: link
    std::string Parameters;
    std::string Folder; // working folder; empty = the file's own folder
    int ShowCommand = 1;
    bool Wait = false; // return only when the started program has ended
    bool operator==(const ShellRequest&) const = default;
};

// Carries out shell requests. Waiting keeps the application's events flowing, so windows
// repaint and timers run while a started program works.
class Shell {
public:
    virtual ~Shell() = default;
    // Returns a shell result code.
    virtual int Execute(const ShellRequest& request) = 0;
};

// The shell in use: what a test installed, else a dry run when CARVELLE_DRY_RUN names a file,
// else the system's. Never null.
//
// The dry run appends each request to that file as one line: verb, file, parameters, folder,
// show command (decimal) and wait flag (0 or 1), separated by tabs. Tabs, carriage returns and
// line feeds inside a field are written as spaces. The file is opened for appending per
// request and each line is written at once, so several processes may share the file. It
// answers 33, or the failure code when the line could not be written.
Shell& CurrentShell();
// Installs a shell (not owned); nullptr restores the default.
void SetShell(Shell* shell);

// Records requests instead of carrying them out, answering with `result`.
class RecordingShell final : public Shell {
public:
    int Execute(const ShellRequest& request) override {
        requests.push_back(request);
        return result;
    }
    std::vector<ShellRequest> requests;
    int result = ShellResult::Success;
};

} // namespace carvelle
