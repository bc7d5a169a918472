#pragma once

#include "launcher/launch_target.h"

#include <QPointer>

#include <map>
#include <memory>
#include <string>
#include <vector>

class QWidget;

namespace carvelle::ui::avensa {

class MenuWindow;
class SearchWindow;

// Launches the menu's actions: rewrites the target for the medium, searches for a missing one
// (with the wait window during a long deep search), finds the program that opens a document,
// hands the result to the shell and reports what went wrong.
class LaunchRunner {
public:
    explicit LaunchRunner(MenuWindow& menu);
    ~LaunchRunner();

    // Reads the options of "err.txt" beside the executable.
    void ReadErrorOptions();
    // Launches action `index` (0 the main action) for the window that asks.
    void Launch(int index, QWidget* asking);
    // The click sound of action `index`, once per launch.
    void PlayClickSound(int index, bool async);

    bool ShowFileNotFound() const { return showFileNotFound_; }
    bool Busy() const { return busy_; }
    // The last folder walk was cancelled from the wait window.
    bool SearchCancelled() const { return searchCancelled_; }
    SearchWindow* WaitWindow() const { return wait_.get(); }

private:
    launcher::LaunchServices Services(int index, bool& async);
    launcher::SearchResult Search(const std::string& target, int index, bool async);
    bool SearchProgress(const std::string& folder, int count, bool deep);
    std::string AssociatedProgram(const std::string& composed, bool addressesToo);
    void Tail(int index, QWidget* asking);

    MenuWindow& menu_;
    bool showFileNotFound_ = true;
    bool busy_ = false;
    bool clickPlayed_ = false;
    bool searchCancelled_ = false;
    std::unique_ptr<SearchWindow> wait_;
    // The arguments of each program found for a document, by its composed path.
    std::map<std::string, std::vector<std::string>> programArguments_;
};

} // namespace carvelle::ui::avensa
