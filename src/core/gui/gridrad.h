#pragma once

#include <QObject>

namespace obi {

// Application-wide: the mouse wheel over a data grid (an item view selecting
// whole rows) moves its current row one record per notch, up for a turn away
// from the user, instead of scrolling the view. Install once on the
// QApplication.
class GridRadFilter : public QObject
{
    Q_OBJECT
public:
    explicit GridRadFilter(QObject *parent = nullptr);

    // Installs one filter on the running application (owned by it).
    static void installieren();

protected:
    bool eventFilter(QObject *obj, QEvent *e) override;

private:
    int m_rest = 0; // eighths of a degree not yet used (high-resolution wheels)
};

} // namespace obi
