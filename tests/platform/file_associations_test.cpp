#include "platform/file_associations.h"
#include "temp_environment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace carvelle {
namespace {

// Private XDG folders with a default viewer for PDF and PNG files, so the answer does not depend
// on what the machine has installed. xdg-mime only reports an application whose program exists.
class FindOpenCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "KDE_SESSION_VERSION", "GNOME_DESKTOP_SESSION_ID",
                                 "MATE_DESKTOP_SESSION_ID", "XDG_MENU_PREFIX", "DISPLAY"}) {
            env_.Unset(name);
        }
        env_.Set("HOME", env_.Folder("home"));
        env_.Set("XDG_CONFIG_HOME", env_.Folder("config"));
        env_.Set("XDG_CONFIG_DIRS", env_.Folder("config-dirs"));
        env_.Set("XDG_DATA_HOME", env_.Folder("data"));

        viewer_ = env_.File("bin/carvelle-viewer", "#!/bin/sh\n");
        std::filesystem::permissions(viewer_, std::filesystem::perms::owner_all);
        env_.File("config/mimeapps.list", "[Added Associations]\n"
                                          "application/pdf=wrong.desktop;\n"
                                          "[Default Applications]\n"
                                          "application/pdf=carvelle-viewer.desktop\n"
                                          "image/png=vendor-pictures.desktop;\n");
        env_.File("data/applications/carvelle-viewer.desktop", "[Desktop Entry]\n"
                                                               "Type=Application\n"
                                                               "Name=Viewer\n"
                                                               "Exec[de]=" +
                                                                   viewer_ +
                                                                   " --localized\n"
                                                                   "Exec = " +
                                                                   viewer_ +
                                                                   " --open %f\n"
                                                                   "[Desktop Action Print]\n"
                                                                   "Exec=" +
                                                                   viewer_ + " --print %f\n");
        // The id "vendor-pictures.desktop" names a file in a vendor subfolder.
        env_.File("data/applications/vendor/pictures.desktop",
                  "[Desktop Entry]\nExec=" + viewer_ + " --picture %u\n");
    }

    testing::TempEnvironment env_;
    std::string viewer_;
};

TEST_F(FindOpenCommandTest, GivesTheDefaultApplicationsCommandLine) {
    EXPECT_EQ(FindOpenCommand(".pdf"), viewer_ + " --open %f");
    EXPECT_EQ(FindOpenCommand(".PDF"), viewer_ + " --open %f");
    EXPECT_EQ(FindOpenCommand(".png"), viewer_ + " --picture %u");
}

TEST_F(FindOpenCommandTest, IsEmptyWithoutARegistration) {
    for (const char* extension : {".carvelle-unregistered", "", ".", "pdf"}) {
        EXPECT_EQ(FindOpenCommand(extension), "") << extension;
    }
    // A registration whose desktop file is gone names no program.
    std::filesystem::remove(env_.Path("data/applications/carvelle-viewer.desktop"));
    env_.Set("XDG_DATA_DIRS", env_.Folder("no-system-data"));
    EXPECT_EQ(FindOpenCommand(".pdf"), "");
}

} // namespace
} // namespace carvelle
