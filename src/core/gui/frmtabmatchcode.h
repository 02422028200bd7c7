#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTableView;
class QStandardItemModel;

namespace obi
{

// Picker for one lookup table: table name in zustand().auswahl_wert2,
// chosen key in zustand().auswahl_wert (empty when cancelled).
class TfrmTabMatchcode : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmTabMatchcode(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *e) override;
    void done(int r) override;
    bool eventFilter(QObject *obj, QEvent *e) override;

private:
    void laden();
    void uebernehmen();

    QString m_tabelle;
    QString m_letzteSuche;
    QLineEdit *m_edtSuche = nullptr;
    QTableView *m_grid = nullptr;
    QStandardItemModel *m_modell = nullptr;
    QPushButton *m_btnOK = nullptr;
    QPushButton *m_btnAbbrechen = nullptr;
};

} // namespace obi
