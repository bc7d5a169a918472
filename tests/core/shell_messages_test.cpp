#include "actions/shell_messages.h"

#include <gtest/gtest.h>

#include <string>

namespace carvelle {
namespace {

TEST(ShellErrorText, GivesTheTextOfEachResultCode) {
    const struct {
        int result;
        const char* text;
    } cases[] = {
        {0, "The operating system is out of memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied access to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred."},
        {27, "The filename association is incomplete or invalid."},
        {28, "The DDE transaction could not be completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not be completed because other DDE transactions were "
             "being processed."},
        {31, "There is no application associated with the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        // Every other failure code has the general text.
        {1, "Operation Error"},
        {4, "Operation Error"},
        {25, "Operation Error"},
        {-1, "Operation Error"},
        // Success codes are no failure.
        {33, ""},
        {42, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShellErrorText(c.result), c.text) << c.result;
    }
    EXPECT_STREQ(kNoEmailProgramText, "Default email program not found on your system.");
}

} // namespace
} // namespace carvelle
