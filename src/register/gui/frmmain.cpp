#include "frmmain.h"

#include <QApplication>
#include <QMenuBar>

namespace obi {

TfrmMain::TfrmMain(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("OBITRACK"));
    resize(1000, 700);
    QMenu *datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    QAction *beenden = datei->addAction(QStringLiteral("Programm beenden"));
    beenden->setObjectName(QStringLiteral("mnuBeenden"));
    connect(beenden, &QAction::triggered, this, &QWidget::close);
}

} // namespace obi
