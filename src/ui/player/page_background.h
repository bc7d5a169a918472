#pragma once

#include "objects/page.h"

#include <QImage>
#include <QSize>

namespace carvelle::ui {

// The page background as the window paints it: colour or gradient, then the back image in
// its style. Gradients are drawn as one strip of line colours scaled over the area.
QImage RenderPageBackground(const TPage& page, const QImage& backImage, QSize size);

} // namespace carvelle::ui
