#pragma once

#include "command.h"
#include "common/stream.h"
#include "items.h"
#include "kinds.h"

#include <cstdint>
#include <vector>

namespace carvelle {

// One page object: its kind's properties, its shared record, its right-click menu and its
// graphic comment.
struct TAutoObject {
    KindProperties Properties;
    TCommand Command;
    std::vector<TMenuItem> PopupMenu;
    Picture GraphicComment;
    bool Selected = false; // the designer's selection mark; never stored

    std::uint8_t Kind() const { return static_cast<std::uint8_t>(Properties.index()); }
    bool operator==(const TAutoObject& other) const {
        return Properties == other.Properties && Command == other.Command &&
               PopupMenu == other.PopupMenu && GraphicComment == other.GraphicComment;
    }
};

// Options of reading and writing object records.
struct RecordOptions {
    // An Explorer edited in the designer is a placeholder with codes of its own.
    bool ExplorerPlaceholder = false;
};

bool WriteObject(Stream& stream, const TAutoObject& object, RecordOptions options = {});
bool ReadObject(Stream& stream, TAutoObject& object, RecordOptions options = {});

inline constexpr std::uint8_t kObjectMarker = 127;

} // namespace carvelle
