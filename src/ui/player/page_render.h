#pragma once

#include <QImage>

namespace carvelle::ui {

class TAutoRunForm;

// The window's client area as the player shows it once faded in, drawn without a screen.
QImage RenderPageWindow(TAutoRunForm& form);

} // namespace carvelle::ui
