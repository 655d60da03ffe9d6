#include "KvWidgetUtil.h"

#include "KvRegistry.h"

#include <QMainWindow>
#include <QScreen>
#include <QWidget>

namespace {
const char* const widthKey = "width";
const char* const heightKey = "height";
// A stored size outside this range is not a size a window ever had.
constexpr long maxSide = 32767;
} // namespace

void KvWidgetUtil::saveSizeToRegistry(QWidget* widget, KvRegistry* registry, const char* section) {
    if (!widget || !registry)
        return;
    registry->putlong(section, widthKey, widget->width());
    registry->putlong(section, heightKey, widget->height());
}

void KvWidgetUtil::restoreSizeFromRegistry(QWidget* widget, KvRegistry* registry, const char* section,
                                           bool useDefault, bool fitScreen) {
    if (!widget || !registry)
        return;
    QSize size(int(registry->getlong(section, widthKey)), int(registry->getlong(section, heightKey)));
    const bool stored =
        size.width() > 0 && size.height() > 0 && size.width() <= maxSide && size.height() <= maxSide;
    if (!stored) {
        if (!useDefault)
            return;
        size = widget->sizeHint().expandedTo(widget->minimumSizeHint());
        // A main window's hint ignores the size its central form asked for.
        if (auto* main = qobject_cast<QMainWindow*>(widget); main && main->centralWidget()) {
            const int bar = main->menuWidget() ? main->menuWidget()->sizeHint().height() : 0;
            size = size.expandedTo(main->centralWidget()->size() + QSize(0, bar));
        }
    }
    if (fitScreen) {
        if (const QScreen* screen = widget->screen())
            size = size.boundedTo(screen->availableGeometry().size());
    }
    widget->resize(size);
}
