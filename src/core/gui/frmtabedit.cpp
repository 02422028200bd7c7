#include "frmtabedit.h"

#include "core/gui/bausteine.h"
#include "core/gui/datengrid.h"

#include "core/basis.h"
#include "core/meldungen.h"
#include "core/zustand.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace obi {

TfrmTabEdit::TfrmTabEdit(QWidget *parent)
    : TfrmTabEdit(zustand().auswahl_wert, parent)
{
}

TfrmTabEdit::TfrmTabEdit(const QString &tabelle, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTabEdit"));
    if (auto k = tabkopf_lesen(tabelle)) {
        m_kopf = *k;
    } else {
        m_kopf.tab = tabelle;
        zeige_text(QStringLiteral("Fehler beim Datenzugriff"), QStringLiteral("F"));
    }
    aufbauen();
}

void TfrmTabEdit::aufbauen()
{
    setWindowTitle(QStringLiteral("OBITRACK - Bearbeiten Tabelle <") + m_kopf.tab + QStringLiteral("> - ")
                   + m_kopf.bez);

    m_edtSuche = eingabefeld(this, "edtSuche");
    m_edtSchluessel = eingabefeld(this, "edtSchluessel");
    m_edtBez = eingabefeld(this, "edtBezeichnung");
    m_edtZus1 = eingabefeld(this, "edtZus1");
    m_edtZus2 = eingabefeld(this, "edtZus2");
    m_edtWert = eingabefeld(this, "edtWert");
    if (m_kopf.klen > 0)
        m_edtSchluessel->setMaxLength(qMax(m_kopf.klen, 1) + 20); // longer input is refused with a message

    m_grid
        = datengrid_anlegen(this, "grdTabPos",
                            {QStringLiteral("Schlüssel"), QStringLiteral("Bezeichnung"),
                             QStringLiteral("Kennzeichen 1"), QStringLiteral("Kennzeichen 2"), QStringLiteral("Wert")},
                            m_modell);
    m_grid->setColumnWidth(1, 240);
    m_grid->setMinimumSize(640, 260);

    m_gruppe = new QGroupBox(this);
    m_gruppe->setObjectName(QStringLiteral("grpSatz"));
    m_lblZus1 = new QLabel(this);
    m_lblZus1->setObjectName(QStringLiteral("lblZus1"));
    m_lblZus2 = new QLabel(this);
    m_lblZus2->setObjectName(QStringLiteral("lblZus2"));
    m_lblWert = new QLabel(this);
    m_lblWert->setObjectName(QStringLiteral("lblWert"));
    auto *g = new QGridLayout(m_gruppe);
    g->addWidget(beschriftung(this, QStringLiteral("Schlüssel"), m_edtSchluessel), 0, 0);
    g->addWidget(m_edtSchluessel, 0, 1);
    g->addWidget(beschriftung(this, QStringLiteral("Bezeichnung"), m_edtBez), 1, 0);
    g->addWidget(m_edtBez, 1, 1, 1, 2);
    g->addWidget(beschriftung(this, QStringLiteral("Kennz. 1"), m_edtZus1), 2, 0);
    g->addWidget(m_edtZus1, 2, 1);
    g->addWidget(m_lblZus1, 2, 2);
    g->addWidget(beschriftung(this, QStringLiteral("Kennz. 2"), m_edtZus2), 3, 0);
    g->addWidget(m_edtZus2, 3, 1);
    g->addWidget(m_lblZus2, 3, 2);
    g->addWidget(beschriftung(this, QStringLiteral("Wert"), m_edtWert), 4, 0);
    g->addWidget(m_edtWert, 4, 1);
    g->addWidget(m_lblWert, 4, 2);

    m_btnSpeichern = knopf(this, "btnSpeichern", QStringLiteral("&Speichern"), false);
    m_btnNeu = knopf(this, "btnNeu", QStringLiteral("&Neuer Satz"), false);
    m_btnKopieren = knopf(this, "btnKopieren", QStringLiteral("&Kopieren"), false);
    m_btnLoeschen = knopf(this, "btnLoeschen", QStringLiteral("&Löschen"), false);
    m_btnAbbrechen = knopf(this, "btnAbbrechen", QStringLiteral("&Abbrechen"), false);
    m_btnBeenden = knopf(this, "btnBeenden", QStringLiteral("&Beenden"), false);

    auto *suche = new QHBoxLayout;
    suche->addWidget(beschriftung(this, QStringLiteral("Schlüssel"), m_edtSuche));
    suche->addWidget(m_edtSuche);
    suche->addStretch();
    auto *knoepfe = new QHBoxLayout;
    for (QPushButton *b : {m_btnSpeichern, m_btnNeu, m_btnKopieren, m_btnLoeschen, m_btnAbbrechen})
        knoepfe->addWidget(b);
    knoepfe->addStretch();
    knoepfe->addWidget(m_btnBeenden);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(suche);
    layout->addWidget(m_grid);
    layout->addWidget(m_gruppe);
    layout->addLayout(knoepfe);

    QWidget *reihe[]
        = {m_edtSuche,     m_grid,   m_edtSchluessel, m_edtBez,      m_edtZus1,      m_edtZus2,   m_edtWert,
           m_btnSpeichern, m_btnNeu, m_btnKopieren,   m_btnLoeschen, m_btnAbbrechen, m_btnBeenden};
    for (size_t i = 1; i < std::size(reihe); ++i)
        setTabOrder(reihe[i - 1], reihe[i]);

    // Captions of the optional columns; a column without one is not used.
    m_lblZus1->setText(m_kopf.zus1);
    m_lblZus2->setText(m_kopf.zus2);
    m_lblWert->setText(m_kopf.wert);
    m_edtZus1->setEnabled(m_kopf.hatZus1());
    m_edtZus2->setEnabled(m_kopf.hatZus2());
    m_edtWert->setEnabled(m_kopf.hatWert());

    for (QLineEdit *e : {m_edtSchluessel, m_edtBez, m_edtZus1, m_edtZus2, m_edtWert})
        connect(e, &QLineEdit::textEdited, this, [this] { setzeGeaendert(true); });
    m_edtSchluessel->installEventFilter(this);
    m_edtWert->installEventFilter(this);
    m_edtSuche->installEventFilter(this);

    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!m_laedt && !m_geaendert)
            zeileAnzeigen();
    });
    connect(m_btnSpeichern, &QPushButton::clicked, this, &TfrmTabEdit::speichern);
    connect(m_btnNeu, &QPushButton::clicked, this, &TfrmTabEdit::neuerSatz);
    connect(m_btnKopieren, &QPushButton::clicked, this, &TfrmTabEdit::kopieren);
    connect(m_btnLoeschen, &QPushButton::clicked, this, &TfrmTabEdit::loeschen);
    connect(m_btnAbbrechen, &QPushButton::clicked, this, &TfrmTabEdit::abbrechen);
    connect(m_btnBeenden, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmTabEdit::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    laden();
}

void TfrmTabEdit::laden()
{
    const QModelIndex alt = m_grid->currentIndex();
    const QString vorher = alt.isValid() && alt.row() < m_modell->rowCount() ? m_modell->item(alt.row(), 0)->text()
                                                                             : m_edtSchluessel->text();
    m_laedt = true;
    m_letzteSuche = m_edtSuche->text();
    m_modell->removeRows(0, m_modell->rowCount());
    int wahl = 0;
    for (const TabEintrag &t : tabpos_liste(m_kopf.tab, m_edtSuche->text())) {
        if (t.schluessel == vorher)
            wahl = m_modell->rowCount();
        m_modell->appendRow({new QStandardItem(t.schluessel), new QStandardItem(t.bez), new QStandardItem(t.zus1),
                             new QStandardItem(t.zus2), new QStandardItem(t.wert)});
    }
    if (m_modell->rowCount() > 0)
        m_grid->selectRow(wahl);
    m_laedt = false;

    if (m_modell->rowCount() == 0) {
        neuerSatz();
        return;
    }
    setzeGeaendert(false);
    zeileAnzeigen();
}

void TfrmTabEdit::zeileAnzeigen()
{
    const QModelIndex i = m_grid->currentIndex();
    if (!i.isValid() || i.row() >= m_modell->rowCount())
        return;
    const int z = i.row();
    m_neu = false;
    m_gruppe->setTitle(QStringLiteral("Datensatz ändern"));
    m_edtSchluessel->setText(m_modell->item(z, 0)->text());
    m_edtSchluessel->setReadOnly(true);
    m_edtBez->setText(m_modell->item(z, 1)->text());
    m_edtZus1->setText(m_modell->item(z, 2)->text());
    m_edtZus2->setText(m_modell->item(z, 3)->text());
    m_edtWert->setText(m_modell->item(z, 4)->text());
}

void TfrmTabEdit::setzeGeaendert(bool geaendert)
{
    m_geaendert = geaendert;
    m_btnSpeichern->setEnabled(geaendert);
    m_btnAbbrechen->setEnabled(geaendert);
    m_btnBeenden->setEnabled(!geaendert);
    m_btnLoeschen->setEnabled(!geaendert);
    m_btnNeu->setEnabled(!geaendert);
    m_btnKopieren->setEnabled(!geaendert);
    m_grid->setEnabled(!geaendert);
    // With a search that found nothing the search must stay editable, or the
    // editor could never leave the empty result.
    m_edtSuche->setReadOnly(geaendert && m_modell->rowCount() > 0);
}

void TfrmTabEdit::neuerSatz()
{
    m_neu = true;
    m_gruppe->setTitle(QStringLiteral("Neuer Datensatz"));
    for (QLineEdit *e : {m_edtSchluessel, m_edtBez, m_edtZus1, m_edtZus2})
        e->clear();
    m_edtWert->setText(QStringLiteral("0"));
    m_edtSchluessel->setReadOnly(false);
    setzeGeaendert(true);
    m_edtSchluessel->setFocus();
}

void TfrmTabEdit::kopieren()
{
    m_neu = true;
    m_gruppe->setTitle(QStringLiteral("Neuer Datensatz"));
    m_edtSchluessel->clear();
    m_edtSchluessel->setReadOnly(false);
    setzeGeaendert(true);
    m_edtSchluessel->setFocus();
}

void TfrmTabEdit::abbrechen()
{
    setzeGeaendert(false);
    laden();
    if (!m_neu)
        m_grid->setFocus();
}

bool TfrmTabEdit::pruefeSchluessel()
{
    if (!m_neu)
        return true;
    QString schluessel = m_edtSchluessel->text();
    const bool ok = tab_schluessel_pruefen(m_kopf, schluessel, true);
    m_edtSchluessel->setText(schluessel);
    if (!ok)
        m_edtSchluessel->setFocus();
    return ok;
}

bool TfrmTabEdit::pruefeWert()
{
    if (!m_edtWert->isEnabled())
        return true;
    if (tab_wert_pruefen(m_edtWert->text()))
        return true;
    m_edtWert->setFocus();
    return false;
}

void TfrmTabEdit::speichern()
{
    if (!pruefeSchluessel() || !pruefeWert())
        return;
    TabEintrag e;
    e.schluessel = m_edtSchluessel->text();
    e.bez = m_edtBez->text();
    e.zus1 = m_edtZus1->text();
    e.zus2 = m_edtZus2->text();
    e.wert = m_edtWert->isEnabled() ? m_edtWert->text() : QStringLiteral("0");
    if (!tabpos_speichern(m_kopf, e, m_neu)) {
        // The typed values and the changed state stay.
        m_edtSchluessel->setFocus();
        return;
    }
    if (m_neu) {
        // Show the new row after reloading.
        m_neu = false;
        m_edtSchluessel->setText(tab_schluessel_normal(e.schluessel));
        m_grid->setCurrentIndex(QModelIndex());
    }
    setzeGeaendert(false);
    laden();
    m_grid->setFocus();
}

void TfrmTabEdit::loeschen()
{
    const QModelIndex i = m_grid->currentIndex();
    if (!i.isValid() || i.row() >= m_modell->rowCount())
        return;
    const QString schluessel = m_modell->item(i.row(), 0)->text();
    if (!frage_ok(QStringLiteral("Diesen Datensatz löschen ?")))
        return;
    if (tabpos_loeschen(m_kopf.tab, schluessel))
        laden();
}

bool TfrmTabEdit::eventFilter(QObject *obj, QEvent *e)
{
    if (obj == m_edtSuche && e->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent *>(e)->key();
        if ((taste == Qt::Key_Return || taste == Qt::Key_Enter) && !m_edtSuche->isReadOnly()) {
            laden();
            return true;
        }
    }
    if (e->type() == QEvent::FocusOut && isVisible()) {
        const auto grund = static_cast<QFocusEvent *>(e)->reason();
        QWidget *neu = QApplication::focusWidget();
        bool innen = neu && isAncestorOf(neu) && grund != Qt::ActiveWindowFocusReason && grund != Qt::PopupFocusReason;
        // Towards "&Speichern" the save checks everything anyway.
        innen = innen && neu != m_btnSpeichern;
        if (obj == m_edtSuche && innen && !m_edtSuche->isReadOnly() && m_edtSuche->text() != m_letzteSuche) {
            laden();
        } else if (obj == m_edtSchluessel && innen && m_neu && !m_edtSchluessel->isReadOnly() && neu != m_btnAbbrechen
                   && neu != m_btnBeenden) {
            QTimer::singleShot(0, this, [this] {
                if (m_neu && m_geaendert && isVisible())
                    pruefeSchluessel();
            });
        } else if (obj == m_edtWert && innen && m_geaendert && neu != m_btnAbbrechen && neu != m_btnBeenden) {
            QTimer::singleShot(0, this, [this] {
                if (m_geaendert && isVisible())
                    pruefeWert();
            });
        }
    }
    return QDialog::eventFilter(obj, e);
}

} // namespace obi
