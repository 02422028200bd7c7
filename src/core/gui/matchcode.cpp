#include "matchcode.h"

#include "frmtabmatchcode.h"

#include "core/zustand.h"

namespace obi
{

QString get_matchcode(const QString &tabelle, QWidget *parent)
{
    zustand().auswahl_wert2 = tabelle;
    TfrmTabMatchcode picker(parent);
    if (picker.exec() != QDialog::Accepted)
        return {};
    return zustand().auswahl_wert;
}

} // namespace obi
