#include "common/native_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace carvelle {
namespace {

namespace fs = std::filesystem;

TEST(ToNativePath, TurnsEveryBackslashIntoASlashAndKeepsTheRest) {
    EXPECT_EQ(ToNativePath("\\media\\CD\\Docs\\A b.PDF").string(), "/media/CD/Docs/A b.PDF");
    EXPECT_EQ(ToNativePath("/proj\\docs\\").string(), "/proj/docs/");
    EXPECT_EQ(ToNativePath("a\\\\b\\..\\c").string(), "a//b/../c");
    EXPECT_EQ(ToNativePath("").string(), "");
}

// A tree as media authored on Windows leave it, with names differing only in case.
class FindNativePathTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        do {
            root_ = fs::temp_directory_path() / ("carvelle-native-" + std::to_string(random()));
        } while (!fs::create_directory(root_));
        for (const char* file :
             {"Docs/Manual.PDF", "Docs/Guide.txt", "Docs/guide.txt", "Docs/Deep/Er/Still/File.TXT",
              "Caf\xC3\xA9/Menu.txt", "R\xE9sum\xE9.txt"}) {
            const fs::path path = root_ / file;
            fs::create_directories(path.parent_path());
            std::ofstream(path) << file;
        }
    }
    void TearDown() override { fs::remove_all(root_); }

    // A composed path inside the tree.
    std::string Composed(const std::string& relative) const {
        return root_.string() + "\\" + relative;
    }

    fs::path root_;
};

TEST_F(FindNativePathTest, FindsEachComponentIgnoringCase) {
    struct Case {
        std::string composed;
        std::string expected;
    };
    const std::vector<Case> cases{
        {"docs\\manual.pdf", "Docs/Manual.PDF"},
        {"DOCS\\MANUAL.pdf", "Docs/Manual.PDF"},
        {"docs\\deep\\ER\\still\\file.txt", "Docs/Deep/Er/Still/File.TXT"},
        {"docs\\", "Docs/"},
        {"docs\\deep\\..\\Manual.pdf", "Docs/Deep/../Manual.PDF"},
        // An exact name is taken even when another differs only in case.
        {"Docs\\Guide.txt", "Docs/Guide.txt"},
        {"docs\\guide.txt", "Docs/guide.txt"},
        // Otherwise the byte-wise smallest of the matches.
        {"docs\\GUIDE.TXT", "Docs/Guide.txt"},
        // Accented letters fold too, in UTF-8 and in Windows-1252 bytes alike.
        {"CAF\xC3\x89\\menu.txt", "Caf\xC3\xA9/Menu.txt"},
        {"CAF\xC9\\MENU.TXT", "Caf\xC3\xA9/Menu.txt"},
        {"r\xC3\xA9sum\xC3\xA9.TXT", "R\xE9sum\xE9.txt"},
        {"R\xC9SUM\xC9.txt", "R\xE9sum\xE9.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindNativePath(Composed(c.composed)), root_ / c.expected) << c.composed;
    }
}

TEST_F(FindNativePathTest, GivesTheExactPathWhenSomeComponentHasNoMatch) {
    for (const std::string relative :
         {"docs\\missing.pdf", "nothere\\manual.pdf", "docs\\manual.pdf\\inside",
          "docs\\deep\\er\\gone\\file.txt", "Caf\\menu.txt", "docs\\guide.tx"}) {
        const std::string composed = Composed(relative);
        EXPECT_EQ(FindNativePath(composed), ToNativePath(composed)) << relative;
    }
    EXPECT_EQ(FindNativePath(""), fs::path());
}

} // namespace
} // namespace carvelle
