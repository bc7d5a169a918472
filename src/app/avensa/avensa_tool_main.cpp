#include "avensa_tool_commands.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char** argv) {
    // Headless: pictures need Qt's image plugins, nothing of a display.
    QCoreApplication app(argc, argv);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return carvelle::avensa::RunAvensaTool(
        arguments, QCoreApplication::applicationDirPath().toStdString(), std::cout, std::cerr);
}
