#include "viewers_window.h"

#include "launch_runner.h"
#include "launcher_boxes.h"
#include "menu_window.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace carvelle::ui::avensa {

ViewersWindow::ViewersWindow(MenuWindow& menu)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint), menu_(menu) {
    setObjectName(QStringLiteral("viewersWindow"));

    text_ = new QLabel(this);
    text_->setObjectName(QStringLiteral("Label1"));
    text_->setWordWrap(true);
    text_->setTextFormat(Qt::PlainText);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text_->setFixedSize(425, 93);

    auto* prompt =
        new QLabel(QStringLiteral("Please choose the option you would like to launch"), this);
    prompt->setObjectName(QStringLiteral("Label2"));

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List1"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(list_, &QListWidget::itemDoubleClicked, this, &ViewersWindow::Install);

    auto* note = new QLabel(this);
    note->setObjectName(QStringLiteral("Label3"));
    QFont noteFont(QStringLiteral("Arial"));
    noteFont.setBold(true);
    note->setFont(noteFont);
    note->setStyleSheet(QStringLiteral("color: red"));

    auto* install = new QPushButton(QStringLiteral("&Install"), this);
    install->setObjectName(QStringLiteral("Command2"));
    install->setDefault(true);
    connect(install, &QPushButton::clicked, this, &ViewersWindow::Install);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("Command1"));
    connect(close, &QPushButton::clicked, this, &ViewersWindow::CloseViewers);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(note, 1);
    buttons->addWidget(install);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(prompt);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    popup_ = new QMenu(this);
    QAction* about = popup_->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, &menu_, &MenuWindow::ShowAbout);

    Fill();
}

void ViewersWindow::Fill() {
    const launcher::Menu& menu = menu_.Menu();
    setWindowTitle(LauncherText(menu.ViewersCaption));
    text_->setText(LauncherText(menu.ViewersText));
    list_->clear();
    for (int i = 1; i <= menu.ActionCount(); ++i) {
        list_->addItem(LauncherText(menu.Actions[static_cast<std::size_t>(i)].Caption));
    }
}

void ViewersWindow::CentreOnScreen() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        // The size the window will have once shown, with its layout settled.
        ensurePolished();
        layout()->activate();
        resize(sizeHint().expandedTo(minimumSizeHint()));
        QRect frame = frameGeometry();
        frame.moveCenter(screen->geometry().center());
        move(frame.topLeft());
    }
}

void ViewersWindow::Install() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) {
        ShowLauncherBox(launcher::MessageKind::Information,
                        "Please choose a program to install first.");
    } else {
        menu_.Launch(list_->row(selected.front()) + 1, this);
    }
    if (menu_.Runner().SearchCancelled()) {
        return;
    }
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
    if (ShowLauncherBox(launcher::MessageKind::Confirmation,
                        "Click OK to try to open original document again.",
                        QStringLiteral("Open Original Target...")) == MessageAnswer::Ok) {
        menu_.Launch(0, this);
    }
}

void ViewersWindow::CloseViewers() {
    hide();
}

void ViewersWindow::closeEvent(QCloseEvent* event) {
    // The window's own close box ends the program; "&Close" only hides the window.
    event->accept();
    menu_.Terminate();
}

void ViewersWindow::contextMenuEvent(QContextMenuEvent* event) {
    popup_->popup(event->globalPos());
}

} // namespace carvelle::ui::avensa
