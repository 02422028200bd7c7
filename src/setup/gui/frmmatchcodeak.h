#pragma once

#include "setup/gui/klassenauswahldialog.h"

namespace obi {

// Picks an age class of the current tournament. The caller puts a preset
// filter into zustand().auswahl_wert and reads the chosen AKAKID from
// auswahl_wert afterwards (empty when cancelled).
class TfrmMatchcodeAK : public KlassenauswahlDialog
{
    Q_OBJECT
public:
    explicit TfrmMatchcodeAK(QWidget *parent = nullptr);

protected:
    std::optional<QList<QStringList>> zeilen(const QString &filter) override;
};

} // namespace obi
