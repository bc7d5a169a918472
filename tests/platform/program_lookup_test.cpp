#include "platform/program_lookup.h"
#include "temp_environment.h"

#include "common/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace carvelle {
namespace {

namespace fs = std::filesystem;

TEST(ProgramLookup, OpenCommandsBecomeAProgramAndItsArguments) {
    const std::string doc = kDocumentArgument;
    const struct {
        const char* line;
        std::vector<std::string> arguments;
    } cases[] = {
        {"sh %f", {doc}},
        {"sh --open %U --new", {"--open", doc, "--new"}},
        {"sh", {doc}},                          // no field code: the document last
        {"sh %i %c %k --x=%f", {"--x=" + doc}}, // icon, name and location go
        {"sh \"a b\" \"q\\\"uote\" 100%%", {"a b", "q\"uote", "100%", doc}},
    };
    for (const auto& c : cases) {
        const OpenProgram open = ParseOpenCommand(c.line);
        EXPECT_EQ(fs::path(open.Program).filename(), "sh") << c.line;
        EXPECT_EQ(open.Arguments, c.arguments) << c.line;
    }
    for (const char* bad : {"", "   ", "sh \"open", "no-such-program-anywhere %f"}) {
        EXPECT_EQ(ParseOpenCommand(bad).Program, "") << bad;
    }
}

TEST(ProgramLookup, ParametersSplitBackIntoTheSameArguments) {
    const std::string doc = kDocumentArgument;
    const std::vector<std::vector<std::string>> cases = {
        {doc},
        {"--flag", doc},
        {"a b", "--x=" + doc, "q\"uote", "ends\\", "C:\\dir\\"},
        {"", doc},
    };
    for (const std::string document : {"/media/cd rom/a b.pdf", "/plain.pdf", "/q\"\\\".pdf"}) {
        for (const auto& arguments : cases) {
            std::vector<std::string> expected = arguments;
            for (std::string& argument : expected) {
                for (std::size_t at = argument.find(doc); at != std::string::npos;
                     at = argument.find(doc)) {
                    argument.replace(at, doc.size(), document);
                }
            }
            EXPECT_EQ(SplitCommandLine(ShellParameters(arguments, document)), expected)
                << ShellParameters(arguments, document);
        }
    }
}

TEST(ProgramLookup, OnlyBinariesAndScriptsRunByThemselves) {
    testing::TempEnvironment env;
    const auto make = [&](const std::string& name, const std::string& text, bool executable) {
        const std::string path = env.File(name, text);
        fs::permissions(path, executable ? fs::perms::owner_all
                                         : fs::perms::owner_read | fs::perms::owner_write);
        return path;
    };
    EXPECT_TRUE(IsRunnableProgram("/bin/sh"));
    EXPECT_TRUE(IsRunnableProgram(make("setup.sh", "#!/bin/sh\n", true)));
    EXPECT_FALSE(IsRunnableProgram(make("plain.sh", "#!/bin/sh\n", false)));
    // Media mark every file executable; a document stays a document.
    EXPECT_FALSE(IsRunnableProgram(make("guide.pdf", "%PDF-1.4\n", true)));
    EXPECT_FALSE(IsRunnableProgram(make("empty", "", true)));
    EXPECT_FALSE(IsRunnableProgram(env.Folder("folder")));
    EXPECT_FALSE(IsRunnableProgram(env.Path("missing")));
}

TEST(ProgramLookup, TheRegisteredViewerOpensAnExistingDocument) {
    testing::TempEnvironment env;
    const std::string viewer = testing::RegisterPdfViewer(env);
    const std::string document = env.File("docs/a.pdf", "%PDF-1.4\n");

    const OpenProgram open = FindAssociatedProgram(document);
    EXPECT_EQ(open.Program, viewer);
    EXPECT_EQ(open.Arguments, (std::vector<std::string>{"--view", kDocumentArgument}));
    EXPECT_EQ(FindAssociatedProgram(env.File("docs/a.unregistered-type", "x")).Program, "");
}

} // namespace
} // namespace carvelle
