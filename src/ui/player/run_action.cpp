#include "run_action.h"

#include "actions/action_codes.h"
#include "actions/encoded_targets.h"
#include "actions/shell_messages.h"
#include "auto_run_form.h"
#include "common/error_report.h"
#include "platform/shell.h"
#include "ui/common/message_seam.h"
#include "ui/common/model_conversion.h"

#include <QApplication>
#include <QFileInfo>

#include <string>

namespace carvelle::ui {

namespace {

// Shell-opens a request and reports a failure with the shell's text.
bool ShellOpen(ShellRequest request, bool email = false) {
    const int result = CurrentShell().Execute(request);
    if (ShellSucceeded(result)) {
        return true;
    }
    ShowErrorBox(email ? kNoEmailProgramText : ShellErrorText(result));
    return false;
}

std::string Resolved(const TAutoRunForm& window, const std::string& relative) {
    return FromQString(ProjectFilePath(window.ProjectFolder(), relative));
}

bool ClosesAfterSuccess(ActionCode code) {
    switch (code) {
    case ActionCode::OpenRunFile:
    case ActionCode::VisitWebsite:
    case ActionCode::SendEmail:
    case ActionCode::PrintDocument:
    case ActionCode::BrowseFolder:
    case ActionCode::ShowPicture:
    case ActionCode::LaunchMediaFile:
    case ActionCode::LaunchSlideShow:
    case ActionCode::ShowMessage:
    case ActionCode::CopyFilesThenOpen:
        return true;
    default:
        return false;
    }
}

void ShowAtDesignTime() {
    MessageSeam::Show({QStringLiteral("Click action"),
                       QStringLiteral("The page can not be shown at design time"),
                       MessageIcon::Information, MessageButtons::Ok});
}

// Every entry runs, waiting where it asks to; the list succeeds when all did.
bool RunFileList(TAutoRunForm& window, const TCommand& action) {
    bool all = true;
    for (const FileListEntry& entry : ParseFileList(action.Target)) {
        all = ShellOpen({"open", Resolved(window, entry.File), entry.Parameters,
                         entry.StartFolder.empty() ? window.ProjectFolder()
                                                   : Resolved(window, entry.StartFolder),
                         action.ShowCommand, entry.Wait}) &&
              all;
    }
    return all;
}

bool ApplyVisibility(TAutoRunForm& window, const std::string& target) {
    bool complete = false;
    const VisibilitySet set = ParseVisibilitySet(target, complete);
    using Change = TAutoRunForm::ObjectChange;
    window.ChangeObjects(set.ShowGroups, true, Change::Show);
    window.ChangeObjects(set.HideGroups, true, Change::Hide);
    window.ChangeObjects(set.EnableGroups, true, Change::Enable);
    window.ChangeObjects(set.DisableGroups, true, Change::Disable);
    window.ChangeObjects(set.ShowObjects, false, Change::Show);
    window.ChangeObjects(set.HideObjects, false, Change::Hide);
    window.ChangeObjects(set.EnableObjects, false, Change::Enable);
    window.ChangeObjects(set.DisableObjects, false, Change::Disable);
    return complete;
}

// Each record runs on this window; a record that is not a number ends the group.
void RunActionGroup(TAutoRunForm& window, const std::string& target) {
    for (const ActionRecord& record : ParseActionList(target)) {
        TCommand action;
        try {
            action.ActionKind = static_cast<std::uint8_t>(std::stoi(record.Code));
            action.ShowCommand = std::stoi(record.ShowCommand);
        } catch (const std::exception&) {
            return;
        }
        action.Target = record.Target;
        action.Parameters = record.Parameters;
        action.Folder = record.Folder;
        action.CloseAfterAction = record.CloseAfter;
        RunAction(window, action);
    }
}

bool Carry(TAutoRunForm& window, ActionCode code, const TCommand& action) {
    switch (code) {
    case ActionCode::OpenRunFile:
        if (IsFileList(action.Target)) {
            return RunFileList(window, action);
        }
        return ShellOpen(
            {"open", Resolved(window, action.Target), action.Parameters,
             action.Folder.empty() ? window.ProjectFolder() : Resolved(window, action.Folder),
             action.ShowCommand, false});
    case ActionCode::VisitWebsite:
        return ShellOpen({"open", action.Target, "", "", action.ShowCommand, false});
    case ActionCode::SendEmail:
        return ShellOpen(
            {"open", "mailto:" + action.Target, action.Parameters, "", action.ShowCommand, false},
            true);
    case ActionCode::PlaySound: {
        const std::string file = Resolved(window, action.Target);
        if (!QFileInfo::exists(ToQString(file))) {
            ShowErrorBox("The specified file was not found.");
            return false;
        }
        window.PlayActionSound(ToQString(file));
        return true;
    }
    case ActionCode::PrintDocument:
        return ShellOpen({"print", Resolved(window, action.Target), action.Parameters, "",
                          action.ShowCommand, false});
    case ActionCode::ShowSubPage: {
        if (window.Session().DesignerMode && !window.Previewing) {
            ShowAtDesignTime();
            return false;
        }
        bool exitRequested = false;
        if (window.ShowSubPage(action.Target, TAutoRunForm::LoadMode::Whole, &exitRequested) &&
            exitRequested) {
            // "Exit" deep in a chain of sub pages closes every page up to the main window.
            window.ExitRequested = true;
            window.close();
        }
        return false;
    }
    case ActionCode::BrowseFolder:
        return ShellOpen(
            {"explore",
             action.Target.empty() ? window.ProjectFolder() : Resolved(window, action.Target),
             action.Parameters, "", action.ShowCommand, false});
    case ActionCode::CloseWindow:
        window.ExitRequested = false;
        window.close();
        return true;
    case ActionCode::Exit:
        window.ExitRequested = true;
        window.close();
        return true;
    case ActionCode::StopSound:
        window.StopActionSound();
        return true;
    case ActionCode::StopAllSound:
        window.StopAllSound();
        return true;
    case ActionCode::GotoPage:
        if (window.Session().DesignerMode && !window.Previewing) {
            ShowAtDesignTime();
        } else {
            window.RequestGoto(action.Target);
        }
        return false;
    case ActionCode::ShowMessage:
        MessageSeam::Show({QApplication::applicationDisplayName(), ToQString(action.Target),
                           MessageIcon::Information, MessageButtons::Ok});
        return true;
    case ActionCode::ShowHideObjects:
        return ApplyVisibility(window, action.Target);
    case ActionCode::ActionGroup:
        RunActionGroup(window, action.Target);
        return false;
    case ActionCode::Minimize:
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible()) {
                top->showMinimized();
            }
        }
        return true;
    default:
        return false;
    }
}

} // namespace

bool RunAction(TAutoRunForm& window, const TCommand& action) {
    const auto code = static_cast<ActionCode>(action.ActionKind);
    const bool done = Carry(window, code, action);
    if (done && action.CloseAfterAction && ClosesAfterSuccess(code)) {
        window.close();
    }
    return done;
}

} // namespace carvelle::ui
