#include "kind_blocks.h"

#include "common/error_codes.h"
#include "common/guarded.h"
#include "items_io.h"
#include "record_io.h"

#include <array>
#include <type_traits>
#include <utility>

namespace carvelle {

namespace {

using namespace kinds;

// Older records lack the part after this marker in SimpleText and Shape blocks.
constexpr std::int32_t kNewerPartMarker = -1;

// Forwards the nested records of list-type blocks to their own readers and writers.
template <typename IO> struct Nested {
    static bool Item(IO& io, auto& item, ItemForm form) {
        if constexpr (IO::kReading) {
            return ReadItem(io.Raw(), item, form);
        } else {
            return WriteItem(io.Raw(), item, form);
        }
    }
    static bool Column(IO& io, auto& column) {
        if constexpr (IO::kReading) {
            return ReadColumn(io.Raw(), column);
        } else {
            return WriteColumn(io.Raw(), column);
        }
    }
    static bool Node(IO& io, auto& node) {
        if constexpr (IO::kReading) {
            return ReadTreeNode(io.Raw(), node);
        } else {
            return WriteTreeNode(io.Raw(), node);
        }
    }
    static bool SlideSettings(IO& io, auto& settings) {
        if constexpr (IO::kReading) {
            return ReadSlideSettings(io.Raw(), settings);
        } else {
            return WriteSlideSettings(io.Raw(), settings);
        }
    }
};

template <typename IO> bool Items(IO& io, auto& items, ItemForm form) {
    const std::uint64_t minSize = kMinItemSize + (form == ItemForm::Plain ? 0 : 4);
    return io.List(items, minSize, [&](auto& item) { return Nested<IO>::Item(io, item, form); });
}

// The four settings every anti-aliased text kind starts its look with.
template <typename IO> bool LookStart(IO& io, auto& look) {
    return io.U8(look.Alignment) && io.Colour(look.BackColor) && io.Picture(look.BackImage) &&
           io.U8(look.BackImageStyle);
}

template <typename IO> bool Fields(IO& io, auto& b) {
    using Block = std::remove_cvref_t<decltype(b)>;
    if constexpr (std::is_same_v<Block, Button>) {
        return io.I16(b.Cursor) && io.String(b.Caption) && io.String(b.Hint) && io.Font(b.Font) &&
               io.U8(b.ButtonType) && io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, ImageButton>) {
        return io.String(b.Caption) && io.Picture(b.MouseDownImage) && io.Picture(b.NormalImage) &&
               io.Picture(b.MouseOverImage) && io.Font(b.MouseDownFont) && io.Font(b.NormalFont) &&
               io.Font(b.MouseOverFont) && io.String(b.Hint) && io.U8(b.ButtonStyle) &&
               io.I32(b.Margin) && io.U8(b.ImageLayout) && io.I32(b.Space) &&
               io.Bool(b.MouseDownSlide) && io.U8(b.ButtonType) && io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, Image>) {
        return io.Bool(b.AutoSize) && io.Bool(b.Center) && io.I32(b.Height) && io.String(b.Hint) &&
               io.I32(b.Left) && io.Bool(b.Stretch) && io.I32(b.Top) && io.Bool(b.Transparent) &&
               io.I32(b.Width) && io.Bool(b.Pressed) && io.Bool(b.Hover) &&
               io.I32(b.ShownPicture) && io.Picture(b.MouseDownImage) &&
               io.Picture(b.NormalImage) && io.Picture(b.MouseOverImage);
    } else if constexpr (std::is_same_v<Block, Label> || std::is_same_v<Block, Link>) {
        if (!(io.U8(b.Align) && io.Bool(b.AutoSize) && io.I32(b.Margin) && LookStart(io, b.Look) &&
              io.U8(b.Layout) && io.U8(b.Quality) && io.Bool(b.Transparent) &&
              io.Effect(b.Look.Effect))) {
            return false;
        }
        if constexpr (std::is_same_v<Block, Link>) {
            auto& h = b.Hot;
            if (!(io.Colour(h.BackColor) && io.Picture(h.BackGround) && io.U8(h.BackGroundMode) &&
                  io.Colour(h.Color) && io.Bool(h.Fade) && io.I32(h.FadeDelay) &&
                  io.Bool(h.Transparent) && io.Bool(h.UnderLine) && io.String(h.URL) &&
                  io.Effect(h.Effect))) {
                return false;
            }
        }
        return io.I16(b.Cursor) && io.String(b.Caption) && io.String(b.Hint) && io.Font(b.Font) &&
               io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, FadeLabel>) {
        return io.Bool(b.Active) && io.U8(b.Align) && io.Bool(b.AutoSize) && io.I32(b.Margin) &&
               LookStart(io, b.Look) && io.Effect(b.Look.Effect) && io.U8(b.LabelEffect) &&
               io.String(b.Lines) && io.U8(b.Quality) && io.Bool(b.Transparent) &&
               io.FontLabels(b.FontLabels) && io.I32(b.RepeatCount) && io.I32(b.FadeDelay) &&
               io.U8(b.Layout) && io.I32(b.LineDelay) && io.I16(b.Cursor) && io.String(b.Hint) &&
               io.Font(b.Font) && io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, Text>) {
        return io.U8(b.Align) && io.Bool(b.AutoSize) && io.I32(b.Margin) && LookStart(io, b.Look) &&
               io.Effect(b.Look.Effect) && io.U8(b.LabelEffect) && io.String(b.Lines) &&
               io.U8(b.Quality) && io.I16(b.RowPitch) && io.Bool(b.Transparent) &&
               io.Bool(b.WordWrap) && io.FontLabels(b.FontLabels) && io.I16(b.Cursor) &&
               io.String(b.Hint) && io.Font(b.Font) && io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, ScrollText>) {
        if (!(io.Bool(b.Active) && io.U8(b.Align) && LookStart(io, b.Look) && io.Bool(b.Fade) &&
              io.I32(b.FadeHeight) && io.Font(b.Font) && io.Effect(b.Look.Effect) &&
              io.I32(b.HeadSpace) && io.U8(b.LabelEffect) && io.String(b.Lines) &&
              io.U8(b.Quality) && io.I16(b.RowPitch) && io.I32(b.TailSpace))) {
            return false;
        }
        // Word wrap takes four bytes; only the first carries the flag.
        if constexpr (IO::kReading) {
            std::int32_t wide = 0;
            io.I32(wide);
            b.WordWrap = (wide & 0xFF) != 0;
        } else {
            io.I32(b.WordWrap ? 1 : 0);
        }
        return io.FontLabels(b.FontLabels) && io.I32(b.RepeatCount) && io.I32(b.RepeatDelay) &&
               io.I32(b.ScrollDelay) && io.I32(b.ScrollStep) && io.I16(b.Cursor) &&
               io.String(b.Hint) && io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, TextBox>) {
        return io.U8(b.Align) && io.U8(b.Alignment) && io.U8(b.Border) && io.I32(b.BorderWidth) &&
               io.Colour(b.BackColor) && io.String(b.Text) && io.U8(b.ScrollBar) &&
               io.Bool(b.WordWrap) && io.I16(b.Cursor) && io.String(b.Hint) && io.Font(b.Font) &&
               io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, RichText>) {
        return io.U8(b.Align) && io.U8(b.Alignment) && io.U8(b.Border) && io.I32(b.BorderWidth) &&
               io.Colour(b.BackColor) && io.Blob(b.Rtf) && io.Bool(b.PlainText) &&
               io.U8(b.ScrollBar) && io.Bool(b.WordWrap) && io.I16(b.Cursor) && io.String(b.Hint) &&
               io.Font(b.Font) && io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, Avi>) {
        return io.I16(b.Cursor) && io.String(b.Hint) && io.String(b.FileName) &&
               io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, Explorer>) {
        return io.U8(b.Align) && io.I16(b.Cursor) && io.String(b.Hint) && io.U8(b.ExplorerType) &&
               io.String(b.Target) && io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, MediaPlayer>) {
        return io.I32(b.ReservedValue) && io.Bool(b.FullScreen) && io.Bool(b.Play) &&
               io.Bool(b.ControlBar) && io.Bool(b.Border) && io.Bool(b.Loop) &&
               io.String(b.FileName) && io.String(b.Hint) && io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, SlideShow>) {
        return io.Bool(b.Play) && io.Bool(b.Loop) && io.Bool(b.ControlBar) && io.Bool(b.Border) &&
               io.I32(b.ReservedValue) && io.Bool(b.FullScreen) && io.String(b.WorkFolder) &&
               io.String(b.Hint) && Nested<IO>::SlideSettings(io, b.Settings) &&
               io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, Edit>) {
        if (!(io.Bool(b.AutoHeight) && io.U8(b.Border) && io.U8(b.CharCase) && io.Colour(b.Color) &&
              io.I32(b.MaxLength) && io.U8(b.PasswordChar) && io.I32(b.TabOrder) &&
              io.I16(b.Cursor) && io.String(b.Hint) && io.Font(b.Font) && io.I32(b.AllowRetry) &&
              io.String(b.ErrorMessage) && io.String(b.ErrorCaption) &&
              io.String(b.FailedMessage) && io.String(b.FailedCaption))) {
            return false;
        }
        // The accepted text and the accepted list share one string, split at a byte 1.
        if constexpr (IO::kReading) {
            std::string accepted;
            if (!io.String(accepted)) {
                return false;
            }
            const auto split = accepted.find('\x01');
            b.AccurateText = accepted.substr(0, split);
            b.TextList = split == std::string::npos ? std::string() : accepted.substr(split + 1);
        } else if (!io.String(b.AccurateText + '\x01' + b.TextList)) {
            return false;
        }
        return io.String(b.Text) && io.Bounds(b.Bounds);
    } else if constexpr (std::is_base_of_v<Agreement, Block>) {
        return io.U8(b.Alignment) && io.String(b.Caption) && io.Bool(b.Checked) &&
               io.Colour(b.Color) && io.I16(b.Cursor) && io.String(b.Hint) && io.Font(b.Font) &&
               io.I32(b.TabOrder) && io.Bool(b.WordWrap) && io.I32(b.ReservedValue) &&
               io.String(b.ErrorMessage) && io.String(b.ErrorCaption) &&
               io.String(b.ReservedText1) && io.String(b.ReservedText2) && io.Bool(b.NeedCheck) &&
               io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, SimpleText>) {
        if (!(io.I16(b.Cursor) && io.String(b.Hint) && io.String(b.Caption) && io.U8(b.Align) &&
              io.U8(b.Alignment) && io.Bool(b.AutoSize) && io.U8(b.Layout) &&
              io.Bool(b.Transparent) && io.Colour(b.BackColor) && io.Colour(b.HotBackColor) &&
              io.Font(b.Font) && io.Font(b.HotFont) && io.I32(b.Bounds.Left) &&
              io.I32(b.Bounds.Top) && io.I32(b.Bounds.Width))) {
            return false;
        }
        if constexpr (IO::kReading) {
            std::int32_t marker = 0;
            io.I32(marker);
            if (marker != kNewerPartMarker) {
                // An older record: the Integer is the height, and the pressed look is the hot one.
                b.Bounds.Height = marker;
                b.MouseDownBackColor = b.HotBackColor;
                b.MouseDownFont = b.HotFont;
                return true;
            }
        } else {
            io.I32(kNewerPartMarker);
        }
        return io.Colour(b.MouseDownBackColor) && io.Font(b.MouseDownFont) &&
               io.I32(b.Bounds.Height);
    } else if constexpr (std::is_same_v<Block, Flash>) {
        return io.I16(b.Cursor) && io.String(b.Hint) && io.U8(b.Align) && io.Bool(b.Loop) &&
               io.Bool(b.ContextMenu) && io.String(b.MovieFile) && io.String(b.ReservedText) &&
               io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, Shape>) {
        if (!(io.I16(b.Cursor) && io.String(b.Hint) && io.U8(b.Align) && io.Colour(b.FillColor) &&
              io.I32(b.FillStyle) && io.Colour(b.GradientColor) && io.I32(b.Parameter) &&
              io.I32(b.Figure) && io.I32(b.Bounds.Left) && io.I32(b.Bounds.Top) &&
              io.I32(b.Bounds.Width))) {
            return false;
        }
        if constexpr (IO::kReading) {
            std::int32_t marker = 0;
            io.I32(marker);
            if (marker != kNewerPartMarker) {
                // An older record: the Integer is the height, and there is no border.
                b.Bounds.Height = marker;
                b.BorderWidth = 0;
                b.BorderColor = 0;
                return true;
            }
        } else {
            io.I32(kNewerPartMarker);
        }
        return io.I32(b.BorderWidth) && io.Colour(b.BorderColor) && io.I32(b.Bounds.Height);
    } else if constexpr (std::is_same_v<Block, ListBox>) {
        return io.I16(b.Cursor) && io.String(b.Hint) && io.Font(b.Font) && io.U8(b.Border) &&
               io.Colour(b.Color) && io.I32(b.ItemHeight) && io.I32(b.IconWidth) &&
               io.I32(b.IconHeight) && Items(io, b.Items, ItemForm::Plain) &&
               io.I32(b.SelectedIndex) && io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, DropDownList>) {
        return io.I16(b.Cursor) && io.String(b.Hint) && io.Font(b.Font) && io.Colour(b.Color) &&
               io.I32(b.ItemHeight) && io.I32(b.IconWidth) && io.I32(b.IconHeight) &&
               Items(io, b.Items, ItemForm::Plain) && io.I32(b.SelectedIndex) &&
               io.I32(b.DropDownCount) && io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, ListView>) {
        return io.I16(b.Cursor) && io.String(b.Hint) && io.Font(b.Font) && io.U8(b.Border) &&
               io.Colour(b.Color) && io.I32(b.IconWidth) && io.I32(b.IconHeight) &&
               io.Bool(b.HotTrack) && io.U8(b.HotTrackStyles) &&
               io.List(b.ReportColumns, kMinColumnSize,
                       [&](auto& column) { return Nested<IO>::Column(io, column); }) &&
               Items(io, b.Items, ItemForm::WithText) && io.Bool(b.ColumnClick) &&
               io.Bool(b.ReportGridLines) && io.Bool(b.HideSelection) &&
               io.Bool(b.ReportRowSelect) && io.Bool(b.ShowColumnHeaders) && io.U8(b.SortType) &&
               io.U8(b.ViewStyle) && io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, TreeView>) {
        return io.I16(b.Cursor) && io.String(b.Hint) && io.Font(b.Font) && io.U8(b.Border) &&
               io.Colour(b.Color) && io.I32(b.IconWidth) && io.I32(b.IconHeight) &&
               io.Bool(b.HotTrack) && io.Bool(b.ShowRoot) && io.I32(b.ExpandLevels) &&
               io.String(b.AssociatedListView) &&
               io.List(b.Nodes, kMinItemSize + 12,
                       [&](auto& node) { return Nested<IO>::Node(io, node); }) &&
               io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, ShellComboBox>) {
        return io.I16(b.Cursor) && io.String(b.Hint) && io.Font(b.Font) && io.Colour(b.Color) &&
               io.I32(b.DropDownCount) && io.String(b.Root) && io.String(b.ShellTreeView) &&
               io.Bounds(b.Bounds);
    } else if constexpr (std::is_same_v<Block, ShellTreeView>) {
        return io.I16(b.Cursor) && io.String(b.Hint) && io.Font(b.Font) && io.U8(b.Border) &&
               io.Colour(b.Color) && io.Bool(b.HotTrack) && io.String(b.Root) &&
               io.String(b.ShellListView) && io.Bounds(b.Bounds);
    } else {
        static_assert(std::is_same_v<Block, ShellListView>);
        return io.I16(b.Cursor) && io.String(b.Hint) && io.Font(b.Font) && io.U8(b.Border) &&
               io.Colour(b.Color) && io.Bool(b.HotTrack) && io.U8(b.HotTrackStyles) &&
               io.U8(b.ViewStyle) && io.String(b.Root) && io.Bounds(b.Bounds);
    }
}

constexpr std::array<KindInfo, kKindCount> kKinds{{
    {"Button", "TAuButton", ErrorCode::ButtonWrite, ErrorCode::ButtonRead},
    {"ImageButton", "TAuImageButton", ErrorCode::ImageButtonWrite, ErrorCode::ImageButtonRead},
    {"Image", "TAuImage", ErrorCode::ImageWrite, ErrorCode::ImageRead},
    {"Label", "TAuLabel", ErrorCode::LabelWrite, ErrorCode::LabelRead},
    {"Link", "TAuLink", ErrorCode::LinkWrite, ErrorCode::LinkRead},
    {"FadeLabel", "TAuFadeLabel", ErrorCode::FadeLabelWrite, ErrorCode::FadeLabelRead},
    {"Text", "TAuText", ErrorCode::TextWrite, ErrorCode::TextRead},
    {"ScrollText", "TAuScrollText", ErrorCode::ScrollTextWrite, ErrorCode::ScrollTextRead},
    {"TextBox", "TAuTextBox", ErrorCode::TextBoxWrite, ErrorCode::TextBoxRead},
    {"RichText", "TAuRichTextBox", ErrorCode::RichTextWrite, ErrorCode::RichTextRead},
    {"AVI", "TAuAVI", ErrorCode::AviWrite, ErrorCode::AviRead},
    {"Explorer", "TAuExplorer", ErrorCode::ExplorerWrite, ErrorCode::ExplorerRead},
    {"MediaPlayer", "TAuMedia", ErrorCode::MediaPlayerWrite, ErrorCode::MediaPlayerRead},
    {"SlideShow", "TAuSlideShow", ErrorCode::SlideShowWrite, ErrorCode::SlideShowRead},
    {"Edit", "TAuSecurityEdit", ErrorCode::EditWrite, ErrorCode::EditRead},
    {"RadioButton", "TAuAgreementRadio", ErrorCode::RadioButtonWrite, ErrorCode::RadioButtonRead},
    {"CheckBox", "TAuAgreementCheck", ErrorCode::CheckBoxWrite, ErrorCode::CheckBoxRead},
    {"SimpleText", "TAuSimpleText", ErrorCode::SimpleTextWrite, ErrorCode::SimpleTextRead},
    {"Flash", "TAuFlash", ErrorCode::FlashWrite, ErrorCode::FlashRead},
    {"Shape", "TAuShape", ErrorCode::ShapeWrite, ErrorCode::ShapeRead},
    {"ListBox", "TAuListBox", ErrorCode::ListBoxWrite, ErrorCode::ListBoxRead},
    {"DropDownList", "TAuComboBox", ErrorCode::DropDownListWrite, ErrorCode::DropDownListRead},
    {"ListView", "TAuListView", ErrorCode::ListViewWrite, ErrorCode::ListViewRead},
    {"TreeView", "TAuTreeView", ErrorCode::TreeViewWrite, ErrorCode::TreeViewRead},
    {"ShellComboBox", "TAuShellComboBox", ErrorCode::ShellComboBoxWrite,
     ErrorCode::ShellComboBoxRead},
    {"ShellTreeView", "TAuShellTreeView", ErrorCode::ShellTreeViewWrite,
     ErrorCode::ShellTreeViewRead},
    {"ShellListView", "TAuShellListView", ErrorCode::ShellListViewWrite,
     ErrorCode::ShellListViewRead},
}};

constexpr std::uint8_t kExplorerKind = 11;

int BlockCode(std::uint8_t kind, bool placeholder, bool reading) {
    if (kind == kExplorerKind && placeholder) {
        return reading ? ErrorCode::ExplorerPlaceholderRead : ErrorCode::ExplorerPlaceholderWrite;
    }
    return reading ? kKinds[kind].ReadCode : kKinds[kind].WriteCode;
}

template <std::size_t... I> KindProperties MakeKind(std::uint8_t kind, std::index_sequence<I...>) {
    KindProperties properties;
    ((kind == I ? (properties.template emplace<I>(), true) : false) || ...);
    return properties;
}

} // namespace

bool IsKnownKind(std::uint8_t kind) {
    return kind < kKindCount;
}

const KindInfo& KindInfoOf(std::uint8_t kind) {
    return kKinds.at(kind);
}

KindProperties DefaultKindProperties(std::uint8_t kind) {
    return MakeKind(kind, std::make_index_sequence<kKindCount>{});
}

bool WriteKindBlock(Stream& stream, const KindProperties& properties, bool placeholder) {
    const std::uint8_t kind = KindOf(properties);
    return Guarded(BlockCode(kind, placeholder, false), [&] {
        RecordWriter io(stream);
        return std::visit([&](const auto& block) { return Fields(io, block); }, properties);
    });
}

bool ReadKindBlock(Stream& stream, std::uint8_t kind, KindProperties& properties,
                   bool placeholder) {
    if (!IsKnownKind(kind)) {
        return false;
    }
    properties = DefaultKindProperties(kind);
    return Guarded(BlockCode(kind, placeholder, true), [&] {
        RecordReader io(stream);
        return std::visit([&](auto& block) { return Fields(io, block); }, properties);
    });
}

} // namespace carvelle
