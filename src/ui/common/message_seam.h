#pragma once

#include <QString>

#include <deque>
#include <functional>
#include <vector>

namespace carvelle::ui {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct MessageRequest {
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

// Every message box of the program goes through here, so tests can answer instead of a
// person: queue answers, and each box shown is recorded and answered from the queue.
class MessageSeam {
public:
    static MessageAnswer Show(const MessageRequest& request);

    // Test side: answers in order; with an empty queue every box gets Ok, No or Cancel.
    static void BeginRecording();
    static void EndRecording();
    static void QueueAnswer(MessageAnswer answer);
    static const std::vector<MessageRequest>& Shown();
};

} // namespace carvelle::ui
