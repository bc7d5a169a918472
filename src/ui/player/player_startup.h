#pragma once

#include "project/open_project.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

namespace carvelle::ui {

// The stages of a player run that show pages. Each is optional, so the sequence runs with
// whichever the program provides; an empty one is passed over.
struct PlayerStages {
    // Makes the customized hint window the application's hint window.
    std::function<void(const ProjectSession&)> installCustomHint;
    // Shows every splash page modally, in list order; false ends the run.
    std::function<bool(ProjectSession&)> showSplashPages;
    // Runs the start-up installers while `owner` (an invisible window) is shown.
    std::function<void(ProjectSession&, QWidget& owner)> runInstallers;
    // Shows the background pages; false ends the run.
    std::function<bool(ProjectSession&)> showBackgroundPages;
    // Creates the main window (gates, then the main page); null ends the run.
    std::function<std::unique_ptr<QWidget>(ProjectSession&)> createMainWindow;
};

// The player from start to exit: project, hint, title and icon, splash pages, installers,
// background pages, main window, message loop, clean-up.
class PlayerStartup {
public:
    PlayerStartup(ProjectSession& session, std::string executablePath, std::string temporaryFolder,
                  PlayerStages stages);

    // Returns the process exit code.
    int Run();

    // Single steps, for tests.
    bool Open();
    void ApplyTitleAndIcon();
    void CleanUp();

private:
    bool RunPages();

    ProjectSession& session_;
    std::string executablePath_;
    std::string temporaryFolder_;
    PlayerStages stages_;
};

} // namespace carvelle::ui
