#pragma once

#include "common/values.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace carvelle {

enum class PageKind : std::int32_t {
    SplashScreen = 0,
    ScreenBackground = 1,
    MainPage = 2,
    SubPage = 3,
    ExitForm = 4,
    SecurityForm = 5,
    AgreementForm = 6,
};

// "Splash Screen", "Main Page", ...; empty for a kind outside the table.
const char* PageKindName(std::int32_t kind);

// One entry of the page list.
struct TAutoFormInfo {
    std::string Name;
    std::int32_t Kind = static_cast<std::int32_t>(PageKind::SubPage);
    std::int32_t Position = 0;
    // Kept in memory only, for the designer.
    std::string SavedName;
    bool Modified = false;

    bool operator==(const TAutoFormInfo&) const = default;
};

// A program run at start-up, before the main page.
struct TInstallWare {
    std::string Executable;
    std::string Parameters;
    std::string StartFolder;
    bool Wait = false;
    std::int32_t When = 1; // 0 if no viewer for FileType, 1 always, anything else never
    std::string FileType;
    std::string ReservedText;       // stored, not interpreted
    std::int32_t ReservedValue = 0; // stored, not interpreted
    bool Prompt = false;
    std::string PromptCaption = "Install Software";
    std::string PromptMessage;
    bool AllowSkip = false;

    bool operator==(const TInstallWare&) const = default;
};

namespace InstallWhen {
inline constexpr std::int32_t NoViewer = 0;
inline constexpr std::int32_t Always = 1;
} // namespace InstallWhen

struct THintSettings {
    bool UseCustomizedHint = false;
    std::uint8_t Direction = 0;
    Font HintFont = DefaultHintFont();
    Colour Color = Colours::Yellow;
    std::int32_t ShowPause = 500;
    std::int32_t HidePause = 2500;
    Colour BorderColor = Colours::Black;
    Colour ShadowColor = Colours::Gray;
    std::int32_t BackStyle = 0;
    Colour GradientColor = Colours::Red;
    Picture BackImage;
    std::int32_t ShadowOffset = 5;

    static Font DefaultHintFont() {
        Font font;
        font.Size = 10;
        font.Style = FontStyle::Bold;
        return font;
    }
    bool operator==(const THintSettings&) const = default;
};

inline constexpr std::size_t kSettingsReservedBytes = 17;

struct TSettings {
    std::string Title;
    std::int32_t Style = 0; // 0 "Normal", 1 "Tabbed Notebook"
    std::string TabSheets;  // Text: one page name per line
    Font TabFont;
    bool ShowSheetIcons = false;
    std::int32_t IconSize = 16;
    THintSettings Hint;
    bool RequireAdministrator = false;
    // Stored but not interpreted; written back as read.
    std::array<std::uint8_t, kSettingsReservedBytes> ReservedBytes{};
    std::string AdministratorMessage = "You need the administrative privilege to launch this CD.";
    std::string ReservedText1;
    std::string ReservedText2;
    std::vector<TInstallWare> Installers;

    // Restores fields 1-23 to their defaults and keeps the installer list.
    void ResetKeepingInstallers();
    bool operator==(const TSettings&) const = default;
};

// What the project file holds: settings, page list and the trailing byte.
struct ProjectHeader {
    TSettings Settings;
    std::vector<TAutoFormInfo> Pages;
    std::uint8_t TrailingByte = 0;

    bool operator==(const ProjectHeader&) const = default;
};

} // namespace carvelle
