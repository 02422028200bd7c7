#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QPushButton;

namespace obi
{

// The calendar dialog. OK puts the chosen day (short date format dd.mm.yyyy)
// into zustand().datum_auswahl; "&Abbrechen" empties it. Past days are
// refused unless allowed.
class TfrmGetDate : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmGetDate(QWidget *parent = nullptr);
    TfrmGetDate(const QString &titel, bool vergangenheitErlaubt, QWidget *parent = nullptr);

    void setzeTitel(const QString &titel);
    void setzeVergangenheitErlaubt(bool erlaubt) { m_vergangenheit = erlaubt; }
    // Day the calendar shows first (today unless set).
    void setzeDatum(const QDate &datum);

private:
    void ok();
    void abbrechen();

    bool m_vergangenheit = true;
    QCalendarWidget *m_kalender = nullptr;
    QPushButton *m_btnOK = nullptr;
    QPushButton *m_btnAbbrechen = nullptr;
};

} // namespace obi
