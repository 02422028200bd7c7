#pragma once

#include <QDialog>

class QTableView;
class QStandardItemModel;
class QPushButton;

namespace obi
{

// List of the lookup tables (tabkopf); "&OK" opens the editor of the chosen one.
class TfrmTabAuswahl : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmTabAuswahl(QWidget *parent = nullptr);

    // TKTAB of the current row, empty when none.
    QString gewaehlteTabelle() const;

protected:
    void showEvent(QShowEvent *e) override;
    void done(int r) override;
    bool eventFilter(QObject *obj, QEvent *e) override;

private:
    void laden();
    void bearbeiten();

    QTableView *m_grid = nullptr;
    QStandardItemModel *m_modell = nullptr;
    QPushButton *m_btnOK = nullptr;
    QPushButton *m_btnBeenden = nullptr;
};

} // namespace obi
