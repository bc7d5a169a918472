#include "run_action.h"

#include "actions/action_codes.h"
#include "auto_run_form.h"

namespace carvelle::ui {

bool RunAction(TAutoRunForm& window, const TCommand& action) {
    switch (static_cast<ActionCode>(action.ActionKind)) {
    case ActionCode::ShowSubPage: {
        bool exitRequested = false;
        if (!window.ShowSubPage(action.Target, TAutoRunForm::LoadMode::Whole, &exitRequested)) {
            return false;
        }
        if (exitRequested) {
            // "Exit" deep in a chain of sub pages closes every page up to the main window.
            window.ExitRequested = true;
            window.close();
        }
        return true;
    }
    case ActionCode::GotoPage:
        window.RequestGoto(action.Target);
        return true;
    case ActionCode::CloseWindow:
        window.close();
        return true;
    case ActionCode::Exit:
        window.ExitRequested = true;
        window.close();
        return true;
    default:
        return false;
    }
}

} // namespace carvelle::ui
