#include "klassenauswahldialog.h"

#include "core/gui/bausteine.h"
#include "core/gui/datengrid.h"

#include "core/meldungen.h"
#include "core/zustand.h"
#include "setup/klassenauswahl.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace obi {

KlassenauswahlDialog::KlassenauswahlDialog(QWidget *parent, const QStringList &spalten, QList<int> rechtsbuendig,
                                           int breite)
    : QDialog(parent)
    , m_rechtsbuendig(std::move(rechtsbuendig))
{
    setModal(true);

    m_edtAusw = eingabefeld(this, "edtAusw");
    auto *lbl = new QLabel(QStringLiteral("Auswahl"), this);
    lbl->setBuddy(m_edtAusw);

    m_grdSFL = datengrid_anlegen(this, "grdSFL", spalten, m_modell);

    auto *btnOK = knopf(this, "btnOK", QStringLiteral("&OK"));
    auto *btnAbbrechen = knopf(this, "btnAbbrechen", QStringLiteral("&Abbrechen"));

    auto *oben = new QHBoxLayout;
    oben->addWidget(lbl);
    oben->addWidget(m_edtAusw, 1);
    auto *unten = knopfleiste({}, {btnOK, btnAbbrechen});
    auto *haupt = new QVBoxLayout(this);
    haupt->addLayout(oben);
    haupt->addWidget(m_grdSFL, 1);
    haupt->addLayout(unten);
    resize(breite, 420);

    tabfolge({m_edtAusw, m_grdSFL, btnOK, btnAbbrechen});

    m_edtAusw->installEventFilter(this);
    m_grdSFL->installEventFilter(this);
    installEventFilter(this);
    connect(m_grdSFL, &QAbstractItemView::doubleClicked, this, [this] { uebernehmen(); });
    connect(btnOK, &QPushButton::clicked, this, [this] { uebernehmen(); });
    connect(btnAbbrechen, &QPushButton::clicked, this, [this] {
        zustand().auswahl_wert.clear();
        reject();
    });
}

void KlassenauswahlDialog::lesen()
{
    m_edtAusw->setText(auswahl_filter(m_edtAusw->text()));
    const auto gelesen = zeilen(m_edtAusw->text());
    if (!gelesen)
        zeige_meldung(19902);
    m_modell->removeRows(0, m_modell->rowCount());
    for (const QStringList &zeile : gelesen.value_or(QList<QStringList> {})) {
        QList<QStandardItem *> items;
        for (const QString &t : zeile)
            items << new QStandardItem(t);
        for (int s : std::as_const(m_rechtsbuendig))
            if (s < items.size())
                items.at(s)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_modell->appendRow(items);
    }
    if (m_modell->rowCount() > 0)
        m_grdSFL->setCurrentIndex(m_modell->index(0, 0));
}

void KlassenauswahlDialog::uebernehmen()
{
    const QModelIndex i = m_grdSFL->currentIndex();
    if (!i.isValid())
        return;
    zustand().auswahl_wert = m_modell->item(i.row(), 0)->text();
    accept();
}

bool KlassenauswahlDialog::eventFilter(QObject *obj, QEvent *e)
{
    if (obj == this) {
        if (e->type() == QEvent::Show) {
            beim_oeffnen();
            // The preset is the first filter; the slot then holds the result.
            m_edtAusw->setText(zustand().auswahl_wert);
            zustand().auswahl_wert.clear();
            lesen();
            if (m_modell->rowCount() == 0)
                zeige_meldung(9901);
            m_grdSFL->setFocus();
        }
        return false;
    }
    if (e->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent *>(e)->key();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            if (obj == m_edtAusw)
                lesen();
            else
                uebernehmen();
            return true;
        }
    }
    return QDialog::eventFilter(obj, e);
}

} // namespace obi
