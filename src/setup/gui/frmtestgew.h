#pragma once

#include <QDialog>
#include <QString>

namespace obi {

// Repairs participants of one age class whose weight class no longer exists:
// moves all participants of such a class into a valid one. The caller sets
// the age class with setze_altersklasse() and calls exec(); the window
// closes by itself (exec() returns at once) when nothing is left to repair.
class TfrmTestGew : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmTestGew(QWidget *parent = nullptr);
    ~TfrmTestGew() override;

    void setze_altersklasse(const QString &akid);
    QString altersklasse() const;

    int exec() override;

    // Re-reads the list of invalid classes; closes the window when it is empty.
    // Returns the number of invalid classes found.
    int fuellen_listbox();

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *obj, QEvent *ev) override;

private:
    struct Impl;
    Impl *d;
};

} // namespace obi
