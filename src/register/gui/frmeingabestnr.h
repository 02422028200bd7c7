#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace obi {

// Start-number dialog: a start number typed or scanned with its check digit
// as last digit. On success zustand().rueckgabe_zahl holds the start number,
// otherwise 0. After a refused number it stays open with the focus in the field.
class TfrmEingabe_STNR : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmEingabe_STNR(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *e) override;
    void reject() override;

private:
    void ok();

    QLineEdit *m_edtSTNR = nullptr;
    QPushButton *m_btnOK = nullptr;
    QPushButton *m_btnAbbrechen = nullptr;
};

} // namespace obi
