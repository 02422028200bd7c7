#include "frmgetdate.h"

#include "core/basis.h"
#include "core/gui/bausteine.h"
#include "core/meldungen.h"
#include "core/zustand.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace obi {

TfrmGetDate::TfrmGetDate(QWidget *parent)
    : TfrmGetDate(QStringLiteral("OBITRACK - Datum auswählen"), true, parent)
{
}

TfrmGetDate::TfrmGetDate(const QString &titel, bool vergangenheitErlaubt, QWidget *parent)
    : QDialog(parent)
    , m_vergangenheit(vergangenheitErlaubt)
{
    setObjectName(QStringLiteral("frmGetDate"));
    setzeTitel(titel);

    m_kalender = new QCalendarWidget(this);
    m_kalender->setObjectName(QStringLiteral("calDatum"));
    m_kalender->setGridVisible(true);
    m_kalender->setFirstDayOfWeek(Qt::Monday);
    m_kalender->setSelectedDate(QDate::currentDate());

    m_btnOK = knopf(this, "btnOK", QStringLiteral("&OK"));
    m_btnAbbrechen = knopf(this, "btnAbbrechen", QStringLiteral("&Abbrechen"));
    m_btnOK->setDefault(true);

    auto *knoepfe = knopfleiste({}, {m_btnOK, m_btnAbbrechen});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_kalender);
    layout->addLayout(knoepfe);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // A double-click (or Enter) on a day counts as OK.
    connect(m_kalender, &QCalendarWidget::activated, this, &TfrmGetDate::ok);
    connect(m_btnOK, &QPushButton::clicked, this, &TfrmGetDate::ok);
    connect(m_btnAbbrechen, &QPushButton::clicked, this, &TfrmGetDate::abbrechen);
    // Escape and the close box cancel as well.
    connect(this, &QDialog::rejected, this, [] { zustand().datum_auswahl.clear(); });
    setTabOrder(m_kalender, m_btnOK);
    setTabOrder(m_btnOK, m_btnAbbrechen);
    m_kalender->setFocus();
}

void TfrmGetDate::setzeTitel(const QString &titel)
{
    // Every caption of the program begins with the program's name.
    if (titel.startsWith(QStringLiteral("OBITRACK - ")))
        setWindowTitle(titel);
    else
        setWindowTitle(QStringLiteral("OBITRACK - ") + titel);
}

void TfrmGetDate::setzeDatum(const QDate &datum)
{
    if (datum.isValid())
        m_kalender->setSelectedDate(datum);
}

void TfrmGetDate::ok()
{
    const QDate tag = m_kalender->selectedDate();
    if (!m_vergangenheit && tag < QDate::currentDate()) {
        zeige_text(QStringLiteral("Ausgewähltes Datum liegt in der Vergangenheit"), QStringLiteral("F"));
        return;
    }
    zustand().datum_auswahl = zahl_zu_datum(tag.year() * 10000 + tag.month() * 100 + tag.day());
    accept();
}

void TfrmGetDate::abbrechen()
{
    zustand().datum_auswahl.clear();
    reject();
}

} // namespace obi
