#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QMenu;
class QPushButton;

namespace carvelle::ui::avensa {

class MenuWindow;

// Offers the menu's alternative programs when nothing on the machine opens the main action's
// document.
class ViewersWindow : public QWidget {
    Q_OBJECT
public:
    explicit ViewersWindow(MenuWindow& menu);

    // Texts and list from the menu.
    void Fill();
    void CentreOnScreen();
    void Install();
    void CloseViewers();

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    MenuWindow& menu_;
    QLabel* text_;
    QListWidget* list_;
    QMenu* popup_;
};

} // namespace carvelle::ui::avensa
