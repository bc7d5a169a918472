#include "platform/special_folders.h"
#include "platform/system_paths.h"
#include "project/folder_tokens.h"
#include "temp_environment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace carvelle {
namespace {

namespace sf = special_folder;

// A fake home with no XDG variables set, so only the test's own folders can answer.
class SpecialFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = env_.Folder("home");
        env_.Set("HOME", home_);
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
            env_.Unset(name);
        }
        env_.Set("XDG_DATA_DIRS", env_.Path("shared") + ":/usr/share");
    }

    testing::TempEnvironment env_;
    std::string home_;
};

TEST_F(SpecialFolderTest, UserFoldersComeFromUserDirsWithTheirDefaults) {
    const std::string documents = env_.Folder("elsewhere/Dokumente");
    env_.File("home/.config/user-dirs.dirs", "# written by xdg-user-dirs-update\n"
                                             "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                                             "XDG_DOCUMENTS_DIR=\"" +
                                                 documents +
                                                 "\"\n"
                                                 "XDG_MUSIC_DIR=\"$HOME/\"\n"
                                                 "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n"
                                                 "XDG_TEMPLATES_DIR=\"relative/ignored\"\n"
                                                 "#XDG_VIDEOS_DIR=\"$HOME/Commented\"\n");
    for (const char* folder : {"Schreibtisch", "Music", "Videos", "Templates", "Commented"}) {
        env_.Folder("home/" + std::string(folder));
    }
    const std::vector<std::pair<int, std::string>> cases{
        {sf::Desktop, home_ + "/Schreibtisch"},
        {sf::DesktopDirectory, home_ + "/Schreibtisch"},
        {sf::Personal, documents},
        {sf::MyDocuments, documents},
        // "$HOME/" switches a folder off; the default is not used instead.
        {sf::MyMusic, ""},
        // Named but missing.
        {sf::MyPictures, ""},
        // Not named (or named invalidly): the default folder.
        {sf::MyVideo, home_ + "/Videos"},
        {sf::Templates, home_ + "/Templates"},
        // Default folder missing.
        {sf::CommonDocuments, ""},
    };
    for (const auto& [id, expected] : cases) {
        EXPECT_EQ(SpecialFolderPath(id), expected) << SpecialFolderTable()[id].Name;
    }
}

TEST_F(SpecialFolderTest, BaseFoldersFollowTheXdgVariablesOrTheirDefaults) {
    for (const char* folder : {"home/.local/share/applications", "home/.config/autostart",
                               "home/.cache", "home/.fonts", "shared"}) {
        env_.Folder(folder);
    }
    EXPECT_EQ(SpecialFolderPath(sf::AppData), home_ + "/.local/share");
    EXPECT_EQ(SpecialFolderPath(sf::LocalAppData), home_ + "/.local/share");
    EXPECT_EQ(SpecialFolderPath(sf::StartMenu), home_ + "/.local/share/applications");
    EXPECT_EQ(SpecialFolderPath(sf::Programs), home_ + "/.local/share/applications");
    EXPECT_EQ(SpecialFolderPath(sf::Startup), home_ + "/.config/autostart");
    EXPECT_EQ(SpecialFolderPath(sf::InternetCache), home_ + "/.cache");
    EXPECT_EQ(SpecialFolderPath(sf::Fonts), home_ + "/.fonts");
    EXPECT_EQ(SpecialFolderPath(sf::CommonAppData), env_.Path("shared"));
    EXPECT_EQ(SpecialFolderPath(sf::Profile), home_);

    const std::string data = env_.Folder("data");
    env_.Folder("data/applications");
    env_.Folder("data/fonts");
    env_.Folder("config/autostart");
    const std::string cache = env_.Folder("cache");
    const std::string desktop = env_.Folder("custom-desktop");
    env_.File("config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"" + desktop + "\"\n");
    env_.Set("XDG_DATA_HOME", data);
    env_.Set("XDG_CONFIG_HOME", env_.Path("config"));
    env_.Set("XDG_CACHE_HOME", cache);
    env_.Set("XDG_DATA_DIRS", "relative/first:" + env_.Folder("shared2") + ":/usr/share");
    EXPECT_EQ(SpecialFolderPath(sf::AppData), data);
    EXPECT_EQ(SpecialFolderPath(sf::StartMenu), data + "/applications");
    EXPECT_EQ(SpecialFolderPath(sf::Fonts), data + "/fonts");
    EXPECT_EQ(SpecialFolderPath(sf::Startup), env_.Path("config/autostart"));
    EXPECT_EQ(SpecialFolderPath(sf::InternetCache), cache);
    EXPECT_EQ(SpecialFolderPath(sf::Desktop), desktop);
    EXPECT_EQ(SpecialFolderPath(sf::CommonAppData), env_.Path("shared2"));
}

TEST_F(SpecialFolderTest, OnlyMappedFoldersThatExistHaveAPathAndNoneFallsBackToHome) {
    const std::set<std::string> mapped{
        "Desktop",         "DesktopDirectory", "Personal",   "MyDocuments",
        "MyMusic",         "MyVideo",          "MyPictures", "Templates",
        "CommonDocuments", "Profile",          "AppData",    "LocalAppData",
        "CommonAppData",   "Startup",          "StartMenu",  "Programs",
        "Fonts",           "InternetCache"};
    for (const auto& info : SpecialFolderTable()) {
        const std::string path = SpecialFolderPath(info.Id);
        EXPECT_EQ(path.empty(), info.Id != sf::Profile) << info.Name << ": " << path;
    }

    for (const char* folder :
         {"Desktop", "Documents", "Music", "Videos", "Pictures", "Templates", "Public",
          ".local/share/applications", ".local/share/fonts", ".config/autostart", ".cache"}) {
        env_.Folder("home/" + std::string(folder));
    }
    env_.Folder("shared");
    for (const auto& info : SpecialFolderTable()) {
        const std::string path = SpecialFolderPath(info.Id);
        EXPECT_EQ(!path.empty(), mapped.count(info.Name) == 1) << info.Name << ": " << path;
        EXPECT_TRUE(path.empty() || std::filesystem::is_directory(path)) << info.Name;
        if (info.Id != sf::Profile) {
            EXPECT_NE(path, home_) << info.Name;
        }
    }
}

TEST_F(SpecialFolderTest, ExpandsTokensToThisSystemsFolders) {
    const std::string desktop = env_.Folder("home/Desktop");
    EXPECT_EQ(ExpandFolderToken("[Desktop]"), desktop);
    EXPECT_EQ(ExpandFolderToken("[Profile]"), home_);
    for (const char* text : {"[desktop]", "[Internet]", "[Controls]", "[Printers]", "[BitBucket]",
                             "[Drives]", "[ProgramFiles]", "[Nowhere]", "[Desktop]\\sub"}) {
        EXPECT_EQ(ExpandFolderToken(text), "") << text;
    }
}

TEST(TemporaryFolder, ComesFromTmpdirWithoutTrailingSlash) {
    testing::TempEnvironment env;
    const std::vector<std::pair<const char*, std::string>> cases{
        {"/var/tmp/x/", "/var/tmp/x"}, {"/var/tmp/x", "/var/tmp/x"}, {"/", "/"}, {"", "/tmp"},
        {"relative", "/tmp"},
    };
    for (const auto& [value, expected] : cases) {
        env.Set("TMPDIR", value);
        EXPECT_EQ(TemporaryFolder(), expected) << value;
    }
    env.Unset("TMPDIR");
    EXPECT_EQ(TemporaryFolder(), "/tmp");
}

TEST(ExecutablePath, NamesThisTestProgram) {
    const std::filesystem::path path = ExecutablePath();
    EXPECT_TRUE(path.is_absolute());
    EXPECT_EQ(path.filename(), "platform_tests");
    EXPECT_TRUE(std::filesystem::is_regular_file(path));
}

} // namespace
} // namespace carvelle
