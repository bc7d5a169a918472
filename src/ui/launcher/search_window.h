#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace carvelle::ui::avensa {

// Shown during a long deep search for a missing target: the folder being searched, and Cancel.
class SearchWindow : public QDialog {
    Q_OBJECT
public:
    explicit SearchWindow(std::function<void()> cancel, QWidget* parent = nullptr);

    void ShowFolder(const QString& folder);

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void Cancel();

    std::function<void()> cancel_;
    QLabel* folder_;
    QPushButton* cancelButton_;
};

} // namespace carvelle::ui::avensa
