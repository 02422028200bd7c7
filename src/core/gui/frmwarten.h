#pragma once

#include <QDialog>

namespace obi {

// "Bitte warten ...." while a long operation runs (TfrmMain::warten).
class TfrmWarten : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmWarten(QWidget *parent = nullptr);
};

} // namespace obi
