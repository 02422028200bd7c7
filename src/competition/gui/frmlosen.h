#pragma once

#include <QDialog>

namespace obi {

// The draw: the clubs of a selection (whole tournament, one age class or one
// weight class of the current tournament) with their draw numbers; draws
// automatically, sets numbers by hand club by club or for one club, resets.
class TfrmLosen : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmLosen(QWidget *parent = nullptr);
    ~TfrmLosen() override;

private:
    struct Impl;
    Impl *d;
};

} // namespace obi
