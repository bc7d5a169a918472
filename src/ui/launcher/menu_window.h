#pragma once

#include "about_window.h"
#include "launcher_environment.h"
#include "viewers_window.h"

#include "launcher/launch_target.h"
#include "launcher/menu.h"
#include "launcher/menu_file.h"
#include "launcher/window_rules.h"

#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace carvelle::ui::avensa {

class LaunchRunner;

// The launcher's main window: a borderless, always-on-top picture the size of the frame on
// show, placed by the menu's placement code, optionally shaped by the frames' region texts,
// animated on a timer, with a display clock that launches the main action and ends the program.
class MenuWindow : public QWidget {
    Q_OBJECT
public:
    explicit MenuWindow(LauncherEnvironment environment, QWidget* parent = nullptr);
    ~MenuWindow() override;

    // Start-up once the package was read: shows the reader's boxes in order; when the menu was
    // read, reads "err.txt", presents the menu, plays the start sound and starts the display
    // clock. False when the program is to end instead.
    bool Start(launcher::StartupRead startup);

    void Launch(int index, QWidget* asking);
    void SetPos(int code);
    void ButtonAni();
    void ApplyFrameRegion(int frame);
    // The exit sound, played once however the program ends.
    void PlayExitSound();
    void ShowAbout();
    void ShowViewers();
    void Terminate();

    const launcher::Menu& Menu() const { return menu_; }
    const launcher::LaunchPaths& Paths() const { return paths_; }
    // A file beside the executable (letter case ignored), or empty when there is none.
    std::filesystem::path BesideExecutable(const std::string& name) const;
    LaunchRunner& Runner() { return *runner_; }
    int CurrentFrame() const { return animation_.CurrentFrame; }
    bool ExitPending() const { return exitPending_; }
    void SetExitPending() { exitPending_ = true; }
    // The viewers or the about window is up, so the program must not end.
    bool SecondaryWindowOpen() const;
    ViewersWindow* Viewers() const { return viewers_; }
    AboutWindow* About() const { return about_; }

    QTimer& DisplayClock() { return timer1_; }
    QTimer& AnimationTimer() { return timer3_; }
    QTimer& ExitPoll() { return timer2_; }
    // For tests: where the random animation mode takes its numbers in [0, 1).
    void SetRandomSource(std::function<double()> random) { random_ = std::move(random); }

public slots:
    void DisplayTick();
    void AnimationTick();
    void ExitPollTick();

signals:
    void FirstFramePainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void LoadIcon();
    void Present();

    LauncherEnvironment environment_;
    std::filesystem::path exeFolder_; // native
    std::string exeName_;
    launcher::LaunchPaths paths_;
    launcher::Menu menu_;
    std::vector<QImage> frames_; // views of the menu's pixels
    launcher::AnimationState animation_;
    launcher::DisplayClock clock_;
    bool exitPending_ = false;
    bool exitSoundPlayed_ = false;
    bool painted_ = false;
    std::function<double()> random_;
    QTimer timer1_; // display clock
    QTimer timer2_; // exit poll
    QTimer timer3_; // animation
    QMenu popupMenu_;
    std::unique_ptr<LaunchRunner> runner_;
    QPointer<ViewersWindow> viewers_;
    QPointer<AboutWindow> about_;
};

} // namespace carvelle::ui::avensa
