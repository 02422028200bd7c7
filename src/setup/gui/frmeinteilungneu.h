#pragma once

#include <QDialog>
#include <QString>
#include <QVector>

namespace obi {

// Names and creates a new weight class (pool) in an age class. The window
// empties zustand().auswahl_wert when it opens; "&OK" creates the class and
// hands its name back there, "&Abbrechen" hands back nothing.
class TfrmEinteilungNeu : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmEinteilungNeu(QWidget *parent = nullptr);
    ~TfrmEinteilungNeu() override;

    // The age class the class is created in (shown read-only).
    void setze_altersklasse(const QString &akid);
    // A fixed proposal; without one (or with [programm] prefix_pool set) the
    // next free pool name is proposed.
    void setze_vorschlag(const QString &vorschlag);
    // Participants that move from class von into the new class, in the same
    // transaction that creates it.
    void setze_mitnehmen(const QString &von, const QVector<int> &stnrs);

protected:
    void showEvent(QShowEvent *e) override;

private:
    struct Impl;
    Impl *d;
};

} // namespace obi
