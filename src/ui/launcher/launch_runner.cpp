#include "launch_runner.h"

#include "launcher_boxes.h"
#include "launcher_sound.h"
#include "menu_window.h"
#include "search_window.h"

#include "launcher/package.h"
#include "launcher/target_search.h"

#include "common/codepage.h"
#include "common/native_path.h"
#include "platform/program_lookup.h"
#include "platform/shell.h"

#include <QCoreApplication>
#include <QWidget>

#include <algorithm>
#include <fstream>
#include <system_error>

namespace carvelle::ui::avensa {

namespace {

namespace fs = std::filesystem;

bool StartsWithNoCase(const std::string& text, const char* prefix) {
    const std::string lower =
        launcher::LowerAscii(text.substr(0, std::char_traits<char>::length(prefix)));
    return lower == prefix;
}

bool IsAddress(const std::string& target) {
    return StartsWithNoCase(target, "http") || StartsWithNoCase(target, "www") ||
           StartsWithNoCase(target, "mailto") || StartsWithNoCase(target, "ftp");
}

bool HasHighBytes(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

// A composed path as the file system names it: an existing file by its name on disk, anything
// else with the menu's Windows-1252 text as UTF-8.
std::string Native(const std::string& composed) {
    const fs::path found = FindNativePath(composed);
    std::error_code error;
    if (fs::exists(found, error) || !HasHighBytes(composed)) {
        return found.string();
    }
    return ToNativePath(Windows1252ToUtf8(composed)).string();
}

bool IsExistingFile(const std::string& composed) {
    std::error_code error;
    const fs::file_status status = fs::status(FindNativePath(composed), error);
    return !error && fs::exists(status) && !fs::is_directory(status);
}

// "True"/"False" in any letter case or a number (0 false); anything else counts as true.
bool ReadOption(const std::string& line) {
    std::string text = launcher::LowerAscii(launcher::TrimBlanks(line));
    if (text == "false") {
        return false;
    }
    if (!text.empty() && std::all_of(text.begin() + (text[0] == '-' || text[0] == '+'), text.end(),
                                     [](char c) { return c >= '0' && c <= '9'; })) {
        return std::any_of(text.begin(), text.end(), [](char c) { return c >= '1' && c <= '9'; });
    }
    return true;
}

void ProcessEvents(int times = 1) {
    for (int i = 0; i < times; ++i) {
        QCoreApplication::processEvents();
    }
}

} // namespace

LaunchRunner::LaunchRunner(MenuWindow& menu) : menu_(menu) {}

LaunchRunner::~LaunchRunner() = default;

void LaunchRunner::ReadErrorOptions() {
    showFileNotFound_ = true;
    const fs::path file = menu_.BesideExecutable("err.txt");
    if (file.empty()) {
        return;
    }
    std::ifstream in(file);
    std::string first;
    if (std::getline(in, first)) {
        showFileNotFound_ = ReadOption(first);
    }
}

void LaunchRunner::PlayClickSound(int index, bool async) {
    if (clickPlayed_) {
        return;
    }
    clickPlayed_ = true;
    const std::string& menuName = menu_.Menu().MenuName;
    const std::size_t dot = menuName.find('.');
    const std::string base = dot == std::string::npos ? std::string() : menuName.substr(0, dot);
    const std::string number = std::to_string(index);
    fs::path file;
    for (const std::string& name :
         {base + "c" + number + ".wav", "click" + number + ".wav", std::string("click.wav")}) {
        file = menu_.BesideExecutable(name);
        if (!file.empty()) {
            break;
        }
    }
    if (!file.empty()) {
        CurrentLauncherSound().PlayFile(file, !async);
    } else {
        CurrentLauncherSound().PlayBuiltIn(BuiltInSound::Click, false);
    }
    ProcessEvents(100);
}

bool LaunchRunner::SearchProgress(const std::string& folder, int count, bool deep) {
    if (count == 1) {
        searchCancelled_ = false; // every walk starts afresh
    }
    if (deep && count == 21 && !wait_) {
        wait_ = std::make_unique<SearchWindow>([this] { searchCancelled_ = true; });
        wait_->show();
        ProcessEvents();
    }
    if (deep && wait_) {
        wait_->ShowFolder(QString::fromStdString(Native(folder)));
    }
    ProcessEvents();
    return !searchCancelled_;
}

launcher::SearchResult LaunchRunner::Search(const std::string& target, int index, bool async) {
    PlayClickSound(index, async);
    const launcher::LaunchPaths& paths = menu_.Paths();
    launcher::SearchResult result =
        launcher::SearchTarget(target, paths.ExeFolder, paths.Drive,
                               [this](const std::string& folder, int count, bool deep) {
                                   return SearchProgress(folder, count, deep);
                               });
    wait_.reset();
    return result;
}

std::string LaunchRunner::AssociatedProgram(const std::string& composed, bool addressesToo) {
    // Folders and mail addresses go to the shell, which explores or mails them; a document
    // that is not there is not handed to another program, so that its absence is reported.
    if (addressesToo &&
        (StartsWithNoCase(composed, "mailto") || (!composed.empty() && composed.back() == '\\'))) {
        return {};
    }
    if (!IsExistingFile(composed)) {
        return {};
    }
    const OpenProgram program = FindAssociatedProgram(Native(composed));
    if (program.Program.empty()) {
        return {};
    }
    const std::string composedProgram = launcher::SlashesToBackslashes(program.Program);
    programArguments_[composedProgram] = program.Arguments;
    return composedProgram;
}

launcher::LaunchServices LaunchRunner::Services(int index, bool& async) {
    launcher::LaunchServices services;
    services.FileExists = IsExistingFile;
    services.IsProgram = [](const std::string& composed) {
        return IsRunnableProgram(Native(composed));
    };
    services.Search = [this, index, &async](const std::string& target) {
        return Search(target, index, async);
    };
    services.AssociatedProgram = [this](const std::string& composed) {
        return AssociatedProgram(composed, true);
    };
    services.PdxViewer = [this](const std::string& composed) {
        return AssociatedProgram(composed, false);
    };
    return services;
}

void LaunchRunner::Launch(int index, QWidget* asking) {
    ProcessEvents();
    if (busy_) {
        return;
    }
    const launcher::Menu& menu = menu_.Menu();
    if (index < 0 || index >= static_cast<int>(menu.Actions.size())) {
        return;
    }
    busy_ = true;
    clickPlayed_ = false;
    bool async = false;
    const launcher::MenuAction& action = menu.Actions[static_cast<std::size_t>(index)];
    const launcher::LaunchPlan plan =
        launcher::PlanLaunch(action, menu_.Paths(), Services(index, async));

    switch (plan.Kind) {
    case launcher::LaunchKind::NoAction: {
        const fs::path sound = menu_.BesideExecutable("noaction.wav");
        if (!sound.empty()) {
            CurrentLauncherSound().PlayFile(sound, true);
        }
        busy_ = false;
        menu_.SetExitPending();
        return;
    }
    case launcher::LaunchKind::Message:
        PlayClickSound(index, false);
        ShowLauncherBox(launcher::MessageKind::Information, plan.MessageText);
        Tail(index, asking);
        return;
    case launcher::LaunchKind::ClickOnly:
        PlayClickSound(index, true);
        Tail(index, asking);
        return;
    case launcher::LaunchKind::Shell:
        break;
    }

    ShellRequest request;
    request.Verb = plan.Verb;
    request.File = IsAddress(plan.File) ? Windows1252ToUtf8(plan.File) : Native(plan.File);
    if (plan.ParametersIsTarget) {
        const std::string document = IsAddress(plan.Parameters) ? Windows1252ToUtf8(plan.Parameters)
                                                                : Native(plan.Parameters);
        const auto found = programArguments_.find(plan.File);
        const std::vector<std::string> arguments =
            found != programArguments_.end() ? found->second
                                             : std::vector<std::string>{kDocumentArgument};
        request.Parameters = ShellParameters(arguments, document);
    } else {
        request.Parameters = Windows1252ToUtf8(plan.Parameters);
    }
    request.Folder = plan.Folder.empty() ? std::string() : Native(plan.Folder);
    request.ShowCommand = plan.ShowCommand;
    const int result = CurrentShell().Execute(request);
    ProcessEvents();
    PlayClickSound(index, async);

    if (!ShellSucceeded(result)) {
        if (result == ShellResult::FileNotFound) {
            if (showFileNotFound_) {
                ShowLauncherBox(
                    launcher::MessageKind::Information,
                    launcher::FileNotFoundMessage(kDialogCaption.toStdString(), action.Target));
            }
            menu_.SetExitPending();
            busy_ = false;
            return;
        }
        if (result == ShellResult::NoAssociation) {
            if (index == 0 && menu.ActionCount() >= 1 && !menu.Actions[1].Target.empty()) {
                menu_.ShowViewers();
            } else {
                ShowLauncherBox(launcher::MessageKind::Warning,
                                launcher::NoViewerMessage(action.Target));
            }
        }
    }
    Tail(index, asking);
}

void LaunchRunner::Tail(int index, QWidget* asking) {
    menu_.SetExitPending();
    ProcessEvents();
    const launcher::MenuAction& action = menu_.Menu().Actions[static_cast<std::size_t>(index)];
    if (action.CloseAfterLaunch != 0) {
        if (asking) {
            asking->hide();
        }
        menu_.PlayExitSound();
        ProcessEvents();
        busy_ = false;
        menu_.ExitPoll().start(200);
        menu_.Terminate();
        return;
    }
    ProcessEvents();
    busy_ = false;
}

} // namespace carvelle::ui::avensa
