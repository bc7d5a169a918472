#include "launcher_fixtures.h"
#include "test_support.h"

#include "launcher/menu_file.h"
#include "launcher/package.h"
#include "launcher/tagged_fields.h"

#include <gtest/gtest.h>

namespace carvelle::launcher {
namespace {

using test::Executable;
using test::PutInt32;

const Message kInvalidAddress{MessageKind::Error, "Invalid menu address."};
const Message kNotPacked{MessageKind::Error, "Could not retrieve packed files"};
const Message kInternal{MessageKind::Error, "Error in loading internal menu."};

struct TrailerCase {
    const char* name;
    std::int64_t trailer; // stored value; relative to the trailer's own position when `relative`
    bool relative;
    Message expected;
};

TEST(LauncherPackage, TrailerOutsideThePackageIsRefusedWithItsBox) {
    const TrailerCase cases[] = {
        {"offset 0", 1, false, kInvalidAddress},        {"offset -1", 0, false, kNotPacked},
        {"negative", -5000, false, kNotPacked},         {"past the end", 2, true, kInvalidAddress},
        {"at the trailer itself", 1, true, kNotPacked}, {"inside the image", 11, false, kNotPacked},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> exe = Executable({{"menu", {1, 2, 3}}});
        const std::size_t trailerAt = exe.size() - 4;
        PutInt32(exe, trailerAt,
                 static_cast<std::int32_t>(
                     c.relative ? static_cast<std::int64_t>(trailerAt) + c.trailer : c.trailer));
        MemoryStream stream(exe);
        PackageDirectory directory;
        Messages messages;
        EXPECT_FALSE(OpenPackage(stream, directory, messages)) << c.name;
        EXPECT_EQ(messages, Messages{c.expected}) << c.name;

        MemoryStream again(exe);
        const StartupRead startup = ReadStartupMenu(again);
        EXPECT_FALSE(startup.PackageOpened);
        EXPECT_EQ(startup.Boxes, (Messages{c.expected, kInternal})) << c.name;
    }
    // Too short to hold a trailer at all.
    for (std::size_t size = 0; size < 4; ++size) {
        MemoryStream stream(std::vector<std::uint8_t>(size, 0));
        PackageDirectory directory;
        Messages messages;
        EXPECT_FALSE(OpenPackage(stream, directory, messages));
        EXPECT_EQ(messages, Messages{kInvalidAddress});
    }
}

TEST(LauncherPackage, DirectoryNamesAreTrimmedLowerCasedAndFoundInAnyCase) {
    const std::vector<std::uint8_t> exe =
        Executable({{"  Intro.MNU\t ", {10}}, {"Second Menu", {20}}, {"intro.mnu", {30}}});
    MemoryStream stream(exe);
    PackageDirectory directory;
    Messages messages;
    ASSERT_TRUE(OpenPackage(stream, directory, messages));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(directory.EntryCount, 3);
    EXPECT_EQ(directory.EntryNames[0], "intro.mnu");
    EXPECT_EQ(directory.EntryNames[1], "second menu");
    EXPECT_EQ(directory.EntryNames[3], "");

    for (std::string asked : {"intro.mnu", "INTRO.MNU", "Intro.Mnu"}) {
        ASSERT_TRUE(SeekEntry(stream, directory, asked, messages));
        EXPECT_EQ(asked, "intro.mnu") << "the caller's copy is lower-cased";
        // The first of two equal names wins.
        EXPECT_EQ(ReadByte(stream), 10);
    }
    std::string inner = "SECOND MENU";
    ASSERT_TRUE(SeekEntry(stream, directory, inner, messages));
    EXPECT_EQ(ReadByte(stream), 20);
    EXPECT_TRUE(messages.empty());

    // Blanks around a requested name are part of it; the stream stays where it was.
    stream.Seek(5);
    std::string padded = " Intro.mnu";
    EXPECT_FALSE(SeekEntry(stream, directory, padded, messages));
    EXPECT_EQ(stream.Position(), 5u);
    EXPECT_EQ(messages, (Messages{{MessageKind::Warning,
                                   "Could not locate specified package:\r\r intro.mnu"}}));
}

TEST(LauncherPackage, EmptyPackageLoadsSilentlyAndItsStartMenuFailsTheHeaderCheck) {
    const std::vector<std::uint8_t> exe = Executable({});
    MemoryStream stream(exe);
    PackageDirectory directory;
    Messages messages;
    ASSERT_TRUE(OpenPackage(stream, directory, messages));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(directory.EntryNames[0], "");
    EXPECT_EQ(directory.EntryOffsets[0], 0);

    std::string named = "menu";
    EXPECT_FALSE(SeekEntry(stream, directory, named, messages));
    EXPECT_EQ(messages,
              (Messages{{MessageKind::Warning, "Could not locate specified package:\r\rmenu"}}));

    // Slot 0 is the empty name at offset 0: the executable's first bytes are no menu.
    MemoryStream again(exe);
    const StartupRead startup = ReadStartupMenu(again);
    EXPECT_TRUE(startup.PackageOpened);
    EXPECT_FALSE(startup.MenuRead.Read);
    ASSERT_EQ(startup.Boxes.size(), 2u);
    EXPECT_EQ(startup.Boxes[0].Kind, MessageKind::Information);
    EXPECT_EQ(startup.Boxes[1], (Message{MessageKind::Error, "Menu could not be read."}));
}

// A package built byte by byte, for what the writer never produces.
std::vector<std::uint8_t> HandMadePackage(std::int32_t headerLength, std::uint8_t flagTag,
                                          int count, int entriesPresent) {
    std::vector<std::uint8_t> exe(16, 0x4D);
    const auto start = static_cast<std::int32_t>(exe.size());
    // Only short texts are stored; a huge length stands for a text the file does not hold.
    const std::string text = headerLength > 0 && headerLength < 1000
                                 ? std::string(static_cast<std::size_t>(headerLength), 'h')
                                 : "";
    for (char c : std::string("FPAK")) {
        exe.push_back(static_cast<std::uint8_t>(c));
    }
    exe.insert(exe.end(), {2, 0, 0, kStringFieldTag});
    test::AppendInt32(exe, headerLength);
    exe.insert(exe.end(), text.begin(), text.end());
    exe.push_back(flagTag);
    test::AppendInt32(exe, 1);
    exe.push_back(0);
    exe.push_back(static_cast<std::uint8_t>(count));
    for (int i = 0; i < entriesPresent; ++i) {
        std::string name = "entry" + std::to_string(i);
        name.resize(kEntryNameSize, ' ');
        exe.insert(exe.end(), name.begin(), name.end());
        test::AppendInt32(exe, 1 + i);
    }
    exe.push_back(1);
    test::AppendInt32(exe, start + 1);
    return exe;
}

TEST(LauncherPackage, HeaderTextOfAnyLengthKeepsTheFieldsAfterItInPlace) {
    for (const std::int32_t length : {-7, 0, 5}) {
        MemoryStream stream(HandMadePackage(length, kByteFieldTag, 2, 2));
        PackageDirectory directory;
        Messages messages;
        ASSERT_TRUE(OpenPackage(stream, directory, messages)) << length;
        EXPECT_EQ(directory.EntryNames[1], "entry1");
        EXPECT_EQ(directory.EntryOffsets[1], 1);
    }
}

TEST(LauncherPackage, DamagedDirectoriesAreRefusedCleanly) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        Messages expected;
    };
    const Case cases[] = {
        // The tables have 100 slots; more entries are refused, not written past them.
        {"101 entries", HandMadePackage(0, kByteFieldTag, 101, 101), {kNotPacked, kInternal}},
        {"count beyond the file", HandMadePackage(0, kByteFieldTag, 40, 2), {kInternal}},
        {"wrong tag in the header", HandMadePackage(0, kIntFieldTag, 1, 1), {kInternal}},
        {"header text longer than the file",
         HandMadePackage(0x7FFFFFFF, kByteFieldTag, 0, 0),
         {kInternal}},
    };
    for (const auto& c : cases) {
        MemoryStream stream(c.bytes);
        const StartupRead startup = ReadStartupMenu(stream);
        EXPECT_FALSE(startup.PackageOpened) << c.name;
        EXPECT_EQ(startup.Boxes, c.expected) << c.name;
    }
    // Exactly 100 entries still fit.
    MemoryStream full(HandMadePackage(0, kByteFieldTag, 100, 100));
    PackageDirectory directory;
    Messages messages;
    EXPECT_TRUE(OpenPackage(full, directory, messages));
    EXPECT_EQ(directory.EntryNames[99], "entry99");
}

TEST(LauncherPackage, WriterRefusesWhatTheReaderCannotHold) {
    std::vector<PackageEntry> many(101, PackageEntry{"m", {}});
    MemoryStream out;
    EXPECT_THROW(WritePackage(out, many), StreamError);
    EXPECT_THROW(WritePackage(out, {{std::string(257, 'n'), {}}}), StreamError);

    // A full disk surfaces as an error, never as a package cut short.
    test::FailingStream failing(300);
    EXPECT_THROW(WritePackage(failing, {{"menu", std::vector<std::uint8_t>(100, 1)}}), StreamError);
}

} // namespace
} // namespace carvelle::launcher
