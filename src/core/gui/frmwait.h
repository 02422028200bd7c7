#pragma once

#include <QWidget>

namespace obi {

// Borderless yellow banner "Bitte warten ..." in the top left corner of the
// screen; clicking the text closes it.
class TfrmWait : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmWait(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
};

} // namespace obi
