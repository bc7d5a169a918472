#include <gtest/gtest.h>

#include <functional>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPoint>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// 0xRRGGBB, without Qt's Gui.
using Rgb = std::uint32_t;
constexpr Rgb MakeRgb(int r, int g, int b) {
    return static_cast<Rgb>(r) << 16 | static_cast<Rgb>(g) << 8 | static_cast<Rgb>(b);
}

// The real launcher, packed by avensa-tool, run under Xvfb with the xcb platform (window
// shapes show only there) and its shell calls written to a dry-run file.
class AvensaLauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("import")).isEmpty()) {
            GTEST_SKIP() << "needs xvfb-run and ImageMagick's import";
        }
        ASSERT_TRUE(QFile::exists(QStringLiteral(CARVELLE_BIN "/avensa")))
            << "build the avensa target first";
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkpath(QStringLiteral("cd/menu"));
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Packs `description` into cd/menu/avensa with the launcher found beside the tool.
    void Pack(const QByteArray& description) {
        Write(QStringLiteral("menu.json"), description);
        QProcess tool;
        tool.start(QStringLiteral(CARVELLE_BIN "/avensa-tool"),
                   {QStringLiteral("pack"), Path(QStringLiteral("menu.json")),
                    Path(QStringLiteral("cd/menu/avensa"))});
        ASSERT_TRUE(tool.waitForFinished(60000));
        ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    }
    // Runs the launcher on a 640 × 480 screen with a black root window; `during` runs in the
    // shell once the window is up. Returns the launcher's exit code, or -1 when it hung.
    int Run(const QString& during, int timeoutMs = 30000) {
        const QString script =
            QStringLiteral("export QT_QPA_PLATFORM=xcb CARVELLE_DRY_RUN=\"%1\"\n"
                           "\"%2\" 2>/dev/null & pid=$!\n"
                           "for i in $(seq 100); do xdotool search --name Avensa >/dev/null "
                           "2>&1 && break; sleep 0.1; done\n"
                           "%3\n"
                           "wait $pid\n")
                .arg(Path(QStringLiteral("dry.txt")), Path(QStringLiteral("cd/menu/avensa")),
                     during);
        QProcess xvfb;
        xvfb.start(QStringLiteral("xvfb-run"),
                   {QStringLiteral("-a"), QStringLiteral("-s"),
                    QStringLiteral("-screen 0 640x480x24 -br"), QStringLiteral("sh"),
                    QStringLiteral("-c"), script});
        if (!xvfb.waitForFinished(timeoutMs)) {
            xvfb.kill();
            xvfb.waitForFinished();
            return -1;
        }
        return xvfb.exitStatus() == QProcess::NormalExit ? xvfb.exitCode() : -1;
    }
    QStringList DryRunLines() {
        QFile file(Path(QStringLiteral("dry.txt")));
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    void WriteProgram() {
        Write(QStringLiteral("cd/menu/setup.sh"), "#!/bin/sh\nexit 0\n");
        QFile::setPermissions(Path(QStringLiteral("cd/menu/setup.sh")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Pictures in the portable pixmap format, which needs no image library on either side.
    void WritePicture(const QString& name, int width, int height,
                      const std::function<Rgb(int, int)>& pixel) {
        QByteArray bytes = QStringLiteral("P6\n%1 %2\n255\n").arg(width).arg(height).toLatin1();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const Rgb colour = pixel(x, y);
                bytes += static_cast<char>(colour >> 16);
                bytes += static_cast<char>(colour >> 8);
                bytes += static_cast<char>(colour);
            }
        }
        Write(name, bytes);
    }
    // The pixels of a screenshot saved as P6 with a maximum of 255; empty when it is not one.
    struct Picture {
        int width = 0;
        int height = 0;
        QByteArray rgb;
        Rgb Pixel(int x, int y) const {
            const qsizetype at = (static_cast<qsizetype>(y) * width + x) * 3;
            return MakeRgb(static_cast<unsigned char>(rgb[at]),
                           static_cast<unsigned char>(rgb[at + 1]),
                           static_cast<unsigned char>(rgb[at + 2]));
        }
    };
    Picture ReadPicture(const QString& name) {
        QFile file(Path(name));
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        const QByteArray bytes = file.readAll();
        QList<QByteArray> header;
        qsizetype at = 0;
        while (header.size() < 4 && at < bytes.size()) {
            while (at < bytes.size() && QByteArrayView(" \t\r\n").contains(bytes[at])) {
                ++at;
            }
            const qsizetype start = at;
            while (at < bytes.size() && !QByteArrayView(" \t\r\n").contains(bytes[at])) {
                ++at;
            }
            header.append(bytes.mid(start, at - start));
        }
        Picture picture;
        if (header.size() != 4 || header[0] != "P6" || header[3] != "255") {
            return picture;
        }
        picture.width = header[1].toInt();
        picture.height = header[2].toInt();
        picture.rgb = bytes.mid(at + 1);
        if (picture.rgb.size() < static_cast<qsizetype>(picture.width) * picture.height * 3) {
            return {};
        }
        return picture;
    }

    QTemporaryDir dir;
};

TEST_F(AvensaLauncherTest, ShowsItsShapedFrameThenLaunchesTheMainAction) {
    // A red picture with a magenta hole, which the region text cuts from the window.
    WritePicture(QStringLiteral("frame.ppm"), 200, 150, [](int x, int y) {
        return x >= 50 && x < 150 && y >= 50 && y < 100 ? MakeRgb(255, 0, 255) : MakeRgb(255, 0, 0);
    });
    WriteProgram();
    Pack(R"({"Name": "intro.mnu", "ShapeColourIndex": 12, "Position": 1, "DisplayTicks": 25,
             "AutoLaunchMode": 3, "FrameInterval": 100, "AnimationMode": 0,
             "MainAction": {"Target": "%setup.sh", "Parameters": "--from=%CD%"},
             "RegionColour": "#FF00FF", "Frames": [{"File": "frame.ppm"}]})");

    ASSERT_EQ(Run(QStringLiteral("sleep 0.5; import -window root -depth 8 \"ppm:%1\"")
                      .arg(Path(QStringLiteral("shot.ppm")))),
              0);
    const Picture shot = ReadPicture(QStringLiteral("shot.ppm"));
    ASSERT_EQ(shot.width, 640);
    ASSERT_EQ(shot.height, 480);
    const struct {
        QPoint at;
        Rgb colour;
    } pixels[] = {
        {{10, 10}, MakeRgb(255, 0, 0)},   // the picture, placed at the top left
        {{199, 149}, MakeRgb(255, 0, 0)}, // its last pixel
        {{100, 75}, MakeRgb(0, 0, 0)},    // the hole shows the screen behind
        {{50, 50}, MakeRgb(0, 0, 0)},     {{210, 10}, MakeRgb(0, 0, 0)}, // beside the window
    };
    for (const auto& p : pixels) {
        EXPECT_EQ(shot.Pixel(p.at.x(), p.at.y()), p.colour) << p.at.x() << "," << p.at.y();
    }

    // After the period the program was started, with the medium's folder for %CD%.
    const QStringList lines = DryRunLines();
    ASSERT_EQ(lines.size(), 1) << lines.join(QLatin1Char('|')).toStdString();
    const QStringList fields = lines[0].split(QLatin1Char('\t'));
    ASSERT_EQ(fields.size(), 6) << lines[0].toStdString();
    EXPECT_EQ(fields[0], QStringLiteral("open"));
    EXPECT_EQ(fields[1], Path(QStringLiteral("cd/menu/setup.sh")));
    ASSERT_TRUE(fields[2].startsWith(QStringLiteral("--from=")));
    const QString mount = fields[2].mid(7);
    EXPECT_TRUE(Path(QStringLiteral("cd")).startsWith(mount + QLatin1Char('/')))
        << "the mount point holds the launcher: " << mount.toStdString();
    EXPECT_EQ(fields[3], Path(QStringLiteral("cd/menu/")));
    EXPECT_EQ(fields[4], QStringLiteral("1"));
}

TEST_F(AvensaLauncherTest, CloseAfterLaunchEndsAtOnceEvenWithoutASoundDevice) {
    // A second of silence to wait for at the end; with no sound server the wait must still end.
    QByteArray wave("RIFF");
    const auto little = [&](quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            wave += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    little(36 + 16000, 4);
    wave += "WAVEfmt ";
    little(16, 4), little(1, 2), little(1, 2), little(8000, 4), little(16000, 4), little(2, 2),
        little(16, 2);
    wave += "data";
    little(16000, 4);
    wave += QByteArray(16000, '\0');
    Write(QStringLiteral("cd/menu/exit.wav"), wave);
    WriteProgram();
    WritePicture(QStringLiteral("frame.ppm"), 40, 40, [](int, int) { return MakeRgb(0, 0, 255); });
    Pack(R"({"Name": "intro.mnu", "DisplayTicks": 600, "AutoLaunchMode": 1,
             "MainAction": {"Target": "\\menu\\setup.sh", "CloseAfterLaunch": true},
             "Frames": [{"File": "frame.ppm"}]})");

    QElapsedTimer elapsed;
    elapsed.start();
    ASSERT_EQ(Run(QString(), 20000), 0);
    EXPECT_LT(elapsed.elapsed(), 15000) << "the display period is a minute; the launch ends it";
    const QStringList lines = DryRunLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("open\t") +
                                    Path(QStringLiteral("cd/menu/setup.sh")) + '\t'))
        << lines[0].toStdString();
}

} // namespace
