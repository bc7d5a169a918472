#include "platform/system_paths.h"
#include "project/program_mode.h"
#include "ui/common/error_box.h"
#include "ui/common/picture_check.h"
#include "ui/designer/designer_startup.h"
#include "ui/player/player_stages.h"
#include "ui/player/player_startup.h"

#include <QApplication>

#include <filesystem>

namespace {

// The mode and the project folder follow the name the program was started under (a link
// named autorun.exe plays the folder it lies in), so argument 0 is used where it has a path.
std::string StartedAs(const char* argument0) {
    const std::string argument = argument0 ? argument0 : "";
    if (argument.find('/') != std::string::npos) {
        std::error_code ec;
        const auto absolute = std::filesystem::absolute(argument, ec);
        return ec ? argument : absolute.lexically_normal().string();
    }
    return carvelle::ExecutablePath();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Carvelle"));
    carvelle::ui::ErrorBoxReporter reporter;
    carvelle::SetErrorReporter(&reporter);
    carvelle::ui::InstallPictureDecoderCheck();

    const std::string executable = StartedAs(argc > 0 ? argv[0] : nullptr);
    carvelle::ProjectSession session;
    session.ProgramFolder = carvelle::ProgramFolderOf(executable);
    if (carvelle::IsDesignerExecutable(executable)) {
        return carvelle::ui::RunDesigner(session, QApplication::arguments());
    }
    carvelle::ui::PlayerStartup player(session, executable, carvelle::TemporaryFolder(),
                                       carvelle::ui::PagePlayerStages());
    return player.Run();
}
