#include "platform/mount_point.h"

#include <gtest/gtest.h>

namespace carvelle {
namespace {

const char* const kTable = "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                           "30 22 0:25 / /media rw - tmpfs tmpfs rw\n"
                           "31 30 11:0 / /media/cd\\040rom ro - iso9660 /dev/sr0 ro\n"
                           "32 22 0:26 / /mnt/data/ rw - tmpfs tmpfs rw\n"
                           "33 22 0:27 / /mnt/dat rw - tmpfs tmpfs rw\n"
                           "broken line\n";

TEST(MountPoint, TheDeepestMountHoldingThePathWins) {
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"/media/cd rom/menu/avensa", "/media/cd rom"}, // escaped blank
        {"/media/cd rom", "/media/cd rom"},
        {"/media/cd romx/avensa", "/media"}, // a longer name is another folder
        {"/media", "/media"},
        {"/mnt/data/x", "/mnt/data"}, // trailing separator in the table
        {"/mnt/dat/x", "/mnt/dat"},
        {"/home/user/avensa", "/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MountPointFromTable(kTable, c.path), c.expected) << c.path;
    }
    EXPECT_EQ(MountPointFromTable("", "/anything"), "/");
}

TEST(MountPoint, ReadsThisProcesssTable) {
    // /proc is a file system of its own wherever this runs.
    EXPECT_EQ(MountPointOf("/proc/self/status"), "/proc");
    EXPECT_EQ(MountPointOf("/proc/self/../self/status"), "/proc");
}

} // namespace
} // namespace carvelle
