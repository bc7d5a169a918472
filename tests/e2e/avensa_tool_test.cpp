#include "launcher/menu_file.h"
#include "launcher/package.h"
#include "launcher/tagged_fields.h"

#include "common/stream.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <random>

namespace {

using carvelle::MemoryStream;
namespace launcher = carvelle::launcher;

struct Result {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Result AvensaTool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(CARVELLE_BIN "/avensa-tool"), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

class AvensaToolTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const QByteArray launcherImage = QByteArray("\x7F"
                                                "ELF stand-in for the launcher",
                                                30);

    void SetUp() override {
        ASSERT_TRUE(QFile::exists(QStringLiteral(CARVELLE_BIN "/avensa-tool")))
            << "build the avensa-tool target first";
        Write(QStringLiteral("launcher"), launcherImage);
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray Read(const QString& name) {
        QFile file(Path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A picture in the portable pixmap format, which Qt reads without plugins.
    void WritePicture(const QString& name, int width, int height,
                      const std::function<QByteArray(int, int)>& pixel) {
        QByteArray bytes = QStringLiteral("P6\n%1 %2\n255\n").arg(width).arg(height).toLatin1();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                bytes += pixel(x, y);
            }
        }
        Write(name, bytes);
    }
    Result Pack(const QByteArray& description, const QString& out = QStringLiteral("out.exe")) {
        Write(QStringLiteral("menu.json"), description);
        return AvensaTool({QStringLiteral("pack"), Path(QStringLiteral("menu.json")), Path(out),
                           QStringLiteral("--launcher"), Path(QStringLiteral("launcher"))});
    }
    QJsonObject Dump(const QString& exe, int expectedExit = 0) {
        const Result dump = AvensaTool({QStringLiteral("dump"), Path(exe)});
        EXPECT_EQ(dump.exitCode, expectedExit) << dump.err.toStdString();
        QJsonParseError error{};
        const QJsonDocument json = QJsonDocument::fromJson(dump.out, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << dump.out.toStdString();
        return json.object();
    }
};

TEST_F(AvensaToolTest, PackThenDumpGivesTheDescriptionBack) {
    // Magenta pixels on the diagonal are cut from the first frame's shape.
    WritePicture(QStringLiteral("one.ppm"), 4, 3, [](int x, int y) {
        return x == y ? QByteArray("\xFF\x00\xFF", 3) : QByteArray("\x10\x20\x30", 3);
    });
    WritePicture(QStringLiteral("two.ppm"), 2, 2,
                 [](int, int) { return QByteArray("\xFF\x00\xFF", 3); });
    QDir(dir.path()).mkpath(QStringLiteral("pictures"));
    WritePicture(QStringLiteral("pictures/three.ppm"), 5, 1,
                 [](int, int) { return QByteArray("\x01\x02\x03", 3); });
    const QByteArray description = R"({
        "Name": "Intro.mnu",
        "ShapeColourIndex": 14, "NoFrameRegions": 1, "Position": 10, "DisplayTicks": 160,
        "AutoLaunchMode": 2, "FrameInterval": 250, "AnimationMode": 5,
        "MainAction": {"Target": "%setup.exe", "Parameters": "/path=%CD%:\\data",
                       "ShowMaximised": -1, "CloseAfterLaunch": true},
        "ViewersCaption": "Viewers", "ViewersText": "Pick a viewer for the café ¶ menu",
        "Alternatives": [{"Caption": "Reader", "Target": "readers\\install.exe"},
                         {"Caption": "", "Target": "http://example.org/"}],
        "RegionColour": "#FF00FF",
        "Frames": [{"File": "one.ppm"},
                   {"File": "two.ppm", "Region": "00020002Y00020001000200000001"},
                   {"File": "pictures/three.ppm"}]
    })";
    const Result packed = Pack(description);
    ASSERT_EQ(packed.exitCode, 0) << packed.err.toStdString();
    EXPECT_TRUE(Read(QStringLiteral("out.exe")).startsWith(launcherImage))
        << "a copy of the launcher with the package behind it";
    EXPECT_TRUE(QFile::permissions(Path(QStringLiteral("out.exe"))) & QFile::ExeOwner);

    const QJsonObject dump = Dump(QStringLiteral("out.exe"));
    const QJsonArray entries = dump[QStringLiteral("Entries")].toArray();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0][QStringLiteral("Name")].toString(), QStringLiteral("intro.mnu"));
    EXPECT_GT(entries[0][QStringLiteral("Offset")].toInteger(), launcherImage.size());

    QJsonObject expected = QJsonDocument::fromJson(description).object();
    expected.remove(QStringLiteral("RegionColour"));
    expected[QStringLiteral("Name")] = QStringLiteral("intro.mnu");
    QJsonObject main = expected[QStringLiteral("MainAction")].toObject();
    main[QStringLiteral("CloseAfterLaunch")] = 1;
    expected[QStringLiteral("MainAction")] = main;
    expected[QStringLiteral("Frames")] = QJsonArray{
        QJsonObject{{QStringLiteral("Width"), 4},
                    {QStringLiteral("Height"), 3},
                    {QStringLiteral("Region"),
                     QStringLiteral("00040003Y000100000001Y000200010002Y000300020003")}},
        QJsonObject{{QStringLiteral("Width"), 2},
                    {QStringLiteral("Height"), 2},
                    {QStringLiteral("Region"), QStringLiteral("00020002Y00020001000200000001")}},
        QJsonObject{{QStringLiteral("Width"), 5},
                    {QStringLiteral("Height"), 1},
                    {QStringLiteral("Region"), QStringLiteral("00050001")}},
    };
    EXPECT_EQ(dump[QStringLiteral("Menu")].toObject(), expected)
        << QJsonDocument(dump[QStringLiteral("Menu")].toObject()).toJson().toStdString();

    // Packing the dumped menu again gives the same menu.
    QJsonObject again = dump[QStringLiteral("Menu")].toObject();
    again.remove(QStringLiteral("Frames"));
    ASSERT_EQ(Pack(QJsonDocument(again).toJson(), QStringLiteral("again.exe")).exitCode, 0);
    QJsonObject second = Dump(QStringLiteral("again.exe"))[QStringLiteral("Menu")].toObject();
    second.remove(QStringLiteral("Frames"));
    EXPECT_EQ(second, again);
}

TEST_F(AvensaToolTest, MissingKeysTakeDefaults) {
    ASSERT_EQ(Pack("{}").exitCode, 0);
    const QJsonObject menu = Dump(QStringLiteral("out.exe"))[QStringLiteral("Menu")].toObject();
    EXPECT_EQ(menu[QStringLiteral("Name")].toString(), QStringLiteral("menu"));
    EXPECT_EQ(menu[QStringLiteral("MainAction")][QStringLiteral("Target")].toString(),
              QStringLiteral("*"));
    EXPECT_EQ(menu[QStringLiteral("AutoLaunchMode")].toInt(), 3);
    EXPECT_GT(menu[QStringLiteral("DisplayTicks")].toInt(), 0);
    EXPECT_GT(menu[QStringLiteral("FrameInterval")].toInt(), 0);
    EXPECT_TRUE(menu[QStringLiteral("Frames")].toArray().isEmpty());
}

TEST_F(AvensaToolTest, BadDescriptionIsRefusedNamingTheKey) {
    WritePicture(QStringLiteral("a.ppm"), 2, 2, [](int, int) { return QByteArray(3, '\0'); });
    Write(QStringLiteral("broken.png"), "not a picture");
    QByteArray many = "{\"Alternatives\": [";
    for (int i = 0; i < 101; ++i) {
        many += i ? ",{}" : "{}";
    }
    many += "]}";
    const struct {
        QByteArray description;
        const char* message;
    } cases[] = {
        {"{\"Position\": 11}", "\"Position\": expected a whole number from 0 to 10"},
        {"{\"DisplayTicks\": 1.5}", "\"DisplayTicks\""},
        {"{\"Positon\": 1}", "\"Positon\": unknown key"},
        {"{\"MainAction\": {\"Target\": 5}}", "\"MainAction.Target\": expected a text"},
        {"{\"MainAction\": []}", "\"MainAction\": expected an object"},
        {"{\"ViewersText\": \"\xE6\xBC\xA2\"}", "\"ViewersText\""},
        {"{\"Frames\": [{\"File\": \"missing.png\"}]}", "\"Frames[0].File\""},
        {"{\"Frames\": [{\"File\": \"broken.png\"}]}", "\"Frames[0].File\""},
        {"{\"Frames\": [{}]}", "\"Frames[0].File\""},
        {"{\"Frames\": [{\"File\": \"a.ppm\", \"Region\": \"00030002\"}]}",
         "\"Frames[0].Region\": is for a picture of another size"},
        {"{\"Frames\": [{\"File\": \"a.ppm\", \"Region\": \"0002x\"}]}",
         "\"Frames[0].Region\": is not a region text"},
        {"{\"RegionColour\": \"magenta\"}", "\"RegionColour\""},
        {many, "\"Alternatives\": holds more than 100 items"},
        {"{\"Alternatives\": [{\"Caption\": \"a\", \"Taget\": \"b\"}]}",
         "\"Alternatives[0].Taget\": unknown key"},
        {"[1, 2]", "must be a JSON object"},
        {"{\"Position\": ", "not valid JSON"},
    };
    for (const auto& c : cases) {
        const Result result = Pack(c.description);
        EXPECT_EQ(result.exitCode, 1) << c.message;
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
        EXPECT_FALSE(QFile::exists(Path(QStringLiteral("out.exe")))) << c.message;
    }

    Write(QStringLiteral("menu.json"), "{}");
    const Result noLauncher = AvensaTool(
        {QStringLiteral("pack"), Path(QStringLiteral("menu.json")), Path(QStringLiteral("out.exe")),
         QStringLiteral("--launcher"), Path(QStringLiteral("nowhere"))});
    EXPECT_EQ(noLauncher.exitCode, 1);
    EXPECT_TRUE(noLauncher.err.contains("cannot read the launcher"))
        << noLauncher.err.toStdString();
    EXPECT_EQ(AvensaTool({}).exitCode, 2);
    EXPECT_EQ(AvensaTool({QStringLiteral("pack"), Path(QStringLiteral("menu.json"))}).exitCode, 2);
    EXPECT_EQ(AvensaTool({QStringLiteral("dump")}).exitCode, 2);
}

// A launcher whose menu holds one good picture and then `picture`, byte for byte.
QByteArray LauncherWithPicture(const std::vector<std::uint8_t>& picture) {
    launcher::Menu menu;
    launcher::Frame frame{1, 1, {0x123456}};
    menu.Frames.push_back(frame);
    menu.FrameRegions.emplace_back("00010001");
    MemoryStream bytes;
    launcher::WriteMenu(bytes, menu);
    std::vector<std::uint8_t> menuBytes = bytes.Bytes();
    menuBytes[9] = 2; // FrameCount
    menuBytes.insert(menuBytes.end(), picture.begin(), picture.end());
    MemoryStream exe;
    exe.Write("IMAGE", 5);
    launcher::WritePackage(exe, {{"menu", menuBytes}});
    return QByteArray(reinterpret_cast<const char*>(exe.Bytes().data()),
                      static_cast<qsizetype>(exe.Bytes().size()));
}

std::vector<std::uint8_t> PictureHead(std::int32_t width, std::int32_t height,
                                      std::int32_t blockSize, std::int32_t count) {
    MemoryStream out;
    carvelle::WriteByte(out, launcher::kPictureFieldTag);
    out.Write("\x01\x02\x00", 3);
    carvelle::WriteInt32(out, 0);
    carvelle::WriteInt32(out, width);
    carvelle::WriteInt32(out, height);
    carvelle::WriteInt32(out, blockSize);
    carvelle::WriteInt32(out, count);
    return out.Bytes();
}

TEST_F(AvensaToolTest, HostilePackagesAreDumpedCleanly) {
    // A zlib stream for 16 x 16 pixels, cut in half.
    std::vector<std::uint8_t> raw(16 * 16 * 4, 0x42);
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9);
    packed.resize(packedSize / 2);
    std::vector<std::uint8_t> truncated =
        PictureHead(16, 16, static_cast<std::int32_t>(packed.size() + 4), 16 * 16 * 4);
    truncated.insert(truncated.end(), packed.begin(), packed.end());

    const struct {
        const char* name;
        QByteArray exe;
        const char* message;
    } cases[] = {
        {"huge width and height", LauncherWithPicture(PictureHead(65536, 65536, 8, 0)),
         "warning: Only 1 of 2 images loaded."},
        {"huge but consistent", LauncherWithPicture(PictureHead(16384, 16384, 8, 1 << 30)),
         "warning: Only 1 of 2 images loaded."},
        {"bad tag", LauncherWithPicture({7, 0, 0, 0, 0}), "warning: Only 1 of 2 images loaded."},
        {"truncated zlib", LauncherWithPicture(truncated), "warning: Only 1 of 2 images loaded."},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromLatin1(c.name).replace(' ', '_');
        Write(name, c.exe);
        const Result dump = AvensaTool({QStringLiteral("dump"), Path(name)});
        EXPECT_EQ(dump.exitCode, 1) << c.name;
        EXPECT_TRUE(dump.err.contains(c.message)) << c.name << ": " << dump.err.toStdString();
        const QJsonObject menu =
            QJsonDocument::fromJson(dump.out).object()[QStringLiteral("Menu")].toObject();
        EXPECT_EQ(menu[QStringLiteral("Frames")].toArray().size(), 1) << c.name;
    }

    // No package at all, and a menu of another version: the boxes in order, and no JSON.
    Write(QStringLiteral("plain"), QByteArray(100, '\x01'));
    const Result plain = AvensaTool({QStringLiteral("dump"), Path(QStringLiteral("plain"))});
    EXPECT_EQ(plain.exitCode, 1);
    EXPECT_TRUE(plain.out.isEmpty());
    EXPECT_TRUE(plain.err.contains("Invalid menu address.\navensa-tool: error: Error in loading "
                                   "internal menu."))
        << plain.err.toStdString();
    QByteArray version8 = LauncherWithPicture({});
    version8[5 + 4 + 3 + 5 + 6 + 1 + 260 + 5] = 8;
    Write(QStringLiteral("version8"), version8);
    const Result old = AvensaTool({QStringLiteral("dump"), Path(QStringLiteral("version8"))});
    EXPECT_EQ(old.exitCode, 1);
    const auto information = old.err.indexOf("information: This is not an Avensa Version 9 file.");
    EXPECT_GE(information, 0) << old.err.toStdString();
    EXPECT_GT(old.err.indexOf("error: Menu could not be read."), information);
    EXPECT_FALSE(QJsonDocument::fromJson(old.out).object().contains(QStringLiteral("Menu")));

    // Damaged anywhere: the dump ends normally, never crashing or hanging.
    ASSERT_EQ(Pack("{\"Alternatives\": [{\"Caption\": \"c\", \"Target\": \"t\"}]}").exitCode, 0);
    const QByteArray good = Read(QStringLiteral("out.exe"));
    std::mt19937 random(2024);
    for (int round = 0; round < 25; ++round) {
        QByteArray damaged = good;
        for (int flips = 0; flips < 4; ++flips) {
            const auto at = static_cast<qsizetype>(
                launcherImage.size() +
                random() % static_cast<unsigned>(good.size() - launcherImage.size()));
            damaged[at] = static_cast<char>(random());
        }
        Write(QStringLiteral("damaged"), damaged);
        const Result dump = AvensaTool({QStringLiteral("dump"), Path(QStringLiteral("damaged"))});
        EXPECT_TRUE(dump.exitCode == 0 || dump.exitCode == 1) << "round " << round;
    }
}

} // namespace
