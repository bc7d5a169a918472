#include "launcher_fixtures.h"
#include "test_support.h"

#include "launcher/colour.h"
#include "launcher/menu_file.h"
#include "launcher/tagged_fields.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <optional>

namespace carvelle::launcher {
namespace {

using test::AddFrame;
using test::AppendInt32;
using test::MenuBytes;
using test::PatternFrame;

const Message kMenuNotRead{MessageKind::Error, "Menu could not be read."};

Menu FullMenu() {
    Menu menu;
    menu.ShapeColourIndex = 1;
    menu.NoFrameRegions = 1;
    menu.Position = 10;
    menu.DisplayTicks = 160;
    menu.AutoLaunchMode = 2;
    menu.FrameInterval = 120;
    menu.AnimationMode = 5;
    menu.ReservedSettings = {1, 2, 3, 4, 5, -6};
    menu.ReservedBytes = {7, 8};
    menu.Actions[0] = {"%setup.exe", "/path=%CD%:\\data", -1, 1, ""};
    menu.ViewersCaption = "Viewers";
    menu.ViewersText = "No viewer for \xE9t\xE9 files\r\nPick one";
    menu.Actions.push_back({"viewer\\install.exe", "", 0, 0, "Reader \xB6 1"});
    menu.Actions.push_back({"", "", 0, 0, ""}); // an empty line still takes its place
    AddFrame(menu, PatternFrame(3, 2, 1));
    AddFrame(menu, PatternFrame(5, 4, 2));
    menu.FrameRegions[1] = "00050004Y0002000100030004000500010002";
    return menu;
}

StartupRead ReadExecutable(const std::vector<std::uint8_t>& exe) {
    MemoryStream stream(exe);
    return ReadStartupMenu(stream);
}

StartupRead ReadMenuBytes(const std::vector<std::uint8_t>& menuBytes) {
    return ReadExecutable(test::Executable({{"Main.mnu", menuBytes}}));
}

TEST(LauncherMenu, EveryFieldSurvivesWriteAndRead) {
    const Menu written = FullMenu();
    const StartupRead startup = ReadMenuBytes(MenuBytes(written));
    ASSERT_TRUE(startup.PackageOpened);
    ASSERT_TRUE(startup.MenuRead.Read);
    EXPECT_TRUE(startup.Boxes.empty());
    const Menu& read = startup.MenuRead.Loaded;
    EXPECT_EQ(read.MenuName, "main.mnu");
    EXPECT_EQ(read.Signature, written.Signature);
    EXPECT_EQ(read.ReservedBytes, written.ReservedBytes);
    EXPECT_EQ(read.FrameCount, 2);
    EXPECT_EQ(read.ShapeColourIndex, 1);
    EXPECT_EQ(read.ShapeColour, 0x008000u);
    EXPECT_EQ(read.NoFrameRegions, 1);
    EXPECT_EQ(read.Position, 10);
    EXPECT_EQ(read.DisplayTicks, 160);
    EXPECT_EQ(read.AutoLaunchMode, 2);
    EXPECT_EQ(read.FrameInterval, 120);
    EXPECT_EQ(read.AnimationMode, 5);
    EXPECT_EQ(read.ReservedSettings, written.ReservedSettings);
    EXPECT_EQ(read.ViewersCaption, written.ViewersCaption);
    EXPECT_EQ(read.ViewersText, written.ViewersText);
    EXPECT_EQ(read.Actions, written.Actions);
    EXPECT_EQ(read.ActionCount(), 2);
    EXPECT_EQ(read.Frames, written.Frames);
    EXPECT_EQ(read.FrameRegions, written.FrameRegions);
    // The trace of the colour conversion names the palette number asked for.
    EXPECT_EQ(startup.MenuRead.Traces, std::vector<std::string>{"QBColor Called for: 2"});
}

TEST(LauncherMenu, PixelsAreStoredBlueGreenRedZeroTopRowFirst) {
    Menu menu;
    AddFrame(menu, Frame{2, 1, {0x112233, 0x445566}});
    const std::vector<std::uint8_t> bytes = MenuBytes(menu);
    // Inflate independently of the reader.
    std::size_t head = 0;
    for (std::size_t i = 0; i + 20 < bytes.size(); ++i) {
        if (bytes[i] == kPictureFieldTag && bytes[i + 1] == 1 && bytes[i + 2] == 1) {
            head = i;
            break;
        }
    }
    ASSERT_NE(head, 0u);
    EXPECT_EQ(bytes[head + 20], 8) << "U = 2 x 1 x 4";
    EXPECT_EQ(bytes[head + 24], 0x78);
    std::uint8_t raw[8] = {};
    uLongf rawSize = sizeof raw;
    // Everything after U up to the region text "00020001" is the zlib stream.
    const auto packedSize = static_cast<uLong>(bytes.size() - head - 24 - 13);
    ASSERT_EQ(uncompress(raw, &rawSize, &bytes[head + 24], packedSize), Z_OK);
    EXPECT_EQ(std::vector<std::uint8_t>(raw, raw + 8),
              (std::vector<std::uint8_t>{0x33, 0x22, 0x11, 0, 0x66, 0x55, 0x44, 0}));
}

TEST(LauncherMenu, OtherFormatsOrVersionsGiveBothBoxesInOrder) {
    const std::vector<std::uint8_t> good = MenuBytes(FullMenu());
    const struct {
        std::size_t at;
        std::uint8_t value;
    } cases[] = {{5, 8}, {5, 10}, {4, 3}};
    for (const auto& c : cases) {
        std::vector<std::uint8_t> bytes = good;
        bytes[c.at] = c.value;
        const StartupRead startup = ReadMenuBytes(bytes);
        EXPECT_FALSE(startup.MenuRead.Read);
        ASSERT_EQ(startup.Boxes.size(), 2u);
        EXPECT_EQ(startup.Boxes[0].Kind, MessageKind::Information);
        EXPECT_EQ(startup.Boxes[0].Text,
                  "This is not an Avensa Version 9 file. If you have created the saved settings "
                  "in a previous version of Avensa you will need to manually recreate the file "
                  "in this new version.");
        EXPECT_EQ(startup.Boxes[1], kMenuNotRead);
    }
    // A menu cut inside its header fails the same check instead of reading past the end.
    const StartupRead cut = ReadMenuBytes({'M', 'E', 'N', 'U', 4});
    EXPECT_EQ(cut.Boxes.size(), 2u);
}

TEST(LauncherMenu, MoreThanOneHundredAlternativesOrPicturesAreRefused) {
    const std::vector<std::uint8_t> good = MenuBytes(Menu{});
    for (const std::size_t at : {std::size_t{8}, std::size_t{9}}) {
        std::vector<std::uint8_t> bytes = good;
        bytes[at] = 101;
        const StartupRead startup = ReadMenuBytes(bytes);
        EXPECT_FALSE(startup.MenuRead.Read) << at;
        EXPECT_EQ(startup.Boxes, Messages{kMenuNotRead}) << at;
    }
    Menu tooMany;
    tooMany.Actions.resize(102);
    MemoryStream out;
    EXPECT_THROW(WriteMenu(out, tooMany), StreamError);
    Menu unshaped;
    unshaped.Frames.push_back(PatternFrame(1, 1, 1)); // no region text beside it
    EXPECT_THROW(WriteMenu(out, unshaped), StreamError);
}

TEST(LauncherMenu, MenuWithoutPicturesIsPresentedEmpty) {
    const StartupRead startup = ReadMenuBytes(MenuBytes(Menu{}));
    EXPECT_TRUE(startup.MenuRead.Read);
    EXPECT_TRUE(startup.Boxes.empty());
    EXPECT_EQ(startup.MenuRead.Loaded.LoadedFrames(), 0);
    EXPECT_TRUE(startup.MenuRead.Traces.empty()) << "index 0 needs no palette colour";
}

// The bytes of one picture field and its region text, with every part under the test's hand.
struct RawPicture {
    std::uint8_t tag = kPictureFieldTag;
    std::int32_t marker = 0;
    std::int32_t width = 2;
    std::int32_t height = 2;
    std::optional<std::int32_t> count = std::nullopt; // U; W x H x 4 unless set
    std::optional<std::vector<std::uint8_t>> zlib = std::nullopt;
    std::optional<std::int32_t> blockSize = std::nullopt; // B; what follows unless set
    std::size_t keepZlibBytes = SIZE_MAX;

    std::vector<std::uint8_t> Bytes() const {
        const std::int32_t u = count.value_or(width * height * 4);
        // Compressed only when the case gives no stream of its own: the sizes may be huge.
        std::vector<std::uint8_t> packed = zlib ? *zlib : [&] {
            std::vector<std::uint8_t> raw(static_cast<std::size_t>(std::max(0, u)), 0x5A);
            uLongf size = compressBound(static_cast<uLong>(raw.size()));
            std::vector<std::uint8_t> out(size);
            compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
            out.resize(size);
            return out;
        }();
        packed.resize(std::min(packed.size(), keepZlibBytes));
        std::vector<std::uint8_t> out{tag, 1, 2, 0};
        AppendInt32(out, marker);
        AppendInt32(out, width);
        AppendInt32(out, height);
        AppendInt32(out, blockSize.value_or(static_cast<std::int32_t>(packed.size() + 4)));
        AppendInt32(out, u);
        out.insert(out.end(), packed.begin(), packed.end());
        MemoryStream region;
        WriteStringField(region, "00020002");
        out.insert(out.end(), region.Bytes().begin(), region.Bytes().end());
        return out;
    }
};

std::vector<std::uint8_t> GoodPicture(std::uint32_t seed) {
    MemoryStream out;
    const Frame frame = PatternFrame(2, 2, seed);
    WritePictureField(out, frame, 1);
    WriteStringField(out, "00020002");
    return out.Bytes();
}

// A menu whose second of three pictures is `damaged`.
std::vector<std::uint8_t> MenuWithSecondPicture(const std::vector<std::uint8_t>& damaged) {
    std::vector<std::uint8_t> bytes = MenuBytes(Menu{});
    bytes[9] = 3;
    for (const auto& picture : {GoodPicture(1), damaged, GoodPicture(3)}) {
        bytes.insert(bytes.end(), picture.begin(), picture.end());
    }
    return bytes;
}

TEST(LauncherMenu, DamagedPictureStopsLoadingWithTheCountOfThoseThatLoaded) {
    std::vector<std::uint8_t> badHeader = RawPicture{}.Bytes();
    badHeader[24] = 0x00; // the zlib header's first byte
    std::vector<std::uint8_t> flipped = RawPicture{.width = 64, .height = 64}.Bytes();
    for (std::size_t i = 26; i < flipped.size() - 13; ++i) {
        flipped[i] ^= 0xA5;
    }
    std::vector<std::uint8_t> shortStream(3 * 4, 0);
    uLongf shortSize = compressBound(12);
    std::vector<std::uint8_t> shortPacked(shortSize);
    compress2(shortPacked.data(), &shortSize, shortStream.data(), 12, 9);
    shortPacked.resize(shortSize);

    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"wrong tag", RawPicture{.tag = kStringFieldTag}.Bytes()},
        {"picture kept in its own file", RawPicture{.marker = -1}.Bytes()},
        {"huge width and height",
         RawPicture{.width = 16384, .height = 16384, .zlib = shortPacked}.Bytes()},
        {"side beyond the bound",
         RawPicture{.width = 100000, .height = 1, .zlib = shortPacked}.Bytes()},
        {"zero width", RawPicture{.width = 0, .height = 5, .zlib = shortPacked}.Bytes()},
        {"negative height",
         RawPicture{.width = 5, .height = -5, .count = 100, .zlib = shortPacked}.Bytes()},
        {"count not width x height x 4", RawPicture{.count = 12, .zlib = shortPacked}.Bytes()},
        {"count beyond what a small block can hold",
         RawPicture{.width = 4096, .height = 4096, .zlib = shortPacked}.Bytes()},
        {"stream inflating to too few bytes", RawPicture{.zlib = shortPacked}.Bytes()},
        {"truncated zlib stream",
         RawPicture{.width = 64, .height = 64, .keepZlibBytes = 10}.Bytes()},
        {"damaged zlib header", badHeader},
        {"damaged deflate data", flipped},
        {"block larger than the file", RawPicture{.blockSize = 0x7FFFFFF0}.Bytes()},
        {"block too small for its count", RawPicture{.blockSize = 2}.Bytes()},
    };
    for (const auto& c : cases) {
        const StartupRead startup = ReadMenuBytes(MenuWithSecondPicture(c.bytes));
        ASSERT_TRUE(startup.MenuRead.Read) << c.name;
        EXPECT_EQ(startup.Boxes, (Messages{{MessageKind::Warning, "Only 1 of 3 images loaded."}}))
            << c.name;
        const Menu& menu = startup.MenuRead.Loaded;
        ASSERT_EQ(menu.LoadedFrames(), 1) << c.name;
        EXPECT_EQ(menu.Frames[0], PatternFrame(2, 2, 1)) << c.name;
        EXPECT_EQ(menu.FrameRegions, std::vector<std::string>{"00020002"}) << c.name;
    }
    // The same pictures, undamaged, all load.
    const StartupRead intact = ReadMenuBytes(MenuWithSecondPicture(GoodPicture(2)));
    EXPECT_TRUE(intact.Boxes.empty());
    EXPECT_EQ(intact.MenuRead.Loaded.LoadedFrames(), 3);
}

TEST(LauncherMenu, DamageAmongTheSettingsShowsOnlyAsFailingPictures) {
    Menu menu;
    menu.ViewersCaption = "Caption";
    AddFrame(menu, PatternFrame(2, 2, 1));
    std::vector<std::uint8_t> bytes = MenuBytes(menu);
    // The empty ViewersText is the last field before the picture: tag, then four zero bytes.
    const std::size_t viewersText = 11 + 13 * 9 + 5 + 9 + 5 + 9 + (5 + 7);
    ASSERT_EQ(bytes[viewersText], kStringFieldTag);
    bytes[viewersText] = 9;
    const StartupRead startup = ReadMenuBytes(bytes);
    ASSERT_TRUE(startup.MenuRead.Read);
    EXPECT_EQ(startup.MenuRead.Loaded.ViewersCaption, "Caption");
    EXPECT_EQ(startup.Boxes, (Messages{{MessageKind::Warning, "Only 0 of 1 images loaded."}}));
}

TEST(LauncherMenu, MissingEntryGivesTheWarningAndTheMenuBox) {
    MemoryStream stream(test::Executable({{"other", MenuBytes(Menu{})}}));
    PackageDirectory directory;
    Messages messages;
    ASSERT_TRUE(OpenPackage(stream, directory, messages));
    const MenuReadResult result = ReadMenu(stream, directory, "Intro", messages);
    EXPECT_FALSE(result.Read);
    EXPECT_EQ(result.Loaded.MenuName, "Intro");
    EXPECT_EQ(messages,
              (Messages{{MessageKind::Warning, "Could not locate specified package:\r\rintro"},
                        kMenuNotRead}));

    // An entry whose data lies outside the file is no menu either.
    std::vector<std::uint8_t> exe = test::Executable({{"menu", MenuBytes(Menu{})}});
    test::PutInt32(exe, 64 + 4 + 3 + 5 + 6 + 1 + 256, 0x7FFFFFFF);
    const StartupRead startup = ReadExecutable(exe);
    EXPECT_EQ(startup.Boxes.size(), 2u);
    EXPECT_EQ(startup.Boxes.back(), kMenuNotRead);
}

TEST(LauncherMenu, ShapeColourIsOnFromIndexOneToFourteen) {
    const struct {
        std::int32_t index;
        std::uint32_t colour;
    } cases[] = {{-1, 0},        {0, 0},  {1, 0x008000},  {13, 0x00FFFF},
                 {14, 0xFFFFFF}, {15, 0}, {INT32_MIN, 0}, {INT32_MAX, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(ShapeColourFromIndex(c.index), c.colour) << c.index;
    }
    EXPECT_EQ(QBColor(1), 0x800000u);
    EXPECT_EQ(QBColor(4), 0x000080u);
    EXPECT_EQ(QBColor(12), 0x0000FFu);
    EXPECT_EQ(QBColor(16), 0u);

    Menu menu;
    menu.ShapeColourIndex = 14;
    const StartupRead startup = ReadMenuBytes(MenuBytes(menu));
    EXPECT_TRUE(startup.MenuRead.Loaded.ShapingOn());
    EXPECT_EQ(startup.MenuRead.Traces, std::vector<std::string>{"QBColor Called for: 15"});
}

} // namespace
} // namespace carvelle::launcher
