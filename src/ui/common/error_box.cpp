#include "error_box.h"

#include "common/codepage.h"
#include "message_seam.h"

namespace carvelle::ui {

void ErrorBoxReporter::ShowErrorBox(const std::string& text) {
    // File names in messages come from the project, in its 8-bit code page.
    MessageSeam::Show({QStringLiteral("Error"), QString::fromStdString(Windows1252ToUtf8(text)),
                       MessageIcon::Error, MessageButtons::Ok});
}

} // namespace carvelle::ui
