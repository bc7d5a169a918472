#pragma once

#include "common/stream.h"

#include <cstdint>
#include <string>

namespace carvelle {

// The record every page object, page start action, tool-bar button, list item and menu item
// shares: the click action, event sounds, cursor, identity and group flags.
struct TCommand {
    std::uint8_t ActionKind = 0;
    std::int32_t ShowCommand = 1;
    std::string Target;
    std::string Parameters;
    std::string Folder;
    bool CloseAfterAction = false;
    std::string ClickSound;
    std::string MouseDownSound;
    std::string MouseUpSound;
    std::string MouseEnterSound;
    std::string MouseLeaveSound;
    std::string Cursor;
    // Carried in the stored identity string.
    std::string Name;
    std::string Comment;
    std::string CommentViewer;
    std::string GraphicCommentViewer;
    // Carried in the stored options string.
    std::string SelectFile;
    std::string SelectParameters;
    std::string SelectFolder;
    std::string SelectWait = " ";
    bool WindowMoveHandle = false;
    bool Enabled = true;
    bool Visible = true;
    std::string GroupName;
    bool CheckStyleInGroup = false;
    bool Checked = false;
    // What followed the known pieces of the packed strings (fields of a newer writer), kept
    // so that they are written back.
    std::string IdentityRest;
    std::string OptionsRest;
    // Whether the identity string was stored empty: such a record has no graphic comment.
    bool IdentityWasEmpty = false;
    // Run time only: the comment viewer's text before the comment replaced it.
    std::string SavedViewerText;

    bool operator==(const TCommand&) const = default;
};

// The stored strings that carry Name ... GraphicCommentViewer and SelectFile ... Checked.
std::string PackIdentity(const TCommand& command);
std::string PackOptions(const TCommand& command);
void UnpackIdentity(const std::string& packed, TCommand& command);
void UnpackOptions(const std::string& packed, TCommand& command);

bool WriteCommand(Stream& stream, const TCommand& command);
bool ReadCommand(Stream& stream, TCommand& command);

// The action fields alone, as the bytes of a string (menu items keep their action so).
// An empty string means no action.
bool EncodeCompactAction(const TCommand& command, std::string& encoded);
bool DecodeCompactAction(const std::string& encoded, TCommand& command);

} // namespace carvelle
