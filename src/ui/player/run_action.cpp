#include "run_action.h"

#include "actions/action_codes.h"
#include "actions/shell_messages.h"
#include "auto_run_form.h"
#include "common/error_report.h"
#include "platform/shell.h"
#include "ui/common/message_seam.h"
#include "ui/common/model_conversion.h"

#include <QApplication>
#include <QFileInfo>

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

bool Carry(TAutoRunForm& window, ActionCode code, const TCommand& action) {
    switch (code) {
    case ActionCode::OpenRunFile:
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
