#pragma once

#include "launcher/menu.h"
#include "launcher/target_search.h"

#include <cstdint>
#include <functional>
#include <string>

namespace carvelle::launcher {

// Where the launcher runs from. Paths are composed with backslashes, as menus store them, and
// made native only at the file system.
struct LaunchPaths {
    std::string ExeFolder; // ends with '\'
    std::string Drive;     // put in front of targets that begin with '\'
    std::string CdColon;   // what "%CD%:" in parameters stands for
    std::string CdBare;    // what "%CD%" without a colon stands for
};

// On Windows the drive is the launcher's drive: "E:", and "%CD%" its letter.
LaunchPaths WindowsLaunchPaths(const std::string& exeFolder);
// Elsewhere the drive is the mount point of the medium (native, such as "/media/cdrom"), and
// "%CD%" and "%CD%:" both stand for it in its native form.
LaunchPaths PosixLaunchPaths(const std::string& exeFolder, const std::string& mountPoint);

// What the launcher does about a target.
enum class LaunchKind {
    NoAction,  // "*": only the optional "noaction.wav"
    Message,   // "$…": an information box
    ClickOnly, // empty: the click sound, without waiting for it
    Shell,     // hand File to the shell
};

struct LaunchPlan {
    LaunchKind Kind = LaunchKind::Shell;
    std::string MessageText; // Message: the box's text, lines broken with CR
    bool Searched = false;   // the target was missing and searched for
    bool SearchCancelled = false;
    std::string File;       // composed, or an address
    std::string Parameters; // the action's parameters, expanded and quoted, or the target
    // When set, Parameters is the target itself (a document's composed path or an address)
    // for the program that opens it, to be passed as one argument.
    bool ParametersIsTarget = false;
    std::string Folder;  // composed working folder, or empty
    std::string Verb;    // "open", or "explore" for a folder
    int ShowCommand = 1; // 0 hidden, 1 normal, 3 maximised
};

// The system services a launch asks; the ui supplies them (tests supply fakes).
struct LaunchServices {
    // A file of that composed path exists (any attributes; not a folder).
    std::function<bool(const std::string&)> FileExists;
    // SearchTarget with the ui's wait window; called after the click sound for the launch.
    std::function<SearchResult(const std::string&)> Search;
    // The program that opens the document, or empty. Empty for a folder or an address the
    // shell opens by itself.
    std::function<std::string(const std::string&)> AssociatedProgram;
    // The program for a ".pdx" document, without any fallback; may be empty.
    std::function<std::string(const std::string&)> PdxViewer;
    // The target is a program, started directly with the action's parameters.
    std::function<bool(const std::string&)> IsProgram;
};

// "%CD%" expanded in parameters, repeatedly until none is left.
std::string ExpandCdToken(const std::string& parameters, const LaunchPaths& paths);
// Every '/' as '\'.
std::string SlashesToBackslashes(std::string text);

// Rewrites the target and parameters of `action` into what is to happen.
LaunchPlan PlanLaunch(const MenuAction& action, const LaunchPaths& paths,
                      const LaunchServices& services);

// The boxes of a failed launch; both quote the target as the menu stores it.
std::string FileNotFoundMessage(const std::string& dialogCaption, const std::string& storedTarget);
std::string NoViewerMessage(const std::string& storedTarget);

} // namespace carvelle::launcher
