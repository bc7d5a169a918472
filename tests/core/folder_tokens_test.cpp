#include "project/folder_tokens.h"
#include "project/project_paths.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace carvelle {
namespace {

TEST(SpecialFolderTable, IdsFollowTableOrderWithTheShellIdentifiers) {
    const auto& table = SpecialFolderTable();
    std::set<int> csidls;
    std::set<std::string> names;
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].Id, i);
        if (i > 0) {
            EXPECT_GT(table[i].Csidl, table[i - 1].Csidl) << table[i].Name;
        }
        csidls.insert(table[i].Csidl);
        names.insert(table[i].Name);
    }
    EXPECT_EQ(names.size(), 57u);
    // Identifiers 0-61 are all used except these.
    std::set<int> unused;
    for (int csidl = 0; csidl <= 61; ++csidl) {
        if (!csidls.count(csidl)) {
            unused.insert(csidl);
        }
    }
    EXPECT_EQ(unused, (std::set<int>{15, 50, 51, 52, 60}));

    const std::vector<std::pair<int, std::string>> spotChecks{
        {special_folder::Desktop, "Desktop"},
        {special_folder::Personal, "Personal"},
        {special_folder::DesktopDirectory, "DesktopDirectory"},
        {special_folder::ALTStartup, "ALTStartup"},
        {special_folder::ProgramFiles, "ProgramFiles"},
        {special_folder::CommonMusic, "CommonMusic"},
        {special_folder::CommonOEMLinks, "CommonOEMLinks"},
        {special_folder::ComputersNearMe, "ComputersNearMe"}};
    for (const auto& [id, name] : spotChecks) {
        EXPECT_EQ(table[id].Name, name);
    }
    EXPECT_EQ(table[special_folder::DesktopDirectory].Csidl, 16);
    EXPECT_EQ(table[special_folder::CommonMusic].Csidl, 53);
    EXPECT_EQ(table[special_folder::ComputersNearMe].Csidl, 61);
}

TEST(FolderToken, OnlyAWholeBracketedExactNameIsAToken) {
    const std::vector<std::pair<std::string, int>> cases{
        {"[Desktop]", special_folder::Desktop},
        {"[ProgramFiles]", special_folder::ProgramFiles},
        {"[ProgramFilesX86]", special_folder::ProgramFilesX86},
        {"[ComputersNearMe]", special_folder::ComputersNearMe},
        {"[desktop]", -1},
        {"[DESKTOP]", -1},
        {"[]", -1},
        {"[X", -1},
        {"X]", -1},
        {"[Nowhere]", -1},
        {"[ProgramFiles]\\Sub", -1},
        {" [Desktop]", -1},
        {"[Desktop] ", -1},
        {"[ Desktop]", -1},
        {"[[Desktop]]", -1},
        {"Desktop", -1},
        {"", -1},
    };
    for (const auto& [text, id] : cases) {
        EXPECT_EQ(FindFolderToken(text), id) << text;
    }
}

TEST(FolderToken, ExpandsThroughTheGivenLookupOnlyForTokens) {
    std::vector<int> asked;
    const auto lookup = [&asked](int id) {
        asked.push_back(id);
        return "path" + std::to_string(id);
    };
    EXPECT_EQ(ExpandFolderToken("[Personal]", lookup), "path5");
    EXPECT_EQ(ExpandFolderToken("[Fonts]", lookup), "path19");
    EXPECT_EQ(ExpandFolderToken("[Nowhere]", lookup), "");
    EXPECT_EQ(ExpandFolderToken("[personal]", lookup), "");
    EXPECT_EQ(ExpandFolderToken("[Fonts]\\x", lookup), "");
    EXPECT_EQ(asked, (std::vector<int>{5, 19}));
    EXPECT_EQ(ExpandFolderToken("[Fonts]", nullptr), "");
}

TEST(ResolveProjectPath, AddsOneBackslashAndNothingElse) {
    struct Case {
        std::string folder;
        std::string path;
        std::string expected;
    };
    const std::vector<Case> cases{
        {"D:\\cd", "docs\\a.pdf", "D:\\cd\\docs\\a.pdf"},
        {"D:\\cd", "\\docs\\a.pdf", "D:\\cd\\docs\\a.pdf"},
        {"D:\\cd", "", "D:\\cd\\"},
        {"D:\\cd", "\\", "D:\\cd\\"},
        {"D:\\cd", "..\\up.exe", "D:\\cd\\..\\up.exe"},
        {"D:\\cd", "C:\\abs.exe", "D:\\cd\\C:\\abs.exe"},
        {"D:\\cd", "\\\\double", "D:\\cd\\\\double"},
        {"D:\\cd", "a/b", "D:\\cd\\a/b"},
        {"/media/cdrom", "docs\\a.pdf", "/media/cdrom\\docs\\a.pdf"},
        // A root folder keeps no separator of its own.
        {"D:\\", "a.txt", "D:\\a.txt"},
        {"/", "a.txt", "\\a.txt"},
        {"", "a.txt", "\\a.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResolveProjectPath(c.folder, c.path), c.expected) << c.folder << " + " << c.path;
    }
}

} // namespace
} // namespace carvelle
