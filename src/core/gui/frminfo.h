#pragma once

#include <QDialog>

namespace obi {

// Program info ("Hilfe" > "Info"): product name, version and an OK button.
class TfrmInfo : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget *parent = nullptr);
};

} // namespace obi
