#include "frmwait.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace obi {

TfrmWait::TfrmWait(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmWait"));
    setWindowTitle(QStringLiteral("OBITRACK"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::yellow);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    auto *text = new QLabel(QStringLiteral("Bitte warten ..."), this);
    text->setObjectName(QStringLiteral("lblText"));
    QFont f = text->font();
    f.setPointSize(f.pointSize() * 2);
    f.setBold(true);
    text->setFont(f);
    // Clicks on the label reach the window, which closes.
    text->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(text);
}

void TfrmWait::showEvent(QShowEvent *e)
{
    QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s)
        move(s->availableGeometry().topLeft());
    QWidget::showEvent(e);
}

void TfrmWait::mousePressEvent(QMouseEvent *e)
{
    e->accept();
    close();
}

} // namespace obi
