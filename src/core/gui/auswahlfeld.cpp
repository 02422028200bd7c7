#include "auswahlfeld.h"

#include <QColor>
#include <QLineEdit>
#include <QPalette>

namespace obi {

QLineEdit *auswahlfeld_einrichten(QLineEdit *feld)
{
    QPalette p = feld->palette();
    p.setColor(QPalette::Base, Qt::yellow);
    p.setColor(QPalette::Text, Qt::black);
    feld->setPalette(p);
    feld->setToolTip(QStringLiteral("F4 oder Doppelklick: Auswahl"));
    return feld;
}

} // namespace obi
