#include "frmtestgew.h"

#include "core/gui/auswahlfeld.h"
#include "core/gui/bausteine.h"

#include "core/basis.h"
#include "core/meldungen.h"
#include "core/zustand.h"
#include "setup/einteilung.h"
#include "setup/gui/frmmatchcodegew.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace obi {

struct TfrmTestGew::Impl {
    TfrmTestGew *q = nullptr;
    QLineEdit *edtAKID = nullptr;
    QListWidget *lbGewk = nullptr;
    QLineEdit *edtANZA = nullptr;
    QLineEdit *edtGEWKalt = nullptr;
    QLineEdit *edtGEWK = nullptr;
    QPushButton *btnChange = nullptr;
    QPushButton *btnBeenden = nullptr;
    bool prueft = false; // the check may open a selection window, which moves the focus

    int lesen();
    void klasse_gewaehlt();
    QString auswaehlen(const QString &vorgabe);
    bool check_gewklasse();
    void umsetzen();
};

TfrmTestGew::TfrmTestGew(QWidget *parent)
    : QDialog(parent)
    , d(new Impl)
{
    d->q = this;
    setObjectName(QStringLiteral("frmTestGew"));
    setWindowTitle(QStringLiteral("OBITRACK - Ungültige Gewichtsklassen ändern"));
    setModal(true);

    d->edtAKID = anzeigefeld(this, "edtAKID");
    d->lbGewk = new QListWidget(this);
    d->lbGewk->setObjectName(QStringLiteral("lbGewk"));
    d->edtANZA = anzeigefeld(this, "edtANZA");
    d->edtGEWKalt = anzeigefeld(this, "edtGEWKalt");
    d->edtGEWK = eingabefeld(this, "edtGEWK");
    d->edtGEWK->setMaxLength(10);
    auswahlfeld_einrichten(d->edtGEWK);
    d->btnChange = knopf(this, "btnChange", QStringLiteral("Gewichtsklasse ändern"));
    d->btnChange->setEnabled(false);
    d->btnChange->setAutoDefault(false);
    d->btnBeenden = knopf(this, "btnBeenden", QStringLiteral("&Beenden"));
    d->btnBeenden->setAutoDefault(false);

    auto *lblListe = new QLabel(QStringLiteral("&ungültige Klassen"), this);
    lblListe->setBuddy(d->lbGewk);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Altersklasse"), d->edtAKID);
    form->addRow(QStringLiteral("Anzahl Starter"), d->edtANZA);
    form->addRow(QStringLiteral("in Gewichtsklasse"), d->edtGEWKalt);
    auto *lblNeu = new QLabel(QStringLiteral("&eintragen in Klasse:"), this);
    lblNeu->setBuddy(d->edtGEWK);
    form->addRow(lblNeu, d->edtGEWK);
    auto *links = new QVBoxLayout;
    links->addWidget(lblListe);
    links->addWidget(d->lbGewk, 1);
    auto *rechts = new QVBoxLayout;
    rechts->addLayout(form);
    rechts->addStretch(1);
    rechts->addWidget(d->btnChange);
    auto *mitte = new QHBoxLayout;
    mitte->addLayout(links, 1);
    mitte->addLayout(rechts, 1);
    auto *unten = new QHBoxLayout;
    unten->addStretch(1);
    unten->addWidget(d->btnBeenden);
    auto *haupt = new QVBoxLayout(this);
    haupt->addLayout(mitte, 1);
    haupt->addLayout(unten);
    resize(520, 300);

    tabfolge({d->lbGewk, d->edtGEWK, d->btnChange, d->btnBeenden});

    d->edtGEWK->installEventFilter(this);
    connect(d->lbGewk, &QListWidget::currentRowChanged, this, [this] { d->klasse_gewaehlt(); });
    connect(d->btnChange, &QPushButton::clicked, this, [this] { d->umsetzen(); });
    connect(d->btnBeenden, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmTestGew::~TfrmTestGew()
{
    d->edtGEWK->removeEventFilter(this);
    delete d;
}

void TfrmTestGew::setze_altersklasse(const QString &akid)
{
    d->edtAKID->setText(akid);
}

QString TfrmTestGew::altersklasse() const
{
    return d->edtAKID->text();
}

int TfrmTestGew::fuellen_listbox()
{
    const int anzahl = d->lesen();
    if (anzahl == 0 && isVisible())
        done(QDialog::Rejected); // nothing (left) to repair
    return anzahl;
}

int TfrmTestGew::Impl::lesen()
{
    const QString vorher = lbGewk->currentItem() ? lbGewk->currentItem()->text() : QString();
    const auto liste = ungueltige_gewichtsklassen(aktueller_wettkampf_nr(), q->altersklasse());
    if (!liste)
        zeige_meldung(19902);
    lbGewk->blockSignals(true);
    lbGewk->clear();
    lbGewk->addItems(liste.value_or(QStringList {}));
    const auto treffer = lbGewk->findItems(vorher, Qt::MatchExactly);
    if (!treffer.isEmpty())
        lbGewk->setCurrentItem(treffer.first());
    lbGewk->blockSignals(false);
    klasse_gewaehlt();
    return lbGewk->count();
}

int TfrmTestGew::exec()
{
    // With nothing to repair the window is never seen.
    if (altersklasse().isEmpty() || fuellen_listbox() == 0)
        return QDialog::Rejected;
    return QDialog::exec();
}

void TfrmTestGew::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    // Closing from inside the show event would confuse the window system.
    if (d->lesen() == 0)
        QTimer::singleShot(0, this, [this] {
            if (isVisible())
                fuellen_listbox();
        });
}

bool TfrmTestGew::eventFilter(QObject *obj, QEvent *ev)
{
    if (obj == d->edtGEWK) {
        if (ev->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(ev)->key() == Qt::Key_F4) {
            const QString gewk = d->auswaehlen(trim_rechts(d->edtGEWK->text()));
            if (!gewk.isEmpty())
                d->edtGEWK->setText(gewk);
            return true;
        }
        if (ev->type() == QEvent::MouseButtonDblClick) {
            const QString gewk = d->auswaehlen(trim_rechts(d->edtGEWK->text()));
            if (!gewk.isEmpty())
                d->edtGEWK->setText(gewk);
            return true;
        }
        if (ev->type() == QEvent::FocusOut && !d->prueft && isVisible()) {
            // Leaving towards "Beenden" must stay possible with any text.
            QWidget *neu = QApplication::focusWidget();
            if (neu != d->btnBeenden && !trim_rechts(d->edtGEWK->text()).isEmpty()
                && static_cast<QFocusEvent *>(ev)->reason() != Qt::ActiveWindowFocusReason
                && static_cast<QFocusEvent *>(ev)->reason() != Qt::PopupFocusReason)
                QTimer::singleShot(0, this, [this] {
                    if (!d->prueft && d->edtGEWK->isVisible())
                        d->check_gewklasse();
                });
        }
    }
    return QDialog::eventFilter(obj, ev);
}

void TfrmTestGew::Impl::klasse_gewaehlt()
{
    QListWidgetItem *item = lbGewk->currentItem();
    if (!item) {
        edtGEWKalt->clear();
        edtANZA->clear();
        btnChange->setEnabled(false);
        return;
    }
    edtGEWKalt->setText(item->text());
    const int anzahl = anzahl_starter_gewk(aktueller_wettkampf_nr(), q->altersklasse(), item->text());
    edtANZA->setText(QString::number(anzahl));
    btnChange->setEnabled(anzahl > 0);
}

QString TfrmTestGew::Impl::auswaehlen(const QString &vorgabe)
{
    prueft = true;
    zustand().auswahl_wert2 = q->altersklasse();
    zustand().auswahl_wert = vorgabe;
    TfrmMatchcodeGew auswahl(q);
    auswahl.exec();
    prueft = false;
    return zustand().auswahl_wert;
}

bool TfrmTestGew::Impl::check_gewklasse()
{
    prueft = true;
    const GewkPruefung p = pruefe_gewklasse(aktueller_wettkampf_nr(), q->altersklasse(), edtGEWK->text());
    prueft = false;
    QString klasse;
    if (p.art == GewkPruefung::Art::Eindeutig)
        klasse = p.klasse;
    else if (p.art == GewkPruefung::Art::Mehrere)
        klasse = auswaehlen(u'%' + p.filter);
    if (klasse.isEmpty()) {
        edtGEWK->setFocus();
        return false;
    }
    edtGEWK->setText(klasse);
    return true;
}

void TfrmTestGew::Impl::umsetzen()
{
    if (!check_gewklasse())
        return;
    const int anzahl
        = umsetzen_gewklasse(aktueller_wettkampf_nr(), q->altersklasse(), edtGEWKalt->text(), edtGEWK->text());
    if (anzahl >= 0)
        zeige_text(QString::number(anzahl) + QStringLiteral(" Datensätze geändert"), QStringLiteral("H"));
    q->fuellen_listbox();
}

} // namespace obi
