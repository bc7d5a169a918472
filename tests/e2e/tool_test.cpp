#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {

struct Result {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a program of build/bin with a private temporary folder.
Result RunProgram(const QString& program, const QStringList& arguments, const QString& tmp = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!tmp.isEmpty()) {
        environment.insert(QStringLiteral("TMPDIR"), tmp);
        // Qt would otherwise make its runtime folder in the temporary folder.
        const QString runtime = tmp + QStringLiteral("-runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    }
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("CARVELLE_QUIT_AFTER_PAINT"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

QString Bin(const char* name) {
    return QStringLiteral(CARVELLE_BIN "/") + QLatin1String(name);
}

Result Tool(const QStringList& arguments, const QString& tmp = {}) {
    return RunProgram(Bin("carvelle-tool"), arguments, tmp);
}

class ToolTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }
    QJsonObject Info(const QString& path) {
        const Result info = Tool({QStringLiteral("info"), path}, Path(QStringLiteral("tmp")));
        EXPECT_EQ(info.exitCode, 0) << info.err.toStdString();
        QJsonParseError error{};
        const QJsonDocument json = QJsonDocument::fromJson(info.out, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << info.out.toStdString();
        return json.object();
    }
    void SetUp() override { QDir(dir.path()).mkpath(QStringLiteral("tmp")); }
    bool TmpIsEmpty() const {
        return QDir(Path(QStringLiteral("tmp")))
            .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
};

TEST_F(ToolTest, SampleProjectDescribesItselfAsJson) {
    ASSERT_EQ(Tool({QStringLiteral("sample"), Path(QStringLiteral("cd"))}).exitCode, 0);
    const QJsonObject info = Info(Path(QStringLiteral("cd")));
    EXPECT_EQ(info[QStringLiteral("Source")].toInt(), 0);
    const QJsonObject settings = info[QStringLiteral("Settings")].toObject();
    EXPECT_EQ(settings[QStringLiteral("Title")].toString(), QStringLiteral("Carvelle Sample CD"));
    EXPECT_EQ(settings[QStringLiteral("IconSize")].toInt(), 16);
    EXPECT_EQ(settings[QStringLiteral("TabFont")].toObject()[QStringLiteral("Name")].toString(),
              QStringLiteral("Tahoma"));
    EXPECT_EQ(settings[QStringLiteral("BackImage")].toObject()[QStringLiteral("Bytes")].toInt(), 0);
    const QJsonArray installers = info[QStringLiteral("Installers")].toArray();
    ASSERT_EQ(installers.size(), 2);
    EXPECT_EQ(installers[1].toObject()[QStringLiteral("PromptCaption")].toString(),
              QStringLiteral("Café Runtime"));
    const QJsonArray pages = info[QStringLiteral("Pages")].toArray();
    ASSERT_EQ(pages.size(), 5);
    EXPECT_EQ(pages[1].toObject()[QStringLiteral("Name")].toString(), QStringLiteral("Main"));
    EXPECT_EQ(pages[1].toObject()[QStringLiteral("Kind")].toInt(), 2);
}

TEST_F(ToolTest, PackageAndExtractRoundTripAndInfoReadsThePackage) {
    ASSERT_EQ(Tool({QStringLiteral("sample"), Path(QStringLiteral("cd"))}).exitCode, 0);
    // A target file beside the sources, as publishing leaves it.
    QFile::copy(Path(QStringLiteral("cd/AutoRunSource/AutoRun.src")),
                Path(QStringLiteral("cd/autorun.tgt")));
    QDir(dir.path()).mkpath(QStringLiteral("cd/docs/empty"));
    QFile doc(Path(QStringLiteral("cd/docs/read me.txt")));
    ASSERT_TRUE(doc.open(QIODevice::WriteOnly));
    doc.write("hello");
    doc.close();

    const QString exe = Path(QStringLiteral("cd.exe"));
    const Result packaged =
        Tool({QStringLiteral("package"), Path(QStringLiteral("cd")), Bin("carvelle"), exe});
    ASSERT_EQ(packaged.exitCode, 0) << packaged.err.toStdString();
    EXPECT_EQ(Info(exe)[QStringLiteral("Source")].toInt(), 2);
    EXPECT_TRUE(TmpIsEmpty()) << "info leaves nothing unpacked behind";

    ASSERT_EQ(Tool({QStringLiteral("extract"), exe, Path(QStringLiteral("out"))}).exitCode, 0);
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("out/autorun.tgt"))));
    EXPECT_TRUE(QDir(Path(QStringLiteral("out/docs/empty"))).exists());
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("out/AutoRunSource"))));
    QFile copy(Path(QStringLiteral("out/docs/read me.txt")));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("hello"));
    EXPECT_EQ(Info(Path(QStringLiteral("out/autorun.tgt")))[QStringLiteral("Source")].toInt(), 1);
}

TEST_F(ToolTest, FailuresPrintTheErrorTextAndExitWithOne) {
    const Result missing = Tool({QStringLiteral("info"), Path(QStringLiteral("nothing-here"))});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("(Error Code: 2/1070).")) << missing.err.toStdString();
    EXPECT_TRUE(missing.out.isEmpty());

    QFile junk(Path(QStringLiteral("junk.exe")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(100, '\x7F'));
    junk.close();
    for (const QString& command : {QStringLiteral("info"), QStringLiteral("extract")}) {
        QStringList arguments{command, junk.fileName()};
        if (command == QStringLiteral("extract")) {
            arguments << Path(QStringLiteral("junk-out"));
        }
        const Result result = Tool(arguments, Path(QStringLiteral("tmp")));
        EXPECT_EQ(result.exitCode, 1) << command.toStdString();
        EXPECT_TRUE(result.err.contains("/1070).")) << result.err.toStdString();
    }
    EXPECT_TRUE(TmpIsEmpty());
    EXPECT_EQ(Tool({QStringLiteral("frobnicate")}).exitCode, 2);
}

TEST_F(ToolTest, PageIsFoundWhereverThePlayerWouldFindIt) {
    ASSERT_EQ(Tool({QStringLiteral("sample"), Path(QStringLiteral("cd"))}).exitCode, 0);
    const auto page = [&](const QStringList& arguments) {
        const Result result =
            Tool(QStringList{QStringLiteral("page")} + arguments, Path(QStringLiteral("tmp")));
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return QJsonDocument::fromJson(result.out).object();
    };
    const QJsonObject fromSources = page({Path(QStringLiteral("cd")), QStringLiteral("Main")});
    EXPECT_EQ(fromSources[QStringLiteral("Caption")].toString(),
              QStringLiteral("Carvelle Sample CD"));
    EXPECT_EQ(fromSources[QStringLiteral("PageKind")].toInt(), 2);
    const QJsonArray objects = fromSources[QStringLiteral("Objects")].toArray();
    ASSERT_GE(objects.size(), 2);
    const QJsonObject button = objects[1].toObject();
    EXPECT_EQ(button[QStringLiteral("KindName")].toString(), QStringLiteral("Button"));
    EXPECT_EQ(button[QStringLiteral("Caption")].toString(), QStringLiteral("Read the manual"));
    EXPECT_EQ(button[QStringLiteral("Command")].toObject()[QStringLiteral("Target")].toString(),
              QStringLiteral("\\docs\\manual.pdf"));
    EXPECT_EQ(button[QStringLiteral("Command")].toObject()[QStringLiteral("Name")].toString(),
              QStringLiteral("Button1"));
    EXPECT_EQ(button[QStringLiteral("Font")].toObject()[QStringLiteral("Size")].toInt(), 8);

    EXPECT_EQ(page({Path(QStringLiteral("cd/AutoRunSource/Main.pg"))}), fromSources);
    EXPECT_EQ(page({Path(QStringLiteral("cd/autorun.tgt")), QStringLiteral("Main")}), fromSources);
    // Rebuilding the target from the sources gives the same file.
    QFile target(Path(QStringLiteral("cd/autorun.tgt")));
    ASSERT_TRUE(target.open(QIODevice::ReadOnly));
    const QByteArray before = target.readAll();
    target.close();
    ASSERT_EQ(Tool({QStringLiteral("target"), Path(QStringLiteral("cd"))}).exitCode, 0);
    ASSERT_TRUE(target.open(QIODevice::ReadOnly));
    EXPECT_EQ(target.readAll(), before);

    // Inside a package, without its sources, as a published single executable carries it.
    QDir(Path(QStringLiteral("cd/AutoRunSource"))).removeRecursively();
    const QString exe = Path(QStringLiteral("cd.exe"));
    ASSERT_EQ(Tool({QStringLiteral("package"), Path(QStringLiteral("cd")), Bin("carvelle"), exe})
                  .exitCode,
              0);
    EXPECT_EQ(page({exe, QStringLiteral("Main")}), fromSources);
    EXPECT_TRUE(TmpIsEmpty());

    const Result missing = Tool({QStringLiteral("page"), exe, QStringLiteral("main")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("no page named \"main\"")) << missing.err.toStdString();
}

TEST_F(ToolTest, PlayerStartedFromAPackageRemovesItsExtractionFolder) {
    ASSERT_EQ(Tool({QStringLiteral("sample"), Path(QStringLiteral("cd"))}).exitCode, 0);
    QFile::copy(Path(QStringLiteral("cd/AutoRunSource/AutoRun.src")),
                Path(QStringLiteral("cd/autorun.tgt")));
    QDir(dir.path()).mkpath(QStringLiteral("media"));
    const QString exe = Path(QStringLiteral("media/autorun.exe"));
    ASSERT_EQ(Tool({QStringLiteral("package"), Path(QStringLiteral("cd")), Bin("carvelle"), exe})
                  .exitCode,
              0);
    EXPECT_TRUE(QFile::permissions(exe) & QFile::ExeOwner) << "the package runs like the player";
    QFile::setPermissions(exe, QFile::ReadOwner | QFile::ExeOwner); // as on a CD

    const Result played = RunProgram(exe, {}, Path(QStringLiteral("tmp")));
    EXPECT_EQ(played.exitCode, 0) << played.err.toStdString();
    EXPECT_TRUE(TmpIsEmpty());
}

} // namespace
