#include "frmmatchcodegew.h"

#include "core/zustand.h"
#include "setup/klassenauswahl.h"

namespace obi {

TfrmMatchcodeGew::TfrmMatchcodeGew(QWidget *parent)
    : KlassenauswahlDialog(parent, {QStringLiteral("Gewichtsklasse")}, {}, 360)
{
    setObjectName(QStringLiteral("frmMatchcodeGew"));
    setWindowTitle(QStringLiteral("OBITRACK - Auswahl Gewichtsklasse <>"));
}

void TfrmMatchcodeGew::beim_oeffnen()
{
    m_altersklasse = zustand().auswahl_wert2;
    setWindowTitle(QStringLiteral("OBITRACK - Auswahl Gewichtsklasse <") + m_altersklasse + u'>');
}

std::optional<QList<QStringList>> TfrmMatchcodeGew::zeilen(const QString &filter)
{
    const auto gelesen = gewichtsklassen_auswahl(aktueller_wettkampf_nr(), m_altersklasse, filter);
    if (!gelesen)
        return std::nullopt;
    QList<QStringList> z;
    for (const QString &gewk : *gelesen)
        z << QStringList {gewk};
    return z;
}

} // namespace obi
