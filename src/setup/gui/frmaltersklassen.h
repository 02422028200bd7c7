#pragma once

#include <QDialog>

namespace obi
{

// Age classes of the current tournament with their bout rules; saving
// generates the weight classes from the weight table and then opens the
// repair window for participants whose weight class is gone.
class TfrmAltersklassen : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAltersklassen(QWidget *parent = nullptr);
    ~TfrmAltersklassen() override;

private:
    struct Impl;
    Impl *d;
};

} // namespace obi
