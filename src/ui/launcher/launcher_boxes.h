#pragma once

#include "launcher/messages.h"

#include "ui/common/message_seam.h"

#include <QString>

#include <string>

namespace carvelle::ui::avensa {

// The launcher's title, the caption of its boxes.
inline const QString kDialogCaption = QStringLiteral("Avensa");

// A stored (Windows-1252) text for display, its CR and CR LF line breaks as new lines.
QString LauncherText(const std::string& stored);

// The launcher's one message dialog: a box of `kind` with the launcher's caption unless another
// is given. Confirmation boxes ask OK or Cancel; every other kind has an OK button.
MessageAnswer ShowLauncherBox(launcher::MessageKind kind, const std::string& storedText,
                              const QString& caption = kDialogCaption);

} // namespace carvelle::ui::avensa
