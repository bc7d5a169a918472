#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace carvelle {

// One special folder a project may name as "[Name]", with the shell's CSIDL for it.
struct TSpecialFolderInfo {
    std::uint8_t Id; // the entry's index in the table
    const char* Name;
    int Csidl;
};

// Table ids, in table order, so callers can name a folder without a magic number.
namespace special_folder {
enum Id : int {
    Desktop,
    Internet,
    Programs,
    Controls,
    Printers,
    Personal,
    Favorites,
    Startup,
    Recent,
    SendTo,
    BitBucket,
    StartMenu,
    MyDocuments,
    MyMusic,
    MyVideo,
    DesktopDirectory,
    Drives,
    Network,
    Nethood,
    Fonts,
    Templates,
    CommonStartMenu,
    CommonPrograms,
    CommonStartup,
    CommonDesktopDirectory,
    AppData,
    Printhood,
    LocalAppData,
    ALTStartup,
    CommonALTStartup,
    CommonFavorites,
    InternetCache,
    Cookies,
    History,
    CommonAppData,
    Windows,
    System,
    ProgramFiles,
    MyPictures,
    Profile,
    SystemX86,
    ProgramFilesX86,
    ProgramFilesCommon,
    ProgramFilesCommonX86,
    CommonTemplates,
    CommonDocuments,
    CommonAdminTools,
    AdminTools,
    Connections,
    CommonMusic,
    CommonPictures,
    CommonVideo,
    Resources,
    ResourcesLocalized,
    CommonOEMLinks,
    CDBurnArea,
    ComputersNearMe,
    Count
};
} // namespace special_folder

const std::array<TSpecialFolderInfo, special_folder::Count>& SpecialFolderTable();

// The table id named by text such as "[Desktop]", or -1. The whole text must be the token and
// the name matches case-sensitively.
int FindFolderToken(const std::string& text);

// The path of the folder the token names, asked of specialFolderPath; empty when the text is
// not a token or names no entry.
std::string ExpandFolderToken(const std::string& text,
                              const std::function<std::string(int id)>& specialFolderPath);

} // namespace carvelle
