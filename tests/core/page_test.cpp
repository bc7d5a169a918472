#include "common/primitives.h"
#include "designer/object_rules.h"
#include "objects/items_io.h"
#include "objects/kind_blocks.h"
#include "objects/page.h"
#include "objects/slideshow_config.h"
#include "project/page_locator.h"
#include "project/project_file.h"
#include "project/target_file.h"
#include "test_support.h"

#include <type_traits>

namespace carvelle {
namespace {

using test::Bytes;
using test::Concat;
using test::StringBytes;

Font OddFont(const std::string& name) {
    return Font{name, 0x00123456, 13, FontStyle::Italic | FontStyle::StrikeOut};
}

Picture OddPicture(char tag) {
    return {GraphicClass::JPEGImage, {0xFF, 0xD8, static_cast<std::uint8_t>(tag)}};
}

TextEffect OddEffect() {
    TextEffect e;
    e.Alpha = 33;
    e.Angle = 45;
    e.Outline = true;
    e.Gradual.Enabled = true;
    e.Shadow.OffsetX = -4;
    e.Texture.Picture = OddPicture('t');
    return e;
}

TListBoxItem OddItem(const std::string& caption, bool withText) {
    TListBoxItem item;
    item.Caption = caption;
    item.Icon = OddPicture('i');
    item.Command.ActionKind = 1;
    item.Command.Target = caption + ".pdf";
    if (withText) {
        item.SubItemsText = JoinTextLines({"col 2", "col 3"});
    }
    return item;
}

// Every field a kind's block treats specially, and a few plain ones, away from the default.
void MakeOdd(KindProperties& properties) {
    std::visit(
        [](auto& b) {
            using Block = std::remove_cvref_t<decltype(b)>;
            if constexpr (requires { b.Hint; }) {
                b.Hint = "hint";
            }
            if constexpr (requires { b.Cursor; }) {
                b.Cursor = -21;
            }
            if constexpr (requires { b.Font; }) {
                b.Font = OddFont("Courier New");
            }
            if constexpr (requires { b.Bounds; }) {
                b.Bounds = {11, 22, 333, 444};
            }
            if constexpr (requires { b.Look; }) {
                b.Look.BackImage = OddPicture('b');
                b.Look.Effect = OddEffect();
                b.Look.BackImageStyle = 2;
            }
            if constexpr (requires { b.FontLabels; }) {
                b.FontLabels.resize(2);
                b.FontLabels[1].Name = "Title";
                b.FontLabels[1].Effect = OddEffect();
            }
            if constexpr (requires { b.Lines; }) {
                b.Lines = JoinTextLines({"one", "two"});
            }
            if constexpr (std::is_same_v<Block, kinds::ImageButton>) {
                b.NormalImage = OddPicture('n');
                b.MouseOverFont = OddFont("Tahoma");
                b.ImageLayout = 5;
                b.MouseDownSlide = false;
                b.ButtonType = 3;
            } else if constexpr (std::is_same_v<Block, kinds::Image>) {
                b.Left = 5;
                b.Height = 77;
                b.Pressed = true;
                b.ShownPicture = 2;
                b.MouseOverImage = OddPicture('o');
            } else if constexpr (std::is_same_v<Block, kinds::Link>) {
                b.Hot.URL = "http://example.invalid/";
                b.Hot.Effect = OddEffect();
                b.Hot.Fade = true;
            } else if constexpr (std::is_same_v<Block, kinds::ScrollText>) {
                b.WordWrap = false;
                b.TailSpace = 9;
                b.RowPitch = -3;
            } else if constexpr (std::is_same_v<Block, kinds::Text>) {
                b.RowPitch = 150;
            } else if constexpr (std::is_same_v<Block, kinds::TextBox>) {
                b.Text = JoinTextLines({"line"});
                b.ScrollBar = 3;
            } else if constexpr (std::is_same_v<Block, kinds::RichText>) {
                b.Rtf = "{\\rtf1 hello\\par}";
                b.PlainText = true;
            } else if constexpr (std::is_same_v<Block, kinds::Explorer>) {
                b.ExplorerType = 2;
                b.Target = "\\doc\\index.html";
            } else if constexpr (std::is_same_v<Block, kinds::MediaPlayer>) {
                b.FileName = "\\movie.mp4";
                b.ReservedValue = 42;
                b.Loop = false;
            } else if constexpr (std::is_same_v<Block, kinds::SlideShow>) {
                b.WorkFolder = "\\pictures";
                b.Settings.Style = 77;
                b.Settings.ReservedText = "kept";
            } else if constexpr (std::is_same_v<Block, kinds::Edit>) {
                b.AccurateText = "secret";
                b.TextList = JoinTextLines({"a", "b"});
                b.PasswordChar = '*';
                b.TabOrder = 3;
            } else if constexpr (std::is_base_of_v<kinds::Agreement, Block>) {
                b.Checked = true;
                b.NeedCheck = false;
                b.ReservedText2 = "kept";
            } else if constexpr (std::is_same_v<Block, kinds::SimpleText>) {
                b.MouseDownFont = OddFont("Verdana");
                b.MouseDownBackColor = 0x00ABCDEF;
            } else if constexpr (std::is_same_v<Block, kinds::Shape>) {
                b.Figure = 37;
                b.BorderWidth = 4;
                b.FillStyle = 9;
            } else if constexpr (std::is_same_v<Block, kinds::ListBox> ||
                                 std::is_same_v<Block, kinds::DropDownList>) {
                b.Items = {OddItem("first", false), OddItem("second", false)};
                b.SelectedIndex = 1;
            } else if constexpr (std::is_same_v<Block, kinds::ListView>) {
                b.ReportColumns.resize(2);
                b.ReportColumns[1].Caption = "Size";
                b.Items = {OddItem("row", true)};
                b.ViewStyle = 3;
                b.ShowColumnHeaders = false;
            } else if constexpr (std::is_same_v<Block, kinds::TreeView>) {
                TreeNode root;
                root.Item = OddItem("root", true);
                root.Item.ListItems = {OddItem("shown", true)};
                TreeNode child;
                child.Item = OddItem("child", true);
                child.Children.push_back(TreeNode{OddItem("grandchild", true), {}});
                root.Children.push_back(child);
                b.Nodes = {root, TreeNode{}};
                b.AssociatedListView = "ListView1";
            } else if constexpr (requires { b.Root; }) {
                b.Root = "\\data";
            }
        },
        properties);
}

TPage EveryKindPage() {
    TPage page;
    page.Caption = "Every kind";
    page.PageIcon = {GraphicClass::Icon, {0, 0, 1, 0}};
    page.GradientStyle = 6;
    page.ShadowAlpha = 200;
    page.Reserved2 = -5;
    page.StartSound = "intro.wav";
    page.StartCommand.ActionKind = 9;
    page.StartCommandPicture = OddPicture('s');
    TMenuItem file;
    file.Caption = "&File";
    file.Items.resize(1);
    file.Items[0].Caption = "E&xit";
    file.Items[0].ShortCut = 0x1058;
    page.MainMenu = {file};
    page.PopupMenu = {file, file};
    page.StatusBar.Panels = {{2, "Ready", 120}};
    page.ToolBar.ShowCaptions = true;
    page.ToolBar.Buttons.resize(2);
    page.ToolBar.Buttons[0].Caption = "Home";
    page.ToolBar.Buttons[1].Separator = true;
    for (std::uint8_t kind = 0; kind < kKindCount; ++kind) {
        TAutoObject& object = CreateObject(page, kind, kind * 10, kind * 5);
        MakeOdd(object.Properties);
        object.Command.Comment = "comment";
        object.GraphicComment = OddPicture('g');
    }
    page.Objects[3].PopupMenu = {file};
    page.PageName = "Every";
    return page;
}

std::vector<std::uint8_t> PageBytes(const TPage& page) {
    MemoryStream stream;
    EXPECT_TRUE(WritePage(stream, page));
    return stream.Bytes();
}

class PageTest : public test::RecordingTest {};

TEST_F(PageTest, EveryKindRoundTripsToIdenticalBytes) {
    const TPage page = EveryKindPage();
    const auto bytes = PageBytes(page);
    MemoryStream stream(bytes);
    TPage back;
    ASSERT_TRUE(ReadPage(stream, back));
    EXPECT_EQ(stream.Remaining(), 0u);
    ASSERT_EQ(back.Objects.size(), page.Objects.size());
    for (std::size_t i = 0; i < page.Objects.size(); ++i) {
        EXPECT_TRUE(back.Objects[i] == page.Objects[i]) << "kind " << i;
    }
    EXPECT_TRUE(back == page);
    EXPECT_EQ(PageBytes(back), bytes);
    ExpectNoReport();
}

TEST_F(PageTest, NewPageStoresItsDefaults) {
    const auto bytes = PageBytes(TPage{});
    const auto head = Concat(
        {Bytes({1, 2, 0, 0, 0, 0}), StringBytes(""), StringBytes(""), Bytes({4, 0, 0, 0, 0, 0, 0}),
         StringBytes(""), Bytes({0xFF, 0xFF, 0xFF, 0, 0, 0, 0xFF, 0, 1}), StringBytes(""),
         Bytes({3, 1, 0, 0, 0, 0, 8, 0, 0, 0, 8, 0, 0, 0, 80, 1, 1}),
         Bytes({20, 0, 0, 0, 20, 0, 0, 0, 20, 0, 0, 0, 20, 0, 0, 0}), StringBytes(""),
         Bytes({0, 0, 0, 0, 0, 3, 1, 0, 0, 0, 0, 0, 0}), Bytes({5, 0, 0, 0, 1})});
    ASSERT_GT(bytes.size(), head.size());
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(),
                                        bytes.begin() + static_cast<std::ptrdiff_t>(head.size())),
              head);
    // No objects: a zero count, then the page name.
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.end() - 8, bytes.end()),
              Bytes({0, 0, 0, 0, 0, 0, 0, 0}));
}

// The fields up to the start action of a default page, then what follows them in an older
// record.
std::vector<std::uint8_t> OlderPage(const std::vector<std::uint8_t>& afterHead) {
    TPage page;
    page.StartCommand.IdentityWasEmpty = true; // no start picture either
    const auto bytes = PageBytes(page);
    // The head ends where the empty main menu's marker, count and the next marker begin.
    const auto sections = Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
    const auto at = std::search(bytes.begin(), bytes.end(), sections.begin(), sections.end());
    EXPECT_NE(at, bytes.end());
    return Concat({std::vector<std::uint8_t>(bytes.begin(), at), afterHead});
}

TEST_F(PageTest, OlderRecordsWithoutMenusOrBarsRead) {
    TAutoObject shape;
    shape.Properties = kinds::Shape{};
    MemoryStream objectStream;
    ASSERT_TRUE(WriteObject(objectStream, shape));
    const auto object = objectStream.Bytes();

    const auto noMenus =
        OlderPage(Concat({Bytes({3, 0, 0, 0}), object, object, object, StringBytes("Old")}));
    MemoryStream first(noMenus);
    TPage page;
    ASSERT_TRUE(ReadPage(first, page));
    EXPECT_EQ(page.Objects.size(), 3u);
    EXPECT_TRUE(page.MainMenu.empty());
    EXPECT_EQ(page.PageName, "Old");

    const auto mainMenuOnly = OlderPage(
        Concat({Bytes({0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0}), StringBytes("File"), StringBytes(""),
                Bytes({0, 0, 0, 0, 1, 0, 0, 0}), StringBytes(""), Bytes({0, 0, 0, 0}),
                Bytes({1, 0, 0, 0}), object, StringBytes("Menu only")}));
    MemoryStream second(mainMenuOnly);
    ASSERT_TRUE(ReadPage(second, page));
    ASSERT_EQ(page.MainMenu.size(), 1u);
    EXPECT_EQ(page.MainMenu[0].Caption, "File");
    EXPECT_EQ(page.Objects.size(), 1u);
    EXPECT_TRUE(page.StatusBar.Panels.empty());
    ExpectNoReport();
}

TEST_F(PageTest, OlderSimpleTextAndShapeBlocksWithoutMarker) {
    kinds::SimpleText simple;
    simple.HotBackColor = 0x00112233;
    simple.HotFont = OddFont("Hot");
    simple.MouseDownBackColor = 0;
    MemoryStream full;
    ASSERT_TRUE(WriteKindBlock(full, simple));
    // Drop the marker and the pressed look, leaving Width then Height.
    auto bytes = full.Bytes();
    const std::size_t tailSize = 4 + 4 + 4 + (4 + simple.MouseDownFont.Name.size() + 9);
    std::vector<std::uint8_t> old(bytes.begin(),
                                  bytes.end() - static_cast<std::ptrdiff_t>(tailSize));
    old = Concat({old, Bytes({17, 0, 0, 0})});
    MemoryStream oldStream(old);
    KindProperties read;
    ASSERT_TRUE(ReadKindBlock(oldStream, 17, read));
    const auto& back = std::get<kinds::SimpleText>(read);
    EXPECT_EQ(back.Bounds.Height, 17);
    EXPECT_EQ(back.MouseDownBackColor, 0x00112233u);
    EXPECT_EQ(back.MouseDownFont, simple.HotFont);

    kinds::Shape shape;
    MemoryStream shapeFull;
    ASSERT_TRUE(WriteKindBlock(shapeFull, shape));
    auto shapeBytes = shapeFull.Bytes();
    std::vector<std::uint8_t> shapeOld(shapeBytes.begin(), shapeBytes.end() - 16);
    shapeOld = Concat({shapeOld, Bytes({50, 0, 0, 0})});
    MemoryStream shapeStream(shapeOld);
    ASSERT_TRUE(ReadKindBlock(shapeStream, 19, read));
    const auto& oldShape = std::get<kinds::Shape>(read);
    EXPECT_EQ(oldShape.Bounds.Height, 50);
    EXPECT_EQ(oldShape.BorderWidth, 0);
    EXPECT_EQ(oldShape.BorderColor, 0u);
    ExpectNoReport();
}

TEST_F(PageTest, ScrollTextWordWrapIsTheFirstOfFourBytes) {
    kinds::ScrollText scroll;
    scroll.WordWrap = false;
    MemoryStream stream;
    ASSERT_TRUE(WriteKindBlock(stream, scroll));
    auto bytes = stream.Bytes();
    // The four bytes sit before the font-label count, the repeat fields, cursor, hint, bounds.
    const std::size_t at = bytes.size() - (4 + 4 * 4 + 2 + 4 + 16) - 4;
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                        bytes.begin() + static_cast<std::ptrdiff_t>(at + 4)),
              Bytes({0, 0, 0, 0}));
    bytes[at] = 1;
    bytes[at + 2] = 0x7E;
    MemoryStream in(bytes);
    KindProperties read;
    ASSERT_TRUE(ReadKindBlock(in, 7, read));
    EXPECT_TRUE(std::get<kinds::ScrollText>(read).WordWrap);
}

TEST_F(PageTest, DamagedPagesFailWithOneReportAndNoCrash) {
    const auto bytes = PageBytes(EveryKindPage());
    // Every cut point of a page holding every kind.
    for (std::size_t cut = 0; cut < bytes.size(); cut += 1 + cut / 400) {
        MemoryStream stream(std::vector<std::uint8_t>(
            bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)));
        TPage page;
        EXPECT_FALSE(ReadPage(stream, page));
        ASSERT_EQ(reporter.reports.size(), 1u) << "cut at " << cut << ": " << Joined();
        reporter.reports.clear();
    }
    // Single flipped bytes: any outcome but a crash, and never more than one report.
    for (std::size_t at = 0; at < bytes.size(); at += 7) {
        auto damaged = bytes;
        damaged[at] ^= 0xA5;
        MemoryStream stream(damaged);
        TPage page;
        const bool read = ReadPage(stream, page);
        EXPECT_EQ(reporter.reports.size(), read ? 0u : 1u) << "byte " << at << ": " << Joined();
        reporter.reports.clear();
    }
}

TEST_F(PageTest, PageFilesReportTheirName) {
    test::TempDir dir;
    const std::string file = dir.String() + "\\Intro.pg";
    ASSERT_TRUE(WritePageFile(file, EveryKindPage()));
    TPage page;
    ASSERT_TRUE(ReadPageFile(file, page));
    EXPECT_EQ(page.PageName, "Every");
    EXPECT_FALSE(ReadPageFile(dir.String() + "\\Missing.pg", page));
    ExpectOneReport("(Error Code: 2/1075).");
    std::filesystem::create_directory(dir.Path() / "Blocked.pg.new");
    EXPECT_FALSE(WritePageFile(dir.String() + "\\Blocked.pg", page));
    ExpectOneReport("/1076).");
}

TEST_F(PageTest, ThreePageTargetReadsEveryPageBackFromItsPosition) {
    test::TempDir dir;
    ProjectHeader header;
    std::vector<TPage> pages(3);
    const char* names[] = {"Splash", "Main", "Sub"};
    for (std::size_t i = 0; i < 3; ++i) {
        pages[i].PageName = names[i];
        pages[i].Caption = std::string("Caption of ") + names[i];
        CreateObject(pages[i], static_cast<std::uint8_t>(i * 9), 1, 1);
        header.Pages.push_back({names[i], static_cast<std::int32_t>(i), 0, names[i], false});
    }
    ASSERT_TRUE(WriteTargetFile(dir.String(), header, [&](Stream& stream, std::size_t index) {
        return WritePage(stream, pages[index]);
    }));
    ProjectSession session;
    session.ProjectFolder = dir.String();
    session.Source = ProjectSource::TargetFile;
    session.Project = header;
    for (std::size_t i = 0; i < 3; ++i) {
        FileStream stream;
        int error = 0;
        ASSERT_TRUE(OpenPageStream(session, i, stream, error));
        TPage back;
        ASSERT_TRUE(ReadPage(stream, back));
        EXPECT_TRUE(back == pages[i]) << names[i];
        std::string caption;
        Picture icon;
        ASSERT_TRUE(ReadPageTitle(session, i, caption, icon));
        EXPECT_EQ(caption, pages[i].Caption);
    }
    ExpectNoReport();
}

TEST_F(PageTest, SlideShowConfigurationFile) {
    test::TempDir dir;
    std::vector<TPSImage> settings(1);
    EXPECT_EQ(ReadSlideShowConfig(dir.String(), settings), SlideConfigResult::Missing);
    EXPECT_EQ(settings.size(), 1u);

    TPSImage entry;
    entry.FileName = "a.jpg";
    entry.Style = 12;
    MemoryStream stream;
    WriteInt32(stream, kSlideShowConfigMagic);
    WriteInt32(stream, 2);
    ASSERT_TRUE(WriteSlideSettings(stream, entry));
    ASSERT_TRUE(WriteSlideSettings(stream, TPSImage{}));
    const std::string good(stream.Bytes().begin(), stream.Bytes().end());
    EXPECT_EQ(good.substr(0, 4), std::string("\x8A\x74\x00\x00", 4));
    test::WriteFile(dir.Path() / "SlideShowEx.cfg", good);
    EXPECT_EQ(ReadSlideShowConfig(dir.String(), settings), SlideConfigResult::Loaded);
    ASSERT_EQ(settings.size(), 2u);
    EXPECT_EQ(settings[0], entry);

    test::WriteFile(dir.Path() / "SlideShowEx.cfg", "\x8B" + good.substr(1));
    EXPECT_EQ(ReadSlideShowConfig(dir.String(), settings), SlideConfigResult::BadMagic);
    EXPECT_TRUE(settings.empty());
    ExpectNoReport();
    EXPECT_EQ(InvalidSlideConfigText("/cd/pics/SlideShowEx.cfg"),
              "Invalid file format \"/cd/pics/SlideShowEx.cfg\".");

    test::WriteFile(dir.Path() / "SlideShowEx.cfg", good.substr(0, good.size() - 3));
    EXPECT_EQ(ReadSlideShowConfig(dir.String(), settings), SlideConfigResult::ReadFailed);
    EXPECT_TRUE(settings.empty());
    EXPECT_EQ(reporter.reports.size(), 1u);
}

TEST(ObjectRulesTest, NamesFillTheFirstGapAndNewObjectsTakeTheirDefaults) {
    TPage page;
    CreateObject(page, 0, 0, 0);
    CreateObject(page, 0, 0, 0).Command.Name = "Button3";
    TAutoObject& made = CreateObject(page, 0, 30, 40);
    EXPECT_EQ(made.Command.Name, "Button2");
    const auto& button = std::get<kinds::Button>(made.Properties);
    EXPECT_EQ(button.Caption, "New Button");
    EXPECT_EQ(button.Bounds, (Bounds{30, 40, 105, 25}));
    EXPECT_EQ(UniqueObjectName(page, 19), "Shape1");

    const std::vector<std::pair<std::uint8_t, std::string>> captions{
        {3, "New Label"}, {15, "New RadioButton"}, {16, "New CheckBox"}, {17, "New SimpleText"}};
    for (const auto& entry : captions) {
        const std::uint8_t kind = entry.first;
        const std::string& caption = entry.second;
        const TAutoObject& object = CreateObject(page, kind, 0, 0);
        std::visit(
            [&](const auto& b) {
                if constexpr (requires { b.Caption; }) {
                    EXPECT_EQ(b.Caption, caption);
                } else {
                    ADD_FAILURE() << "kind " << int(kind) << " has no caption";
                }
            },
            object.Properties);
    }
    EXPECT_EQ(std::get<kinds::Text>(CreateObject(page, 6, 0, 0).Properties).Lines, "New Text\r\n");
    EXPECT_EQ(std::get<kinds::Edit>(CreateObject(page, 14, 0, 0).Properties).Text, "");
    const auto& label = std::get<kinds::Label>(page.Objects[3].Properties);
    EXPECT_EQ(label.Font.Name, "Arial");
    EXPECT_EQ(label.Font.Size, 16);
    EXPECT_TRUE(label.Look.Effect.Shadow.Enabled);
    EXPECT_TRUE(label.Look.Effect.Texture.Enabled);
    const auto shape = std::get<kinds::Shape>(DefaultKindProperties(19));
    EXPECT_EQ(shape.Parameter, 30);
    EXPECT_EQ(shape.FillColor, Colours::White);
    EXPECT_EQ(page.Objects.back().Selected, false);
}

TEST(ObjectRulesTest, ReorderPutsWindowedKindsLastKeepingOrder) {
    TPage page;
    for (std::uint8_t kind : {20, 3, 8, 17, 19, 0, 26, 7}) {
        CreateObject(page, kind, 0, 0);
    }
    ReorderObjects(page);
    std::vector<int> kinds;
    for (const auto& object : page.Objects) {
        kinds.push_back(object.Kind());
    }
    EXPECT_EQ(kinds, (std::vector<int>{3, 17, 19, 0, 7, 20, 8, 26}));
}

TEST(ObjectRulesTest, ButtonToggleGroupsNumberGroupNamesByFirstAppearance) {
    TPage page;
    const auto add = [&](std::uint8_t kind, const char* group, bool toggles) {
        TAutoObject& object = CreateObject(page, kind, 0, 0);
        object.Command.GroupName = group;
        object.Command.CheckStyleInGroup = toggles;
    };
    add(2, "Pictures", true); // an Image names the first group
    add(0, "Tabs", true);
    add(0, "tabs", true); // another group: names compare exactly
    add(0, "Pictures", true);
    add(0, "Tabs", false); // in the group but not toggling
    add(0, "", true);
    EXPECT_EQ(ButtonToggleGroups(page), (std::vector<int>{0, 2, 3, 1, 0, 0}));
}

} // namespace
} // namespace carvelle
