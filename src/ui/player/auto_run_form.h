#pragma once

#include "objects/page.h"
#include "project/open_project.h"

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <vector>

class QMenuBar;
class QStatusBar;
class QToolBar;
class QTabBar;
class QMenu;

namespace carvelle::ui {

class SoundPlayer;

// The window that shows one page: background, objects, bars, fades, sounds and timing.
class TAutoRunForm : public QDialog {
    Q_OBJECT
public:
    enum class LoadMode { Whole = 0, ContentsOnly = 1 };

    TAutoRunForm(ProjectSession& session, QWidget* parent = nullptr);
    ~TAutoRunForm() override;

    // Reads the page of a page-list entry into this window; false after one error box.
    bool LoadPage(std::size_t pageIndex, LoadMode mode);
    // Opens the named page modally (Whole) or replaces this window's contents with it; true
    // when the page was found and read. For Whole, the child's ExitRequested comes back in
    // `exitRequested`.
    bool ShowSubPage(const std::string& name, LoadMode mode, bool* exitRequested = nullptr);
    // The main window of the player: the agreement and security gates, then the main page.
    // False when a gate was refused.
    bool PrepareAsMainWindow();

    // Runs a click or a start action of this page.
    bool RunCommand(const TCommand& command);
    // Defers a "Goto Page" to Timer2, so the page is not replaced inside its own handler.
    void RequestGoto(const std::string& name);

    const TPage& Page() const { return page_; }
    const std::string& ProjectFolder() const { return session_.ProjectFolder; }
    // Sounds started by actions; "Stop All Sound" also ends the start and event sounds.
    void PlayActionSound(const QString& file);
    void StopActionSound();
    void StopAllSound();
    // Shows, hides, enables or disables the objects named in `names` (or in those groups).
    enum class ObjectChange { Show, Hide, Enable, Disable };
    void ChangeObjects(const std::vector<std::string>& names, bool byGroup, ObjectChange change);
    ProjectSession& Session() { return session_; }
    QWidget* Panel() const { return panel1_; }
    QWidget* ObjectControl(std::size_t index) const;
    const QImage& Background() const { return background_; }

    bool Previewing = false;
    bool Accepted = false;
    bool ExitRequested = false;
    bool GotoPending = false;
    std::string GotoTarget;
    bool Shown = false;
    int ElapsedSeconds = 0;

    void PaintBackground();
    void StartFadeIn();
    void RunFadeOut();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void ApplyPage(const TPage& page, LoadMode mode);
    void BuildObjects();
    void BuildMenus(bool withMainMenu);
    void BuildBars();
    void ApplyGroupsAndLooks();
    void PlaceShadow();
    void ApplyCursors();
    void ApplyTabOrder();
    void BuildNotebook();
    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    bool PlayStartSound();
    void PlayEventSound(const std::string& file);
    bool IsTimedPage() const;
    void ObjectClicked(std::size_t index);
    void BackgroundClicked();
    void ApplyGroupClick(std::size_t index);
    void ShowComment(std::size_t index);
    void HideComment(std::size_t index);
    QMenu* BuildMenu(const std::vector<TMenuItem>& items, QMenu* into);
    int IndexOf(QObject* control) const;

    ProjectSession& session_;
    TPage page_;
    bool isMainWindow_ = false;
    QMenuBar* menuBar_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QTabBar* notebook_ = nullptr;
    QWidget* panel1_ = nullptr;
    QWidget* image1_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QMenu* popupMenu1_ = nullptr;
    std::vector<QWidget*> controls_;
    std::unique_ptr<QWidget> shadow_;
    QImage background_;
    QImage backImage_;
    QTimer timer1_;
    QTimer timer2_;
    QTimer timer3_;
    SoundPlayer* startSound_ = nullptr;
    SoundPlayer* eventSound_ = nullptr;
    SoundPlayer* actionSound_ = nullptr;
    bool startSoundDue_ = false;
    bool startSoundPlaying_ = false;
    QPoint mouseDown_;
    std::vector<std::string> savedViewerTexts_;
};

} // namespace carvelle::ui
