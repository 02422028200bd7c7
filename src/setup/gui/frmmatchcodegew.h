#pragma once

#include "setup/gui/klassenauswahldialog.h"

namespace obi {

// Picks a weight class of one age class. The caller puts the age class into
// zustand().auswahl_wert2 and a preset filter into auswahl_wert, and reads
// the chosen GKGEWK from auswahl_wert afterwards (empty when cancelled).
class TfrmMatchcodeGew : public KlassenauswahlDialog
{
    Q_OBJECT
public:
    explicit TfrmMatchcodeGew(QWidget *parent = nullptr);

protected:
    std::optional<QList<QStringList>> zeilen(const QString &filter) override;
    void beim_oeffnen() override;

private:
    QString m_altersklasse;
};

} // namespace obi
