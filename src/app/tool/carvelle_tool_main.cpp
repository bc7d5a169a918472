#include "tool/tool_commands.h"
#include "ui/common/picture_check.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char** argv) {
    // Headless: picture checks need Qt's image plugins, nothing of a display.
    QCoreApplication app(argc, argv);
    carvelle::ui::InstallPictureDecoderCheck();
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return carvelle::tool::RunToolCommand(arguments, std::cout, std::cerr);
}
