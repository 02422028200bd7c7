#include "frmmatchcodeak.h"

#include "core/zustand.h"
#include "setup/klassenauswahl.h"

namespace obi {

TfrmMatchcodeAK::TfrmMatchcodeAK(QWidget *parent)
    : KlassenauswahlDialog(parent,
                           {QStringLiteral("Altersklasse"), QStringLiteral("Gewichtstabelle"),
                            QStringLiteral("Ältester Jahrg."), QStringLiteral("Jüngster Jahrg."),
                            QStringLiteral("Bemerkung")},
                           {2, 3}, 620)
{
    setObjectName(QStringLiteral("frmMatchcodeAK"));
    setWindowTitle(QStringLiteral("OBITRACK - Auswahl Altersklasse"));
}

std::optional<QList<QStringList>> TfrmMatchcodeAK::zeilen(const QString &filter)
{
    const auto gelesen = altersklassen_auswahl(aktueller_wettkampf_nr(), filter);
    if (!gelesen)
        return std::nullopt;
    QList<QStringList> z;
    for (const AltersklasseZeile &a : *gelesen)
        z << QStringList {a.akid, a.gewichtstabelle, QString::number(a.aeltester), QString::number(a.juengster),
                          a.text};
    return z;
}

} // namespace obi
