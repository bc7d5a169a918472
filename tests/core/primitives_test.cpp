#include "common/error_codes.h"
#include "common/primitives.h"
#include "test_support.h"

namespace carvelle {
namespace {

using test::Bytes;
using test::Concat;
using test::StringBytes;

class PrimitivesTest : public test::RecordingTest {};

template <typename Writer> std::vector<std::uint8_t> Written(Writer&& write) {
    MemoryStream stream;
    EXPECT_TRUE(write(stream));
    return stream.Bytes();
}

TEST_F(PrimitivesTest, StringsTextsAndFontsHaveTheirExactBytes) {
    EXPECT_EQ(Written([](Stream& s) { return WriteString(s, ""); }), Bytes({0, 0, 0, 0}));
    EXPECT_EQ(Written([](Stream& s) { return WriteString(s, "abc"); }),
              Bytes({3, 0, 0, 0, 0x61, 0x62, 0x63}));
    EXPECT_EQ(Written([](Stream& s) {
                  return WriteString(s, JoinTextLines({"a", "b"}));
              }),
              Bytes({6, 0, 0, 0, 'a', 13, 10, 'b', 13, 10}));

    Font font;
    font.Name = "Arial";
    font.Color = RgbColour(255, 0, 0);
    font.Size = 16;
    font.Style = FontStyle::Bold | FontStyle::Underline;
    EXPECT_EQ(Written([&](Stream& s) { return WriteFont(s, font); }),
              Concat({StringBytes("Arial"), Bytes({0xFF, 0, 0, 0, 0x10, 0, 0, 0, 0x05})}));

    // Strings carry any byte, zeros included.
    const std::string binary("a\0\x01\xFF", 4);
    MemoryStream stream;
    ASSERT_TRUE(WriteString(stream, binary));
    stream.Seek(0);
    std::string back;
    ASSERT_TRUE(ReadString(stream, back));
    EXPECT_EQ(back, binary);
    ExpectNoReport();
}

TEST_F(PrimitivesTest, NonPositiveStringCountReadsEmptyAndConsumesNothingMore) {
    MemoryStream stream(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 'x'}));
    std::string text = "old";
    ASSERT_TRUE(ReadString(stream, text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(stream.Position(), 4u);
}

TEST_F(PrimitivesTest, TextLinesEndWithCrLfCrOrLf) {
    EXPECT_EQ(SplitTextLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitTextLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(SplitTextLines("").empty());
}

TEST_F(PrimitivesTest, BooleanReadsAnyNonZeroByteAsTrue) {
    MemoryStream stream(Bytes({0, 1, 0x80}));
    EXPECT_FALSE(ReadBool(stream));
    EXPECT_TRUE(ReadBool(stream));
    EXPECT_TRUE(ReadBool(stream));
}

TEST_F(PrimitivesTest, PicturesRoundTripAndClassNamesIgnoreCase) {
    EXPECT_EQ(Written([](Stream& s) { return WritePicture(s, Picture{}); }), Bytes({0, 0, 0, 0}));

    Picture png{GraphicClass::PNGObject, {1, 2, 3}};
    const auto bytes = Written([&](Stream& s) { return WritePicture(s, png); });
    EXPECT_EQ(bytes, Concat({StringBytes("TPNGObject"), Bytes({3, 0, 0, 0, 1, 2, 3})}));

    MemoryStream lower(Concat({StringBytes("tpngobject"), Bytes({3, 0, 0, 0, 1, 2, 3})}));
    Picture read;
    ASSERT_TRUE(ReadPicture(lower, read));
    EXPECT_EQ(read, png);

    MemoryStream empty(Bytes({0, 0, 0, 0}));
    ASSERT_TRUE(ReadPicture(empty, read));
    EXPECT_TRUE(read.IsEmpty());
    ExpectNoReport();
}

TEST_F(PrimitivesTest, GraphicClassByNameUsesTheFixedTable) {
    const std::vector<std::pair<std::string, GraphicClass>> cases{
        {"TGIFImage", GraphicClass::GIFImage},   {"tpngobject", GraphicClass::PNGObject},
        {"TJpegImage", GraphicClass::JPEGImage}, {"TBITMAP", GraphicClass::Bitmap},
        {"TIcon", GraphicClass::Icon},           {"TMetafile", GraphicClass::Metafile},
        {"TGraphic", GraphicClass::None},        {"", GraphicClass::None}};
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(GraphicClassByName(name), expected) << name;
    }
}

TEST_F(PrimitivesTest, UnknownOrUndecodablePictureFailsWith1056AndStaysEmpty) {
    Picture picture{GraphicClass::Bitmap, {9}};
    MemoryStream unknown(Concat({StringBytes("TWhatever"), Bytes({1, 0, 0, 0, 7})}));
    EXPECT_FALSE(ReadPicture(unknown, picture));
    EXPECT_TRUE(picture.IsEmpty());
    ExpectOneReport("/1056).");

    SetPictureDecoderCheck([](GraphicClass, std::span<const std::uint8_t> bytes) {
        return !bytes.empty() && bytes[0] == 0x89;
    });
    MemoryStream bad(Concat({StringBytes("TPNGObject"), Bytes({1, 0, 0, 0, 7})}));
    EXPECT_FALSE(ReadPicture(bad, picture));
    ExpectOneReport("/1056).");
    MemoryStream good(Concat({StringBytes("TPNGObject"), Bytes({1, 0, 0, 0, 0x89})}));
    EXPECT_TRUE(ReadPicture(good, picture));
    SetPictureDecoderCheck(nullptr);
    ExpectNoReport();
}

TEST_F(PrimitivesTest, TextEffectWritesAll21FieldsInStoredOrder) {
    TextEffect effect;
    effect.Alpha = 50;
    effect.Angle = -90;
    effect.Blur = 3;
    effect.HorzMirror = true;
    effect.Noise = 200;
    effect.Outline = true;
    effect.Spray = 4;
    effect.VertMirror = false;
    effect.Gradual = {true, 0x00112233, 0x00445566, 2};
    effect.Shadow = {60, 5, 0x00778899, true, -3, 4};
    effect.Texture.Enabled = true;
    effect.Texture.Mode = 1;
    effect.Texture.Picture = {GraphicClass::GIFImage, {'G'}};

    const auto bytes = Written([&](Stream& s) { return WriteTextEffect(s, effect); });
    const auto expected = Concat({
        Bytes({50, 0, 0, 0, 0xA6, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 1, 200, 0, 0, 0, 1, 4, 0, 0, 0, 0}),
        Bytes({1, 0x33, 0x22, 0x11, 0, 0x66, 0x55, 0x44, 0, 2}),
        Bytes(
            {60, 0, 0, 0, 5, 0, 0, 0, 0x99, 0x88, 0x77, 0, 1, 0xFD, 0xFF, 0xFF, 0xFF, 4, 0, 0, 0}),
        Bytes({1, 1}),
        StringBytes("TGIFImage"),
        Bytes({1, 0, 0, 0, 'G'}),
    });
    EXPECT_EQ(bytes, expected);

    MemoryStream stream(bytes);
    TextEffect back;
    ASSERT_TRUE(ReadTextEffect(stream, back));
    EXPECT_EQ(back, effect);
    EXPECT_EQ(stream.Remaining(), 0u);
}

TEST_F(PrimitivesTest, ByteSizedEffectFieldsAreNarrowedOnReading) {
    TextEffect wide;
    auto bytes = Written([&](Stream& s) { return WriteTextEffect(s, wide); });
    bytes[0] = 0x2C; // Alpha stored as 0x012C
    bytes[1] = 0x01;
    MemoryStream stream(bytes);
    TextEffect back;
    ASSERT_TRUE(ReadTextEffect(stream, back));
    EXPECT_EQ(back.Alpha, 0x2C);
}

TEST_F(PrimitivesTest, FontLabelsRoundTripAndReplaceTheList) {
    std::vector<FontLabel> labels(2);
    labels[0].Name = "Title";
    labels[0].Font.Name = "Verdana";
    labels[1].Name = "Body";
    labels[1].Effect.Outline = true;
    const auto bytes = Written([&](Stream& s) { return WriteFontLabels(s, labels); });
    MemoryStream stream(bytes);
    std::vector<FontLabel> back(5);
    ASSERT_TRUE(ReadFontLabels(stream, back));
    EXPECT_EQ(back, labels);
}

// Truncating a valid record anywhere must give exactly one report, from the routine that
// owns the field where the data ran out.
TEST_F(PrimitivesTest, TruncatedDataGivesOneReportFromTheInnermostRoutine) {
    std::vector<FontLabel> labels(1);
    labels[0].Name = "Label";
    labels[0].Effect.Texture.Picture = {GraphicClass::Bitmap, {1, 2, 3, 4}};
    const auto full = Written([&](Stream& s) { return WriteFontLabels(s, labels); });
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        MemoryStream stream(std::vector<std::uint8_t>(
            full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut)));
        std::vector<FontLabel> back;
        EXPECT_FALSE(ReadFontLabels(stream, back)) << cut;
        EXPECT_EQ(reporter.reports.size(), 1u) << "cut at " << cut << ": " << Joined();
        reporter.reports.clear();
    }
    // Cut inside the texture picture's byte count: the picture reader reports.
    const auto effect = Written([&](Stream& s) { return WriteTextEffect(s, labels[0].Effect); });
    MemoryStream stream(std::vector<std::uint8_t>(effect.begin(), effect.end() - 6));
    TextEffect backEffect;
    EXPECT_FALSE(ReadTextEffect(stream, backEffect));
    ExpectOneReport("/1056).");
    std::vector<FontLabel> back;
    // Cut inside the label's name: the string reader reports.
    MemoryStream name(std::vector<std::uint8_t>(full.begin(), full.end() - 2));
    EXPECT_FALSE(ReadFontLabels(name, back));
    ExpectOneReport("/1054).");
}

TEST_F(PrimitivesTest, HugeCountsAreRefusedBeforeAllocating) {
    MemoryStream labels(Bytes({0xFF, 0xFF, 0xFF, 0x7F}));
    std::vector<FontLabel> back;
    EXPECT_FALSE(ReadFontLabels(labels, back));
    ExpectOneReport("/1060).");

    MemoryStream text(Bytes({0xFF, 0xFF, 0xFF, 0x7F, 'a'}));
    std::string value;
    EXPECT_FALSE(ReadString(text, value));
    ExpectOneReport("/1054).");
}

TEST_F(PrimitivesTest, WriterFailureReportsOnceWithTheSystemError) {
    test::FailingStream stream(10);
    Font font;
    font.Name = "Arial";
    EXPECT_FALSE(WriteFont(stream, font));
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_NE(reporter.reports[0].find(" (Error Code: 28/1051)."), std::string::npos)
        << reporter.reports[0];
}

TEST_F(PrimitivesTest, ErrorMessagesAreComposedExactly) {
    ReportError(1063, 0);
    ReportFileError(1075, "C:\\cd\\Intro.pg", 2);
    ASSERT_EQ(reporter.reports.size(), 2u);
    EXPECT_EQ(reporter.reports[0], SystemErrorText(0) + " (Error Code: 0/1063).");
    EXPECT_EQ(reporter.reports[1],
              "\"C:\\cd\\Intro.pg\", " + SystemErrorText(2) + " (Error Code: 2/1075).");
}

} // namespace
} // namespace carvelle
