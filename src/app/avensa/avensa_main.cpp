#include "ui/launcher/effect_sound_player.h"
#include "ui/launcher/launcher_startup.h"
#include "ui/launcher/menu_window.h"

#include "platform/mount_point.h"
#include "platform/system_paths.h"

#include <QApplication>

int main(int argc, char** argv) {
    // GStreamer plays the sounds; the other backend fails without an audio device.
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) {
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Avensa"));
    QApplication::setQuitOnLastWindowClosed(false);

    carvelle::ui::avensa::EffectSoundPlayer sounds;
    carvelle::ui::avensa::SetLauncherSound(&sounds);

    const std::string exePath = carvelle::ExecutablePath();
    carvelle::ui::avensa::LauncherEnvironment environment;
    environment.ExePath = exePath;
    environment.MountPoint = carvelle::MountPointOf(exePath);

    int code = 0;
    {
        carvelle::ui::avensa::MenuWindow window(environment);
        // A quit-after-first-paint switch lets start-up be timed from the outside.
        if (qEnvironmentVariableIsSet("AVENSA_QUIT_AFTER_FIRST_PAINT")) {
            // Queued: the first paint may come before the event loop runs.
            QObject::connect(
                &window, &carvelle::ui::avensa::MenuWindow::FirstFramePainted, &app,
                [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
        }
        if (window.Start(carvelle::ui::avensa::ReadOwnPackage(exePath))) {
            code = QApplication::exec();
        }
    }
    carvelle::ui::avensa::SetLauncherSound(nullptr);
    return code;
}
