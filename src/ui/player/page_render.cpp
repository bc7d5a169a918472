#include "page_render.h"

#include "auto_run_form.h"

#include <QLayout>

namespace carvelle::ui {

QImage RenderPageWindow(TAutoRunForm& form) {
    // Lay the bars and the panel out at the page's size without showing anything.
    form.setAttribute(Qt::WA_DontShowOnScreen);
    form.show();
    if (form.layout()) {
        form.layout()->activate();
    }
    form.PaintBackground();
    const QImage image = form.grab().toImage();
    form.hide();
    return image;
}

} // namespace carvelle::ui
