#include "test_support.h"

#include "launcher/target_search.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace carvelle::launcher {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::WriteFile;

// A medium in a temporary folder: its root stands for the drive, "menu" for the launcher's
// folder. Paths are composed with backslashes, as the launcher composes them.
class LauncherSearch : public ::testing::Test {
protected:
    TempDir medium;
    std::string drive;
    std::string exeFolder;
    std::vector<std::pair<std::string, bool>> visited; // folder, deep
    int walkCount = 0;

    void SetUp() override {
        drive = Composed(medium.String());
        exeFolder = drive + "\\menu\\";
        fs::create_directories(medium.Path() / "menu");
    }
    static std::string Composed(std::string native) {
        std::replace(native.begin(), native.end(), '/', '\\');
        return native;
    }
    void Put(const std::string& relative) { WriteFile(medium.Path() / relative, "x"); }
    SearchResult Search(const std::string& target, int cancelAfter = 0) {
        visited.clear();
        return SearchTarget(target, exeFolder, drive,
                            [&](const std::string& folder, int count, bool deep) {
                                // Each walk counts its own folders from 1.
                                walkCount = count == 1 ? 1 : walkCount + 1;
                                EXPECT_EQ(count, walkCount);
                                visited.emplace_back(folder, deep);
                                return cancelAfter == 0 || count < cancelAfter;
                            });
    }
};

TEST_F(LauncherSearch, FirstThreePassesTryFixedFoldersInOrder) {
    // Pass 1: beside the launcher, before anywhere else.
    Put("menu/setup.exe");
    Put("docs/setup.exe");
    EXPECT_EQ(Search("C:\\docs\\SETUP.EXE").Path, exeFolder + "setup.exe");

    // Pass 2: the target's folder path on the launcher's drive, then its shorter tails.
    Put("docs/a.pdf");
    EXPECT_EQ(Search("C:\\cdrom\\docs\\A.PDF").Path, drive + "\\docs\\a.pdf");
    Put("b.pdf");
    EXPECT_EQ(Search("Z:\\one\\two\\b.pdf").Path, drive + "\\b.pdf");

    // Pass 3: the folders that hold the target, in the target's own spelling.
    Put("Old/Lib/c.txt");
    EXPECT_EQ(Search(drive + "\\Old\\Lib\\Deep\\Er\\c.txt").Path, drive + "\\Old\\Lib\\c.txt");
    EXPECT_TRUE(visited.empty()) << "no walk was needed";

    // A folder is no find for these passes (the walks take any entry of the name); a
    // hidden file is no find at all.
    fs::create_directories(medium.Path() / "menu" / "folder.pdf");
    Put("menu/.hidden");
    EXPECT_EQ(Search("C:\\x\\folder.pdf").Path, exeFolder + "folder.pdf");
    EXPECT_FALSE(visited.empty());
    EXPECT_EQ(Search("C:\\x\\.hidden").Path, "C:\\x\\.hidden");
}

TEST_F(LauncherSearch, WalksTheLaunchersFolderThenTheWholeDrive) {
    Put("menu/sub/deeper/tool.exe");
    const SearchResult beside = Search("C:\\nowhere\\Tool.EXE");
    EXPECT_EQ(beside.Path, exeFolder + "sub\\deeper\\tool.exe");
    ASSERT_FALSE(visited.empty());
    EXPECT_FALSE(visited[0].second) << "the walk of the launcher's folder is not the deep one";

    // Breadth first: the shallower of two equal names wins, in the name's disk spelling.
    Put("zz/a/b/c/Readme.TXT");
    Put("yy/README.txt");
    const SearchResult deep = Search("C:\\gone\\readme.txt");
    EXPECT_EQ(deep.Path, drive + "\\yy\\README.txt");
    EXPECT_FALSE(deep.Cancelled);
    EXPECT_TRUE(visited.back().second) << "the drive's walk is the deep one";
    EXPECT_EQ(visited.front().first, exeFolder);

    const SearchResult none = Search("C:\\gone\\nothing.txt");
    EXPECT_EQ(none.Path, "C:\\gone\\nothing.txt");
    EXPECT_FALSE(none.Cancelled);
}

TEST_F(LauncherSearch, CancelledDeepSearchGivesTheBareName) {
    for (int i = 0; i < 40; ++i) {
        fs::create_directories(medium.Path() / ("f" + std::to_string(100 + i)) / "inner");
    }
    Put("f139/inner/Wanted.doc");
    const SearchResult cancelled = Search("C:\\old\\Wanted.doc", 30);
    EXPECT_TRUE(cancelled.Cancelled);
    EXPECT_EQ(cancelled.Path, "wanted.doc");
    const auto deepFolders = std::count_if(visited.begin(), visited.end(),
                                           [](const auto& visit) { return visit.second; });
    EXPECT_EQ(deepFolders, 30) << "Cancel takes effect before the next folder";

    const SearchResult full = Search("C:\\old\\Wanted.doc");
    EXPECT_EQ(full.Path, drive + "\\f139\\inner\\Wanted.doc");
}

TEST_F(LauncherSearch, HiddenFoldersAndLinkLoopsAreNotEntered) {
    fs::create_directories(medium.Path() / "loop");
    fs::create_directory_symlink(medium.Path(), medium.Path() / "loop" / "again");
    Put(".git/objects/secret.pack");
    const SearchResult result = Search("C:\\x\\secret.pack");
    EXPECT_EQ(result.Path, "C:\\x\\secret.pack");
    for (const auto& [folder, deep] : visited) {
        EXPECT_EQ(folder.find("again"), std::string::npos) << folder;
        EXPECT_EQ(folder.find(".git"), std::string::npos) << folder;
    }
}

TEST(LauncherSearchFolders, UnreadableStartFindsNothing) {
    EXPECT_EQ(SearchFolders("a.txt", true, "\\no\\such\\folder\\", {}).Result,
              FolderSearch::Outcome::NotFound);
    EXPECT_EQ(FolderPart("E:\\a\\b.txt"), "E:\\a\\");
    EXPECT_EQ(FolderPart("b.txt"), "");
}

} // namespace
} // namespace carvelle::launcher
