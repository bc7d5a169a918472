#include "common/error_codes.h"
#include "common/primitives.h"
#include "ui/common/error_box.h"
#include "ui/common/picture_check.h"
#include "ui_test_support.h"

#include <span>

namespace carvelle::ui {
namespace {

class ErrorBoxTest : public test::SeamTest {};

TEST_F(ErrorBoxTest, NumberedErrorsShowInOneErrorBox) {
    ErrorBoxReporter reporter;
    ScopedErrorReporter scoped(reporter);
    ReportFileError(ErrorCode::PageFileRead, "C:\\Caf\xE9\\Intro.pg", 2);
    ASSERT_EQ(MessageSeam::Shown().size(), 1u);
    const MessageRequest& box = MessageSeam::Shown()[0];
    EXPECT_EQ(box.caption, QStringLiteral("Error"));
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("\"C:\\Café\\Intro.pg\", ")))
        << box.text.toStdString();
    EXPECT_TRUE(box.text.endsWith(QStringLiteral(" (Error Code: 2/1075).")))
        << box.text.toStdString();
}

class PictureCheckTest : public ::testing::TestWithParam<std::pair<const char*, GraphicClass>> {};

TEST_P(PictureCheckTest, PicturesFromOtherWritersDecodeAndDamagedOnesDoNot) {
    const auto [file, graphicClass] = GetParam();
    const std::string bytes = test::ReadBytes(std::filesystem::path(CARVELLE_FIXTURES) / file);
    ASSERT_FALSE(bytes.empty()) << file;
    const auto data = std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    EXPECT_TRUE(PictureDecodes(graphicClass, data)) << file;
    EXPECT_FALSE(PictureDecodes(graphicClass, data.first(12))) << file << " cut short";
    std::string garbage(bytes.size(), '\x5A');
    EXPECT_FALSE(PictureDecodes(
        graphicClass,
        std::span(reinterpret_cast<const std::uint8_t*>(garbage.data()), garbage.size())))
        << file << " garbage";
}

INSTANTIATE_TEST_SUITE_P(
    Classes, PictureCheckTest,
    ::testing::Values(std::pair{"images/quadrants.png", GraphicClass::PNGObject},
                      std::pair{"images/quadrants.jpg", GraphicClass::JPEGImage},
                      std::pair{"images/quadrants.gif", GraphicClass::GIFImage},
                      std::pair{"images/quadrants-24.bmp", GraphicClass::Bitmap},
                      std::pair{"images/multisize.ico", GraphicClass::Icon},
                      std::pair{"metafiles/shapes.emf", GraphicClass::Metafile},
                      std::pair{"metafiles/shapes.wmf", GraphicClass::Metafile}));

TEST(PictureReaderTest, InstalledCheckMakesTheReaderRefuseUndecodableBytes) {
    RecordingErrorReporter reporter;
    ScopedErrorReporter scoped(reporter);
    InstallPictureDecoderCheck();
    const std::string png =
        test::ReadBytes(std::filesystem::path(CARVELLE_FIXTURES) / "images/quadrants.png");
    for (const bool damaged : {false, true}) {
        MemoryStream stream;
        Picture picture{GraphicClass::PNGObject, std::vector<std::uint8_t>(png.begin(), png.end())};
        if (damaged) {
            picture.Data.resize(20);
        }
        ASSERT_TRUE(WritePicture(stream, picture));
        stream.Seek(0);
        Picture back;
        EXPECT_EQ(ReadPicture(stream, back), !damaged);
        EXPECT_EQ(back.IsEmpty(), damaged);
    }
    SetPictureDecoderCheck(nullptr);
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_NE(reporter.reports[0].find("/1056)."), std::string::npos);
}

} // namespace
} // namespace carvelle::ui
