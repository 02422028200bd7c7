#include "gridrad.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace obi {

GridRadFilter::GridRadFilter(QObject *parent)
    : QObject(parent)
{
}

void GridRadFilter::installieren()
{
    auto *app = qApp;
    if (!app || app->findChild<GridRadFilter *>(QString(), Qt::FindDirectChildrenOnly))
        return;
    app->installEventFilter(new GridRadFilter(app));
}

bool GridRadFilter::eventFilter(QObject *obj, QEvent *e)
{
    if (e->type() != QEvent::Wheel)
        return false;
    // The wheel event goes to the grid's viewport first.
    auto *w = qobject_cast<QWidget *>(obj);
    QAbstractItemView *grid = nullptr;
    for (QWidget *x = w; x && !grid; x = x->parentWidget()) {
        grid = qobject_cast<QAbstractItemView *>(x);
        if (x->isWindow())
            break;
    }
    // Only data grids (row selection); calendars and combo lists keep their own wheel.
    if (!grid || !grid->isEnabled() || !grid->model() || grid->selectionBehavior() != QAbstractItemView::SelectRows)
        return false;
    auto *rad = static_cast<QWheelEvent *>(e);
    const int delta = rad->angleDelta().y();
    if (delta == 0)
        return false;
    m_rest += delta;
    // One notch is 120 eighths of a degree; smaller steps add up.
    int schritte = m_rest / 120;
    if (schritte == 0 && std::abs(delta) >= 120)
        schritte = delta > 0 ? 1 : -1;
    m_rest -= schritte * 120;
    const int zeilen = grid->model()->rowCount(grid->rootIndex());
    if (zeilen > 0 && schritte != 0) {
        const QModelIndex aktuell = grid->currentIndex();
        int zeile = aktuell.isValid() ? aktuell.row() : 0;
        zeile = std::clamp(zeile - schritte, 0, zeilen - 1);
        const int spalte = aktuell.isValid() ? aktuell.column() : 0;
        const QModelIndex ziel = grid->model()->index(zeile, spalte, grid->rootIndex());
        grid->setCurrentIndex(ziel);
        grid->scrollTo(ziel);
    }
    rad->accept();
    return true;
}

} // namespace obi
