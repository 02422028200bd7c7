#pragma once

#include <QDialog>

class QPushButton;
class QTableView;
class QStandardItemModel;

namespace obi
{

// The tournament dialog: choose the current tournament, create one ("Neu")
// or, with zustand().auswahl_modus == "D", delete one. The result is in
// zustand().aktueller_wettkampf / aktueller_wettkampfname.
class TfrmWKLaden : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmWKLaden(QWidget *parent = nullptr);
    ~TfrmWKLaden() override;

    bool loeschModus() const { return m_loeschModus; }

protected:
    void showEvent(QShowEvent *e) override;
    void done(int r) override;
    bool eventFilter(QObject *obj, QEvent *e) override;

private:
    void laden();
    void waehlen();
    void neu();
    void loeschen();
    int aktuelleNummer() const;

    bool m_loeschModus = false;
    int m_anzahl = 0;
    QTableView *m_grid = nullptr;
    QStandardItemModel *m_modell = nullptr;
    QPushButton *m_btnOK = nullptr;
    QPushButton *m_btnNeu = nullptr;
    QPushButton *m_btnLoeschen = nullptr;
    QPushButton *m_btnBeenden = nullptr;
};

} // namespace obi
