#pragma once

#include "platform/shell.h"

namespace carvelle::posix {

// The shell of a POSIX desktop.
//
// Verbs are compared ignoring letter case; an empty verb is "open"; any other verb gives 31.
// - "open": a program (an executable ELF image or "#!" script) is started directly, with
//   Parameters split as a Windows command line; a program without execute permission gives 5.
//   Anything else goes to xdg-open, which takes no parameters: a document only when a default
//   application is registered for its type (else 31), folders and addresses always.
//   "www." and "ftp." addresses without a scheme get "http://" and "ftp://".
// - "explore": a folder goes to xdg-open; a file gives 31.
// - "print": a file goes to `lp` (Parameters unused); without lp, 31.
// - mailto: addresses go to xdg-email, or to xdg-open without it.
// A relative file is looked up in Folder (else the current folder), and a bare name that is
// not there in PATH. Missing files give 2, a missing folder on the way 3, unreadable ones 5.
//
// The working folder is Folder, or the file's own folder when Folder is empty; a program
// started directly fails with 3 when Folder is not a folder, a handed-on file falls back to
// its own folder. ShowCommand 0 (hidden) sends the standard output and error of the started
// program or helper to the null device; no window can be hidden or maximised from here, so
// every other value is ignored.
//
// Without Wait, xdg-open, xdg-email and lp get at most handOffWaitMs to report their exit
// code (2 gives 2, 3 and 4 give 31, 5 gives 5); timers and painting go on meanwhile, user
// input waits. A helper still running then is left running and counts as success: in its
// generic mode xdg-open stays until the viewer it started closes.
// With Wait, the call returns once the program or helper has ended, keeping every event
// flowing and without time limit. A started program gives 33 however it ended.
class PosixShell final : public Shell {
public:
    explicit PosixShell(int handOffWaitMs = 3000) : handOffWaitMs_(handOffWaitMs) {}
    int Execute(const ShellRequest& request) override;

private:
    int handOffWaitMs_;
};

} // namespace carvelle::posix
