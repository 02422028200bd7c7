#include "bausteine.h"

#include "core/gui/auswahlfeld.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace obi {

QPushButton *knopf(QWidget *eltern, const char *name, const QString &text, bool autoDefault)
{
    auto *b = new QPushButton(text, eltern);
    b->setObjectName(QLatin1String(name));
    if (!autoDefault)
        b->setAutoDefault(false); // else Qt's own rule: auto-default inside a dialog
    return b;
}

QLineEdit *eingabefeld(QWidget *eltern, const char *name, int laenge)
{
    auto *f = new QLineEdit(eltern);
    f->setObjectName(QLatin1String(name));
    if (laenge > 0)
        f->setMaxLength(laenge);
    return f;
}

QLineEdit *anzeigefeld(QWidget *eltern, const char *name)
{
    auto *f = eingabefeld(eltern, name);
    f->setReadOnly(true);
    f->setFocusPolicy(Qt::NoFocus);
    return f;
}

QLabel *beschriftung(QWidget *eltern, const QString &text, QWidget *buddy)
{
    auto *l = new QLabel(text, eltern);
    l->setBuddy(buddy);
    return l;
}

void rasterzeile(QGridLayout *raster, int reihe, const QString &text, QWidget *feld, QWidget *feld2)
{
    raster->addWidget(beschriftung(raster->parentWidget(), text, feld), reihe, 0);
    if (feld2) {
        raster->addWidget(feld, reihe, 1);
        raster->addWidget(feld2, reihe, 2);
    } else {
        raster->addWidget(feld, reihe, 1, 1, 2);
    }
}

QHBoxLayout *knopfleiste(std::initializer_list<QWidget *> links, std::initializer_list<QWidget *> rechts)
{
    auto *leiste = new QHBoxLayout;
    for (QWidget *w : links)
        leiste->addWidget(w);
    leiste->addStretch(1);
    for (QWidget *w : rechts)
        leiste->addWidget(w);
    return leiste;
}

Klassenfelder klassenfelder_anlegen(QWidget *eltern, QObject *filter)
{
    Klassenfelder k {};
    k.altersklasse = auswahlfeld_einrichten(eingabefeld(eltern, "edtAKID", 20));
    k.gewichtsklasse = auswahlfeld_einrichten(eingabefeld(eltern, "edtGEWK", 10));
    k.altersklasse->installEventFilter(filter);
    k.gewichtsklasse->installEventFilter(filter);
    k.lblAltersklasse = beschriftung(eltern, QStringLiteral("&Altersklasse"), k.altersklasse);
    k.lblGewichtsklasse = beschriftung(eltern, QStringLiteral("&Gewichtsklasse"), k.gewichtsklasse);
    return k;
}

void tabfolge(std::initializer_list<QWidget *> folge)
{
    QWidget *vorher = nullptr;
    for (QWidget *w : folge) {
        if (vorher)
            QWidget::setTabOrder(vorher, w);
        vorher = w;
    }
}

void text_setzen(QLineEdit *feld, const QString &text)
{
    if (feld->text() != text)
        feld->setText(text);
}

bool verlassen_im_fenster(const QFocusEvent *e)
{
    return e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason;
}

} // namespace obi
