#include "player_startup.h"

#include "common/codepage.h"
#include "common/native_path.h"
#include "project/program_mode.h"

#include <QApplication>
#include <QIcon>

#include <filesystem>

namespace carvelle::ui {

PlayerStartup::PlayerStartup(ProjectSession& session, std::string executablePath,
                             std::string temporaryFolder, PlayerStages stages)
    : session_(session), executablePath_(std::move(executablePath)),
      temporaryFolder_(std::move(temporaryFolder)), stages_(std::move(stages)) {}

bool PlayerStartup::Open() {
    session_.DesignerMode = false;
    session_.ProgramFolder = ProgramFolderOf(executablePath_);
    session_.ProjectFolder = session_.ProgramFolder;
    session_.Source = ChooseProjectSource(session_.ProjectFolder);
    return OpenProject(session_, executablePath_, temporaryFolder_);
}

void PlayerStartup::ApplyTitleAndIcon() {
    const std::string& title = session_.Project.Settings.Title;
    if (!title.empty()) {
        QApplication::setApplicationDisplayName(QString::fromStdString(Windows1252ToUtf8(title)));
    }
    const auto icon = FindNativePath(session_.ProjectFolder + "\\autorun.ico");
    std::error_code ec;
    if (std::filesystem::is_regular_file(icon, ec)) {
        QApplication::setWindowIcon(QIcon(QString::fromStdString(icon.string())));
    }
}

void PlayerStartup::CleanUp() {
    session_.Cleanup.RemoveAll();
}

bool PlayerStartup::RunPages() {
    if (stages_.installCustomHint && session_.Project.Settings.Hint.UseCustomizedHint) {
        stages_.installCustomHint(session_);
    }
    if (stages_.showSplashPages && !stages_.showSplashPages(session_)) {
        return false;
    }
    if (stages_.runInstallers && !session_.Project.Settings.Installers.empty()) {
        // An invisible window that the installers' boxes and processes belong to.
        QWidget blank(nullptr, Qt::FramelessWindowHint | Qt::Tool);
        blank.setObjectName(QStringLiteral("StartupBlankWindow"));
        blank.resize(0, 0);
        blank.setWindowOpacity(0.0);
        blank.show();
        stages_.runInstallers(session_, blank);
        blank.close();
    }
    if (stages_.showBackgroundPages && !stages_.showBackgroundPages(session_)) {
        return false;
    }
    if (!stages_.createMainWindow) {
        return true;
    }
    std::unique_ptr<QWidget> mainWindow = stages_.createMainWindow(session_);
    if (!mainWindow) {
        return false;
    }
    QApplication::exec();
    return true;
}

int PlayerStartup::Run() {
    QApplication::setApplicationDisplayName(QStringLiteral("AutoRun"));
    if (!Open()) {
        // The reader has shown its message. What was unpacked before the failure still goes.
        CleanUp();
        return 1;
    }
    ApplyTitleAndIcon();
    const bool completed = RunPages();
    CleanUp();
    return completed ? 0 : 1;
}

} // namespace carvelle::ui
