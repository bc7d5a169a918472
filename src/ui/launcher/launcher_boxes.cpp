#include "launcher_boxes.h"

#include "common/codepage.h"

namespace carvelle::ui::avensa {

QString LauncherText(const std::string& stored) {
    QString text = QString::fromStdString(Windows1252ToUtf8(stored));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

MessageAnswer ShowLauncherBox(launcher::MessageKind kind, const std::string& storedText,
                              const QString& caption) {
    MessageRequest request;
    request.caption = caption;
    request.text = LauncherText(storedText);
    switch (kind) {
    case launcher::MessageKind::Warning:
        request.icon = MessageIcon::Warning;
        break;
    case launcher::MessageKind::Error:
        request.icon = MessageIcon::Error;
        break;
    case launcher::MessageKind::Information:
        request.icon = MessageIcon::Information;
        break;
    case launcher::MessageKind::Confirmation:
        request.icon = MessageIcon::Question;
        request.buttons = MessageButtons::OkCancel;
        break;
    }
    return MessageSeam::Show(request);
}

} // namespace carvelle::ui::avensa
