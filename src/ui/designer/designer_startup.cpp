#include "designer_startup.h"

#include "platform/special_folders.h"
#include "project/designer_start.h"
#include "project/folder_tokens.h"

#include <QApplication>
#include <QMainWindow>

namespace carvelle::ui {

int RunDesigner(ProjectSession& session, const QStringList& arguments) {
    session.DesignerMode = true;
    // "-I" asks for the system-initialisation run, which prepares the object templates.
    if (arguments.size() > 1 && arguments.at(1) == QStringLiteral("-I")) {
        return 0;
    }
    session.ProjectFolder = InitialDesignerProjectFolder(
        session.ProgramFolder, SpecialFolderPath(special_folder::Personal));
    QApplication::setApplicationDisplayName(QStringLiteral("Carvelle Enterprise"));

    QMainWindow mainForm;
    mainForm.setObjectName(QStringLiteral("MainForm"));
    mainForm.setWindowTitle(QStringLiteral("Carvelle Enterprise"));
    mainForm.resize(1024, 700);
    mainForm.show();
    const int result = QApplication::exec();
    session.Cleanup.RemoveAll();
    return result;
}

} // namespace carvelle::ui
