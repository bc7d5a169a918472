#include "items_io.h"

#include "record_fields.h"

namespace carvelle {

using namespace fields;

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
