#pragma once

// The layouts of the stored records, written once as sequences of named field calls. The
// same sequence reads (RecordReader), writes (RecordWriter) and describes (the JSON writer)
// a record, so they cannot drift apart. Scalars throw StreamError; composite fields return
// the nested routine's result, which has been reported already.

#include "common/error_codes.h"
#include "common/guarded.h"
#include "items.h"
#include "items_io.h"
#include "kinds.h"
#include "record_io.h"

#include <cstdint>
#include <string>
#include <type_traits>

namespace carvelle::fields {

using namespace kinds;

// Runs a record's body with the write or the read code, as the direction requires.
template <typename IO, typename Body> bool Record(int writeCode, int readCode, Body&& body) {
    return Guarded(IO::kReading ? readCode : writeCode, std::forward<Body>(body));
}

inline void CheckDepth(int depth) {
    if (depth > kMaxRecordDepth) {
        throw StreamError("records nested too deeply");
    }
}

template <typename IO, typename Item> bool ItemFields(IO& io, Item& item, ItemForm form) {
    return Record<IO>(ErrorCode::ItemWrite, ErrorCode::ItemRead, [&] {
        if (!io.String("Caption", item.Caption) || !io.Picture("Icon", item.Icon) ||
            !io.Command("Command", item.Command)) {
            return false;
        }
        if (form != ItemForm::Plain && !io.String("SubItemsText", item.SubItemsText)) {
            return false;
        }
        if (form != ItemForm::Node) {
            return true;
        }
        return io.List("ListItems", item.ListItems, kMinItemSize + 4,
                       [&](auto& sub) { return ItemFields(io, sub, ItemForm::WithText); });
    });
}

template <typename IO, typename Column> bool ColumnFields(IO& io, Column& c) {
    return Record<IO>(ErrorCode::ListColumnWrite, ErrorCode::ListColumnRead, [&] {
        return io.U8("Alignment", c.Alignment) && io.Bool("AutoSize", c.AutoSize) &&
               io.String("Caption", c.Caption) && io.I32("ImageIndex", c.ImageIndex) &&
               io.I32("MaxWidth", c.MaxWidth) && io.I32("MinWidth", c.MinWidth) &&
               io.I32("Tag", c.Tag) && io.I32("Width", c.Width);
    });
}

template <typename IO, typename Node> bool NodeFields(IO& io, Node& node, int depth) {
    if (!ItemFields(io, node.Item, ItemForm::Node)) {
        return false;
    }
    // The child count has codes of its own; the children report for themselves.
    return Record<IO>(ErrorCode::TreeNodeCountWrite, ErrorCode::TreeNodeCountRead, [&] {
        CheckDepth(depth);
        return io.List("Children", node.Children, kMinItemSize + 8,
                       [&](auto& child) { return NodeFields(io, child, depth + 1); });
    });
}

template <typename IO, typename Settings> bool SlideSettingsFields(IO& io, Settings& s) {
    return Record<IO>(ErrorCode::SlidePictureWrite, ErrorCode::SlidePictureRead, [&] {
        return io.U8("ReservedByte", s.ReservedByte) && io.I32("Style", s.Style) &&
               io.I32("Step", s.Step) && io.I32("StepDelay", s.StepDelay) &&
               io.I32("Interval", s.Interval) && io.I32("ImageStyle", s.ImageStyle) &&
               io.Colour("BackColor", s.BackColor) && io.String("FileName", s.FileName) &&
               io.String("ReservedText", s.ReservedText) &&
               io.I32("ReservedValue", s.ReservedValue);
    });
}

template <typename IO, typename Item> bool MenuItemFields(IO& io, Item& item, int depth) {
    return Record<IO>(ErrorCode::MenuItemWrite, ErrorCode::MenuItemRead, [&] {
        CheckDepth(depth);
        return io.String("Caption", item.Caption) && io.CompactAction("Hint", item.Hint) &&
               io.I16("ShortCut", item.ShortCut) && io.Bool("RadioItem", item.RadioItem) &&
               io.U8("GroupIndex", item.GroupIndex) && io.Bool("Enabled", item.Enabled) &&
               io.Bool("Default", item.Default) && io.Bool("Checked", item.Checked) &&
               io.Bool("AutoCheck", item.AutoCheck) && io.Picture("Bitmap", item.Bitmap) &&
               io.List("Items", item.Items, kMinMenuItemSize,
                       [&](auto& sub) { return MenuItemFields(io, sub, depth + 1); });
    });
}

template <typename IO, typename Button> bool ToolButtonFields(IO& io, Button& b) {
    return Record<IO>(ErrorCode::ToolButtonWrite, ErrorCode::ToolButtonRead, [&] {
        return io.String("Caption", b.Caption) && io.Picture("Image", b.Image) &&
               io.String("Hint", b.Hint) && io.Command("Command", b.Command) &&
               io.Bool("Separator", b.Separator);
    });
}

template <typename IO, typename Panel> bool StatusPanelFields(IO& io, Panel& p) {
    return Record<IO>(ErrorCode::StatusPanelWrite, ErrorCode::StatusPanelRead, [&] {
        return io.U8("Alignment", p.Alignment) && io.String("Text", p.Text) &&
               io.I32("Width", p.Width);
    });
}

// Older records lack the part after this marker in SimpleText and Shape blocks.
inline constexpr std::int32_t kNewerPartMarker = -1;

// Writes the marker, or reads what stands in its place: true when the newer part follows.
// In an older record the Integer read is the block's height, and `older` completes it.
template <typename IO, typename Block, typename Older>
bool NewerPartFollows(IO& io, Block& block, Older&& older) {
    if constexpr (IO::kReading) {
        std::int32_t marker = 0;
        io.I32("", marker);
        if (marker != kNewerPartMarker) {
            block.Bounds.Height = marker;
            older(block);
            return false;
        }
    } else {
        io.Marker(kNewerPartMarker);
    }
    return true;
}

template <typename IO> bool Items(IO& io, const char* name, auto& items, ItemForm form) {
    const std::uint64_t minSize = kMinItemSize + (form == ItemForm::Plain ? 0 : 4);
    return io.List(name, items, minSize, [&](auto& item) { return ItemFields(io, item, form); });
}

// The four settings every anti-aliased text kind starts its look with.
template <typename IO> bool LookStart(IO& io, auto& look) {
    return io.U8("Alignment", look.Alignment) && io.Colour("BackColor", look.BackColor) &&
           io.Picture("BackImage", look.BackImage) && io.U8("BackImageStyle", look.BackImageStyle);
}

template <typename IO> bool KindFields(IO& io, auto& b) {
    using Block = std::remove_cvref_t<decltype(b)>;
    if constexpr (std::is_same_v<Block, Button>) {
        return io.I16("Cursor", b.Cursor) && io.String("Caption", b.Caption) &&
               io.String("Hint", b.Hint) && io.Font("Font", b.Font) &&
               io.U8("ButtonType", b.ButtonType) && io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, ImageButton>) {
        return io.String("Caption", b.Caption) && io.Picture("MouseDownImage", b.MouseDownImage) &&
               io.Picture("NormalImage", b.NormalImage) &&
               io.Picture("MouseOverImage", b.MouseOverImage) &&
               io.Font("MouseDownFont", b.MouseDownFont) && io.Font("NormalFont", b.NormalFont) &&
               io.Font("MouseOverFont", b.MouseOverFont) && io.String("Hint", b.Hint) &&
               io.U8("ButtonStyle", b.ButtonStyle) && io.I32("Margin", b.Margin) &&
               io.U8("ImageLayout", b.ImageLayout) && io.I32("Space", b.Space) &&
               io.Bool("MouseDownSlide", b.MouseDownSlide) && io.U8("ButtonType", b.ButtonType) &&
               io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, Image>) {
        return io.Bool("AutoSize", b.AutoSize) && io.Bool("Center", b.Center) &&
               io.I32("Height", b.Height) && io.String("Hint", b.Hint) && io.I32("Left", b.Left) &&
               io.Bool("Stretch", b.Stretch) && io.I32("Top", b.Top) &&
               io.Bool("Transparent", b.Transparent) && io.I32("Width", b.Width) &&
               io.Bool("Pressed", b.Pressed) && io.Bool("Hover", b.Hover) &&
               io.I32("ShownPicture", b.ShownPicture) &&
               io.Picture("MouseDownImage", b.MouseDownImage) &&
               io.Picture("NormalImage", b.NormalImage) &&
               io.Picture("MouseOverImage", b.MouseOverImage);
    } else if constexpr (std::is_same_v<Block, Label> || std::is_same_v<Block, Link>) {
        if (!(io.U8("Align", b.Align) && io.Bool("AutoSize", b.AutoSize) &&
              io.I32("Margin", b.Margin) && LookStart(io, b.Look) && io.U8("Layout", b.Layout) &&
              io.U8("Quality", b.Quality) && io.Bool("Transparent", b.Transparent) &&
              io.Effect("Effect", b.Look.Effect))) {
            return false;
        }
        if constexpr (std::is_same_v<Block, Link>) {
            auto& h = b.Hot;
            const bool hot = io.Object("HotLink", [&] {
                return io.Colour("BackColor", h.BackColor) &&
                       io.Picture("BackGround", h.BackGround) &&
                       io.U8("BackGroundMode", h.BackGroundMode) && io.Colour("Color", h.Color) &&
                       io.Bool("Fade", h.Fade) && io.I32("FadeDelay", h.FadeDelay) &&
                       io.Bool("Transparent", h.Transparent) && io.Bool("UnderLine", h.UnderLine) &&
                       io.String("URL", h.URL) && io.Effect("Effect", h.Effect);
            });
            if (!hot) {
                return false;
            }
        }
        return io.I16("Cursor", b.Cursor) && io.String("Caption", b.Caption) &&
               io.String("Hint", b.Hint) && io.Font("Font", b.Font) &&
               io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, FadeLabel>) {
        return io.Bool("Active", b.Active) && io.U8("Align", b.Align) &&
               io.Bool("AutoSize", b.AutoSize) && io.I32("Margin", b.Margin) &&
               LookStart(io, b.Look) && io.Effect("Effect", b.Look.Effect) &&
               io.U8("LabelEffect", b.LabelEffect) && io.String("Lines", b.Lines) &&
               io.U8("Quality", b.Quality) && io.Bool("Transparent", b.Transparent) &&
               io.FontLabels("FontLabels", b.FontLabels) && io.I32("RepeatCount", b.RepeatCount) &&
               io.I32("FadeDelay", b.FadeDelay) && io.U8("Layout", b.Layout) &&
               io.I32("LineDelay", b.LineDelay) && io.I16("Cursor", b.Cursor) &&
               io.String("Hint", b.Hint) && io.Font("Font", b.Font) &&
               io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, Text>) {
        return io.U8("Align", b.Align) && io.Bool("AutoSize", b.AutoSize) &&
               io.I32("Margin", b.Margin) && LookStart(io, b.Look) &&
               io.Effect("Effect", b.Look.Effect) && io.U8("LabelEffect", b.LabelEffect) &&
               io.String("Lines", b.Lines) && io.U8("Quality", b.Quality) &&
               io.I16("RowPitch", b.RowPitch) && io.Bool("Transparent", b.Transparent) &&
               io.Bool("WordWrap", b.WordWrap) && io.FontLabels("FontLabels", b.FontLabels) &&
               io.I16("Cursor", b.Cursor) && io.String("Hint", b.Hint) && io.Font("Font", b.Font) &&
               io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, ScrollText>) {
        if (!(io.Bool("Active", b.Active) && io.U8("Align", b.Align) && LookStart(io, b.Look) &&
              io.Bool("Fade", b.Fade) && io.I32("FadeHeight", b.FadeHeight) &&
              io.Font("Font", b.Font) && io.Effect("Effect", b.Look.Effect) &&
              io.I32("HeadSpace", b.HeadSpace) && io.U8("LabelEffect", b.LabelEffect) &&
              io.String("Lines", b.Lines) && io.U8("Quality", b.Quality) &&
              io.I16("RowPitch", b.RowPitch) && io.I32("TailSpace", b.TailSpace))) {
            return false;
        }
        // Word wrap takes four bytes; only the first carries the flag.
        if (!io.WideBool("WordWrap", b.WordWrap)) {
            return false;
        }
        return io.FontLabels("FontLabels", b.FontLabels) && io.I32("RepeatCount", b.RepeatCount) &&
               io.I32("RepeatDelay", b.RepeatDelay) && io.I32("ScrollDelay", b.ScrollDelay) &&
               io.I32("ScrollStep", b.ScrollStep) && io.I16("Cursor", b.Cursor) &&
               io.String("Hint", b.Hint) && io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, TextBox>) {
        return io.U8("Align", b.Align) && io.U8("Alignment", b.Alignment) &&
               io.U8("Border", b.Border) && io.I32("BorderWidth", b.BorderWidth) &&
               io.Colour("BackColor", b.BackColor) && io.String("Text", b.Text) &&
               io.U8("ScrollBar", b.ScrollBar) && io.Bool("WordWrap", b.WordWrap) &&
               io.I16("Cursor", b.Cursor) && io.String("Hint", b.Hint) && io.Font("Font", b.Font) &&
               io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, RichText>) {
        return io.U8("Align", b.Align) && io.U8("Alignment", b.Alignment) &&
               io.U8("Border", b.Border) && io.I32("BorderWidth", b.BorderWidth) &&
               io.Colour("BackColor", b.BackColor) && io.Blob("Rtf", b.Rtf) &&
               io.Bool("PlainText", b.PlainText) && io.U8("ScrollBar", b.ScrollBar) &&
               io.Bool("WordWrap", b.WordWrap) && io.I16("Cursor", b.Cursor) &&
               io.String("Hint", b.Hint) && io.Font("Font", b.Font) &&
               io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, Avi>) {
        return io.I16("Cursor", b.Cursor) && io.String("Hint", b.Hint) &&
               io.String("FileName", b.FileName) && io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, Explorer>) {
        return io.U8("Align", b.Align) && io.I16("Cursor", b.Cursor) && io.String("Hint", b.Hint) &&
               io.U8("ExplorerType", b.ExplorerType) && io.String("Target", b.Target) &&
               io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, MediaPlayer>) {
        return io.I32("ReservedValue", b.ReservedValue) && io.Bool("FullScreen", b.FullScreen) &&
               io.Bool("Play", b.Play) && io.Bool("ControlBar", b.ControlBar) &&
               io.Bool("Border", b.Border) && io.Bool("Loop", b.Loop) &&
               io.String("FileName", b.FileName) && io.String("Hint", b.Hint) &&
               io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, SlideShow>) {
        return io.Bool("Play", b.Play) && io.Bool("Loop", b.Loop) &&
               io.Bool("ControlBar", b.ControlBar) && io.Bool("Border", b.Border) &&
               io.I32("ReservedValue", b.ReservedValue) && io.Bool("FullScreen", b.FullScreen) &&
               io.String("WorkFolder", b.WorkFolder) && io.String("Hint", b.Hint) &&
               io.Object("Settings", [&] { return SlideSettingsFields(io, b.Settings); }) &&
               io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, Edit>) {
        if (!(io.Bool("AutoHeight", b.AutoHeight) && io.U8("Border", b.Border) &&
              io.U8("CharCase", b.CharCase) && io.Colour("Color", b.Color) &&
              io.I32("MaxLength", b.MaxLength) && io.U8("PasswordChar", b.PasswordChar) &&
              io.I32("TabOrder", b.TabOrder) && io.I16("Cursor", b.Cursor) &&
              io.String("Hint", b.Hint) && io.Font("Font", b.Font) &&
              io.I32("AllowRetry", b.AllowRetry) && io.String("ErrorMessage", b.ErrorMessage) &&
              io.String("ErrorCaption", b.ErrorCaption) &&
              io.String("FailedMessage", b.FailedMessage) &&
              io.String("FailedCaption", b.FailedCaption))) {
            return false;
        }
        // The accepted text and the accepted list share one string, split at a byte 1.
        if (!io.AcceptedTexts(b.AccurateText, b.TextList)) {
            return false;
        }
        return io.String("Text", b.Text) && io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_base_of_v<Agreement, Block>) {
        return io.U8("Alignment", b.Alignment) && io.String("Caption", b.Caption) &&
               io.Bool("Checked", b.Checked) && io.Colour("Color", b.Color) &&
               io.I16("Cursor", b.Cursor) && io.String("Hint", b.Hint) && io.Font("Font", b.Font) &&
               io.I32("TabOrder", b.TabOrder) && io.Bool("WordWrap", b.WordWrap) &&
               io.I32("ReservedValue", b.ReservedValue) &&
               io.String("ErrorMessage", b.ErrorMessage) &&
               io.String("ErrorCaption", b.ErrorCaption) &&
               io.String("ReservedText1", b.ReservedText1) &&
               io.String("ReservedText2", b.ReservedText2) && io.Bool("NeedCheck", b.NeedCheck) &&
               io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, SimpleText>) {
        if (!(io.I16("Cursor", b.Cursor) && io.String("Hint", b.Hint) &&
              io.String("Caption", b.Caption) && io.U8("Align", b.Align) &&
              io.U8("Alignment", b.Alignment) && io.Bool("AutoSize", b.AutoSize) &&
              io.U8("Layout", b.Layout) && io.Bool("Transparent", b.Transparent) &&
              io.Colour("BackColor", b.BackColor) && io.Colour("HotBackColor", b.HotBackColor) &&
              io.Font("Font", b.Font) && io.Font("HotFont", b.HotFont) &&
              io.I32("Left", b.Bounds.Left) && io.I32("Top", b.Bounds.Top) &&
              io.I32("Width", b.Bounds.Width))) {
            return false;
        }
        // An older record's pressed look is its hot one.
        if (!NewerPartFollows(io, b, [](auto& older) {
                older.MouseDownBackColor = older.HotBackColor;
                older.MouseDownFont = older.HotFont;
            })) {
            return true;
        }
        return io.Colour("MouseDownBackColor", b.MouseDownBackColor) &&
               io.Font("MouseDownFont", b.MouseDownFont) && io.I32("Height", b.Bounds.Height);
    } else if constexpr (std::is_same_v<Block, Flash>) {
        return io.I16("Cursor", b.Cursor) && io.String("Hint", b.Hint) && io.U8("Align", b.Align) &&
               io.Bool("Loop", b.Loop) && io.Bool("ContextMenu", b.ContextMenu) &&
               io.String("MovieFile", b.MovieFile) && io.String("ReservedText", b.ReservedText) &&
               io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, Shape>) {
        if (!(io.I16("Cursor", b.Cursor) && io.String("Hint", b.Hint) && io.U8("Align", b.Align) &&
              io.Colour("FillColor", b.FillColor) && io.I32("FillStyle", b.FillStyle) &&
              io.Colour("GradientColor", b.GradientColor) && io.I32("Parameter", b.Parameter) &&
              io.I32("Shape", b.Figure) && io.I32("Left", b.Bounds.Left) &&
              io.I32("Top", b.Bounds.Top) && io.I32("Width", b.Bounds.Width))) {
            return false;
        }
        // An older record has no border.
        if (!NewerPartFollows(io, b, [](auto& older) {
                older.BorderWidth = 0;
                older.BorderColor = 0;
            })) {
            return true;
        }
        return io.I32("BorderWidth", b.BorderWidth) && io.Colour("BorderColor", b.BorderColor) &&
               io.I32("Height", b.Bounds.Height);
    } else if constexpr (std::is_same_v<Block, ListBox>) {
        return io.I16("Cursor", b.Cursor) && io.String("Hint", b.Hint) && io.Font("Font", b.Font) &&
               io.U8("Border", b.Border) && io.Colour("Color", b.Color) &&
               io.I32("ItemHeight", b.ItemHeight) && io.I32("IconWidth", b.IconWidth) &&
               io.I32("IconHeight", b.IconHeight) && Items(io, "Items", b.Items, ItemForm::Plain) &&
               io.I32("SelectedIndex", b.SelectedIndex) && io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, DropDownList>) {
        return io.I16("Cursor", b.Cursor) && io.String("Hint", b.Hint) && io.Font("Font", b.Font) &&
               io.Colour("Color", b.Color) && io.I32("ItemHeight", b.ItemHeight) &&
               io.I32("IconWidth", b.IconWidth) && io.I32("IconHeight", b.IconHeight) &&
               Items(io, "Items", b.Items, ItemForm::Plain) &&
               io.I32("SelectedIndex", b.SelectedIndex) &&
               io.I32("DropDownCount", b.DropDownCount) && io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, ListView>) {
        return io.I16("Cursor", b.Cursor) && io.String("Hint", b.Hint) && io.Font("Font", b.Font) &&
               io.U8("Border", b.Border) && io.Colour("Color", b.Color) &&
               io.I32("IconWidth", b.IconWidth) && io.I32("IconHeight", b.IconHeight) &&
               io.Bool("HotTrack", b.HotTrack) && io.U8("HotTrackStyles", b.HotTrackStyles) &&
               io.List("ReportColumns", b.ReportColumns, kMinColumnSize,
                       [&](auto& column) { return ColumnFields(io, column); }) &&
               Items(io, "Items", b.Items, ItemForm::WithText) &&
               io.Bool("ColumnClick", b.ColumnClick) &&
               io.Bool("ReportGridLines", b.ReportGridLines) &&
               io.Bool("HideSelection", b.HideSelection) &&
               io.Bool("ReportRowSelect", b.ReportRowSelect) &&
               io.Bool("ShowColumnHeaders", b.ShowColumnHeaders) && io.U8("SortType", b.SortType) &&
               io.U8("ViewStyle", b.ViewStyle) && io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, TreeView>) {
        return io.I16("Cursor", b.Cursor) && io.String("Hint", b.Hint) && io.Font("Font", b.Font) &&
               io.U8("Border", b.Border) && io.Colour("Color", b.Color) &&
               io.I32("IconWidth", b.IconWidth) && io.I32("IconHeight", b.IconHeight) &&
               io.Bool("HotTrack", b.HotTrack) && io.Bool("ShowRoot", b.ShowRoot) &&
               io.I32("ExpandLevels", b.ExpandLevels) &&
               io.String("AssociatedListView", b.AssociatedListView) &&
               io.List("Nodes", b.Nodes, kMinItemSize + 12,
                       [&](auto& node) { return NodeFields(io, node, 0); }) &&
               io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, ShellComboBox>) {
        return io.I16("Cursor", b.Cursor) && io.String("Hint", b.Hint) && io.Font("Font", b.Font) &&
               io.Colour("Color", b.Color) && io.I32("DropDownCount", b.DropDownCount) &&
               io.String("Root", b.Root) && io.String("ShellTreeView", b.ShellTreeView) &&
               io.Bounds("Bounds", b.Bounds);
    } else if constexpr (std::is_same_v<Block, ShellTreeView>) {
        return io.I16("Cursor", b.Cursor) && io.String("Hint", b.Hint) && io.Font("Font", b.Font) &&
               io.U8("Border", b.Border) && io.Colour("Color", b.Color) &&
               io.Bool("HotTrack", b.HotTrack) && io.String("Root", b.Root) &&
               io.String("ShellListView", b.ShellListView) && io.Bounds("Bounds", b.Bounds);
    } else {
        static_assert(std::is_same_v<Block, ShellListView>);
        return io.I16("Cursor", b.Cursor) && io.String("Hint", b.Hint) && io.Font("Font", b.Font) &&
               io.U8("Border", b.Border) && io.Colour("Color", b.Color) &&
               io.Bool("HotTrack", b.HotTrack) && io.U8("HotTrackStyles", b.HotTrackStyles) &&
               io.U8("ViewStyle", b.ViewStyle) && io.String("Root", b.Root) &&
               io.Bounds("Bounds", b.Bounds);
    }
}

// Fields 1-42: the window, background, fades, start sound, kind and the start action.
template <typename IO> bool PageHeadFields(IO& io, auto& p) {
    if (!(io.U8("BorderIcons", p.BorderIcons) && io.U8("BorderStyle", p.BorderStyle) &&
          io.I32("BorderWidth", p.BorderWidth) && io.String("Caption", p.Caption) &&
          io.String("Hint", p.Hint) && io.U8("Position", p.Position) &&
          io.U8("WindowState", p.WindowState) &&
          io.Colour("TransparentColorValue", p.TransparentColorValue) &&
          io.Bool("Transparent", p.Transparent) && io.Picture("PageIcon", p.PageIcon) &&
          io.Colour("BackColor", p.BackColor) && io.Colour("GradientColor", p.GradientColor) &&
          io.U8("GradientStyle", p.GradientStyle) && io.Picture("BackImage", p.BackImage) &&
          io.U8("BackImageStyle", p.BackImageStyle) && io.Bool("Shadow", p.Shadow) &&
          io.Colour("ShadowColor", p.ShadowColor) && io.I32("ShadowXOff", p.ShadowXOff) &&
          io.I32("ShadowYOff", p.ShadowYOff) && io.U8("ShadowAlpha", p.ShadowAlpha) &&
          io.Bool("FadeIn", p.FadeIn) && io.Bool("FadeOut", p.FadeOut) &&
          io.I32("FadeInDelay", p.FadeInDelay) && io.I32("FadeInStep", p.FadeInStep) &&
          io.I32("FadeOutDelay", p.FadeOutDelay) && io.I32("FadeOutStep", p.FadeOutStep) &&
          io.String("StartSound", p.StartSound) && io.Bool("StartSoundLoop", p.StartSoundLoop) &&
          io.I32("StartSoundDelay", p.StartSoundDelay) && io.U8("PageKind", p.PageKind) &&
          io.U8("Reserved1", p.Reserved1) && io.I32("Reserved2", p.Reserved2) &&
          io.U8("Reserved3", p.Reserved3) && io.U8("Reserved4", p.Reserved4) &&
          io.I32("StayTime", p.StayTime) && io.Bool("ClickContinue", p.ClickContinue) &&
          io.I32("Left", p.Left) && io.I32("Top", p.Top) && io.I32("Width", p.Width) &&
          io.I32("Height", p.Height) && io.Command("StartCommand", p.StartCommand))) {
        return false;
    }
    const bool hasPicture =
        IO::kReading ? !p.StartCommand.IdentityWasEmpty : !PackIdentity(p.StartCommand).empty();
    return !hasPicture || io.Picture("StartCommandPicture", p.StartCommandPicture);
}

// The menus of a page, named by the caller.
template <typename IO> bool MenuFields(IO& io, const char* name, auto& items) {
    return io.List(name, items, kMinMenuItemSize,
                   [&](auto& item) { return MenuItemFields(io, item, 0); });
}

// Fields 48-56: the status bar and the tool bar.
template <typename IO> bool BarsFields(IO& io, auto& page) {
    constexpr std::uint64_t kMinPanelSize = 1 + 4 + 4;
    constexpr std::uint64_t kMinToolButtonSize = 4 + 4 + 4 + kMinCommandSize + 1;
    auto& status = page.StatusBar;
    auto& tools = page.ToolBar;
    return io.Object("StatusBar", [&] {
        return io.I32("Height", status.Height) && io.Font("Font", status.Font) &&
               io.List("Panels", status.Panels, kMinPanelSize,
                       [&](auto& panel) { return StatusPanelFields(io, panel); });
    }) && io.Object("ToolBar", [&] {
        return io.Bool("ShowCaptions", tools.ShowCaptions) &&
               io.Bool("CaptionsRight", tools.CaptionsRight) && io.Font("Font", tools.Font) &&
               io.I32("ImageWidth", tools.ImageWidth) && io.I32("ImageHeight", tools.ImageHeight) &&
               io.List("Buttons", tools.Buttons, kMinToolButtonSize,
                       [&](auto& button) { return ToolButtonFields(io, button); });
    });
}

} // namespace carvelle::fields
