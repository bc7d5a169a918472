#include "message_seam.h"

#include <QMessageBox>

namespace carvelle::ui {

namespace {

struct Recording {
    bool active = false;
    std::deque<MessageAnswer> answers;
    std::vector<MessageRequest> shown;
};

Recording& State() {
    static Recording recording;
    return recording;
}

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToQtButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

MessageAnswer FromQt(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

} // namespace

MessageAnswer MessageSeam::Show(const MessageRequest& request) {
    Recording& state = State();
    if (state.active) {
        state.shown.push_back(request);
        if (!state.answers.empty()) {
            const MessageAnswer answer = state.answers.front();
            state.answers.pop_front();
            return answer;
        }
        switch (request.buttons) {
        case MessageButtons::Ok:
            return MessageAnswer::Ok;
        case MessageButtons::OkCancel:
            return MessageAnswer::Cancel;
        default:
            return MessageAnswer::No;
        }
    }
    QMessageBox box(ToQtIcon(request.icon), request.caption, request.text,
                    ToQtButtons(request.buttons));
    return FromQt(box.exec());
}

void MessageSeam::BeginRecording() {
    State() = Recording{};
    State().active = true;
}

void MessageSeam::EndRecording() {
    State() = Recording{};
}

void MessageSeam::QueueAnswer(MessageAnswer answer) {
    State().answers.push_back(answer);
}

const std::vector<MessageRequest>& MessageSeam::Shown() {
    return State().shown;
}

} // namespace carvelle::ui
