#include "tool/tool_commands.h"
#include "ui/common/picture_check.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstring>
#include <iostream>
#include <memory>

int main(int argc, char** argv) {
    // Headless: rendering pages draws offscreen; the other commands need no display at all.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && std::strcmp(argv[1], "render") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    carvelle::ui::InstallPictureDecoderCheck();
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return carvelle::tool::RunToolCommand(arguments, std::cout, std::cerr);
}
