#include "actions/encoded_targets.h"

#include <gtest/gtest.h>

namespace carvelle {
namespace {

TEST(EncodedTargetsTest, FileListBytesAndRoundTrip) {
    const std::vector<FileListEntry> entries{{"\\setup.exe", "/q", "\\", true},
                                             {"readme.txt", "", "", false}};
    const std::string text = BuildFileList(entries);
    EXPECT_EQ(text,
              std::string("\\setup.exe\x01/q\x01\\\x01Y\x01\x02readme.txt\x01\x01\x01 \x01\x02"));
    EXPECT_TRUE(IsFileList(text));
    EXPECT_FALSE(IsFileList("\\docs\\a.pdf"));
    EXPECT_EQ(ParseFileList(text), entries);
    // An entry cut short ends the list.
    EXPECT_EQ(ParseFileList(text.substr(0, text.size() - 3)).size(), 1u);
}

TEST(EncodedTargetsTest, ParameterSetsRoundTripAndRefuseMissingSeparators) {
    const CopySet copy{"\\data", "[ProgramFiles]", true, true,   "Copy", "Copy the data?",
                       "1",      "app.exe",        "-x", "\\bin"};
    const std::string copyText = BuildCopySet(copy);
    EXPECT_EQ(ParseCopySet(copyText), copy);
    EXPECT_FALSE(ParseCopySet(copyText.substr(0, copyText.size() - 1)).has_value());

    const SlideShowSet show{"\\pictures", true, "0", "3", "4", "50", "2", "0", "\\music.mp3"};
    EXPECT_EQ(ParseSlideShowSet(BuildSlideShowSet(show)), show);

    EXPECT_EQ(BuildLoadSet({"Image1", "\\pics\\a.png"}),
              std::string("Image1\x01\\pics\\a.png\x01"));
    EXPECT_EQ(ParseLoadSet("Image1\x01\\pics\\a.png\x01"), (LoadSet{"Image1", "\\pics\\a.png"}));
    EXPECT_FALSE(ParseLoadSet("Image1\x01no end").has_value());
    // Anything but "Y" is no.
    EXPECT_FALSE(ParseCopySet("a\x01b\x01y\x01N\x01\x01\x01\x01\x01\x01\x01")->Overwrite);
}

TEST(EncodedTargetsTest, VisibilityListsApplyAsFarAsTheyGo) {
    VisibilitySet set;
    set.ShowGroups = {"Tabs", "Pictures"};
    set.DisableObjects = {"Button1"};
    bool complete = false;
    EXPECT_EQ(ParseVisibilitySet(BuildVisibilitySet(set), complete), set);
    EXPECT_TRUE(complete);

    const VisibilitySet partial = ParseVisibilitySet("Tabs\r\n\x01Pictures\r\n\x01", complete);
    EXPECT_FALSE(complete);
    EXPECT_EQ(partial.ShowGroups, std::vector<std::string>{"Tabs"});
    EXPECT_EQ(partial.HideGroups, std::vector<std::string>{"Pictures"});
    EXPECT_TRUE(partial.EnableGroups.empty());
}

TEST(EncodedTargetsTest, ActionListRecords) {
    const std::vector<ActionRecord> records{{"4", "1", "\\hello.wav", "", "", false},
                                            {"2", "1", "www.example.invalid", "", "", true}};
    const std::string text = BuildActionList(records);
    EXPECT_EQ(text.substr(0, 19), std::string("4\x03"
                                              "1\x03\\hello.wav\x03\x03\x03 \x04"));
    EXPECT_EQ(ParseActionList(text), records);
    EXPECT_EQ(ParseActionList(text + "9\x03"
                                     "1\x03")
                  .size(),
              2u);
}

} // namespace
} // namespace carvelle
