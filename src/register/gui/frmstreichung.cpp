#include "frmstreichung.h"

#include "core/gui/auswahlfeld.h"
#include "core/gui/bausteine.h"

#include "core/datenbank.h"
#include "core/gui/matchcode.h"
#include "core/meldungen.h"
#include "core/zustand.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace obi {

TfrmStreichung::TfrmStreichung(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmStreichung"));
    setWindowTitle(QStringLiteral("OBITRACK - Judoka aus Wettkampfliste streichen"));
    m_stnr = zustand().auswahl_wert;

    m_edtAKID = anzeigefeld(this, "edtAKID");
    m_edtGEWK = anzeigefeld(this, "edtGEWK");
    m_edtNAME = anzeigefeld(this, "edtNAME");
    m_edtVNAM = anzeigefeld(this, "edtVNAM");
    m_edtVENAME = anzeigefeld(this, "edtVENAME");
    m_edtVEVERB = anzeigefeld(this, "edtVEVERB");
    m_edtVENAME->setEnabled(false);
    m_edtVEVERB->setEnabled(false);

    m_edtSTAT = eingabefeld(this, "edtSTAT");
    m_edtSTAT->setMaxLength(10);
    auswahlfeld_einrichten(m_edtSTAT);
    m_edtSTAT->installEventFilter(this);
    m_lblSTAT = new QLabel(this);
    m_lblSTAT->setObjectName(QStringLiteral("lblSTAT"));
    m_lblSTAT->setMinimumWidth(200);

    // The remark is shown for information; this window stores only the code,
    // so it cannot be edited here (a typed remark would be lost).
    m_edtTEXT = eingabefeld(this, "edtTEXT");
    m_edtTEXT->setReadOnly(true);

    // Enter belongs to the status field (it checks), never to a button.
    m_btnBeenden = knopf(this, "btnBeenden", QStringLiteral("Beenden"), false);
    m_btnSpeichern = knopf(this, "btnSpeichern", QStringLiteral("&Speichern"), false);
    m_btnAbbrechen = knopf(this, "btnAbbrechen", QStringLiteral("&Abbrechen"), false);

    auto paar = [](QWidget *a, QWidget *b, int sa, int sb) {
        auto *h = new QHBoxLayout;
        h->addWidget(a, sa);
        h->addWidget(b, sb);
        return h;
    };
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Altersklasse"), m_edtAKID);
    form->addRow(QStringLiteral("Gewichtsklasse"), m_edtGEWK);
    form->addRow(QStringLiteral("Name, Vorname"), paar(m_edtNAME, m_edtVNAM, 1, 1));
    form->addRow(QStringLiteral("Verein, Verband"), paar(m_edtVENAME, m_edtVEVERB, 3, 1));
    form->addRow(QStringLiteral("Status"), paar(m_edtSTAT, m_lblSTAT, 1, 3));
    form->addRow(QStringLiteral("Bemerkung"), m_edtTEXT);

    auto *knoepfe = knopfleiste({m_btnBeenden}, {m_btnSpeichern, m_btnAbbrechen});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(knoepfe);
    setMinimumWidth(560);

    tabfolge({m_edtSTAT, m_edtTEXT, m_btnSpeichern, m_btnAbbrechen, m_btnBeenden});

    connect(m_edtSTAT, &QLineEdit::returnPressed, this, [this] {
        if (m_gefunden)
            check_zusammen();
    });
    connect(m_btnSpeichern, &QPushButton::clicked, this, &TfrmStreichung::speichern);
    connect(m_btnAbbrechen, &QPushButton::clicked, this, &TfrmStreichung::abbrechen);
    connect(m_btnBeenden, &QPushButton::clicked, this, &QDialog::reject);

    daten_lesen();
    if (m_gefunden)
        check_zusammen();
    m_edtSTAT->setFocus();
}

void TfrmStreichung::daten_lesen()
{
    const auto s = streichung_lesen(aktueller_wettkampf_nr(), m_stnr);
    m_gefunden = s.has_value();
    m_starter = s.value_or(StreichungStarter {});
    m_edtAKID->setText(m_starter.akid);
    m_edtGEWK->setText(m_starter.gewk);
    m_edtNAME->setText(m_starter.name);
    m_edtVNAM->setText(m_starter.vnam);
    m_edtVENAME->setText(m_starter.vename);
    m_edtVEVERB->setText(m_starter.veverb);
    m_edtSTAT->setText(m_gefunden ? m_starter.stat : QString());
    m_edtTEXT->setText(m_starter.text);
    m_lblSTAT->clear();
    m_btnSpeichern->setEnabled(m_gefunden);
    m_btnAbbrechen->setEnabled(m_gefunden);
    if (!m_gefunden)
        zeige_meldung(0);
}

bool TfrmStreichung::check_zusammen()
{
    const StreichungPruefung p = streichung_pruefen(aktueller_wettkampf_nr(), m_starter, m_edtSTAT->text());
    m_edtSTAT->setText(p.code);
    m_lblSTAT->setText(p.bezeichnung);
    if (p.meldung == 0)
        return true;
    zeige_meldung(p.meldung);
    if (p.meldung == 21005) {
        m_edtSTAT->setFocus();
        m_edtSTAT->selectAll();
    }
    return false;
}

void TfrmStreichung::speichern()
{
    if (!m_gefunden || !check_zusammen())
        return;
    const StreichungErgebnis e = streichung_speichern(aktueller_wettkampf_nr(), m_starter.stnr, m_edtSTAT->text());
    m_edtSTAT->setText(e.code);
    if (e.meldung != 0) {
        // Nothing was stored: the window stays open with the code typed.
        zeige_meldung(e.meldung);
        m_edtSTAT->setFocus();
        return;
    }
    accept();
}

void TfrmStreichung::abbrechen()
{
    daten_lesen();
    if (m_gefunden)
        check_zusammen();
    m_edtSTAT->setFocus();
}

void TfrmStreichung::auswahl()
{
    // The picker answers through the dialog slots; the caller's values stay.
    const QString wert = zustand().auswahl_wert;
    const QString wert2 = zustand().auswahl_wert2;
    const QString schluessel = get_matchcode(QStringLiteral("Streichungen"), this);
    zustand().auswahl_wert = wert;
    zustand().auswahl_wert2 = wert2;
    m_edtSTAT->setFocus();
    if (schluessel.isEmpty())
        return;
    m_edtSTAT->setText(schluessel);
    m_lblSTAT->setText(dm().get_tabsatz(QStringLiteral("Streichungen"), schluessel) ? dm().tabsatz().tab_bezeichnung
                                                                                    : QString());
}

bool TfrmStreichung::eventFilter(QObject *obj, QEvent *e)
{
    if (obj == m_edtSTAT) {
        const bool f4 = e->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(e)->key() == Qt::Key_F4
            && static_cast<QKeyEvent *>(e)->modifiers() == Qt::NoModifier;
        if (f4 || e->type() == QEvent::MouseButtonDblClick) {
            auswahl();
            return true;
        }
    }
    return QDialog::eventFilter(obj, e);
}

} // namespace obi
