#pragma once

#include "command.h"
#include "common/values.h"

#include <cstdint>
#include <string>
#include <vector>

namespace carvelle {

struct Bounds {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool operator==(const Bounds&) const = default;
};

// An author-defined item of a list, drop-down list, list view or tree view.
struct TListBoxItem {
    std::string Caption;
    Picture Icon;
    TCommand Command;
    std::string SubItemsText;            // list-view and tree items only
    std::vector<TListBoxItem> ListItems; // tree nodes only: what the paired list view shows
    bool operator==(const TListBoxItem&) const = default;
};

struct TreeNode {
    TListBoxItem Item;
    std::vector<TreeNode> Children;
    bool operator==(const TreeNode&) const = default;
};

struct ListColumn {
    std::uint8_t Alignment = 0;
    bool AutoSize = false;
    std::string Caption;
    std::int32_t ImageIndex = -1;
    std::int32_t MaxWidth = 0;
    std::int32_t MinWidth = 0;
    std::int32_t Tag = 0;
    std::int32_t Width = 50;
    bool operator==(const ListColumn&) const = default;
};

// Transition settings of a slide show, and of one picture in "SlideShowEx.cfg".
struct TPSImage {
    std::uint8_t ReservedByte = 1;
    std::int32_t Style = 0; // 0 picks a random transition for every picture
    std::int32_t Step = 4;
    std::int32_t StepDelay = 50;
    std::int32_t Interval = 2000;
    std::int32_t ImageStyle = 3; // ShrinkFit
    Colour BackColor = Colours::Black;
    std::string FileName;
    std::string ReservedText;
    std::int32_t ReservedValue = 0;
    bool operator==(const TPSImage&) const = default;
};

struct StatusPanel {
    std::uint8_t Alignment = 0;
    std::string Text;
    std::int32_t Width = 50;
    bool operator==(const StatusPanel&) const = default;
};

// A button of the page's tool bar.
struct TAuToolButton {
    std::string Caption;
    Picture Image;
    std::string Hint;
    TCommand Command;
    bool Separator = false;
    bool operator==(const TAuToolButton&) const = default;
};

struct TMenuItem {
    std::string Caption;
    std::string Hint; // the item's compact action string
    std::int16_t ShortCut = 0;
    bool RadioItem = false;
    std::uint8_t GroupIndex = 0;
    bool Enabled = true;
    bool Default = false;
    bool Checked = false;
    bool AutoCheck = false;
    Picture Bitmap;
    std::vector<TMenuItem> Items;
    bool operator==(const TMenuItem&) const = default;
};

} // namespace carvelle
