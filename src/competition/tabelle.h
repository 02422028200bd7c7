// Ranking of a round robin table or one pool: wins first, then points
// scored, then points conceded. Pure logic, shared by the table window and
// the automatic table the engine runs after every result.
#pragma once

#include <QString>

#include <vector>

namespace obi {

struct TabellenZeile {
    int stnr = 0;    // start number
    int slot = 0;    // participant slot position (1001 ...)
    QString name;    // "Name, Vorname"
    QString verein;  // "Verein/Verband"
    int siege = 0;
    int plus = 0;    // points scored
    int minus = 0;   // points conceded
    QString platz;   // place text, e.g. "1.", "3.2"
};

// wins × 1000 + points scored + (1000 − points conceded) / 1000
double tabellen_wert(const TabellenZeile &z);

// Sorts the lines by score, highest first, and writes the place texts.
// Only exactly equal scores share a place. platz32 writes place 4 as "3.2",
// platz52 place 6 as "5.2". False when two participants have equal wins:
// then the operator must check the places.
bool calc_plaetze(std::vector<TabellenZeile> &zeilen, bool platz32, bool platz52);

// The score text's decimal digits read as one number ("07" -> 7); none gives 0.
int wertung_zahl(const QString &wertung);

// Place number of a place text for pool place rows: its digits as one
// number ("3.2" -> 32, "1." -> 1); 0 when it has none.
int platz_zahl(const QString &platz);

// Completeness of a table: 0 when every table bout (1..lktabk) is decided
// and no bout after them is; 3009 when table bouts are still open, 3010 when
// a later bout is already decided. min_anstehend is the lowest pending bout
// (9998 when none), max_entschieden the highest decided bout (0 when none).
int tabelle_vollstaendig(int lktabk, int min_anstehend, int max_entschieden);

// Place text for place n: 0 empty, 1 "1.", 2 "2.", even n >= 4 "(n-1).2",
// odd n >= 3 "n.1".
QString platz_text(int n);

} // namespace obi
