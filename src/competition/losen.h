// The draw: every club of a selection gets a draw number, stored in
// starter.STSORT for all its participants there. List generation fills the
// slots by STSORT, so clubs of one federation get consecutive numbers and the
// order of federations and of the clubs within them is random.
#pragma once

#include "core/basis.h"

#include <QString>
#include <QVector>

#include <optional>

namespace obi {

class Auswahlhilfe;

// What a draw acts on: a tournament, optionally one age class, optionally
// one weight class of that age class (a weight class alone is ignored).
struct LosAuswahl {
    int wknr = 0;
    QString akid;
    QString gewk;
};

// " where STWKNR = ? [and STAKID = ? [and STGEWK = ?]]" on starter, values bound.
SqlTeil starter_where(const LosAuswahl &a);

// Resolves typed class names to their stored form as the participant register
// does (exact, else a single partial match, else the picker of hilfe; nullptr
// treats several matches as not found). Trims both fields. Returns 0, or
// 31002 / 31003 for a class that does not resolve. Shows nothing.
int los_auswahl_pruefen(LosAuswahl &a, Auswahlhilfe *hilfe);

// Sets STSORT = nummer for the participants of club los in the selection;
// los 0 (or less) means every participant of the selection. False on error.
bool exec_update(const LosAuswahl &a, int los, int nummer);

// One row of the club list: a club with participants in the selection.
struct LosVerein {
    int wknr = 0;
    int stlos = 0;
    int anzahl = 0;
    int max_sort = 0;
    int min_sort = 0;
    QString vename;
    QString veverb;

    // The draw number, or "*" when the club's participants carry different ones.
    QString calcSort() const;
};

// The clubs of the selection, by smallest draw number, then lot number;
// nullopt on a database error.
std::optional<QVector<LosVerein>> losen_vereine(const LosAuswahl &a);

// The automatic draw without any message: federations in random order, the
// clubs of each federation in random order, numbered 1, 2, ... across the
// whole selection. Seeded from the clock without seed; the same seed gives
// the same draw. Runs in one transaction; on failure nothing of it remains and
// the selection's draw numbers are set back to 0 (as far as the database
// still allows). True on success.
bool losen_ziehen(const LosAuswahl &a, std::optional<quint32> seed = std::nullopt);

// losen_ziehen followed by 309 on success or 2003 on failure.
bool losen_auto(const LosAuswahl &a, std::optional<quint32> seed = std::nullopt);

// "Initialisieren": draw number 0 for every participant of the selection.
bool losen_initialisieren(const LosAuswahl &a);

// A draw number typed by hand: 0 and nummer set for an integer (blanks around
// it are ignored), else 21004.
int los_eingabe_pruefen(const QString &text, int &nummer);

// Sets the draw number of one club (only that club, whatever its lot number).
bool los_setzen(const LosAuswahl &a, int los, int nummer);

} // namespace obi
