#pragma once

#include <QCursor>

#include <string>

namespace carvelle::ui {

// The run's custom cursors: each cursor file is loaded once, whatever the letter case of its
// name, and numbered 1, 2, 3, ... in the order of first use.
class CustomCursors {
public:
    // The number of the cursor file (relative to the project folder), or -1 when it cannot be
    // loaded.
    static int Load(const std::string& projectFolder, const std::string& file);
    static QCursor Cursor(int number);
    // The designer starts again from 1 before previewing a page.
    static void Clear();
};

} // namespace carvelle::ui
