#include "items_io.h"

#include "common/error_codes.h"
#include "common/guarded.h"
#include "record_io.h"

namespace carvelle {

namespace {

// Runs a record's body with the write or the read code, as the direction requires.
template <typename IO, typename Body> bool Record(int writeCode, int readCode, Body&& body) {
    return Guarded(IO::kReading ? readCode : writeCode, std::forward<Body>(body));
}

void CheckDepth(int depth) {
    if (depth > kMaxRecordDepth) {
        throw StreamError("records nested too deeply");
    }
}

template <typename IO, typename Item> bool ItemFields(IO& io, Item& item, ItemForm form) {
    return Record<IO>(ErrorCode::ItemWrite, ErrorCode::ItemRead, [&] {
        if (!io.String(item.Caption) || !io.Picture(item.Icon) || !io.Command(item.Command)) {
            return false;
        }
        if (form != ItemForm::Plain && !io.String(item.SubItemsText)) {
            return false;
        }
        if (form != ItemForm::Node) {
            return true;
        }
        return io.List(item.ListItems, kMinItemSize + 4,
                       [&](auto& sub) { return ItemFields(io, sub, ItemForm::WithText); });
    });
}

template <typename IO, typename Column> bool ColumnFields(IO& io, Column& c) {
    return Record<IO>(ErrorCode::ListColumnWrite, ErrorCode::ListColumnRead, [&] {
        return io.U8(c.Alignment) && io.Bool(c.AutoSize) && io.String(c.Caption) &&
               io.I32(c.ImageIndex) && io.I32(c.MaxWidth) && io.I32(c.MinWidth) && io.I32(c.Tag) &&
               io.I32(c.Width);
    });
}

template <typename IO, typename Node> bool NodeFields(IO& io, Node& node, int depth) {
    if (!ItemFields(io, node.Item, ItemForm::Node)) {
        return false;
    }
    // The child count has codes of its own; the children report for themselves.
    return Record<IO>(ErrorCode::TreeNodeCountWrite, ErrorCode::TreeNodeCountRead, [&] {
        CheckDepth(depth);
        return io.List(node.Children, kMinItemSize + 8,
                       [&](auto& child) { return NodeFields(io, child, depth + 1); });
    });
}

template <typename IO, typename Settings> bool SlideSettingsFields(IO& io, Settings& s) {
    return Record<IO>(ErrorCode::SlidePictureWrite, ErrorCode::SlidePictureRead, [&] {
        return io.U8(s.ReservedByte) && io.I32(s.Style) && io.I32(s.Step) && io.I32(s.StepDelay) &&
               io.I32(s.Interval) && io.I32(s.ImageStyle) && io.Colour(s.BackColor) &&
               io.String(s.FileName) && io.String(s.ReservedText) && io.I32(s.ReservedValue);
    });
}

template <typename IO, typename Item> bool MenuItemFields(IO& io, Item& item, int depth) {
    return Record<IO>(ErrorCode::MenuItemWrite, ErrorCode::MenuItemRead, [&] {
        CheckDepth(depth);
        return io.String(item.Caption) && io.String(item.Hint) && io.I16(item.ShortCut) &&
               io.Bool(item.RadioItem) && io.U8(item.GroupIndex) && io.Bool(item.Enabled) &&
               io.Bool(item.Default) && io.Bool(item.Checked) && io.Bool(item.AutoCheck) &&
               io.Picture(item.Bitmap) && io.List(item.Items, kMinMenuItemSize, [&](auto& sub) {
                   return MenuItemFields(io, sub, depth + 1);
               });
    });
}

template <typename IO, typename Button> bool ToolButtonFields(IO& io, Button& b) {
    return Record<IO>(ErrorCode::ToolButtonWrite, ErrorCode::ToolButtonRead, [&] {
        return io.String(b.Caption) && io.Picture(b.Image) && io.String(b.Hint) &&
               io.Command(b.Command) && io.Bool(b.Separator);
    });
}

template <typename IO, typename Panel> bool StatusPanelFields(IO& io, Panel& p) {
    return Record<IO>(ErrorCode::StatusPanelWrite, ErrorCode::StatusPanelRead,
                      [&] { return io.U8(p.Alignment) && io.String(p.Text) && io.I32(p.Width); });
}

} // namespace

bool WriteItem(Stream& stream, const TListBoxItem& item, ItemForm form) {
    RecordWriter io(stream);
    return ItemFields(io, item, form);
}
bool ReadItem(Stream& stream, TListBoxItem& item, ItemForm form) {
    RecordReader io(stream);
    return ItemFields(io, item, form);
}
bool WriteColumn(Stream& stream, const ListColumn& column) {
    RecordWriter io(stream);
    return ColumnFields(io, column);
}
bool ReadColumn(Stream& stream, ListColumn& column) {
    RecordReader io(stream);
    return ColumnFields(io, column);
}
bool WriteTreeNode(Stream& stream, const TreeNode& node) {
    RecordWriter io(stream);
    return NodeFields(io, node, 0);
}
bool ReadTreeNode(Stream& stream, TreeNode& node) {
    RecordReader io(stream);
    return NodeFields(io, node, 0);
}
bool WriteSlideSettings(Stream& stream, const TPSImage& settings) {
    RecordWriter io(stream);
    return SlideSettingsFields(io, settings);
}
bool ReadSlideSettings(Stream& stream, TPSImage& settings) {
    RecordReader io(stream);
    return SlideSettingsFields(io, settings);
}
bool WriteMenuItem(Stream& stream, const TMenuItem& item) {
    RecordWriter io(stream);
    return MenuItemFields(io, item, 0);
}
bool ReadMenuItem(Stream& stream, TMenuItem& item) {
    RecordReader io(stream);
    return MenuItemFields(io, item, 0);
}
bool WriteToolButton(Stream& stream, const TAuToolButton& button) {
    RecordWriter io(stream);
    return ToolButtonFields(io, button);
}
bool ReadToolButton(Stream& stream, TAuToolButton& button) {
    RecordReader io(stream);
    return ToolButtonFields(io, button);
}
bool WriteStatusPanel(Stream& stream, const StatusPanel& panel) {
    RecordWriter io(stream);
    return StatusPanelFields(io, panel);
}
bool ReadStatusPanel(Stream& stream, StatusPanel& panel) {
    RecordReader io(stream);
    return StatusPanelFields(io, panel);
}

} // namespace carvelle
