#include "common/codepage.h"
#include "common/json_writer.h"
#include "project/designer_start.h"
#include "project/program_mode.h"
#include "test_support.h"

namespace carvelle {
namespace {

TEST(ProgramModeTest, DesignerOnlyUnderItsOwnName) {
    const std::vector<std::pair<std::string, bool>> cases{
        {"/opt/kit/carvelle", true},       {"C:\\Kit\\Carvelle.exe", true},
        {"/media/cd/CARVELLE.EXE", true},  {"/opt/kit/cArVeLlE", true},
        {"/media/cd/autorun.exe", false},  {"/media/cd/autorun", false},
        {"/opt/kit/carvelle-tool", false}, {"/opt/carvelle/player", false},
        {"carvelle.exe.bak", false}};
    for (const auto& [path, designer] : cases) {
        EXPECT_EQ(IsDesignerExecutable(path), designer) << path;
    }
    EXPECT_EQ(ProgramFolderOf("/media/cd/autorun.exe"), "/media/cd");
    EXPECT_EQ(ProgramFolderOf("C:\\Kit\\Carvelle.exe"), "C:\\Kit");
}

TEST(DesignerStartTest, ProjectFolderFromIniThenFromDocuments) {
    test::TempDir dir;
    const std::string program = (dir.Path() / "program").string();
    const std::string documents = (dir.Path() / "docs").string();
    std::filesystem::create_directories(program);
    EXPECT_EQ(InitialDesignerProjectFolder(program, documents), "");

    std::filesystem::create_directories(dir.Path() / "docs" / "Carvelle Enterprise Projects" /
                                        "CDROM");
    EXPECT_EQ(InitialDesignerProjectFolder(program, documents),
              documents + "\\Carvelle Enterprise Projects\\CDROM");

    test::WriteFile(
        dir.Path() / "program" / "Carvelle.ini",
        "[Other]\r\nDefaultPath=wrong\r\n[start]\r\ndefaultpath = D:\\My CD\\Disc 1\r\n");
    EXPECT_EQ(InitialDesignerProjectFolder(program, documents), "D:\\My CD\\Disc 1");
}

TEST(TextConversionTest, Windows1252AndUtf8RoundTrip) {
    const std::string stored = "Caf\xE9 \x80 \x93quoted\x94 \x81";
    const std::string utf8 = Windows1252ToUtf8(stored);
    EXPECT_EQ(utf8, "Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cquoted\xE2\x80\x9D \xC2\x81");
    EXPECT_EQ(Utf8ToWindows1252(utf8), stored);
    EXPECT_EQ(Utf8ToWindows1252("\xCE\xA9 \xC3"), "? ?"); // no 1252 form, then a cut sequence
}

TEST(JsonWriterTest, KeepsKeyOrderAndEscapes) {
    JsonWriter json;
    json.BeginObject().Key("b").Value(std::int32_t{-1}).Key("a").BeginArray();
    json.Value("q\"\\\n\x01").Value(true).EndArray().Key("e").BeginObject().EndObject().EndObject();
    EXPECT_EQ(json.Text(),
              "{\n  \"b\": -1,\n  \"a\": [\n    \"q\\\"\\\\\\n\\u0001\",\n    true\n  ],\n"
              "  \"e\": {}\n}");
}

} // namespace
} // namespace carvelle
