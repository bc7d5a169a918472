#include "platform/posix/posix_shell.h"
#include "platform/shell.h"
#include "temp_environment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMimeDatabase>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace carvelle {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::string ReadFile(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

// Keeps events flowing until the file exists or the time is up.
bool WaitForFile(const std::string& path, int ms = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!fs::exists(path)) {
        if (clock.elapsed() > ms) {
            return false;
        }
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

TEST(DryRunShell, RecordsEachRequestAsOneLineInsteadOfCarryingItOut) {
    testing::TempEnvironment env;
    const std::string record = env.Path("record.txt");
    // Running this script would leave a marker.
    const std::string script = env.File("app/run.sh", "#!/bin/sh\ntouch \"$0.ran\"\n");
    fs::permissions(script, fs::perms::owner_all);
    env.Set("CARVELLE_DRY_RUN", record);

    ShellRequest run{"open", script, "/S \"a b\"", env.Path("app"), 1, true};
    ShellRequest odd{"print", "a\tb\nc.pdf", "x\r\ny", "", 0, false};
    EXPECT_EQ(CurrentShell().Execute(run), ShellResult::Success);
    EXPECT_EQ(CurrentShell().Execute(odd), ShellResult::Success);
    EXPECT_EQ(ReadLines(record), (std::vector<std::string>{"open\t" + script + "\t/S \"a b\"\t" +
                                                               env.Path("app") + "\t1\t1",
                                                           "print\ta b c.pdf\tx  y\t\t0\t0"}));
    EXPECT_FALSE(fs::exists(script + ".ran"));

    // An installed shell comes first; removing it brings the dry run back.
    RecordingShell recording;
    SetShell(&recording);
    EXPECT_EQ(&CurrentShell(), &recording);
    SetShell(nullptr);
    EXPECT_EQ(CurrentShell().Execute(odd), ShellResult::Success);
    EXPECT_EQ(ReadLines(record).size(), 3u);

    // A record that cannot be written is a failure, not a success.
    env.Set("CARVELLE_DRY_RUN", env.Path("missing/record.txt"));
    EXPECT_EQ(CurrentShell().Execute(run), ShellResult::PathNotFound);

    env.Set("CARVELLE_DRY_RUN", "");
    EXPECT_NE(dynamic_cast<posix::PosixShell*>(&CurrentShell()), nullptr);
}

// Private desktop settings and stand-ins for the desktop helpers, first in PATH, so no real
// desktop program ever starts. Each stand-in writes its arguments, one a line, to
// "<helper>.log" and its working folder to "<helper>.cwd", sleeps "<helper>.sleep" seconds
// if that file exists, touches "<helper>.done" and exits with the code in "<helper>.exit".
class PosixShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name :
             {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "KDE_SESSION_VERSION",
              "GNOME_DESKTOP_SESSION_ID", "MATE_DESKTOP_SESSION_ID", "XDG_MENU_PREFIX", "DISPLAY",
              "WAYLAND_DISPLAY", "BROWSER", "CARVELLE_DRY_RUN"}) {
            env_.Unset(name);
        }
        env_.Set("HOME", env_.Folder("home"));
        env_.Set("XDG_CONFIG_HOME", env_.Folder("config"));
        env_.Set("XDG_CONFIG_DIRS", env_.Folder("config-dirs"));
        env_.Set("XDG_DATA_HOME", env_.Folder("data"));
        // The system's MIME database without the system's applications.
        env_.Set("XDG_DATA_DIRS", env_.Folder("data-dirs"));
        std::error_code error;
        fs::create_directory_symlink("/usr/share/mime", env_.Path("data-dirs/mime"), error);
        bin_ = env_.Folder("bin");
        for (const char* helper : {"xdg-open", "xdg-email", "lp"}) {
            Helper(bin_, helper);
        }
        const char* path = std::getenv("PATH");
        env_.Set("PATH", bin_ + ":" + (path ? path : "/usr/bin:/bin"));
        work_ = env_.Folder("work");
    }

    static std::string Helper(const std::string& folder, const std::string& name) {
        const std::string path = folder + "/" + name;
        std::ofstream(path) << "#!/bin/sh\n"
                               "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$0.log\"; done\n"
                               "pwd > \"$0.cwd\"\n"
                               "if [ -f \"$0.sleep\" ]; then read s < \"$0.sleep\"; "
                               "/bin/sleep \"$s\"; fi\n"
                               ": > \"$0.done\"\n"
                               "code=0\n"
                               "if [ -f \"$0.exit\" ]; then read code < \"$0.exit\"; fi\n"
                               "exit \"$code\"\n";
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }
    std::string Log(const std::string& helper) const {
        return ReadFile(bin_ + "/" + helper + ".log");
    }
    void SetHelperFile(const std::string& helper, const std::string& suffix,
                       const std::string& text) {
        std::ofstream(bin_ + "/" + helper + suffix) << text << "\n";
    }

    // A script that writes its working folder and arguments, one a line, to "<script>.out",
    // after sleeping `sleep` seconds.
    std::string Script(const std::string& relative, const std::string& sleep = "0") const {
        const std::string path =
            env_.File(relative, "#!/bin/sh\n/bin/sleep " + sleep +
                                    "\n{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } "
                                    "> \"$0.tmp\" && mv \"$0.tmp\" \"$0.out\"\n");
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }

    testing::TempEnvironment env_;
    std::string bin_;
    std::string work_;
    posix::PosixShell shell_;
};

TEST_F(PosixShellTest, StartsAProgramWithSplitParametersInItsWorkingFolder) {
    const std::string script = Script("app/setup.sh");
    const std::string parameters = "/S \"two words\" -x\"y z\" \"say \"\"hi\"\"\" \"\"";
    const std::vector<std::string> arguments{"/S", "two words", "-xy z", "say \"hi\"", ""};

    const struct {
        std::string file;
        std::string folder;
        std::string expectedFolder;
    } cases[] = {
        {script, "", env_.Path("app")}, // no folder: the program's own
        {script, work_, work_},
        {"setup.sh", env_.Path("app"), env_.Path("app")}, // relative to the folder
    };
    for (const auto& c : cases) {
        fs::remove(script + ".out");
        EXPECT_EQ(shell_.Execute({"Open", c.file, parameters, c.folder, 1, false}),
                  ShellResult::Success)
            << c.file;
        ASSERT_TRUE(WaitForFile(script + ".out")) << c.file;
        std::vector<std::string> expected{c.expectedFolder};
        expected.insert(expected.end(), arguments.begin(), arguments.end());
        EXPECT_EQ(ReadLines(script + ".out"), expected) << c.file;
    }
    EXPECT_EQ(Log("xdg-open"), "");
}

TEST_F(PosixShellTest, WaitReturnsWhenTheProgramHasEndedAndKeepsEventsFlowing) {
    const std::string script = Script("app/install.sh", "0.3");
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(20);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(shell_.Execute({"open", script, "done", "", 1, true}), ShellResult::Success);
    EXPECT_GE(clock.elapsed(), 300);
    EXPECT_TRUE(fs::exists(script + ".out"));
    EXPECT_GE(ticks, 2);

    // A program that cannot start gives its failure code at once.
    EXPECT_EQ(shell_.Execute({"open", env_.Path("app/missing.sh"), "", "", 1, true}),
              ShellResult::FileNotFound);
}

TEST_F(PosixShellTest, ReportsWhatCannotBeFoundOrStarted) {
    const std::string script = Script("app/setup.sh");
    const std::string plain = env_.File("app/plain.sh", "#!/bin/sh\n"); // not executable
    const std::string binary = env_.File("app/foreign", "\x7f"
                                                        "ELF garbage");
    fs::permissions(binary, fs::perms::owner_all);
    const std::string missingFolder = env_.Path("nowhere/setup.sh");
    const struct {
        ShellRequest request;
        int result;
    } cases[] = {
        {{"open", env_.Path("app/missing.exe"), "", "", 1, false}, ShellResult::FileNotFound},
        {{"open", missingFolder, "", "", 1, false}, ShellResult::PathNotFound},
        {{"open", script + "/x", "", "", 1, false}, ShellResult::PathNotFound},
        {{"open", script, "", env_.Path("missing-folder"), 1, false}, ShellResult::PathNotFound},
        {{"open", plain, "", "", 1, false}, ShellResult::AccessDenied},
        {{"open", binary, "", "", 1, false}, ShellResult::InvalidProgram},
        {{"open", "", "", "", 1, false}, ShellResult::FileNotFound},
        {{"edit", script, "", "", 1, false}, ShellResult::NoAssociation},
        {{"explore", env_.Path("missing"), "", "", 1, false}, ShellResult::FileNotFound},
        {{"explore", script, "", "", 1, false}, ShellResult::NoAssociation},
        {{"explore", "http://example.invalid/", "", "", 1, false}, ShellResult::NoAssociation},
        {{"print", missingFolder, "", "", 1, false}, ShellResult::PathNotFound},
        {{"print", env_.Path("app"), "", "", 1, false}, ShellResult::NoAssociation},
        {{"open", "/dev/null", "", "", 1, false}, ShellResult::NoAssociation},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shell_.Execute(c.request), c.result)
            << c.request.Verb << " " << c.request.File << " in " << c.request.Folder;
    }
    EXPECT_FALSE(fs::exists(script + ".out"));
    EXPECT_EQ(Log("xdg-open"), "");
    EXPECT_EQ(Log("lp"), "");
}

TEST_F(PosixShellTest, HandsADocumentOnOnlyWhenItsTypeHasADefaultApplication) {
    const std::string notes = env_.File("cd/notes.carvelle-unknown", "Plain words.\n");
    const std::string source = env_.File("cd/main.c", "int main(void) { return 0; }\n");
    ASSERT_EQ(QMimeDatabase().mimeTypeForFile(QString::fromStdString(source)).name(),
              QStringLiteral("text/x-csrc"));
    for (const std::string& document : {notes, source}) {
        EXPECT_EQ(shell_.Execute({"open", document, "", "", 1, false}), ShellResult::NoAssociation);
    }
    EXPECT_EQ(Log("xdg-open"), "");

    // A viewer for plain text also serves the types derived from it.
    const std::string viewer = Helper(env_.Folder("viewers"), "carvelle-viewer");
    env_.File("data/applications/carvelle-viewer.desktop",
              "[Desktop Entry]\nType=Application\nName=Viewer\nExec=" + viewer + " %f\n");
    env_.File("config/mimeapps.list",
              "[Default Applications]\ntext/plain=carvelle-viewer.desktop\n");
    for (const std::string& document : {notes, source}) {
        EXPECT_EQ(shell_.Execute({"open", document, "ignored", "", 1, false}),
                  ShellResult::Success);
    }
    EXPECT_EQ(Log("xdg-open"), notes + "\n" + source + "\n");
    EXPECT_EQ(ReadFile(bin_ + "/xdg-open.cwd"), env_.Path("cd") + "\n");
}

TEST_F(PosixShellTest, ExploreHandsTheFolderToXdgOpen) {
    const std::string folder = env_.Folder("cd/Docs");
    EXPECT_EQ(shell_.Execute({"explore", folder, "", "", 1, false}), ShellResult::Success);
    EXPECT_EQ(Log("xdg-open"), folder + "\n");
    // "open" of a folder goes the same way.
    EXPECT_EQ(shell_.Execute({"open", folder + "/", "", "", 1, false}), ShellResult::Success);
    EXPECT_EQ(Log("xdg-open"), folder + "\n" + folder + "/\n");
}

TEST_F(PosixShellTest, AddressesGoToXdgOpenAndItsExitCodeDecides) {
    const struct {
        const char* exitCode;
        int result;
    } cases[] = {
        {"0", ShellResult::Success},       {"2", ShellResult::FileNotFound},
        {"3", ShellResult::NoAssociation}, {"4", ShellResult::NoAssociation},
        {"5", ShellResult::AccessDenied},  {"1", ShellResult::OperationFailed},
    };
    for (const auto& c : cases) {
        SetHelperFile("xdg-open", ".exit", c.exitCode);
        EXPECT_EQ(shell_.Execute({"open", "https://example.invalid/?a=1&b", "", "", 1, false}),
                  c.result)
            << c.exitCode;
    }
    fs::remove(bin_ + "/xdg-open.exit");
    fs::remove(bin_ + "/xdg-open.log");
    EXPECT_EQ(shell_.Execute({"open", "www.example.invalid", "", "", 1, false}),
              ShellResult::Success);
    EXPECT_EQ(Log("xdg-open"), "http://www.example.invalid\n");
}

TEST_F(PosixShellTest, MailGoesToXdgEmailElseToXdgOpen) {
    EXPECT_EQ(shell_.Execute({"open", "mailto:info@example.invalid", "", "", 1, false}),
              ShellResult::Success);
    EXPECT_EQ(Log("xdg-email"), "mailto:info@example.invalid\n");
    EXPECT_EQ(Log("xdg-open"), "");

    // Only xdg-open on the path.
    const std::string onlyOpen = env_.Folder("only-open");
    Helper(onlyOpen, "xdg-open");
    env_.Set("PATH", onlyOpen);
    EXPECT_EQ(shell_.Execute({"open", "MAILTO:sales@example.invalid", "", "", 1, false}),
              ShellResult::Success);
    EXPECT_EQ(ReadFile(onlyOpen + "/xdg-open.log"), "MAILTO:sales@example.invalid\n");
}

TEST_F(PosixShellTest, PrintUsesLpWhenThereIsOne) {
    const std::string document = env_.File("cd/manual.pdf", "%PDF-1.4\n");
    EXPECT_EQ(shell_.Execute({"print", document, "", "", 1, false}), ShellResult::Success);
    EXPECT_EQ(Log("lp"), document + "\n");
    SetHelperFile("lp", ".exit", "1"); // no printer
    EXPECT_EQ(shell_.Execute({"print", document, "", "", 1, false}), ShellResult::OperationFailed);

    env_.Set("PATH", env_.Folder("empty-bin"));
    EXPECT_EQ(shell_.Execute({"print", document, "", "", 1, false}), ShellResult::NoAssociation);
}

TEST_F(PosixShellTest, AHelperThatKeepsRunningIsLeftRunning) {
    SetHelperFile("xdg-open", ".sleep", "1");
    posix::PosixShell impatient(100);
    EXPECT_EQ(impatient.Execute({"open", "http://example.invalid/", "", "", 1, false}),
              ShellResult::Success);
    EXPECT_FALSE(fs::exists(bin_ + "/xdg-open.done"));
    // Not killed: it finishes on its own.
    EXPECT_TRUE(WaitForFile(bin_ + "/xdg-open.done"));

    // Waiting has no limit.
    fs::remove(bin_ + "/xdg-open.done");
    EXPECT_EQ(impatient.Execute({"open", "http://example.invalid/", "", "", 1, true}),
              ShellResult::Success);
    EXPECT_TRUE(fs::exists(bin_ + "/xdg-open.done"));
}

} // namespace
} // namespace carvelle
