#pragma once

#include <string>
#include <vector>

namespace carvelle::launcher {

// The launcher's one message dialog is the ui's; readers hand their boxes back in the order
// they are to be shown, each captioned with the application title unless it names another.
enum class MessageKind { Warning, Error, Information, Confirmation };

struct Message {
    MessageKind Kind = MessageKind::Information;
    std::string Text; // Windows-1252, lines broken with CR as the launcher shows them
    bool operator==(const Message&) const = default;
};

using Messages = std::vector<Message>;

} // namespace carvelle::launcher
