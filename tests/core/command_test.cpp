#include "objects/command.h"
#include "objects/items_io.h"
#include "objects/kind_blocks.h"
#include "objects/object_record.h"
#include "test_support.h"

namespace carvelle {
namespace {

using test::Bytes;
using test::Concat;
using test::StringBytes;

class CommandTest : public test::RecordingTest {};

std::string AsString(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

TEST_F(CommandTest, DefaultRecordPacksItsStringsExactly) {
    const TCommand command;
    EXPECT_EQ(PackIdentity(command), std::string("\x01\x01\x01\x01"));
    EXPECT_EQ(PackOptions(command),
              AsString(Bytes({2, 2, 2, ' ', 2, 1, ' ', 1, 'Y', 1, 'Y', 1, 1, ' ', 1, ' ', 1})));

    MemoryStream stream;
    ASSERT_TRUE(WriteCommand(stream, command));
    const auto expected =
        Concat({Bytes({0, 1, 0, 0, 0}), StringBytes(PackOptions(command)), StringBytes(""),
                StringBytes(""), StringBytes(""), Bytes({0}), StringBytes(""), StringBytes(""),
                StringBytes(""), StringBytes(""), StringBytes(""), StringBytes(""),
                StringBytes(PackIdentity(command))});
    EXPECT_EQ(stream.Bytes(), expected);
}

TEST_F(CommandTest, EveryFieldRoundTrips) {
    TCommand c;
    c.ActionKind = 12;
    c.ShowCommand = 3;
    c.Target = "\\docs\\a.pdf";
    c.Parameters = "/p";
    c.Folder = "\\docs";
    c.CloseAfterAction = true;
    c.ClickSound = "click.wav";
    c.MouseDownSound = "down.wav";
    c.MouseUpSound = "up.wav";
    c.MouseEnterSound = "enter.wav";
    c.MouseLeaveSound = "leave.wav";
    c.Cursor = "hand.cur";
    c.Name = "Button7";
    c.Comment = "Opens the manual";
    c.CommentViewer = "StatusBar[0]";
    c.GraphicCommentViewer = "Image1";
    c.SelectFile = "\\setup.exe";
    c.SelectParameters = "-q";
    c.SelectFolder = "\\";
    c.SelectWait = "Y";
    c.WindowMoveHandle = true;
    c.Enabled = false;
    c.Visible = false;
    c.GroupName = "Tabs";
    c.CheckStyleInGroup = true;
    c.Checked = true;
    MemoryStream stream;
    ASSERT_TRUE(WriteCommand(stream, c));
    stream.Seek(0);
    TCommand back;
    ASSERT_TRUE(ReadCommand(stream, back));
    EXPECT_EQ(back, c);
    EXPECT_EQ(stream.Remaining(), 0u);
}

TEST_F(CommandTest, PackedStringsUnpackTolerantly) {
    TCommand c;
    UnpackOptions("", c);
    EXPECT_TRUE(c.Enabled);
    EXPECT_TRUE(c.Visible);
    EXPECT_EQ(c.GroupName, "");
    EXPECT_FALSE(c.CheckStyleInGroup);

    // The selection part is complete but the flags stop after Enabled: the rest keep defaults.
    UnpackOptions(AsString(Bytes({'f', 2, 2, 2, 'Y', 2, 1, 'Y', 1, ' ', 1, ' '})), c);
    EXPECT_EQ(c.SelectFile, "f");
    EXPECT_EQ(c.SelectWait, "Y");
    EXPECT_TRUE(c.WindowMoveHandle);
    EXPECT_FALSE(c.Enabled);
    EXPECT_TRUE(c.Visible);

    // Without the four selection pieces nothing after them is taken.
    UnpackOptions(AsString(Bytes({'f', 2, 1, 'Y', 1})), c);
    EXPECT_FALSE(c.WindowMoveHandle);

    UnpackIdentity(AsString(Bytes({'N', 1, 'C', 1, 'V'})), c);
    EXPECT_EQ(c.Name, "N");
    EXPECT_EQ(c.Comment, "C");
    EXPECT_EQ(c.CommentViewer, "");

    // Pieces a newer writer added after the known ones are kept.
    TCommand newer;
    UnpackOptions(PackOptions(newer) + "extra\x01", newer);
    EXPECT_EQ(PackOptions(newer), PackOptions(TCommand{}) + "extra\x01");
    ExpectNoReport();
}

TEST_F(CommandTest, CompactActionCarriesTheActionFieldsOnly) {
    TCommand c;
    c.ActionKind = 1;
    c.ShowCommand = 3;
    c.Target = "a.exe";
    c.Parameters = "-x";
    c.Folder = "\\bin";
    c.CloseAfterAction = true;
    c.Name = "not carried";
    std::string encoded;
    ASSERT_TRUE(EncodeCompactAction(c, encoded));
    EXPECT_EQ(encoded, AsString(Concat({Bytes({1, 3, 0, 0, 0}), StringBytes("a.exe"),
                                        StringBytes("-x"), StringBytes("\\bin"), Bytes({1})})));
    TCommand back;
    back.Target = "stale";
    ASSERT_TRUE(DecodeCompactAction(encoded, back));
    EXPECT_EQ(back.Target, "a.exe");
    EXPECT_TRUE(back.CloseAfterAction);
    EXPECT_EQ(back.Name, "");

    ASSERT_TRUE(DecodeCompactAction("", back));
    EXPECT_EQ(back.ActionKind, 0);
    EXPECT_EQ(back.ShowCommand, 1);
    EXPECT_EQ(back.Target, "");
    ExpectNoReport();

    EXPECT_FALSE(DecodeCompactAction(encoded.substr(0, 3), back)); // inside ShowCommand
    ExpectOneReport("/1002).");
}

// A Shape, the smallest block with a name, as a marker-less record can start.
std::vector<std::uint8_t> ObjectBytes(const TAutoObject& object) {
    MemoryStream stream;
    EXPECT_TRUE(WriteObject(stream, object));
    return stream.Bytes();
}

TEST_F(CommandTest, ObjectRecordsWithAndWithoutMenuMarker) {
    TAutoObject shape;
    shape.Properties = kinds::Shape{};
    shape.Command.Name = "Shape1";
    const auto withMarker = ObjectBytes(shape);
    ASSERT_EQ(withMarker[0], kObjectMarker);
    EXPECT_EQ(std::vector<std::uint8_t>(withMarker.begin() + 1, withMarker.begin() + 6),
              Bytes({0, 0, 0, 0, 19}));

    // Without the marker the record starts with the kind.
    const std::vector<std::uint8_t> bare(withMarker.begin() + 5, withMarker.end());
    MemoryStream stream(Concat({bare, bare}));
    TAutoObject first;
    TAutoObject second;
    ASSERT_TRUE(ReadObject(stream, first));
    ASSERT_TRUE(ReadObject(stream, second));
    EXPECT_EQ(first, shape);
    EXPECT_TRUE(first.PopupMenu.empty());
    EXPECT_EQ(stream.Remaining(), 0u);

    TMenuItem item;
    item.Caption = "Open";
    item.Items.resize(2);
    item.Items[1].Caption = "Nested";
    item.Bitmap = {GraphicClass::Bitmap, {'B', 'M'}};
    shape.PopupMenu = {item};
    MemoryStream withMenu(ObjectBytes(shape));
    TAutoObject back;
    ASSERT_TRUE(ReadObject(withMenu, back));
    EXPECT_EQ(back.PopupMenu, shape.PopupMenu);
    ExpectNoReport();
}

TEST_F(CommandTest, EmptyIdentityMeansNoGraphicComment) {
    TAutoObject avi;
    avi.Properties = kinds::Avi{};
    avi.Command.IdentityWasEmpty = true;
    auto bytes = ObjectBytes(avi);
    // The record ends right after the block: the identity is the last String of the command.
    MemoryStream stream(Concat({bytes, bytes}));
    TAutoObject back;
    ASSERT_TRUE(ReadObject(stream, back));
    EXPECT_TRUE(back.Command.IdentityWasEmpty);
    ASSERT_TRUE(ReadObject(stream, back));
    EXPECT_EQ(stream.Remaining(), 0u);
    EXPECT_EQ(ObjectBytes(back), bytes);
}

TEST_F(CommandTest, HostileObjectRecordsFailWithOneReport) {
    TAutoObject shape;
    shape.Properties = kinds::Shape{};
    const auto good = ObjectBytes(shape);

    auto unknownKind = good;
    unknownKind[5] = 27;
    std::vector<std::uint8_t> deepMenu = Bytes({kObjectMarker, 1, 0, 0, 0});
    for (int level = 0; level < 200; ++level) {
        deepMenu = Concat({deepMenu, StringBytes(""), StringBytes(""),
                           Bytes({0, 0, 0, 0, 1, 0, 0, 0}), StringBytes(""), Bytes({1, 0, 0, 0})});
    }
    deepMenu.resize(deepMenu.size() + 4000, 0);
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* code;
    };
    const std::vector<Case> cases{
        {"unknown kind", unknownKind, "/1082)."},
        {"huge menu count", Bytes({kObjectMarker, 0xFF, 0xFF, 0xFF, 0x7F, 19}), "/1082)."},
        {"menus nested without end", deepMenu, "/1004)."},
    };
    for (const Case& c : cases) {
        MemoryStream stream(c.bytes);
        TAutoObject back;
        EXPECT_FALSE(ReadObject(stream, back)) << c.what;
        ExpectOneReport(c.code);
    }
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        MemoryStream stream(std::vector<std::uint8_t>(
            good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut)));
        TAutoObject back;
        EXPECT_FALSE(ReadObject(stream, back));
        ASSERT_EQ(reporter.reports.size(), 1u) << "cut at " << cut << ": " << Joined();
        reporter.reports.clear();
    }
}

} // namespace
} // namespace carvelle
