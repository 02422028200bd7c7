#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

#include <optional>

class QLineEdit;
class QStandardItemModel;
class QTableView;

namespace obi {

// The common body of the class pickers: a filter field, a grid and OK /
// Abbrechen. The caller puts a preset filter into zustand().auswahl_wert and
// reads the chosen key (first column) from auswahl_wert afterwards, empty
// when cancelled. A derived picker only says what its grid lists.
class KlassenauswahlDialog : public QDialog
{
    Q_OBJECT
protected:
    KlassenauswahlDialog(QWidget *parent, const QStringList &spalten, QList<int> rechtsbuendig, int breite);

    // The rows for a filter; an empty optional on a read error.
    virtual std::optional<QList<QStringList>> zeilen(const QString &filter) = 0;
    // Called each time the window opens, before the grid is read.
    virtual void beim_oeffnen() { }

    bool eventFilter(QObject *obj, QEvent *e) override;

private:
    void lesen();
    void uebernehmen();

    QLineEdit *m_edtAusw = nullptr;
    QTableView *m_grdSFL = nullptr;
    QStandardItemModel *m_modell = nullptr;
    QList<int> m_rechtsbuendig;
};

} // namespace obi
