#include "object_record.h"

#include "common/error_codes.h"
#include "common/guarded.h"
#include "common/primitives.h"
#include "items_io.h"
#include "kind_blocks.h"

namespace carvelle {

bool WriteObject(Stream& stream, const TAutoObject& object, RecordOptions options) {
    return Guarded(ErrorCode::ObjectWrite, [&] {
        WriteByte(stream, kObjectMarker);
        WriteInt32(stream, static_cast<std::int32_t>(object.PopupMenu.size()));
        for (const TMenuItem& item : object.PopupMenu) {
            if (!WriteMenuItem(stream, item)) {
                return false;
            }
        }
        WriteByte(stream, object.Kind());
        if (!WriteCommand(stream, object.Command) ||
            !WriteKindBlock(stream, object.Properties, options.ExplorerPlaceholder)) {
            return false;
        }
        if (PackIdentity(object.Command).empty()) {
            return true;
        }
        return WritePicture(stream, object.GraphicComment);
    });
}

bool ReadObject(Stream& stream, TAutoObject& object, RecordOptions options) {
    object.PopupMenu.clear();
    object.GraphicComment.Clear();
    object.Selected = false;
    return Guarded(ErrorCode::ObjectRead, [&] {
        std::uint8_t kind = ReadByte(stream);
        if (kind == kObjectMarker) {
            const std::int32_t count = ReadBoundedCount(stream, kMinMenuItemSize);
            object.PopupMenu.resize(static_cast<std::size_t>(count));
            for (TMenuItem& item : object.PopupMenu) {
                if (!ReadMenuItem(stream, item)) {
                    return false;
                }
            }
            kind = ReadByte(stream);
        }
        if (!ReadCommand(stream, object.Command)) {
            return false;
        }
        if (!IsKnownKind(kind)) {
            // An unknown kind cannot be skipped: its block has no length.
            throw StreamError("unknown object kind");
        }
        if (!ReadKindBlock(stream, kind, object.Properties, options.ExplorerPlaceholder)) {
            return false;
        }
        if (object.Command.IdentityWasEmpty) {
            return true;
        }
        return ReadPicture(stream, object.GraphicComment);
    });
}

} // namespace carvelle
