#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

namespace carvelle::ui::avensa {

// The product's home page, opened from the about window's link.
inline constexpr const char* kHomePage = "https://avensa.example.org/";

// The about window's backdrop: near white at the top, a warm light grey at the bottom.
QColor AboutGradientColour(int row, int height);
QImage AboutGradient(QSize size);

// The application title on a soft gradient, a link to the home page and Close.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    AboutWindow();

    void OpenHomePage();
};

} // namespace carvelle::ui::avensa
