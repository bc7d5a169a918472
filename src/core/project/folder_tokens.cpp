#include "folder_tokens.h"

namespace carvelle {

namespace {

constexpr std::array<TSpecialFolderInfo, special_folder::Count> kTable{{
    {0, "Desktop", 0},
    {1, "Internet", 1},
    {2, "Programs", 2},
    {3, "Controls", 3},
    {4, "Printers", 4},
    {5, "Personal", 5},
    {6, "Favorites", 6},
    {7, "Startup", 7},
    {8, "Recent", 8},
    {9, "SendTo", 9},
    {10, "BitBucket", 10},
    {11, "StartMenu", 11},
    {12, "MyDocuments", 12},
    {13, "MyMusic", 13},
    {14, "MyVideo", 14},
    {15, "DesktopDirectory", 16},
    {16, "Drives", 17},
    {17, "Network", 18},
    {18, "Nethood", 19},
    {19, "Fonts", 20},
    {20, "Templates", 21},
    {21, "CommonStartMenu", 22},
    {22, "CommonPrograms", 23},
    {23, "CommonStartup", 24},
    {24, "CommonDesktopDirectory", 25},
    {25, "AppData", 26},
    {26, "Printhood", 27},
    {27, "LocalAppData", 28},
    {28, "ALTStartup", 29},
    {29, "CommonALTStartup", 30},
    {30, "CommonFavorites", 31},
    {31, "InternetCache", 32},
    {32, "Cookies", 33},
    {33, "History", 34},
    {34, "CommonAppData", 35},
    {35, "Windows", 36},
    {36, "System", 37},
    {37, "ProgramFiles", 38},
    {38, "MyPictures", 39},
    {39, "Profile", 40},
    {40, "SystemX86", 41},
    {41, "ProgramFilesX86", 42},
    {42, "ProgramFilesCommon", 43},
    {43, "ProgramFilesCommonX86", 44},
    {44, "CommonTemplates", 45},
    {45, "CommonDocuments", 46},
    {46, "CommonAdminTools", 47},
    {47, "AdminTools", 48},
    {48, "Connections", 49},
    {49, "CommonMusic", 53},
    {50, "CommonPictures", 54},
    {51, "CommonVideo", 55},
    {52, "Resources", 56},
    {53, "ResourcesLocalized", 57},
    {54, "CommonOEMLinks", 58},
    {55, "CDBurnArea", 59},
    {56, "ComputersNearMe", 61},
}};

constexpr bool IdsMatchPositions() {
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        if (kTable[i].Id != i) {
            return false;
        }
    }
    return true;
}
static_assert(IdsMatchPositions());
static_assert(kTable[special_folder::ComputersNearMe].Csidl == 61);

} // namespace

const std::array<TSpecialFolderInfo, special_folder::Count>& SpecialFolderTable() {
    return kTable;
}

int FindFolderToken(const std::string& text) {
    if (text.size() <= 2 || text.front() != '[' || text.back() != ']') {
        return -1;
    }
    const std::string name = text.substr(1, text.size() - 2);
    for (const TSpecialFolderInfo& info : kTable) {
        if (name == info.Name) {
            return info.Id;
        }
    }
    return -1;
}

std::string ExpandFolderToken(const std::string& text,
                              const std::function<std::string(int id)>& specialFolderPath) {
    const int id = FindFolderToken(text);
    if (id < 0 || !specialFolderPath) {
        return {};
    }
    return specialFolderPath(id);
}

} // namespace carvelle
