#include "common/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace carvelle {
namespace {

using Arguments = std::vector<std::string>;

TEST(SplitCommandLine, FollowsWindowsQuotingRules) {
    const struct {
        const char* parameters;
        Arguments arguments;
    } cases[] = {
        {"", {}},
        {" \t ", {}},
        {"/S  -v\tx", {"/S", "-v", "x"}},
        {"\"C:\\Program Files\\App\\app.exe\" /q", {"C:\\Program Files\\App\\app.exe", "/q"}},
        {"\"/media/cd/My Docs/read me.pdf\"", {"/media/cd/My Docs/read me.pdf"}},
        // Quotes join with their neighbours into one argument.
        {"/D=\"two words\"end next", {"/D=two wordsend", "next"}},
        {"a \"\" b", {"a", "", "b"}},
        {"\"\"", {""}},
        {"\"unterminated  quote", {"unterminated  quote"}},
        // Inside quotes "" is one literal quote and quoting goes on.
        {"\"say \"\"hi\"\" now\" x", {"say \"hi\" now", "x"}},
        // Backslashes count only before a quote.
        {"C:\\dir\\ \\\\server\\share", {"C:\\dir\\", "\\\\server\\share"}},
        {"a\\\"b", {"a\"b"}},
        {"a\\\\\"b c\"", {"a\\b c"}},
        {"a\\\\\\\"b c", {"a\\\"b", "c"}},
        {"\"C:\\dir\\\\\" next", {"C:\\dir\\", "next"}},
        // A single backslash before the closing quote escapes it, as on Windows.
        {"\"C:\\dir\\\" next", {"C:\\dir\" next"}},
        // Nothing but blanks separates: line ends and other bytes stay in the argument.
        {"a\nb \xE9t\xE9", {"a\nb", "\xE9t\xE9"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitCommandLine(c.parameters), c.arguments) << c.parameters;
    }
}

} // namespace
} // namespace carvelle
