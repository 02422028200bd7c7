#include "frmwkladen.h"

#include "core/gui/bausteine.h"
#include "core/gui/datengrid.h"

#include "frmwettkampf.h"

#include "core/basis.h"
#include "core/meldungen.h"
#include "core/zustand.h"
#include "register/wettkampf.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace obi {

TfrmWKLaden::TfrmWKLaden(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmWKLaden"));

    m_grid = datengrid_anlegen(
        this, "grdWettkampf",
        {QStringLiteral("Datum"), QStringLiteral("Wettkampf"), QStringLiteral("Ort"), QStringLiteral("Leitung")},
        m_modell);
    m_grid->setColumnWidth(0, 90);
    m_grid->setColumnWidth(1, 260);
    m_grid->setColumnWidth(2, 160);
    m_grid->setMinimumSize(680, 300);
    m_grid->installEventFilter(this);

    m_btnOK = knopf(this, "btnOK", QStringLiteral("&OK"));
    m_btnNeu = knopf(this, "btnNeu", QStringLiteral("Neu"));
    m_btnLoeschen = knopf(this, "btnLoeschen", QStringLiteral("&Löschen"));
    m_btnBeenden = knopf(this, "btnBeenden", QStringLiteral("&Beenden"));
    for (QPushButton *b : {m_btnOK, m_btnNeu, m_btnLoeschen, m_btnBeenden})
        b->setAutoDefault(false);

    auto *knoepfe = knopfleiste({m_btnOK, m_btnLoeschen, m_btnNeu}, {m_btnBeenden});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addLayout(knoepfe);

    tabfolge({m_grid, m_btnOK, m_btnLoeschen, m_btnNeu, m_btnBeenden});

    connect(m_grid, &QTableView::doubleClicked, this, &TfrmWKLaden::waehlen);
    connect(m_btnOK, &QPushButton::clicked, this, &TfrmWKLaden::waehlen);
    connect(m_btnNeu, &QPushButton::clicked, this, &TfrmWKLaden::neu);
    connect(m_btnLoeschen, &QPushButton::clicked, this, &TfrmWKLaden::loeschen);
    connect(m_btnBeenden, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmWKLaden::~TfrmWKLaden() = default;

void TfrmWKLaden::showEvent(QShowEvent *e)
{
    // The dialog may live for the whole run: the mode is taken on every show.
    m_loeschModus = zustand().auswahl_modus == u"D";
    setWindowTitle(m_loeschModus ? QStringLiteral("OBITRACK - Löschen eines Wettkampfs")
                                 : QStringLiteral("OBITRACK - Auswahl Wettkampf"));
    m_btnOK->setVisible(!m_loeschModus);
    m_btnNeu->setVisible(!m_loeschModus);
    m_btnLoeschen->setVisible(m_loeschModus);
    laden();
    QDialog::showEvent(e);
    m_grid->setFocus();
}

void TfrmWKLaden::done(int r)
{
    // The rows are read anew on every show.
    m_modell->removeRows(0, m_modell->rowCount());
    m_anzahl = 0;
    QDialog::done(r);
}

void TfrmWKLaden::laden()
{
    m_modell->removeRows(0, m_modell->rowCount());
    const QVector<WettkampfZeile> liste = wettkampf_liste();
    for (const WettkampfZeile &z : liste) {
        QList<QStandardItem *> zeile;
        zeile << new QStandardItem(zahl_zu_datum(z.datum)) << new QStandardItem(z.bezeichnung)
              << new QStandardItem(z.ort) << new QStandardItem(z.leitung);
        zeile.first()->setData(z.nummer, Qt::UserRole);
        m_modell->appendRow(zeile);
    }
    m_anzahl = int(liste.size());
    if (m_anzahl > 0)
        m_grid->selectRow(0);
}

int TfrmWKLaden::aktuelleNummer() const
{
    const QModelIndex i = m_grid->currentIndex();
    const int zeile = i.isValid() ? i.row() : 0;
    if (zeile < 0 || zeile >= m_modell->rowCount())
        return 0;
    return m_modell->item(zeile, 0)->data(Qt::UserRole).toInt();
}

void TfrmWKLaden::waehlen()
{
    if (m_anzahl == 0)
        return;
    const QModelIndex i = m_grid->currentIndex();
    const int zeile = i.isValid() ? i.row() : 0;
    zustand().aktueller_wettkampf = QString::number(aktuelleNummer());
    zustand().aktueller_wettkampfname = m_modell->item(zeile, 1)->text();
    accept();
}

void TfrmWKLaden::neu()
{
    zustand().aktueller_wettkampf = QStringLiteral("0");
    zustand().aktueller_wettkampfname.clear();
    {
        TfrmWettkampf fenster(this);
        fenster.exec();
    }
    if (aktueller_wettkampf_nr() != 0) {
        accept();
        return;
    }
    laden();
    m_grid->setFocus();
}

void TfrmWKLaden::loeschen()
{
    if (m_anzahl == 0)
        return;
    const int nummer = aktuelleNummer();
    if (nummer <= 0)
        return;
    if (!frage_ok(QStringLiteral("Möchten Sie diesen Wettkampf mit allen Daten löschen ?")))
        return;
    if (!frage_ok(QStringLiteral("Daten gehen unwiderruflich verloren")))
        return;
    // All or nothing; on failure (11015 shown) the dialog stays open.
    if (!wettkampf_loeschen(nummer))
        return;
    accept();
}

bool TfrmWKLaden::eventFilter(QObject *obj, QEvent *e)
{
    if (obj == m_grid && e->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent *>(e)->key();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            waehlen();
            return true;
        }
    }
    return QDialog::eventFilter(obj, e);
}

} // namespace obi
