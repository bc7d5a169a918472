#pragma once

#include "common/stream.h"
#include "items.h"

namespace carvelle {

// How much of an item record a kind stores.
enum class ItemForm {
    Plain,    // caption, icon, command
    WithText, // and the sub-items text
    Node,     // and the list items a paired list view shows
};

bool WriteItem(Stream& stream, const TListBoxItem& item, ItemForm form);
bool ReadItem(Stream& stream, TListBoxItem& item, ItemForm form);
bool WriteColumn(Stream& stream, const ListColumn& column);
bool ReadColumn(Stream& stream, ListColumn& column);
// A node, its child count and its children.
bool WriteTreeNode(Stream& stream, const TreeNode& node);
bool ReadTreeNode(Stream& stream, TreeNode& node);
bool WriteSlideSettings(Stream& stream, const TPSImage& settings);
bool ReadSlideSettings(Stream& stream, TPSImage& settings);
bool WriteMenuItem(Stream& stream, const TMenuItem& item);
bool ReadMenuItem(Stream& stream, TMenuItem& item);
bool WriteToolButton(Stream& stream, const TAuToolButton& button);
bool ReadToolButton(Stream& stream, TAuToolButton& button);
bool WriteStatusPanel(Stream& stream, const StatusPanel& panel);
bool ReadStatusPanel(Stream& stream, StatusPanel& panel);

// Smallest stored sizes of these records.
inline constexpr std::uint64_t kMinMenuItemSize = 4 + 4 + 2 + 6 + 4 + 4;
inline constexpr std::uint64_t kMinColumnSize = 1 + 1 + 4 + 5 * 4;

} // namespace carvelle
