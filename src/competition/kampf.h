// The bout bookkeeping of a weight class's list: the advancement pass, the
// result store with everything it causes (places, loser slots, repechage
// groups, automatic tables), and the annulment chain.
//
// Every public operation runs in one transaction and holds the weight
// class's writer lock (SQLite's write lock, an advisory lock on PostgreSQL)
// while it reads the list, so several copies storing results for the same
// list never work on a stale reading. The list and its template are read
// once per operation, resolved in memory, and only changed rows are written.
#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace obi {

// Advancement pass: fills the fighters of every open bout from the positions
// its template row names and decides walk-overs (byes, withdrawn
// participants), repeated until nothing changes. 31045 when the class has no
// list or rows of several types. False when nothing could be written.
bool auto_kampf(int wk, const QString &akid, const QString &gewk);

// Stores the result of a bout and everything it causes, then runs the
// advancement pass, all in one transaction. The bout must be pending with
// exactly these two fighters (or already decided with the same winner, which
// only updates score, time and remark); otherwise someone else changed it
// meanwhile and 3005 is shown. 3006 when the bout has no template row.
bool schreibe_kampf(int wk, const QString &akid, const QString &gewk, bool streichung, int verlierer,
                    int sieger, int pos, const QString &bemerkung, const QString &zeit, const QString &wertung);

// Annuls a decided bout and everything that depends on it (places, loser
// slots, repechage group, later bouts, the protocol, table places and a pool
// list's final round), then runs the advancement pass, in one transaction.
// With erwarteter_sieger the annulment is refused (3005) when the bout no
// longer holds that winner, so a newer result is never taken back unseen.
bool storno_kampf(int wk, const QString &akid, const QString &gewk, int pos,
                  std::optional<int> erwarteter_sieger = std::nullopt);

// Takes the weight class's writer lock for the rest of the current
// transaction (a no-op on SQLite, whose transactions hold the write lock).
// Everything that rewrites a list takes it first.
bool klasse_sperren(int wk, const QString &akid, const QString &gewk);

// Sets STPLTZ of a participant to the text of place n (0 clears it).
void schreibe_platz(int wk, int stnr, int platz);

// 0 "noch offen", 1 "anstehend", 5 "entschieden", else the number.
QString kampf_status(int status);

// WLSTNR at a position; -1 when there is not exactly one row.
int get_stnr(int wk, const QString &akid, const QString &gewk, int pos);

// STSTAT of a participant; 0 when there is not exactly one row.
int get_status_starter(int wk, int stnr);

// Automatic table of a round robin or pool list: when the table bouts are
// complete and nothing after them is decided, ranks the table(s) and saves
// the places unless equal wins need the operator (3011); 310 otherwise.
void plaetze_rechnen_auto(int wk, const QString &akid, const QString &gewk);

struct Ergebnisse {
    int siege = 0;
    int plus = 0;  // points scored in won bouts
    int minus = 0; // points of the bouts the opponents won
};
// Decided bouts against real opponents up to bout position bis_pos.
Ergebnisse lesen_ergebnisse(int wk, int stnr, int bis_pos);

// art 'E': the final place text; art 'P': the pool place ("2.") or empty.
QString lese_platz(int wk, int stnr, QChar art);

struct NameVerein {
    QString name;   // "Name, Vorname"
    QString verein; // "Verein/Verband"
};
// The participant at a position; empty texts for a bye or an unknown one.
NameVerein get_name_verein(int wk, const QString &akid, const QString &gewk, int pos);

struct NameWertung {
    QString name, wertung, zeit;
};
// Winner's name, score and time of a decided bout ("**"/"***" after a withdrawal).
NameWertung get_name_wrtg(int wk, const QString &akid, const QString &gewk, int pos);

// Name and club of a start number; nullopt when there is not exactly one.
std::optional<NameVerein> get_name_verein_stnr(int wk, int stnr);

// Deletes the protocol rows of one bout.
bool loeschen_protokoll(int wk, const QString &akid, const QString &gewk, int pos);

} // namespace obi
