#include "frmwarten.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace obi {

TfrmWarten::TfrmWarten(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmWarten"));
    setWindowTitle(QStringLiteral("OBITRACK"));
    setModal(false);
    auto *text = new QLabel(QStringLiteral("Bitte warten ...."), this);
    text->setObjectName(QStringLiteral("lblText"));
    text->setAlignment(Qt::AlignCenter);
    // A busy bar stands in for the looping animation.
    auto *animation = new QProgressBar(this);
    animation->setObjectName(QStringLiteral("aniWarten"));
    animation->setRange(0, 0);
    animation->setTextVisible(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(animation);
    layout->addWidget(text);
    resize(260, 90);
}

} // namespace obi
