#include "page_background.h"

#include "common/background_gradient.h"
#include "ui/common/model_conversion.h"

#include <QPainter>

namespace carvelle::ui {

namespace {

Rgb ToRgb(const QColor& colour) {
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

QImage GradientStrip(const TPage& page, QSize size) {
    const bool rows = BackgroundGradientInRows(page.GradientStyle);
    const auto lines =
        BackgroundGradientLines(page.GradientStyle, ToRgb(ToQColor(page.BackColor)),
                                ToRgb(ToQColor(page.GradientColor)), size.width(), size.height());
    QImage strip(rows ? 1 : static_cast<int>(lines.size()),
                 rows ? static_cast<int>(lines.size()) : 1, QImage::Format_RGB32);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QRgb pixel = qRgb(lines[i].Red, lines[i].Green, lines[i].Blue);
        strip.setPixel(rows ? 0 : static_cast<int>(i), rows ? static_cast<int>(i) : 0, pixel);
    }
    return strip;
}

} // namespace

QImage RenderPageBackground(const TPage& page, const QImage& backImage, QSize size) {
    QImage canvas(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter painter(&canvas);
    if (BackgroundGradientRuns(page.GradientStyle)) {
        // Every pixel of a line has the line's colour, so stretching the strip is exact.
        painter.drawImage(canvas.rect(), GradientStrip(page, canvas.size()));
    } else {
        canvas.fill(ToQColor(page.BackColor));
    }
    if (backImage.isNull()) {
        return canvas;
    }
    const int w = backImage.width();
    const int h = backImage.height();
    switch (page.BackImageStyle) {
    case 0:
        painter.drawImage(0, 0, backImage);
        break;
    case 1:
        painter.drawImage((canvas.width() - w) / 2, (canvas.height() - h) / 2, backImage);
        break;
    case 2:
        painter.drawImage(canvas.rect(), backImage);
        break;
    default:
        for (int y = 0; y < canvas.height(); y += h) {
            for (int x = 0; x < canvas.width(); x += w) {
                painter.drawImage(x, y, backImage);
            }
        }
    }
    return canvas;
}

} // namespace carvelle::ui
