#pragma once

#include "items.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// The properties each object kind stores in its block, in the model's own terms. Field names
// follow the designer's property names.
namespace carvelle::kinds {

inline constexpr Colour WindowColour = 0xFF000005;
inline constexpr Colour Blue = 0x00FF0000;

// Shared by the anti-aliased text kinds.
struct TextLook {
    std::uint8_t Alignment = 0;
    Colour BackColor = Colours::White;
    Picture BackImage;
    std::uint8_t BackImageStyle = 0;
    TextEffect Effect = DefaultEffect();

    static TextEffect DefaultEffect() {
        TextEffect effect;
        effect.Shadow.Enabled = true;
        effect.Texture.Enabled = true;
        return effect;
    }
    bool operator==(const TextLook&) const = default;
};

inline Font ArialFont(std::int32_t size = 16) {
    Font font;
    font.Name = "Arial";
    font.Size = size;
    return font;
}

struct Button {
    std::int16_t Cursor = 0;
    std::string Caption;
    std::string Hint;
    carvelle::Font Font;
    std::uint8_t ButtonType = 0; // 0 Normal, 1 OK, 2 Cancel, 3 Submit
    carvelle::Bounds Bounds{0, 0, 105, 25};
    bool operator==(const Button&) const = default;
};

struct ImageButton {
    std::string Caption;
    Picture MouseDownImage;
    Picture NormalImage;
    Picture MouseOverImage;
    carvelle::Font MouseDownFont = ColouredFont(Colours::Black);
    carvelle::Font NormalFont = ColouredFont(Colours::Black);
    carvelle::Font MouseOverFont = ColouredFont(Colours::White);
    std::string Hint;
    std::uint8_t ButtonStyle = 0;
    std::int32_t Margin = 2;
    std::uint8_t ImageLayout = 0;
    std::int32_t Space = 2;
    bool MouseDownSlide = true;
    std::uint8_t ButtonType = 0;
    carvelle::Bounds Bounds{0, 0, 105, 25};

    static carvelle::Font ColouredFont(Colour colour) {
        carvelle::Font font;
        font.Color = colour;
        return font;
    }
    bool operator==(const ImageButton&) const = default;
};

struct Image {
    bool AutoSize = false;
    bool Center = false;
    std::int32_t Height = 105;
    std::string Hint;
    std::int32_t Left = 0;
    bool Stretch = false;
    std::int32_t Top = 0;
    bool Transparent = false;
    std::int32_t Width = 105;
    bool Pressed = false;
    bool Hover = false;
    std::int32_t ShownPicture = -1; // as stored; the player chooses afresh
    Picture MouseDownImage;
    Picture NormalImage;
    Picture MouseOverImage;
    bool operator==(const Image&) const = default;
};

struct Label {
    std::uint8_t Align = 0;
    bool AutoSize = false;
    std::int32_t Margin = 0;
    TextLook Look;
    std::uint8_t Layout = 0;
    std::uint8_t Quality = 0;
    bool Transparent = true;
    std::int16_t Cursor = 0;
    std::string Caption;
    std::string Hint;
    carvelle::Font Font = ArialFont();
    carvelle::Bounds Bounds{0, 0, 105, 25};
    bool operator==(const Label&) const = default;
};

// The look of a link while the pointer is over it.
struct HotLink {
    Colour BackColor = Colours::White;
    Picture BackGround;
    std::uint8_t BackGroundMode = 0;
    Colour Color = Blue;
    bool Fade = false;
    std::int32_t FadeDelay = 0;
    bool Transparent = true;
    bool UnderLine = false;
    std::string URL;
    TextEffect Effect = TextLook::DefaultEffect();
    bool operator==(const HotLink&) const = default;
};

struct Link {
    std::uint8_t Align = 0;
    bool AutoSize = true;
    std::int32_t Margin = 0;
    TextLook Look;
    std::uint8_t Layout = 0;
    std::uint8_t Quality = 0;
    bool Transparent = true;
    HotLink Hot;
    std::int16_t Cursor = 0;
    std::string Caption;
    std::string Hint;
    carvelle::Font Font = ArialFont();
    carvelle::Bounds Bounds{0, 0, 105, 25};
    bool operator==(const Link&) const = default;
};

struct FadeLabel {
    bool Active = true;
    std::uint8_t Align = 0;
    bool AutoSize = false;
    std::int32_t Margin = 0;
    TextLook Look;
    std::uint8_t LabelEffect = 0;
    std::string Lines;
    std::uint8_t Quality = 0;
    bool Transparent = true;
    std::vector<FontLabel> FontLabels;
    std::int32_t RepeatCount = 0;
    std::int32_t FadeDelay = 0;
    std::uint8_t Layout = 0;
    std::int32_t LineDelay = 0;
    std::int16_t Cursor = 0;
    std::string Hint;
    carvelle::Font Font = ArialFont();
    carvelle::Bounds Bounds{0, 0, 105, 25};
    bool operator==(const FadeLabel&) const = default;
};

struct Text {
    std::uint8_t Align = 0;
    bool AutoSize = false;
    std::int32_t Margin = 0;
    TextLook Look;
    std::uint8_t LabelEffect = 0;
    std::string Lines;
    std::uint8_t Quality = 0;
    std::int16_t RowPitch = 0;
    bool Transparent = true;
    bool WordWrap = true;
    std::vector<FontLabel> FontLabels;
    std::int16_t Cursor = 0;
    std::string Hint;
    carvelle::Font Font = ArialFont();
    carvelle::Bounds Bounds{0, 0, 209, 209};
    bool operator==(const Text&) const = default;
};

struct ScrollText {
    bool Active = true;
    std::uint8_t Align = 0;
    TextLook Look;
    bool Fade = true;
    std::int32_t FadeHeight = 10;
    carvelle::Font Font = ArialFont();
    std::int32_t HeadSpace = 0;
    std::uint8_t LabelEffect = 0;
    std::string Lines;
    std::uint8_t Quality = 0;
    std::int16_t RowPitch = 0;
    std::int32_t TailSpace = 0;
    bool WordWrap = true; // stored in four bytes, the first being the flag
    std::vector<FontLabel> FontLabels;
    std::int32_t RepeatCount = 0;
    std::int32_t RepeatDelay = 0;
    std::int32_t ScrollDelay = 60;
    std::int32_t ScrollStep = 1;
    std::int16_t Cursor = 0;
    std::string Hint;
    carvelle::Bounds Bounds{0, 0, 209, 209};
    bool operator==(const ScrollText&) const = default;
};

struct TextBox {
    std::uint8_t Align = 0;
    std::uint8_t Alignment = 0;
    std::uint8_t Border = 1;
    std::int32_t BorderWidth = 0;
    Colour BackColor = WindowColour;
    std::string Text;
    std::uint8_t ScrollBar = 2;
    bool WordWrap = true;
    std::int16_t Cursor = -2; // arrow
    std::string Hint;
    carvelle::Font Font;
    carvelle::Bounds Bounds{0, 0, 209, 209};
    bool operator==(const TextBox&) const = default;
};

struct RichText {
    std::uint8_t Align = 0;
    std::uint8_t Alignment = 0;
    std::uint8_t Border = 1;
    std::int32_t BorderWidth = 0;
    Colour BackColor = WindowColour;
    std::string Rtf; // the document as the rich edit control saves it
    bool PlainText = false;
    std::uint8_t ScrollBar = 2;
    bool WordWrap = true;
    std::int16_t Cursor = -2;
    std::string Hint;
    carvelle::Font Font;
    carvelle::Bounds Bounds{0, 0, 209, 209};
    bool operator==(const RichText&) const = default;
};

struct Avi {
    std::int16_t Cursor = 0;
    std::string Hint;
    std::string FileName;
    carvelle::Bounds Bounds{0, 0, 105, 105};
    bool operator==(const Avi&) const = default;
};

struct Explorer {
    std::uint8_t Align = 0;
    std::int16_t Cursor = 0;
    std::string Hint;
    std::uint8_t ExplorerType = 1; // 0 Folder, 1 WebSite, 2 File
    std::string Target;
    carvelle::Bounds Bounds{0, 0, 209, 209};
    bool operator==(const Explorer&) const = default;
};

struct MediaPlayer {
    std::int32_t ReservedValue = 0;
    bool FullScreen = false;
    bool Play = true;
    bool ControlBar = true;
    bool Border = false;
    bool Loop = true;
    std::string FileName;
    std::string Hint;
    carvelle::Bounds Bounds{0, 0, 209, 185};
    bool operator==(const MediaPlayer&) const = default;
};

struct SlideShow {
    bool Play = true;
    bool Loop = true;
    bool ControlBar = true;
    bool Border = false;
    std::int32_t ReservedValue = 0;
    bool FullScreen = false;
    std::string WorkFolder;
    std::string Hint;
    TPSImage Settings;
    carvelle::Bounds Bounds{0, 0, 209, 185};
    bool operator==(const SlideShow&) const = default;
};

struct Edit {
    bool AutoHeight = true;
    std::uint8_t Border = 1;
    std::uint8_t CharCase = 0;
    Colour Color = WindowColour;
    std::int32_t MaxLength = 0;
    std::uint8_t PasswordChar = 0;
    std::int32_t TabOrder = 0;
    std::int16_t Cursor = 0;
    std::string Hint;
    carvelle::Font Font;
    std::int32_t AllowRetry = 0;
    std::string ErrorMessage = "Invalid text, please retry.";
    std::string ErrorCaption = "Invalid";
    std::string FailedMessage = "Invalid text, exit.";
    std::string FailedCaption = "Invalid";
    std::string AccurateText;
    std::string TextList; // Text: one accepted text per line
    std::string Text;
    carvelle::Bounds Bounds{0, 0, 121, 21};
    bool operator==(const Edit&) const = default;
};

// RadioButton and CheckBox share their block.
struct Agreement {
    std::uint8_t Alignment = 1; // caption on the right
    std::string Caption;
    bool Checked = false;
    Colour Color = Colours::ButtonFace;
    std::int16_t Cursor = 0;
    std::string Hint;
    carvelle::Font Font;
    std::int32_t TabOrder = 0;
    bool WordWrap = false;
    std::int32_t ReservedValue = 0;
    std::string ErrorMessage;
    std::string ErrorCaption = "Invalid";
    std::string ReservedText1;
    std::string ReservedText2;
    bool NeedCheck = true;
    carvelle::Bounds Bounds;
    bool operator==(const Agreement&) const = default;
};

struct RadioButton : Agreement {
    RadioButton() {
        ErrorMessage = "Please select the radio button.";
        Bounds = {0, 0, 113, 17};
    }
};

struct CheckBox : Agreement {
    CheckBox() {
        ErrorMessage = "Please select the check box.";
        Bounds = {0, 0, 97, 17};
    }
};

struct SimpleText {
    std::int16_t Cursor = 0;
    std::string Hint;
    std::string Caption;
    std::uint8_t Align = 0;
    std::uint8_t Alignment = 0;
    bool AutoSize = false;
    std::uint8_t Layout = 0;
    bool Transparent = true;
    Colour BackColor = Colours::ButtonFace;
    Colour HotBackColor = Blue;
    carvelle::Font Font;
    carvelle::Font HotFont = WhiteFont();
    carvelle::Bounds Bounds{0, 0, 105, 17};
    Colour MouseDownBackColor = Blue;
    carvelle::Font MouseDownFont = WhiteFont();

    static carvelle::Font WhiteFont() {
        carvelle::Font font;
        font.Color = Colours::White;
        return font;
    }
    bool operator==(const SimpleText&) const = default;
};

struct Flash {
    std::int16_t Cursor = 0;
    std::string Hint;
    std::uint8_t Align = 0;
    bool Loop = true;
    bool ContextMenu = true;
    std::string MovieFile;
    std::string ReservedText;
    carvelle::Bounds Bounds{0, 0, 209, 105};
    bool operator==(const Flash&) const = default;
};

struct Shape {
    std::int16_t Cursor = 0;
    std::string Hint;
    std::uint8_t Align = 0;
    Colour FillColor = Colours::White;
    std::int32_t FillStyle = 0;
    Colour GradientColor = Colours::Black;
    std::int32_t Parameter = 30;
    std::int32_t Figure = 0; // "Shape" in the designer
    carvelle::Bounds Bounds{0, 0, 105, 105};
    std::int32_t BorderWidth = 1;
    Colour BorderColor = Colours::Black;
    bool operator==(const Shape&) const = default;
};

struct ListBox {
    std::int16_t Cursor = 0;
    std::string Hint;
    carvelle::Font Font;
    std::uint8_t Border = 1;
    Colour Color = WindowColour;
    std::int32_t ItemHeight = 19;
    std::int32_t IconWidth = 16;
    std::int32_t IconHeight = 16;
    std::vector<TListBoxItem> Items;
    std::int32_t SelectedIndex = -1;
    carvelle::Bounds Bounds{0, 0, 209, 209};
    bool operator==(const ListBox&) const = default;
};

struct DropDownList {
    std::int16_t Cursor = 0;
    std::string Hint;
    carvelle::Font Font;
    Colour Color = WindowColour;
    std::int32_t ItemHeight = 19;
    std::int32_t IconWidth = 16;
    std::int32_t IconHeight = 16;
    std::vector<TListBoxItem> Items;
    std::int32_t SelectedIndex = -1;
    std::int32_t DropDownCount = 8;
    carvelle::Bounds Bounds{0, 0, 145, 25};
    bool operator==(const DropDownList&) const = default;
};

namespace HotTrackStyle {
inline constexpr std::uint8_t HandPoint = 1;
inline constexpr std::uint8_t UnderlineCold = 2;
inline constexpr std::uint8_t UnderlineHot = 4;
} // namespace HotTrackStyle

struct ListView {
    std::int16_t Cursor = 0;
    std::string Hint;
    carvelle::Font Font;
    std::uint8_t Border = 1;
    Colour Color = WindowColour;
    std::int32_t IconWidth = 32;
    std::int32_t IconHeight = 32;
    bool HotTrack = false;
    std::uint8_t HotTrackStyles = HotTrackStyle::HandPoint | HotTrackStyle::UnderlineHot;
    std::vector<ListColumn> ReportColumns;
    std::vector<TListBoxItem> Items;
    bool ColumnClick = false; // written from the control, skipped by the player
    bool ReportGridLines = false;
    bool HideSelection = false;
    bool ReportRowSelect = false;
    bool ShowColumnHeaders = true; // written from the control, skipped by the player
    std::uint8_t SortType = 0;
    std::uint8_t ViewStyle = 0;
    carvelle::Bounds Bounds{0, 0, 209, 209};
    bool operator==(const ListView&) const = default;
};

struct TreeView {
    std::int16_t Cursor = 0;
    std::string Hint;
    carvelle::Font Font;
    std::uint8_t Border = 1;
    Colour Color = WindowColour;
    std::int32_t IconWidth = 18;
    std::int32_t IconHeight = 18;
    bool HotTrack = true;
    bool ShowRoot = true;
    std::int32_t ExpandLevels = 1;
    std::string AssociatedListView;
    std::vector<TreeNode> Nodes;
    carvelle::Bounds Bounds{0, 0, 209, 209};
    bool operator==(const TreeView&) const = default;
};

struct ShellComboBox {
    std::int16_t Cursor = 0;
    std::string Hint;
    carvelle::Font Font;
    Colour Color = WindowColour;
    std::int32_t DropDownCount = 8;
    std::string Root;
    std::string ShellTreeView;
    carvelle::Bounds Bounds{0, 0, 209, 209};
    bool operator==(const ShellComboBox&) const = default;
};

struct ShellTreeView {
    std::int16_t Cursor = 0;
    std::string Hint;
    carvelle::Font Font;
    std::uint8_t Border = 1;
    Colour Color = WindowColour;
    bool HotTrack = true;
    std::string Root;
    std::string ShellListView;
    carvelle::Bounds Bounds{0, 0, 209, 209};
    bool operator==(const ShellTreeView&) const = default;
};

struct ShellListView {
    std::int16_t Cursor = 0;
    std::string Hint;
    carvelle::Font Font;
    std::uint8_t Border = 1;
    Colour Color = WindowColour;
    bool HotTrack = false;
    std::uint8_t HotTrackStyles = HotTrackStyle::HandPoint | HotTrackStyle::UnderlineHot;
    std::uint8_t ViewStyle = 0;
    std::string Root;
    carvelle::Bounds Bounds{0, 0, 209, 209};
    bool operator==(const ShellListView&) const = default;
};

} // namespace carvelle::kinds

namespace carvelle {

// The kind's own properties; the alternative's index is the stored kind code.
using KindProperties =
    std::variant<kinds::Button, kinds::ImageButton, kinds::Image, kinds::Label, kinds::Link,
                 kinds::FadeLabel, kinds::Text, kinds::ScrollText, kinds::TextBox, kinds::RichText,
                 kinds::Avi, kinds::Explorer, kinds::MediaPlayer, kinds::SlideShow, kinds::Edit,
                 kinds::RadioButton, kinds::CheckBox, kinds::SimpleText, kinds::Flash, kinds::Shape,
                 kinds::ListBox, kinds::DropDownList, kinds::ListView, kinds::TreeView,
                 kinds::ShellComboBox, kinds::ShellTreeView, kinds::ShellListView>;

inline constexpr std::uint8_t kKindCount = std::variant_size_v<KindProperties>;

} // namespace carvelle
