#include "command.h"

#include "common/error_codes.h"
#include "common/guarded.h"
#include "common/primitives.h"

#include <array>

namespace carvelle {

namespace {

constexpr char kPieceEnd = '\x01';
constexpr char kSelectEnd = '\x02';

std::string Flag(bool value) {
    return value ? "Y" : " ";
}

// Takes the piece of `text` from `at` up to the next terminator; false when there is none.
bool TakePiece(const std::string& text, std::size_t& at, char terminator, std::string& piece) {
    const std::size_t end = text.find(terminator, at);
    if (end == std::string::npos) {
        return false;
    }
    piece = text.substr(at, end - at);
    at = end + 1;
    return true;
}

void ResetOptions(TCommand& c) {
    c.SelectFile.clear();
    c.SelectParameters.clear();
    c.SelectFolder.clear();
    c.SelectWait.clear();
    c.GroupName.clear();
    c.WindowMoveHandle = false;
    c.CheckStyleInGroup = false;
    c.Checked = false;
    c.Enabled = true;
    c.Visible = true;
    c.OptionsRest.clear();
}

} // namespace

std::string PackIdentity(const TCommand& c) {
    if (c.IdentityWasEmpty && c.Name.empty() && c.Comment.empty() && c.CommentViewer.empty() &&
        c.GraphicCommentViewer.empty() && c.IdentityRest.empty()) {
        return {};
    }
    std::string packed;
    for (const std::string* piece :
         {&c.Name, &c.Comment, &c.CommentViewer, &c.GraphicCommentViewer}) {
        packed += *piece;
        packed += kPieceEnd;
    }
    return packed + c.IdentityRest;
}

std::string PackOptions(const TCommand& c) {
    std::string packed;
    for (const std::string* piece :
         {&c.SelectFile, &c.SelectParameters, &c.SelectFolder, &c.SelectWait}) {
        packed += *piece;
        packed += kSelectEnd;
    }
    packed += kPieceEnd;
    for (const bool flag : {c.WindowMoveHandle, c.Enabled, c.Visible}) {
        packed += Flag(flag);
        packed += kPieceEnd;
    }
    packed += c.GroupName;
    packed += kPieceEnd;
    for (const bool flag : {c.CheckStyleInGroup, c.Checked}) {
        packed += Flag(flag);
        packed += kPieceEnd;
    }
    return packed + c.OptionsRest;
}

void UnpackIdentity(const std::string& packed, TCommand& c) {
    c.IdentityWasEmpty = packed.empty();
    const std::array<std::string*, 4> fields{&c.Name, &c.Comment, &c.CommentViewer,
                                             &c.GraphicCommentViewer};
    for (std::string* field : fields) {
        field->clear();
    }
    c.IdentityRest.clear();
    std::size_t at = 0;
    for (std::string* field : fields) {
        // A piece without its terminator is not taken; the rest stays empty.
        if (!TakePiece(packed, at, kPieceEnd, *field)) {
            return;
        }
    }
    c.IdentityRest = packed.substr(at);
}

void UnpackOptions(const std::string& packed, TCommand& c) {
    ResetOptions(c);
    std::size_t at = 0;
    std::string selection;
    if (!TakePiece(packed, at, kPieceEnd, selection)) {
        return;
    }
    std::size_t inner = 0;
    for (std::string* field :
         {&c.SelectFile, &c.SelectParameters, &c.SelectFolder, &c.SelectWait}) {
        if (!TakePiece(selection, inner, kSelectEnd, *field)) {
            return;
        }
    }
    std::string piece;
    for (bool* flag : {&c.WindowMoveHandle, &c.Enabled, &c.Visible}) {
        if (!TakePiece(packed, at, kPieceEnd, piece)) {
            return;
        }
        *flag = piece == "Y";
    }
    if (!TakePiece(packed, at, kPieceEnd, piece)) {
        return;
    }
    c.GroupName = piece;
    for (bool* flag : {&c.CheckStyleInGroup, &c.Checked}) {
        if (!TakePiece(packed, at, kPieceEnd, piece)) {
            return;
        }
        *flag = piece == "Y";
    }
    c.OptionsRest = packed.substr(at);
}

bool WriteCommand(Stream& stream, const TCommand& c) {
    return Guarded(ErrorCode::CommandWrite, [&] {
        WriteByte(stream, c.ActionKind);
        WriteInt32(stream, c.ShowCommand);
        if (!WriteString(stream, PackOptions(c)) || !WriteString(stream, c.Target) ||
            !WriteString(stream, c.Parameters) || !WriteString(stream, c.Folder)) {
            return false;
        }
        WriteBool(stream, c.CloseAfterAction);
        for (const std::string* text : {&c.ClickSound, &c.MouseDownSound, &c.MouseUpSound,
                                        &c.MouseEnterSound, &c.MouseLeaveSound, &c.Cursor}) {
            if (!WriteString(stream, *text)) {
                return false;
            }
        }
        return WriteString(stream, PackIdentity(c));
    });
}

bool ReadCommand(Stream& stream, TCommand& c) {
    return Guarded(ErrorCode::CommandRead, [&] {
        c.ActionKind = ReadByte(stream);
        c.ShowCommand = ReadInt32(stream);
        std::string options;
        if (!ReadString(stream, options) || !ReadString(stream, c.Target) ||
            !ReadString(stream, c.Parameters) || !ReadString(stream, c.Folder)) {
            return false;
        }
        c.CloseAfterAction = ReadBool(stream);
        for (std::string* text : {&c.ClickSound, &c.MouseDownSound, &c.MouseUpSound,
                                  &c.MouseEnterSound, &c.MouseLeaveSound, &c.Cursor}) {
            if (!ReadString(stream, *text)) {
                return false;
            }
        }
        std::string identity;
        if (!ReadString(stream, identity)) {
            return false;
        }
        UnpackIdentity(identity, c);
        UnpackOptions(options, c);
        return true;
    });
}

bool EncodeCompactAction(const TCommand& c, std::string& encoded) {
    return Guarded(ErrorCode::ActionStringBuild, [&] {
        MemoryStream stream;
        WriteByte(stream, c.ActionKind);
        WriteInt32(stream, c.ShowCommand);
        if (!WriteString(stream, c.Target) || !WriteString(stream, c.Parameters) ||
            !WriteString(stream, c.Folder)) {
            return false;
        }
        WriteBool(stream, c.CloseAfterAction);
        encoded.assign(stream.Bytes().begin(), stream.Bytes().end());
        return true;
    });
}

bool DecodeCompactAction(const std::string& encoded, TCommand& c) {
    c.ActionKind = 0;
    c.ShowCommand = 1;
    c.Target.clear();
    c.Parameters.clear();
    c.Folder.clear();
    c.CloseAfterAction = false;
    if (encoded.empty()) {
        return true;
    }
    return Guarded(ErrorCode::ActionStringDecode, [&] {
        MemoryStream stream(std::vector<std::uint8_t>(encoded.begin(), encoded.end()));
        c.ActionKind = ReadByte(stream);
        c.ShowCommand = ReadInt32(stream);
        if (!ReadString(stream, c.Target) || !ReadString(stream, c.Parameters) ||
            !ReadString(stream, c.Folder)) {
            return false;
        }
        c.CloseAfterAction = ReadBool(stream);
        return true;
    });
}

} // namespace carvelle
