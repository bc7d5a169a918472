#include "search_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace carvelle::ui::avensa {

SearchWindow::SearchWindow(std::function<void()> cancel, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      cancel_(std::move(cancel)) {
    setObjectName(QStringLiteral("searchWindow"));
    setWindowTitle(QStringLiteral(" Target not found... searching:"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(466, 58);

    folder_ = new QLabel(this);
    folder_->setObjectName(QStringLiteral("lblDir"));
    folder_->setGeometry(8, 8, 450, 16);
    folder_->setTextFormat(Qt::PlainText);

    cancelButton_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("Command1"));
    cancelButton_->setGeometry(466 - 8 - 75, 58 - 8 - 25, 75, 25);
    connect(cancelButton_, &QPushButton::clicked, this, &SearchWindow::Cancel);
}

void SearchWindow::ShowFolder(const QString& folder) {
    // A long path keeps its end, the part that changes.
    folder_->setText(folder_->fontMetrics().elidedText(folder, Qt::ElideMiddle, folder_->width()));
    folder_->setToolTip(folder);
}

void SearchWindow::Cancel() {
    cancelButton_->setEnabled(false);
    cancelButton_->setText(QStringLiteral("Wait..."));
    if (cancel_) {
        cancel_();
    }
}

void SearchWindow::closeEvent(QCloseEvent* event) {
    // The search owns the window; it goes when the search ends.
    event->ignore();
}

void SearchWindow::reject() {
    // Escape cancels like the button does.
    if (cancelButton_->isEnabled()) {
        Cancel();
    }
}

} // namespace carvelle::ui::avensa
