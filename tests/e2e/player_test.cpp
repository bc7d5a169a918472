#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QString Bin(const char* name) {
    return QStringLiteral(CARVELLE_BIN "/") + QLatin1String(name);
}

int RunTool(const QStringList& arguments, QByteArray* errors = nullptr) {
    QProcess process;
    process.start(Bin("carvelle-tool"), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        return -1;
    }
    if (errors) {
        *errors = process.readAllStandardError();
    }
    return process.exitCode();
}

class PlayerTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(PlayerTest, RenderShowsThePageAsThePlayerPaintsIt) {
    ASSERT_EQ(RunTool({QStringLiteral("sample"), Path(QStringLiteral("cd"))}), 0);
    QByteArray errors;
    ASSERT_EQ(RunTool({QStringLiteral("render"), Path(QStringLiteral("cd")), QStringLiteral("Main"),
                       Path(QStringLiteral("main.png"))},
                      &errors),
              0)
        << errors.toStdString();
    const QImage shot(Path(QStringLiteral("main.png")));
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), QSize(598, 435));
    // The sample's main page runs from white at the top to a dark blue at the bottom.
    EXPECT_EQ(shot.pixelColor(590, 0), QColor(255, 255, 255));
    const QColor bottom = shot.pixelColor(590, 434);
    EXPECT_LT(bottom.red(), 60);
    EXPECT_GT(bottom.blue(), 120);
    // Its first button sits at (24, 80), drawn over the background.
    EXPECT_NE(shot.pixelColor(30, 92), shot.pixelColor(590, 92));
    // The emblem is a transparent bitmap: its corners show the background, its middle is blue.
    EXPECT_EQ(shot.pixelColor(406, 86), shot.pixelColor(590, 86));
    const QColor emblem = shot.pixelColor(460, 140);
    EXPECT_GT(emblem.blue(), emblem.red() + 40) << emblem.name().toStdString();

    EXPECT_EQ(RunTool({QStringLiteral("render"), Path(QStringLiteral("cd")), QStringLiteral("Nope"),
                       Path(QStringLiteral("none.png"))}),
              1);
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("none.png"))));
}

// The published player on a real X server, looked at through a screenshot of the screen.
TEST_F(PlayerTest, PublishedPlayerShowsTheMainPageOnScreen) {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    const QString import = QStandardPaths::findExecutable(QStringLiteral("import"));
    if (xvfb.isEmpty() || import.isEmpty()) {
        GTEST_SKIP() << "xvfb-run and ImageMagick's import are installed by scripts/setup";
    }
    ASSERT_EQ(RunTool({QStringLiteral("sample"), Path(QStringLiteral("cd"))}), 0);
    QDir(Path(QStringLiteral("cd/AutoRunSource"))).removeRecursively(); // as published
    ASSERT_TRUE(QFile::copy(Bin("carvelle"), Path(QStringLiteral("cd/autorun.exe"))));
    QFile::setPermissions(Path(QStringLiteral("cd/autorun.exe")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QString script = QStringLiteral(
        "\"$1\" & player=$!; sleep 6; import -window root \"$2\"; kill $player; wait $player");
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(environment);
    process.start(
        xvfb, {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1024x768x24"),
               QStringLiteral("sh"), QStringLiteral("-c"), script, QStringLiteral("sh"),
               Path(QStringLiteral("cd/autorun.exe")), Path(QStringLiteral("screen.png"))});
    ASSERT_TRUE(process.waitForFinished(90000)) << "the run did not end";
    const QImage screen(Path(QStringLiteral("screen.png")));
    ASSERT_FALSE(screen.isNull()) << process.readAllStandardError().toStdString();
    // The main page is centred on the screen; the middle of its gradient is a light blue.
    const QColor centre = screen.pixelColor(560, 384);
    EXPECT_GT(centre.blue(), centre.red()) << centre.name().toStdString();
    EXPECT_GT(centre.red(), 100) << centre.name().toStdString();
    screen.save(QStringLiteral(CARVELLE_BIN "/../player-screen.png"));
}

} // namespace
