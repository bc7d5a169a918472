#include "auto_run_form.h"

#include "common/error_codes.h"
#include "common/error_report.h"
#include "common/native_path.h"
#include "common/primitives.h"
#include "custom_cursors.h"
#include "designer/object_rules.h"
#include "objects/kind_blocks.h"
#include "page_background.h"
#include "project/page_locator.h"
#include "project/project_paths.h"
#include "run_action.h"
#include "ui/common/model_conversion.h"
#include "ui/common/sound_player.h"
#include "ui/objects/object_controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QThread>
#include <QToolBar>
#include <QVBoxLayout>

namespace carvelle::ui {

namespace {

constexpr int kTimedSplash = 0;
constexpr int kBackgroundPage = 1;
constexpr int kExitPage = 4;

// Image1: the background picture, whose click is the background click.
class BackgroundView final : public QWidget {
public:
    explicit BackgroundView(TAutoRunForm& form, QWidget* parent) : QWidget(parent), form_(form) {
        setObjectName(QStringLiteral("Image1"));
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, form_.Background());
    }

private:
    TAutoRunForm& form_;
};

// The page's drop shadow: a dark translucent window behind it.
std::unique_ptr<QWidget> MakeShadow() {
    auto shadow = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint | Qt::Tool |
                                                         Qt::WindowDoesNotAcceptFocus);
    shadow->setObjectName(QStringLiteral("ShadowWindow"));
    shadow->setAttribute(Qt::WA_ShowWithoutActivating);
    shadow->setAttribute(Qt::WA_TransparentForMouseEvents);
    shadow->setEnabled(false);
    shadow->setAutoFillBackground(true);
    return shadow;
}

} // namespace

TAutoRunForm::TAutoRunForm(ProjectSession& session, QWidget* parent)
    : QDialog(parent), session_(session) {
    setObjectName(QStringLiteral("AutoRunForm"));
    setMinimumSize(80, 80);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("MainMenu1"));
    menuBar_->hide();
    layout->setMenuBar(menuBar_);
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar_->hide();
    layout->addWidget(toolBar_);
    panel1_ = new QWidget(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    layout->addWidget(panel1_, 1);
    image1_ = new BackgroundView(*this, panel1_);
    image1_->installEventFilter(this);
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(false);
    statusBar_->hide();
    layout->addWidget(statusBar_);
    popupMenu1_ = new QMenu(this);
    popupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));

    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setSingleShot(true);
    timer1_.setInterval(10);
    connect(&timer1_, &QTimer::timeout, this, &TAutoRunForm::Timer1Timer);
    timer2_.setObjectName(QStringLiteral("Timer2"));
    timer2_.setSingleShot(true);
    timer2_.setInterval(10);
    connect(&timer2_, &QTimer::timeout, this, &TAutoRunForm::Timer2Timer);
    timer3_.setObjectName(QStringLiteral("Timer3"));
    timer3_.setInterval(1000);
    connect(&timer3_, &QTimer::timeout, this, &TAutoRunForm::Timer3Timer);
    startSound_ = new SoundPlayer(this);
    eventSound_ = new SoundPlayer(this);
    actionSound_ = new SoundPlayer(this);

    shadow_ = MakeShadow();
    setWindowOpacity(0.0);
    PaintBackground();
}

TAutoRunForm::~TAutoRunForm() = default;

QWidget* TAutoRunForm::ObjectControl(std::size_t index) const {
    return index < controls_.size() ? controls_[index] : nullptr;
}

bool TAutoRunForm::LoadPage(std::size_t pageIndex, LoadMode mode) {
    FileStream stream;
    int systemError = 0;
    if (!OpenPageStream(session_, pageIndex, stream, systemError)) {
        ReportFileError(ErrorCode::PageOpenByIndex,
                        ToNativePath(PageFileName(session_, pageIndex)).string(), systemError);
        return false;
    }
    TPage page;
    RecordOptions options;
    options.ExplorerPlaceholder = session_.DesignerMode && !Previewing;
    if (!ReadPage(stream, page, options)) {
        return false;
    }
    ApplyPage(page, mode);
    return true;
}

void TAutoRunForm::ApplyPage(const TPage& page, LoadMode mode) {
    if (mode == LoadMode::Whole) {
        page_ = page;
        setWindowTitle(ToQString(page.Caption));
        Qt::WindowFlags flags = Qt::Window;
        if (page.BorderStyle == 0) {
            flags |= Qt::FramelessWindowHint;
        } else {
            flags |= Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
            if (page.BorderIcons & BorderIcon::Minimize) {
                flags |= Qt::WindowMinimizeButtonHint;
            }
            if (page.BorderIcons & BorderIcon::Maximize) {
                flags |= Qt::WindowMaximizeButtonHint;
            }
        }
        setWindowFlags(flags);
        resize(page.Width, page.Height);
        if (page.Position == 4 || page.Position == 5 || page.Position == 6 || page.Position == 7) {
            if (const QScreen* screen = QApplication::primaryScreen()) {
                const QRect area = screen->availableGeometry();
                move(area.center() - QPoint(page.Width / 2, page.Height / 2));
            }
        } else {
            move(page.Left, page.Top);
        }
        if (page.WindowState == 2) {
            setWindowState(Qt::WindowMaximized);
        }
        const QImage icon = DecodePicture(page.PageIcon);
        if (!icon.isNull()) {
            setWindowIcon(QIcon(QPixmap::fromImage(icon)));
        }
        QPalette shadowPalette = shadow_->palette();
        shadowPalette.setColor(QPalette::Window, ToQColor(page.ShadowColor));
        shadow_->setPalette(shadowPalette);
        shadow_->setWindowOpacity(page.ShadowAlpha / 255.0);
    } else {
        // Goto Page keeps the window's frame, sounds, fades, kind and menu bar.
        TPage kept = page_;
        kept.Hint = page.Hint;
        kept.BackColor = page.BackColor;
        kept.GradientColor = page.GradientColor;
        kept.GradientStyle = page.GradientStyle;
        kept.BackImage = page.BackImage;
        kept.BackImageStyle = page.BackImageStyle;
        kept.Reserved1 = page.Reserved1;
        kept.Reserved2 = page.Reserved2;
        kept.Reserved3 = page.Reserved3;
        kept.Reserved4 = page.Reserved4;
        kept.StayTime = page.StayTime;
        kept.ClickContinue = page.ClickContinue;
        kept.StartCommand = page.StartCommand;
        kept.StartCommandPicture = page.StartCommandPicture;
        kept.PopupMenu = page.PopupMenu;
        kept.StatusBar = page.StatusBar;
        kept.ToolBar = page.ToolBar;
        kept.Objects = page.Objects;
        kept.PageName = page.PageName;
        page_ = std::move(kept);
    }
    image1_->setToolTip(ToQString(page_.Hint));
    backImage_ = DecodePicture(page_.BackImage);
    BuildMenus(mode == LoadMode::Whole);
    BuildBars();
    BuildObjects();
    savedViewerTexts_.assign(page_.Objects.size(), {});
    if (!session_.DesignerMode || Previewing) {
        ApplyGroupsAndLooks();
    }
    PaintBackground();
}

QMenu* TAutoRunForm::BuildMenu(const std::vector<TMenuItem>& items, QMenu* into) {
    for (const TMenuItem& item : items) {
        if (item.Caption == "-") {
            into->addSeparator();
            continue;
        }
        if (!item.Items.empty()) {
            QMenu* sub = into->addMenu(ToQString(item.Caption));
            BuildMenu(item.Items, sub);
            continue;
        }
        QAction* action = into->addAction(ToQString(item.Caption));
        action->setEnabled(item.Enabled);
        action->setCheckable(item.Checked || item.AutoCheck);
        action->setChecked(item.Checked);
        const std::string hint = item.Hint;
        connect(action, &QAction::triggered, this, [this, hint] {
            if (session_.DesignerMode && !Previewing) {
                return;
            }
            TCommand command;
            if (DecodeCompactAction(hint, command)) {
                RunCommand(command);
            }
        });
    }
    return into;
}

void TAutoRunForm::BuildMenus(bool withMainMenu) {
    popupMenu1_->clear();
    BuildMenu(page_.PopupMenu, popupMenu1_);
    if (!withMainMenu) {
        return;
    }
    menuBar_->clear();
    for (const TMenuItem& item : page_.MainMenu) {
        if (item.Items.empty()) {
            QAction* action = menuBar_->addAction(ToQString(item.Caption));
            const std::string hint = item.Hint;
            connect(action, &QAction::triggered, this, [this, hint] {
                TCommand command;
                if (DecodeCompactAction(hint, command)) {
                    RunCommand(command);
                }
            });
        } else {
            BuildMenu(item.Items, menuBar_->addMenu(ToQString(item.Caption)));
        }
    }
    menuBar_->setVisible(!page_.MainMenu.empty());
}

void TAutoRunForm::BuildBars() {
    toolBar_->clear();
    const QSize imageSize(page_.ToolBar.ImageWidth, page_.ToolBar.ImageHeight);
    toolBar_->setIconSize(imageSize);
    toolBar_->setFont(ToQFont(page_.ToolBar.Font));
    for (const TAuToolButton& button : page_.ToolBar.Buttons) {
        if (button.Separator) {
            toolBar_->addSeparator();
            continue;
        }
        QImage image = DecodePicture(button.Image);
        QAction* action = toolBar_->addAction(ToQString(button.Caption));
        if (!image.isNull()) {
            action->setIcon(QIcon(QPixmap::fromImage(image.scaled(imageSize))));
        }
        action->setToolTip(ToQString(button.Hint));
        const TCommand command = button.Command;
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
    }
    toolBar_->setVisible(!page_.ToolBar.Buttons.empty());

    // The status bar shows only when it has panels.
    for (QLabel* old : statusBar_->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        statusBar_->removeWidget(old);
        delete old;
    }
    for (std::size_t i = 0; i < page_.StatusBar.Panels.size(); ++i) {
        const StatusPanel& panel = page_.StatusBar.Panels[i];
        auto* label = new QLabel(ToQString(panel.Text), statusBar_);
        label->setObjectName(QStringLiteral("StatusBar[%1]").arg(i));
        label->setFont(ToQFont(page_.StatusBar.Font));
        label->setMinimumWidth(panel.Width);
        label->setAlignment(panel.Alignment == 1   ? Qt::AlignRight | Qt::AlignVCenter
                            : panel.Alignment == 2 ? Qt::AlignCenter
                                                   : Qt::AlignLeft | Qt::AlignVCenter);
        statusBar_->addWidget(label);
    }
    statusBar_->setVisible(!page_.StatusBar.Panels.empty());
}

void TAutoRunForm::BuildObjects() {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        delete *it;
    }
    controls_.clear();
    const bool played = !session_.DesignerMode || Previewing;
    for (const TAutoObject& object : page_.Objects) {
        QWidget* control = CreateObjectControl(object, session_.ProjectFolder, played, panel1_);
        control->installEventFilter(this);
        control->setMouseTracking(true);
        if (played) {
            control->setVisible(object.Command.Visible);
            control->setEnabled(object.Command.Enabled);
            if (object.Command.ActionKind != 0) {
                control->setCursor(Qt::PointingHandCursor);
            }
        } else {
            control->show();
        }
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            const std::size_t index = controls_.size();
            connect(button, &QAbstractButton::clicked, this,
                    [this, index] { ObjectClicked(index); });
        }
        controls_.push_back(control);
    }
    ApplyTabOrder();
}

void TAutoRunForm::ApplyTabOrder() {
    // The input objects come first, in their stored order, then the windowed kinds.
    std::vector<std::pair<std::int32_t, QWidget*>> inputs;
    std::vector<QWidget*> windowed;
    for (std::size_t i = 0; i < page_.Objects.size(); ++i) {
        std::visit(
            [&](const auto& block) {
                if constexpr (requires { block.TabOrder; }) {
                    inputs.emplace_back(block.TabOrder, controls_[i]);
                }
            },
            page_.Objects[i].Properties);
        if (!IsWindowlessKind(page_.Objects[i].Kind()) &&
            controls_[i]->focusPolicy() != Qt::NoFocus &&
            !std::holds_alternative<kinds::Edit>(page_.Objects[i].Properties)) {
            windowed.push_back(controls_[i]);
        }
    }
    std::stable_sort(inputs.begin(), inputs.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QWidget*> chain;
    for (const auto& input : inputs) {
        chain.push_back(input.second);
    }
    for (QWidget* control : windowed) {
        if (std::find(chain.begin(), chain.end(), control) == chain.end()) {
            chain.push_back(control);
        }
    }
    for (std::size_t i = 1; i < chain.size(); ++i) {
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    }
}

void TAutoRunForm::ApplyGroupsAndLooks() {
    const std::vector<int> groups = ButtonToggleGroups(page_);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (groups[i] != 0) {
            if (auto* button = qobject_cast<QAbstractButton*>(controls_[i])) {
                button->setCheckable(true);
                button->setChecked(page_.Objects[i].Command.Checked);
            }
        }
    }
    for (std::size_t i = 0; i < page_.Objects.size(); ++i) {
        if (page_.Objects[i].Command.Checked) {
            ApplyGroupClick(i);
        }
    }
}

void TAutoRunForm::PaintBackground() {
    background_ = RenderPageBackground(page_, backImage_, panel1_->size());
    image1_->setGeometry(panel1_->rect());
    image1_->update();
}

bool TAutoRunForm::IsTimedPage() const {
    return page_.PageKind == kTimedSplash || page_.PageKind == kExitPage;
}

bool TAutoRunForm::PrepareAsMainWindow() {
    isMainWindow_ = true;
    for (const int gateKind : {6, 5}) {
        const int gate = FindFirstPageOfKind(session_, gateKind);
        if (gate < 0) {
            continue;
        }
        TAutoRunForm page(session_);
        if (page.LoadPage(static_cast<std::size_t>(gate), LoadMode::Whole)) {
            page.exec();
            if (!page.Accepted) {
                return false;
            }
        }
    }
    const int main = FindFirstPageOfKind(session_, 2);
    if (main >= 0 && LoadPage(static_cast<std::size_t>(main), LoadMode::Whole) &&
        session_.Project.Settings.Title.empty()) {
        QApplication::setApplicationDisplayName(ToQString(page_.Caption));
    }
    if (session_.Project.Settings.Style == 1) {
        BuildNotebook();
    }
    PaintBackground();
    return true;
}

void TAutoRunForm::BuildNotebook() {
    const TSettings& settings = session_.Project.Settings;
    notebook_ = new QTabBar(this);
    notebook_->setObjectName(QStringLiteral("Notebook"));
    notebook_->setFont(ToQFont(settings.TabFont));
    notebook_->setIconSize(QSize(settings.IconSize, settings.IconSize));
    notebook_->setExpanding(false);
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, notebook_);
    // The main page's entry first, then the named sub pages; a page whose title cannot be
    // read ends the strip there.
    std::vector<int> entries{0};
    for (const std::string& name : SplitTextLines(settings.TabSheets)) {
        const auto& pages = session_.Project.Pages;
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (pages[i].Kind == 3 && pages[i].Name == name) {
                entries.push_back(static_cast<int>(i));
                break;
            }
        }
    }
    for (const int entry : entries) {
        std::string caption;
        Picture icon;
        if (!ReadPageTitle(session_, static_cast<std::size_t>(entry), caption, icon)) {
            break;
        }
        const int tab = notebook_->addTab(ToQString(caption));
        notebook_->setTabData(tab, entry);
        if (settings.ShowSheetIcons) {
            const QImage image = DecodePicture(icon);
            notebook_->setTabIcon(tab, image.isNull() ? QApplication::windowIcon()
                                                      : QIcon(QPixmap::fromImage(image)));
        }
    }
    if (!session_.Project.Settings.Title.empty()) {
        setWindowTitle(ToQString(session_.Project.Settings.Title));
    }
    connect(notebook_, &QTabBar::currentChanged, this, [this](int tab) {
        const int entry = notebook_->tabData(tab).toInt();
        RequestGoto(session_.Project.Pages[static_cast<std::size_t>(entry)].Name);
    });
}

bool TAutoRunForm::ShowSubPage(const std::string& name, LoadMode mode, bool* exitRequested) {
    const int found = FindPageByName(session_, name);
    if (found < 0) {
        return false;
    }
    const auto index = static_cast<std::size_t>(found);
    if (mode == LoadMode::ContentsOnly) {
        return LoadPage(index, LoadMode::ContentsOnly);
    }
    auto child = std::make_unique<TAutoRunForm>(session_);
    child->Previewing = Previewing;
    if (!child->LoadPage(index, LoadMode::Whole)) {
        return false;
    }
    const bool loop = page_.StartSoundLoop;
    page_.StartSoundLoop = false;
    startSound_->Stop();
    eventSound_->Stop();
    actionSound_->Stop();
    RunFadeOut();
    child->exec();
    const bool childExit = child->ExitRequested;
    child.reset();
    page_.StartSoundLoop = loop;
    if (!childExit) {
        StartFadeIn();
        PlayStartSound();
    }
    if (exitRequested) {
        *exitRequested = childExit;
    }
    return true;
}

bool TAutoRunForm::RunCommand(const TCommand& command) {
    return RunAction(*this, command);
}

void TAutoRunForm::RequestGoto(const std::string& name) {
    GotoPending = true;
    GotoTarget = name;
    timer2_.start();
}

void TAutoRunForm::StartFadeIn() {
    if (page_.PageKind == kBackgroundPage) {
        setWindowOpacity(1.0);
        return;
    }
    if (page_.Shadow) {
        PlaceShadow();
        shadow_->show();
    }
    timer1_.start();
}

void TAutoRunForm::RunFadeOut() {
    shadow_->hide();
    if (page_.PageKind == kBackgroundPage) {
        return;
    }
    setWindowOpacity(1.0);
    if (page_.FadeOut && page_.FadeOutDelay > 0 && page_.FadeOutStep > 0) {
        for (int v = 255; v > 0; v -= page_.FadeOutStep) {
            setWindowOpacity(v / 255.0);
            repaint();
            QThread::msleep(static_cast<unsigned long>(page_.FadeOutDelay));
        }
    }
    setWindowOpacity(0.0);
}

void TAutoRunForm::PlaceShadow() {
    shadow_->setGeometry(frameGeometry().translated(page_.ShadowXOff, page_.ShadowYOff));
}

void TAutoRunForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    StartFadeIn();
    timer3_.start();
    timer2_.start();
    ElapsedSeconds = 0;
    Shown = true;
}

void TAutoRunForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // The fade runs again each time the page becomes the active window.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        page_.PageKind != kBackgroundPage && Shown) {
        timer1_.start();
    }
}

void TAutoRunForm::Timer1Timer() {
    if (!GotoPending) {
        if (page_.Shadow && shadow_->isVisible()) {
            shadow_->raise();
            raise();
        }
        const double shadowOpacity = page_.ShadowAlpha / 255.0;
        if (page_.FadeIn && page_.FadeInDelay > 0 && page_.FadeInStep > 0 &&
            windowOpacity() < 1.0) {
            shadow_->setWindowOpacity(0.0);
            for (int v = 0; v < 255; v += page_.FadeInStep) {
                setWindowOpacity(v / 255.0);
                repaint();
                QThread::msleep(static_cast<unsigned long>(page_.FadeInDelay));
            }
        }
        setWindowOpacity(1.0);
        shadow_->setWindowOpacity(shadowOpacity);
        repaint();
    }
    GotoPending = false;
}

void TAutoRunForm::Timer2Timer() {
    if (GotoPending) {
        if (!ShowSubPage(GotoTarget, LoadMode::ContentsOnly)) {
            GotoPending = false;
            return;
        }
        timer1_.start();
    }
    if (!session_.DesignerMode || Previewing) {
        RunCommand(page_.StartCommand);
    }
    ApplyCursors();
}

void TAutoRunForm::ApplyCursors() {
    const int background = CustomCursors::Load(session_.ProjectFolder, page_.StartCommand.Cursor);
    if (background > 0) {
        image1_->setCursor(CustomCursors::Cursor(background));
    }
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        // A custom cursor overrides the hand of an object with an action.
        const int number =
            CustomCursors::Load(session_.ProjectFolder, page_.Objects[i].Command.Cursor);
        if (number > 0) {
            controls_[i]->setCursor(CustomCursors::Cursor(number));
        }
    }
}

void TAutoRunForm::Timer3Timer() {
    ++ElapsedSeconds;
    if (startSoundDue_ && startSoundPlaying_ && !startSound_->IsPlaying() && page_.StartSoundLoop &&
        isVisible()) {
        PlayStartSound();
    }
    if (IsTimedPage() && page_.StayTime > 0 && ElapsedSeconds >= page_.StayTime) {
        timer3_.stop();
        close();
        return;
    }
    if (!startSoundDue_ && ElapsedSeconds >= page_.StartSoundDelay && isVisible()) {
        startSoundDue_ = true;
        startSoundPlaying_ = PlayStartSound();
    }
}

bool TAutoRunForm::PlayStartSound() {
    if (page_.StartSound.empty()) {
        return false;
    }
    const QString file = ProjectFilePath(session_.ProjectFolder, page_.StartSound);
    if (!QFileInfo::exists(file)) {
        ShowErrorBox("The specified file \"" + FromQString(file) + "\" was not found.");
        return false;
    }
    startSound_->Play(file);
    return true;
}

void TAutoRunForm::PlayEventSound(const std::string& file) {
    if (file.empty()) {
        return;
    }
    const QString path = ProjectFilePath(session_.ProjectFolder, file);
    if (QFileInfo::exists(path)) {
        eventSound_->Play(path);
    }
}

void TAutoRunForm::ChangeObjects(const std::vector<std::string>& names, bool byGroup,
                                 ObjectChange change) {
    for (std::size_t i = 0; i < page_.Objects.size(); ++i) {
        TCommand& command = page_.Objects[i].Command;
        const std::string& key = byGroup ? command.GroupName : command.Name;
        if (std::find(names.begin(), names.end(), key) == names.end()) {
            continue;
        }
        switch (change) {
        case ObjectChange::Show:
        case ObjectChange::Hide:
            command.Visible = change == ObjectChange::Show;
            controls_[i]->setVisible(command.Visible);
            break;
        case ObjectChange::Enable:
        case ObjectChange::Disable:
            command.Enabled = change == ObjectChange::Enable;
            controls_[i]->setEnabled(command.Enabled);
            break;
        }
    }
}

void TAutoRunForm::PlayActionSound(const QString& file) {
    actionSound_->Play(file);
}

void TAutoRunForm::StopActionSound() {
    actionSound_->Stop();
}

void TAutoRunForm::StopAllSound() {
    page_.StartSoundLoop = false;
    actionSound_->Stop();
    startSound_->Stop();
    eventSound_->Stop();
}

void TAutoRunForm::keyPressEvent(QKeyEvent* event) {
    if ((IsTimedPage() && page_.ClickContinue) || Previewing) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TAutoRunForm::reject() {
    // Escape does not close a page; closing goes through closeEvent.
}

void TAutoRunForm::closeEvent(QCloseEvent* event) {
    timer3_.stop();
    RunFadeOut();
    if (isMainWindow_ && Shown) {
        const int exitPage = FindFirstPageOfKind(session_, kExitPage);
        if (exitPage >= 0) {
            TAutoRunForm page(session_);
            page.Accepted = true;
            if (page.LoadPage(static_cast<std::size_t>(exitPage), LoadMode::Whole)) {
                page.exec();
                if (!page.Accepted) {
                    event->ignore();
                    timer3_.start();
                    StartFadeIn();
                    return;
                }
            }
        }
    }
    event->accept();
    QDialog::done(Accepted ? QDialog::Accepted : QDialog::Rejected);
}

void TAutoRunForm::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (shadow_->isVisible()) {
        PlaceShadow();
    }
}

void TAutoRunForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PaintBackground();
    if (shadow_->isVisible()) {
        PlaceShadow();
    }
}

int TAutoRunForm::IndexOf(QObject* control) const {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i] == control) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TAutoRunForm::ShowComment(std::size_t index) {
    const TCommand& command = page_.Objects[index].Command;
    if (command.CommentViewer.empty()) {
        return;
    }
    const QString viewer = ToQString(command.CommentViewer);
    if (auto* panel = statusBar_->findChild<QLabel*>(viewer)) {
        savedViewerTexts_[index] = FromQString(panel->text());
        panel->setText(ToQString(command.Comment));
        statusBar_->repaint();
        return;
    }
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (page_.Objects[i].Command.Name != command.CommentViewer) {
            continue;
        }
        if (auto* label = qobject_cast<QLabel*>(controls_[i])) {
            savedViewerTexts_[index] = FromQString(label->text());
            label->setText(ToQString(command.Comment));
        } else if (auto* box = qobject_cast<QPlainTextEdit*>(controls_[i])) {
            savedViewerTexts_[index] = FromQString(box->toPlainText());
            box->setPlainText(ToQString(command.Comment));
        }
        return;
    }
}

void TAutoRunForm::HideComment(std::size_t index) {
    const TCommand& command = page_.Objects[index].Command;
    if (command.CommentViewer.empty()) {
        return;
    }
    const QString viewer = ToQString(command.CommentViewer);
    const QString saved = ToQString(savedViewerTexts_[index]);
    if (auto* panel = statusBar_->findChild<QLabel*>(viewer)) {
        panel->setText(saved);
        return;
    }
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (page_.Objects[i].Command.Name != command.CommentViewer) {
            continue;
        }
        if (auto* label = qobject_cast<QLabel*>(controls_[i])) {
            label->setText(saved);
        } else if (auto* box = qobject_cast<QPlainTextEdit*>(controls_[i])) {
            box->setPlainText(saved);
        }
        return;
    }
}

void TAutoRunForm::ApplyGroupClick(std::size_t index) {
    TAutoObject& object = page_.Objects[index];
    const std::uint8_t kind = object.Kind();
    const bool grouped = object.Command.CheckStyleInGroup && !object.Command.GroupName.empty();
    if (!grouped || !(kind == 1 || kind == 2 || kind == 17)) {
        return;
    }
    for (std::size_t i = 0; i < page_.Objects.size(); ++i) {
        TAutoObject& other = page_.Objects[i];
        if (i == index || other.Kind() != kind || !other.Command.CheckStyleInGroup ||
            other.Command.GroupName != object.Command.GroupName) {
            continue;
        }
        other.Command.Checked = false;
        if (auto* image = qobject_cast<ImageControl*>(controls_[i])) {
            image->SetChecked(false);
        } else if (auto* text = qobject_cast<SimpleTextControl*>(controls_[i])) {
            text->SetChecked(false);
        }
    }
    object.Command.Checked = true;
    if (auto* image = qobject_cast<ImageControl*>(controls_[index])) {
        image->SetChecked(true);
    } else if (auto* text = qobject_cast<SimpleTextControl*>(controls_[index])) {
        text->SetChecked(true);
    }
}

void TAutoRunForm::ObjectClicked(std::size_t index) {
    if (IsTimedPage() && page_.ClickContinue) {
        close();
        return;
    }
    if (session_.DesignerMode && !Previewing) {
        return;
    }
    const TAutoObject& object = page_.Objects[index];
    std::uint8_t buttonType = 0;
    if (const auto* button = std::get_if<kinds::Button>(&object.Properties)) {
        buttonType = button->ButtonType;
    } else if (const auto* imageButton = std::get_if<kinds::ImageButton>(&object.Properties)) {
        buttonType = imageButton->ButtonType;
    }
    if (buttonType == 1 || buttonType == 2) {
        Accepted = buttonType == 1;
        close();
        return;
    }
    ApplyGroupClick(index);
    PlayEventSound(object.Command.ClickSound);
    RunCommand(object.Command);
}

void TAutoRunForm::BackgroundClicked() {
    if (IsTimedPage() && page_.ClickContinue) {
        close();
        return;
    }
    if (Previewing) {
        close();
    }
}

bool TAutoRunForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == image1_) {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            BackgroundClicked();
        } else if (event->type() == QEvent::ContextMenu && !popupMenu1_->isEmpty()) {
            popupMenu1_->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        } else if (event->type() == QEvent::MouseMove) {
            for (QWidget* control : controls_) {
                if (auto* image = qobject_cast<ImageControl*>(control)) {
                    image->SetHover(false);
                }
            }
        }
        return QDialog::eventFilter(watched, event);
    }
    const int found = IndexOf(watched);
    if (found < 0) {
        return QDialog::eventFilter(watched, event);
    }
    const auto index = static_cast<std::size_t>(found);
    const TCommand& command = page_.Objects[index].Command;
    const bool played = !session_.DesignerMode || Previewing;
    auto* image = qobject_cast<ImageControl*>(controls_[index]);
    auto* text = qobject_cast<SimpleTextControl*>(controls_[index]);
    switch (event->type()) {
    case QEvent::Enter:
        PlayEventSound(command.MouseEnterSound);
        for (std::size_t i = 0; i < controls_.size(); ++i) {
            if (i == index) {
                continue;
            }
            if (auto* other = qobject_cast<ImageControl*>(controls_[i])) {
                other->SetHover(false);
            } else if (auto* otherText = qobject_cast<SimpleTextControl*>(controls_[i])) {
                otherText->SetLook(SimpleTextControl::Look::Normal);
            }
        }
        if (image) {
            image->SetHover(true);
        }
        if (text) {
            text->SetLook(SimpleTextControl::Look::Hot);
        }
        if (played) {
            ShowComment(index);
        }
        break;
    case QEvent::Leave:
        PlayEventSound(command.MouseLeaveSound);
        if (image) {
            image->SetHover(false);
        }
        if (text) {
            text->SetLook(SimpleTextControl::Look::Normal);
        }
        if (played) {
            HideComment(index);
        }
        break;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        mouseDown_ = mouse->position().toPoint();
        PlayEventSound(command.MouseDownSound);
        if (mouse->button() == Qt::LeftButton) {
            if (image) {
                image->SetPressed(true);
            }
            if (text) {
                text->SetLook(SimpleTextControl::Look::Down);
            }
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (command.WindowMoveHandle && mouse->buttons() == Qt::LeftButton && played) {
            move(pos() + mouse->position().toPoint() - mouseDown_);
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        PlayEventSound(command.MouseUpSound);
        if (mouse->button() == Qt::LeftButton) {
            if (image) {
                image->SetPressed(false);
            }
            if (text) {
                text->SetLook(SimpleTextControl::Look::Hot);
            }
            const bool inside = controls_[index]->rect().contains(mouse->position().toPoint());
            // Buttons report their clicks themselves.
            if (inside && !qobject_cast<QAbstractButton*>(controls_[index])) {
                ObjectClicked(index);
                return true;
            }
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace carvelle::ui
