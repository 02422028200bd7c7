#pragma once

#include <QDialog>

namespace obi {

struct LosVerein;

// Takes the draw number of one club. The caller fills the fields with
// setze_verein() and calls exec(); Accepted means a number was saved, which
// nummer() and zustand().rueckgabe_zahl then hold. Writing is the caller's.
class TfrmLosenDetail : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmLosenDetail(QWidget *parent = nullptr);
    ~TfrmLosenDetail() override;

    void setze_verein(const LosVerein &v);
    int nummer() const;

private:
    struct Impl;
    Impl *d;
};

} // namespace obi
