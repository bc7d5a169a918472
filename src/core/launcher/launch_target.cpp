#include "launch_target.h"

#include "launcher/package.h"

#include <algorithm>

namespace carvelle::launcher {

namespace {

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && LowerAscii(text.substr(0, prefix.size())) == prefix;
}

bool StartsWithAny(const std::string& text, std::initializer_list<const char*> prefixes) {
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&](const char* prefix) { return StartsWithNoCase(text, prefix); });
}

bool EndsWithBackslash(const std::string& text) {
    return !text.empty() && text.back() == '\\';
}

std::string Composed(std::string nativePath) {
    return SlashesToBackslashes(std::move(nativePath));
}

int ShowCommandFor(std::int32_t showMaximised) {
    if (showMaximised == 1 || showMaximised == -1) {
        return 3;
    }
    return showMaximised == 0 ? 1 : 0;
}

} // namespace

LaunchPaths WindowsLaunchPaths(const std::string& exeFolder) {
    LaunchPaths paths;
    paths.ExeFolder = EndsWithBackslash(exeFolder) ? exeFolder : exeFolder + "\\";
    paths.Drive = paths.ExeFolder.substr(0, 2);
    paths.CdBare = paths.ExeFolder.substr(0, 1);
    paths.CdColon = paths.CdBare + ":";
    return paths;
}

LaunchPaths PosixLaunchPaths(const std::string& exeFolder, const std::string& mountPoint) {
    LaunchPaths paths;
    paths.ExeFolder = Composed(exeFolder);
    if (!EndsWithBackslash(paths.ExeFolder)) {
        paths.ExeFolder += '\\';
    }
    std::string mount = mountPoint;
    while (!mount.empty() && mount.back() == '/') {
        mount.pop_back(); // the root is the empty prefix
    }
    paths.Drive = Composed(mount);
    paths.CdBare = mount;
    paths.CdColon = mount;
    return paths;
}

std::string SlashesToBackslashes(std::string text) {
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

std::string ExpandCdToken(const std::string& parameters, const LaunchPaths& paths) {
    static const std::string kToken = "%CD%";
    std::string text = parameters;
    // A replacement may form a new token with its neighbours, so the search starts over; a
    // replacement that itself holds a '%' is stepped over instead, so the loop always ends.
    std::size_t from = 0;
    for (std::size_t at = text.find(kToken); at != std::string::npos;
         at = text.find(kToken, from)) {
        const bool colon = at + kToken.size() < text.size() && text[at + kToken.size()] == ':';
        const std::string& replacement = colon ? paths.CdColon : paths.CdBare;
        text.replace(at, kToken.size() + (colon ? 1 : 0), replacement);
        from = replacement.find('%') == std::string::npos ? 0 : at + replacement.size();
    }
    return text;
}

LaunchPlan PlanLaunch(const MenuAction& action, const LaunchPaths& paths,
                      const LaunchServices& services) {
    LaunchPlan plan;
    std::string target = action.Target;
    if (target == "*") {
        plan.Kind = LaunchKind::NoAction;
        return plan;
    }
    if (!target.empty() && target[0] == '$') {
        plan.Kind = LaunchKind::Message;
        plan.MessageText = target.substr(1);
        std::replace(plan.MessageText.begin(), plan.MessageText.end(), '\xB6', '\r');
        return plan;
    }
    if (target.empty()) {
        plan.Kind = LaunchKind::ClickOnly;
        return plan;
    }

    std::string parameters = ExpandCdToken(action.Parameters, paths);
    // A target under the launcher's folder is already rooted, even where that folder itself
    // begins with a separator.
    bool rooted = false;
    if (target[0] == '%') {
        target = paths.ExeFolder + target.substr(1);
        rooted = true;
    }
    const bool local = !StartsWithAny(target, {"http", "www", "mailto", "ftp"});
    if (local) {
        target = SlashesToBackslashes(target);
    }
    if (!rooted && !target.empty() && target[0] == '\\') {
        target = paths.Drive + target;
    }
    std::string folder;
    if (local) {
        if (!EndsWithBackslash(target) && !(services.FileExists && services.FileExists(target)) &&
            services.Search) {
            const SearchResult found = services.Search(target);
            plan.Searched = true;
            plan.SearchCancelled = found.Cancelled;
            target = found.Path;
        }
        folder = FolderPart(target);
    }

    plan.File = target;
    if (!StartsWithAny(target, {"http", "www", "ftp"})) {
        if (local && services.IsProgram && services.IsProgram(target)) {
            // A program keeps its own parameters and folder.
        } else {
            const std::string program =
                services.AssociatedProgram ? services.AssociatedProgram(target) : std::string();
            if (!program.empty()) {
                plan.File = program;
                plan.Parameters = target;
                plan.ParametersIsTarget = true;
                folder.clear();
            } else {
                parameters.clear();
            }
        }
    }
    if (plan.File.size() >= 3 && LowerAscii(plan.File.substr(plan.File.size() - 3)) == "pdx") {
        const std::string document = plan.File;
        const std::string viewer = services.PdxViewer ? services.PdxViewer(document) : "";
        if (!viewer.empty()) {
            plan.File = viewer;
            plan.Parameters = document;
            plan.ParametersIsTarget = true;
            folder = FolderPart(viewer);
        } else {
            plan.Parameters.clear();
            plan.ParametersIsTarget = false;
            parameters.clear();
        }
    }
    if (!plan.ParametersIsTarget) {
        const bool quote = !parameters.empty() && !plan.File.empty() && plan.File[0] != '"' &&
                           parameters[0] != '\\' && parameters[0] != '/' && parameters[0] != '-';
        plan.Parameters = quote ? '"' + parameters + '"' : parameters;
    }
    plan.Folder = folder;
    plan.Verb = EndsWithBackslash(plan.File) ? "explore" : "open";
    plan.ShowCommand = ShowCommandFor(action.ShowMaximised);
    return plan;
}

std::string FileNotFoundMessage(const std::string& dialogCaption, const std::string& storedTarget) {
    return dialogCaption + " cannot find the specified file:\r\r" + storedTarget;
}

std::string NoViewerMessage(const std::string& storedTarget) {
    return "You do not appear to have a suitable viewer (or version) able to open the file:"
           "\r\n\r\n" +
           storedTarget;
}

} // namespace carvelle::launcher
