#pragma once

#include "command.h"
#include "common/stream.h"
#include "items.h"
#include "object_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace carvelle {

struct StatusBarSettings {
    std::int32_t Height = 19;
    carvelle::Font Font;
    std::vector<StatusPanel> Panels;
    bool operator==(const StatusBarSettings&) const = default;
};

struct ToolBarSettings {
    bool ShowCaptions = false;
    bool CaptionsRight = false; // captions to the right of the images
    carvelle::Font Font;
    std::int32_t ImageWidth = 16;
    std::int32_t ImageHeight = 16;
    std::vector<TAuToolButton> Buttons;
    bool operator==(const ToolBarSettings&) const = default;
};

namespace BorderIcon {
inline constexpr std::uint8_t SystemMenu = 1;
inline constexpr std::uint8_t Minimize = 2;
inline constexpr std::uint8_t Maximize = 4;
inline constexpr std::uint8_t Help = 8;
} // namespace BorderIcon

// One page: the window, its background and fades, its start action, menus, bars and objects.
struct TPage {
    std::uint8_t BorderIcons = BorderIcon::SystemMenu;
    std::uint8_t BorderStyle = 2;
    std::int32_t BorderWidth = 0;
    std::string Caption;
    std::string Hint;
    std::uint8_t Position = 4;
    std::uint8_t WindowState = 0;
    Colour TransparentColorValue = 0;
    bool Transparent = false;
    Picture PageIcon;
    Colour BackColor = Colours::White;
    Colour GradientColor = 0x00FF0000;
    std::uint8_t GradientStyle = 1;
    Picture BackImage;
    std::uint8_t BackImageStyle = 3;
    bool Shadow = true;
    Colour ShadowColor = 0;
    std::int32_t ShadowXOff = 8;
    std::int32_t ShadowYOff = 8;
    std::uint8_t ShadowAlpha = 80;
    bool FadeIn = true;
    bool FadeOut = true;
    std::int32_t FadeInDelay = 20;
    std::int32_t FadeInStep = 20;
    std::int32_t FadeOutDelay = 20;
    std::int32_t FadeOutStep = 20;
    std::string StartSound;
    bool StartSoundLoop = false;
    std::int32_t StartSoundDelay = 0;
    std::uint8_t PageKind = 3;
    std::uint8_t Reserved1 = 1;
    std::int32_t Reserved2 = 0;
    std::uint8_t Reserved3 = 0;
    std::uint8_t Reserved4 = 0;
    std::int32_t StayTime = 5;
    bool ClickContinue = true;
    std::int32_t Left = 240;
    std::int32_t Top = 248;
    std::int32_t Width = 598;
    std::int32_t Height = 435;
    TCommand StartCommand;
    Picture StartCommandPicture;
    std::vector<TMenuItem> MainMenu;
    std::vector<TMenuItem> PopupMenu;
    StatusBarSettings StatusBar;
    ToolBarSettings ToolBar;
    std::vector<TAutoObject> Objects;
    std::string PageName;

    bool operator==(const TPage&) const = default;
};

// The page record. The writer always writes the newest form; the reader also takes the older
// ones without menus or bars.
bool WritePage(Stream& stream, const TPage& page, RecordOptions options = {});
bool ReadPage(Stream& stream, TPage& page, RecordOptions options = {});

// A page file holds one page record and nothing else. File names are composed paths.
bool WritePageFile(const std::string& fileName, const TPage& page, RecordOptions options = {});
bool ReadPageFile(const std::string& fileName, TPage& page, RecordOptions options = {});

} // namespace carvelle
