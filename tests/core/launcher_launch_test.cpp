#include "launcher/launch_target.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace carvelle::launcher {
namespace {

// A machine with a few files and associations, recording the searches it is asked for.
struct FakeMachine {
    std::set<std::string> files;
    std::set<std::string> programs;
    std::map<std::string, std::string> associations; // by extension, lower-case
    std::string pdxViewer;
    SearchResult searchAnswer;
    std::vector<std::string> searches;

    LaunchServices Services() {
        LaunchServices services;
        services.FileExists = [this](const std::string& path) { return files.count(path) > 0; };
        services.IsProgram = [this](const std::string& path) { return programs.count(path) > 0; };
        services.Search = [this](const std::string& path) {
            searches.push_back(path);
            return searchAnswer;
        };
        services.AssociatedProgram = [this](const std::string& path) {
            const auto dot = path.rfind('.');
            const auto found = associations.find(dot == std::string::npos ? "" : path.substr(dot));
            return found == associations.end() ? std::string() : found->second;
        };
        services.PdxViewer = [this](const std::string&) { return pdxViewer; };
        return services;
    }
};

MenuAction Action(std::string target, std::string parameters = "", std::int32_t show = 0) {
    return MenuAction{std::move(target), std::move(parameters), show, 0, ""};
}

const LaunchPaths kOnE = WindowsLaunchPaths("E:\\menu\\");

TEST(LauncherLaunch, NoActionMessagesAndEmptyTargetsNeedNoShell) {
    FakeMachine machine;
    EXPECT_EQ(PlanLaunch(Action("*"), kOnE, machine.Services()).Kind, LaunchKind::NoAction);
    EXPECT_EQ(PlanLaunch(Action(""), kOnE, machine.Services()).Kind, LaunchKind::ClickOnly);
    const LaunchPlan message =
        PlanLaunch(Action("$Line one\xB6Line two\xB6"), kOnE, machine.Services());
    EXPECT_EQ(message.Kind, LaunchKind::Message);
    EXPECT_EQ(message.MessageText, "Line one\rLine two\r");
    // Only exactly "*" means no action.
    EXPECT_EQ(PlanLaunch(Action("**"), kOnE, machine.Services()).Kind, LaunchKind::Shell);
    EXPECT_TRUE(machine.searches.size() == 1) << "the missing '**' was searched for";
}

TEST(LauncherLaunch, CdTokenBecomesTheDriveEverywhereInTheParameters) {
    const LaunchPaths posix = PosixLaunchPaths("/media/cdrom/menu", "/media/cdrom/");
    const LaunchPaths onC = WindowsLaunchPaths("C:\\");
    const struct {
        const char* parameters;
        const LaunchPaths* paths;
        const char* expected;
    } cases[] = {
        {"/path=%CD%:\\data", &kOnE, "/path=E:\\data"},
        {"-a %CD%:\\x -b %CD%", &kOnE, "-a E:\\x -b E"},
        {"%%CD%D%", &onC, "C"}, // a token formed by a replacement
        {"no token %CD", &kOnE, "no token %CD"},
        {"/path=%CD%:\\data", &posix, "/path=/media/cdrom\\data"},
        {"%CD%", &posix, "/media/cdrom"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExpandCdToken(c.parameters, *c.paths), c.expected) << c.parameters;
    }
    // A mount point that itself holds the token does not loop.
    const LaunchPaths odd = PosixLaunchPaths("/mnt/%CD%/menu", "/mnt/%CD%");
    EXPECT_EQ(ExpandCdToken("%CD%:\\a", odd), "/mnt/%CD%\\a");
}

TEST(LauncherLaunch, TargetsAreRewrittenForTheLaunchersDrive) {
    FakeMachine machine;
    machine.files = {"E:\\menu\\setup.exe", "E:\\docs\\a.pdf", "docs\\a.pdf"};
    machine.programs = {"E:\\menu\\setup.exe"};
    machine.associations = {{".pdf", "C:\\Reader\\reader.exe"}};

    // A program keeps its parameters, expanded and left unquoted when they begin with '/'.
    const LaunchPlan setup =
        PlanLaunch(Action("%setup.exe", "/path=%CD%:\\data%CD%"), kOnE, machine.Services());
    EXPECT_EQ(setup.Kind, LaunchKind::Shell);
    EXPECT_EQ(setup.File, "E:\\menu\\setup.exe");
    EXPECT_EQ(setup.Parameters, "/path=E:\\dataE");
    EXPECT_FALSE(setup.ParametersIsTarget);
    EXPECT_EQ(setup.Folder, "E:\\menu\\");
    EXPECT_EQ(setup.Verb, "open");

    // A document goes to its program, which receives the document and no working folder.
    const LaunchPlan pdf = PlanLaunch(Action("\\docs\\a.pdf", "ignored"), kOnE, machine.Services());
    EXPECT_EQ(pdf.File, "C:\\Reader\\reader.exe");
    EXPECT_EQ(pdf.Parameters, "E:\\docs\\a.pdf");
    EXPECT_TRUE(pdf.ParametersIsTarget);
    EXPECT_EQ(pdf.Folder, "");

    const LaunchPlan relative = PlanLaunch(Action("docs/a.pdf"), kOnE, machine.Services());
    EXPECT_EQ(relative.Parameters, "docs\\a.pdf");

    // Addresses keep their slashes and are never searched for.
    machine.associations[".org/a/b"] = "never asked";
    const LaunchPlan web =
        PlanLaunch(Action("http://example.org/a/b", "x y"), kOnE, machine.Services());
    EXPECT_EQ(web.File, "http://example.org/a/b");
    EXPECT_EQ(web.Parameters, "\"x y\"");
    EXPECT_EQ(web.Folder, "");
    machine.associations[".com"] = "mailer";
    const LaunchPlan mail = PlanLaunch(Action("MailTo:me@example.com"), kOnE, machine.Services());
    EXPECT_EQ(mail.File, "mailer");
    EXPECT_EQ(mail.Parameters, "MailTo:me@example.com");
    EXPECT_TRUE(machine.searches.empty());

    // A folder is explored; a document without a program is opened as it is.
    const LaunchPlan folder = PlanLaunch(Action("/docs/"), kOnE, machine.Services());
    EXPECT_EQ(folder.File, "E:\\docs\\");
    EXPECT_EQ(folder.Verb, "explore");
    EXPECT_EQ(folder.Parameters, "");
    machine.files.insert("E:\\a.xyz");
    const LaunchPlan unknown = PlanLaunch(Action("\\a.xyz", "p"), kOnE, machine.Services());
    EXPECT_EQ(unknown.File, "E:\\a.xyz");
    EXPECT_EQ(unknown.Parameters, "");
    EXPECT_EQ(unknown.Folder, "E:\\");
    EXPECT_TRUE(machine.searches.empty());
}

TEST(LauncherLaunch, ParametersAreQuotedUnlessTheyLookLikeSwitches) {
    FakeMachine machine;
    machine.files = {"E:\\run.exe", "\"E:\\q.exe\""};
    machine.programs = machine.files;
    const struct {
        const char* target;
        const char* parameters;
        const char* expected;
    } cases[] = {
        {"\\run.exe", "my file.txt", "\"my file.txt\""},
        {"\\run.exe", "-q", "-q"},
        {"\\run.exe", "/s", "/s"},
        {"\\run.exe", "\\x", "\\x"},
        {"\\run.exe", "", ""},
        {"\"E:\\q.exe\"", "a b", "a b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlanLaunch(Action(c.target, c.parameters), kOnE, machine.Services()).Parameters,
                  c.expected)
            << c.target << " " << c.parameters;
    }
}

TEST(LauncherLaunch, ShowCommandFollowsShowMaximised) {
    FakeMachine machine;
    machine.files = {"E:\\run.exe"};
    machine.programs = machine.files;
    const std::pair<std::int32_t, int> cases[] = {{0, 1}, {1, 3}, {-1, 3}, {2, 0}, {-7, 0}};
    for (const auto& [stored, command] : cases) {
        EXPECT_EQ(PlanLaunch(Action("\\run.exe", "", stored), kOnE, machine.Services()).ShowCommand,
                  command)
            << stored;
    }
}

TEST(LauncherLaunch, MissingTargetIsSearchedForAndTheFindUsed) {
    FakeMachine machine;
    machine.associations = {{".pdf", "reader"}};
    machine.searchAnswer = {"E:\\found\\a.pdf", false};
    const LaunchPlan found = PlanLaunch(Action("C:\\old\\a.pdf"), kOnE, machine.Services());
    EXPECT_EQ(machine.searches, std::vector<std::string>{"C:\\old\\a.pdf"});
    EXPECT_TRUE(found.Searched);
    EXPECT_EQ(found.Parameters, "E:\\found\\a.pdf");

    // A cancelled search gives the bare name, which is then tried as it is.
    machine.searchAnswer = {"a.pdf", true};
    const LaunchPlan cancelled = PlanLaunch(Action("C:\\old\\a.pdf"), kOnE, machine.Services());
    EXPECT_TRUE(cancelled.SearchCancelled);
    EXPECT_EQ(cancelled.Parameters, "a.pdf");

    // A .pdx document without a program of its own goes to the .pdx viewer.
    machine.files = {"E:\\cat.PDX"};
    machine.pdxViewer = "C:\\Pdx\\view.exe";
    const LaunchPlan pdx = PlanLaunch(Action("\\cat.PDX"), kOnE, machine.Services());
    EXPECT_EQ(pdx.File, "C:\\Pdx\\view.exe");
    EXPECT_EQ(pdx.Parameters, "E:\\cat.PDX");
    EXPECT_EQ(pdx.Folder, "C:\\Pdx\\");
}

TEST(LauncherLaunch, OnPosixTheDriveIsTheMountPointOfTheMedium) {
    const LaunchPaths paths = PosixLaunchPaths("/media/cdrom/menu", "/media/cdrom");
    EXPECT_EQ(paths.ExeFolder, "\\media\\cdrom\\menu\\");
    EXPECT_EQ(paths.Drive, "\\media\\cdrom");
    FakeMachine machine;
    machine.files = {"\\media\\cdrom\\menu\\setup.sh", "\\media\\cdrom\\docs\\a.pdf"};
    machine.programs = {"\\media\\cdrom\\menu\\setup.sh"};
    machine.associations = {{".pdf", "/usr/bin/reader"}};
    // The launcher's own folder is not taken for a path on the drive.
    EXPECT_EQ(PlanLaunch(Action("%setup.sh"), paths, machine.Services()).File,
              "\\media\\cdrom\\menu\\setup.sh");
    EXPECT_EQ(PlanLaunch(Action("/docs/a.pdf"), paths, machine.Services()).Parameters,
              "\\media\\cdrom\\docs\\a.pdf");
    EXPECT_TRUE(machine.searches.empty());
    // A medium mounted at the root adds nothing in front.
    EXPECT_EQ(PosixLaunchPaths("/menu/", "/").Drive, "");
}

TEST(LauncherLaunch, FailureMessagesQuoteTheStoredTarget) {
    EXPECT_EQ(FileNotFoundMessage("Avensa", "docs/a.pdf"),
              "Avensa cannot find the specified file:\r\rdocs/a.pdf");
    EXPECT_EQ(NoViewerMessage("%a.pdx"),
              "You do not appear to have a suitable viewer (or version) able to open the "
              "file:\r\n\r\n%a.pdx");
}

} // namespace
} // namespace carvelle::launcher
