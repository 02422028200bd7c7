#include "frmwettkampf.h"

#include "core/gui/bausteine.h"
#include "frmgetdate.h"

#include "core/basis.h"
#include "core/meldungen.h"
#include "core/zustand.h"
#include "register/wettkampf.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace obi {

TfrmWettkampf::TfrmWettkampf(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmWettkampf"));
    m_neu = aktueller_wettkampf_nr() == 0;
    setWindowTitle(m_neu ? QStringLiteral("OBITRACK - Wettkampf anlegen")
                         : QStringLiteral("OBITRACK - Stammdaten Wettkampf"));

    m_edtNummer = eingabefeld(this, "edtNummer", 0);
    m_edtNummer->setReadOnly(true);
    m_edtNummer->setFocusPolicy(Qt::NoFocus);
    m_edtBez = eingabefeld(this, "edtBezeichnung", 60);
    m_edtDatum = eingabefeld(this, "edtDatum", 10);
    // Yellow marks the fields with a picker (F4 or double-click).
    m_edtDatum->setStyleSheet(QStringLiteral("QLineEdit { background-color: #ffff80; }"));
    m_edtDatum->setToolTip(QStringLiteral("F4 oder Doppelklick: Kalender"));
    m_edtOrt = eingabefeld(this, "edtOrt", 60);
    m_edtLeitung = eingabefeld(this, "edtLeitung", 60);
    m_edtStartgeld = eingabefeld(this, "edtStartgeld", 20);
    m_edtText = eingabefeld(this, "edtBemerkung", 60);

    m_btnSpeichern = knopf(this, "btnSpeichern", QStringLiteral("&Speichern"));
    m_btnAbbrechen = knopf(this, "btnAbbrechen", QStringLiteral("&Abbrechen"));
    // Enter is handled by the fields themselves (it saves).
    m_btnSpeichern->setAutoDefault(false);
    m_btnAbbrechen->setAutoDefault(false);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Nummer"), m_edtNummer);
    form->addRow(QStringLiteral("Wettkampf, Bezeichnung"), m_edtBez);
    auto *datumOrt = new QHBoxLayout;
    datumOrt->addWidget(m_edtDatum, 1);
    datumOrt->addWidget(m_edtOrt, 3);
    form->addRow(QStringLiteral("Datum, Ort"), datumOrt);
    form->addRow(QStringLiteral("Sportliche Leitung"), m_edtLeitung);
    form->addRow(QStringLiteral("Startgeld (EUR je Teiln.)"), m_edtStartgeld);
    form->addRow(QStringLiteral("Bemerkung"), m_edtText);

    auto *knoepfe = knopfleiste({}, {m_btnSpeichern, m_btnAbbrechen});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(knoepfe);
    setMinimumWidth(520);

    for (QLineEdit *e : {m_edtBez, m_edtDatum, m_edtOrt, m_edtLeitung, m_edtStartgeld, m_edtText}) {
        connect(e, &QLineEdit::returnPressed, this, &TfrmWettkampf::speichern);
        e->installEventFilter(this);
    }
    tabfolge({m_edtBez, m_edtDatum, m_edtOrt, m_edtLeitung, m_edtStartgeld, m_edtText, m_btnSpeichern, m_btnAbbrechen});

    connect(m_btnSpeichern, &QPushButton::clicked, this, &TfrmWettkampf::speichern);
    connect(m_btnAbbrechen, &QPushButton::clicked, this, &QDialog::reject);

    laden();
}

void TfrmWettkampf::laden()
{
    WettkampfDaten d;
    if (m_neu) {
        d = wettkampf_vorgabe();
    } else {
        const auto gelesen = wettkampf_lesen(aktueller_wettkampf_nr());
        if (!gelesen) {
            zeige_meldung(9002);
            // Closes as soon as the event loop of exec() or show() runs.
            QTimer::singleShot(0, this, &QDialog::reject);
            m_pruefeAus = true;
            return;
        }
        d = *gelesen;
    }
    m_edtNummer->setText(QString::number(d.nummer));
    m_edtBez->setText(d.bezeichnung);
    m_edtDatum->setText(d.datum);
    m_edtOrt->setText(d.ort);
    m_edtLeitung->setText(d.leitung);
    m_edtStartgeld->setText(d.startgeld);
    m_edtText->setText(d.bemerkung);
    m_edtBez->setFocus();
}

bool TfrmWettkampf::check_zusammen(const QString &feldSchluessel)
{
    WettkampfDaten d;
    d.bezeichnung = m_edtBez->text();
    d.datum = m_edtDatum->text();
    d.startgeld = m_edtStartgeld->text();
    QString fehlerFeld;
    m_pruefeAus = true; // the message box takes the focus; no second check meanwhile
    const bool ok = wettkampf_pruefen(d, feldSchluessel, &fehlerFeld);
    m_pruefeAus = false;
    if (ok) {
        if (feldSchluessel == u"*" || feldSchluessel == u"DATU")
            m_edtDatum->setText(d.datum);
        return true;
    }
    QLineEdit *zurueck = fehlerFeld == u"BEZ" ? m_edtBez : fehlerFeld == u"DATU" ? m_edtDatum : m_edtStartgeld;
    zurueck->setFocus();
    zurueck->selectAll();
    return false;
}

void TfrmWettkampf::speichern()
{
    if (!check_zusammen(QStringLiteral("*")))
        return;
    WettkampfDaten d;
    d.nummer = m_neu ? 0 : aktueller_wettkampf_nr();
    d.bezeichnung = m_edtBez->text();
    d.datum = m_edtDatum->text();
    d.ort = m_edtOrt->text();
    d.leitung = m_edtLeitung->text();
    d.startgeld = m_edtStartgeld->text();
    d.bemerkung = m_edtText->text();
    m_pruefeAus = true;
    const auto nummer = wettkampf_speichern(d);
    m_pruefeAus = false;
    if (!nummer)
        return; // message shown; the window stays open with what was typed
    zustand().auswahl_wert = QStringLiteral("OK");
    if (m_neu) {
        zustand().aktueller_wettkampf = QString::number(*nummer);
        zustand().aktueller_wettkampfname = d.bezeichnung;
    }
    m_pruefeAus = true;
    accept();
}

void TfrmWettkampf::kalender()
{
    TfrmGetDate kal(QStringLiteral("Datum Wettkampf"), true, this);
    const int zahl = datum_zu_zahl(m_edtDatum->text().trimmed());
    if (zahl >= 1000)
        kal.setzeDatum(QDate(zahl / 10000, zahl / 100 % 100, zahl % 100));
    m_pruefeAus = true;
    const bool ok = kal.exec() == QDialog::Accepted;
    m_pruefeAus = false;
    if (ok && !zustand().datum_auswahl.isEmpty())
        m_edtDatum->setText(zustand().datum_auswahl);
    m_edtDatum->setFocus();
}

bool TfrmWettkampf::eventFilter(QObject *obj, QEvent *e)
{
    if (obj == m_edtDatum) {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(e)->key() == Qt::Key_F4) {
            kalender();
            return true;
        }
        if (e->type() == QEvent::MouseButtonDblClick) {
            kalender();
            return true;
        }
    }
    if (e->type() == QEvent::FocusOut && !m_pruefeAus) {
        const auto grund = static_cast<QFocusEvent *>(e)->reason();
        QWidget *neu = QApplication::focusWidget();
        // Only a move inside this window checks; leaving towards "Abbrechen" never
        // does, and towards "Speichern" the save checks everything itself.
        const bool innen = neu && neu != m_btnAbbrechen && neu != m_btnSpeichern && isAncestorOf(neu)
            && grund != Qt::ActiveWindowFocusReason && grund != Qt::PopupFocusReason;
        if (innen) {
            QString schluessel;
            if (obj == m_edtBez)
                schluessel = QStringLiteral("BEZ");
            else if (obj == m_edtDatum)
                schluessel = QStringLiteral("DATU");
            else if (obj == m_edtStartgeld)
                schluessel = QStringLiteral("SGLD");
            if (!schluessel.isEmpty()) {
                // After the focus change has finished, so the field can take it back.
                QTimer::singleShot(0, this, [this, schluessel] {
                    if (!m_pruefeAus && isVisible())
                        check_zusammen(schluessel);
                });
            }
        }
    }
    return QDialog::eventFilter(obj, e);
}

} // namespace obi
