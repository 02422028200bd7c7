// Clubs of a tournament (table vereine): reading, field checks, saving,
// deleting and choosing a free lot number. The club window and the CLI use
// these; nothing here shows a message, the caller does.
#pragma once

#include <QString>
#include <QVector>

#include <optional>

namespace obi {

// One club row as stored.
struct Verein {
    int los = 0;
    QString name;
    QString verband;
    QString ort;
    QString text;
    int gemeldet = 0;
    int anwesend = 0;
    int startgeld = 0; // cents
    int punkte = 0;
};

// The edit fields of the club window, as texts the way the user typed them.
struct VereinEingabe {
    QString los;
    QString name;
    QString verband;
    QString gemeldet;
    QString anwesend;
    QString startgeld; // euros, decimal separator of the number format
    QString punkte;
    QString text;
};

// Result of a check or an action: message number (0 = fine) and the code of
// the field that failed ("LOS", "NAME", ...; empty when no field is to blame).
struct VereinErgebnis {
    int meldung = 0;
    QString feld;
    bool ok() const { return meldung == 0; }
};

// ---- Fee -------------------------------------------------------------------
// "12,5" -> 1250; false when the text is no number or does not fit.
bool startgeld_lesen(const QString &text, int &cent);
// 1250 -> "12,50" (separator of the number format).
QString startgeld_text(int cent);

// ---- Fields ----------------------------------------------------------------
VereinEingabe verein_eingabe(const Verein &v);
// Values of a new row: lot 0, counts 0, fee "0,00".
VereinEingabe verein_neu_eingabe();

// The field code of a control name: characters 4 to 7 ("edtLOS" -> "LOS").
QString verein_feldcode(const QString &objektname);

// Runs the check of one field code, or all of them in order for "*", and
// stops at the first failure. Trailing blanks are removed in place and the
// fee is rewritten with two decimals, as the window shows them back.
// neu: a new row (only then is the lot number checked against existing clubs).
VereinErgebnis verein_pruefen(VereinEingabe &e, const QString &code, bool neu, int wk);

// ---- Reading ---------------------------------------------------------------
// Search text as the list uses it: upper case, no trailing blanks.
QString verein_suchtext(const QString &text);
// Clubs of the tournament by lot number; the search texts match anywhere in
// name or federation. Empty optional on a read error.
std::optional<QVector<Verein>> vereine_lesen(int wk, const QString &suchName = {},
                                             const QString &suchVerband = {});
// The club with this lot number, if there is one.
std::optional<Verein> verein_lesen(int wk, int los);

// ---- Writing ---------------------------------------------------------------
// Checks all fields and writes a new (neu) or the changed club. 19902 when
// the database refuses, 9901 when the club to change is gone.
VereinErgebnis verein_speichern(VereinEingabe &e, bool neu, int wk);
// Whether any participant of the tournament has this lot number; empty on a
// read error.
std::optional<bool> verein_hat_teilnehmer(int wk, int los);
// Deletes the club unless participants refer to it (18002); 19902 on failure.
VereinErgebnis verein_loeschen(int wk, int los);

// ---- Lot numbers -----------------------------------------------------------
// No club of the tournament uses this lot number.
bool losnummer_neu(int wk, int los);
// A free lot number for a new club: after the highest number of the
// federation (of the whole tournament for an empty federation), skipping
// numbers other clubs hold. 0 on a read error.
int neues_los(int wk, const QString &verband);

} // namespace obi
