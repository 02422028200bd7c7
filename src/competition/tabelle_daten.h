// Reading and saving the table of a round robin list or of one pool of a
// pool list: what the table window shows and writes, free of any window so
// it can be tested on both databases.
#pragma once

#include "competition/tabelle.h"

#include <QString>

#include <optional>
#include <vector>

namespace obi {

// The list type of a weight class as far as the table needs it (listkopf).
struct TabellenInfo {
    QString ltyp; // LKLTYP
    QString lbez; // LKLBEZ, shown to the operator
    int tabk = 0; // LKTABK: last bout counting for the table
    int pool = 0; // LKPOOL: 1 one table, 2 two pools
    bool zwei_pools() const { return pool == 2; }
};

// The list type of the class when its list has a table. Otherwise nullopt,
// with 3004 (no list) or 3008 (list without table) shown when meldungen is
// set and written to *fehler when given (19902 for a read error).
std::optional<TabellenInfo> pruefen_auswahl(int wk, const QString &akid, const QString &gewk, bool meldungen,
                                            int *fehler = nullptr);

// True when every table bout (1..lktabk) is decided and no later bout is.
// With meldungen 3009 (table bouts open) or 3010 (a later bout decided).
bool listedit_ok(int wk, const QString &akid, const QString &gewk, int lktabk, bool meldungen);

// Pool number of the pool box text: "Pool A" 1, "Pool B" 2, anything else 99
// (no pool; its table shows the odd slots and cannot be saved).
int pool_nummer(const QString &text);

// Whether a participant slot (1001 ...) belongs to the table shown: with one
// table every slot, with two pools the even slots for pool 2, else the odd ones.
bool richtiger_pool(const TabellenInfo &info, int pool, int slot);

// The lines of the table shown, in slot order: name, club, wins and points
// (bouts up to LKTABK for a pool, all bouts for one table) and the saved
// place (the final place for one table, the pool place for a pool).
// *ok false on a read error.
std::vector<TabellenZeile> tabelle_lesen(int wk, const QString &akid, const QString &gewk, const TabellenInfo &info,
                                         int pool, bool *ok = nullptr);

// Saves the places of one table as final places (STPLTZ) of the class: every
// place of the class is cleared, then each non-blank place written. One
// transaction; 31050 and the old places kept on failure.
bool write_plaetze_starter(int wk, const QString &akid, const QString &gewk, const std::vector<TabellenZeile> &zeilen);

// Saves the places of pool 1 or 2 as pool place rows 5000 + 100·pool + place
// number and runs the advancement pass so the final round picks them up. One
// transaction; 31050 and nothing changed for an invalid pool, a place number
// outside 1..99, two lines with the same place number or a failed write.
bool write_plaetze_pool(int wk, const QString &akid, const QString &gewk, const QString &typ, int pool,
                        const std::vector<TabellenZeile> &zeilen);

// One line of the bout grid of a participant.
struct KampfZeile {
    QString gegner; // "Name, Vorname" of the opponent
    QString ergebnis; // "gewonnen", "verloren" or "offen"
    QString wertung; // score of a decided bout, else blank
};
// The table bouts (up to lktabk) of a participant against real opponents.
std::vector<KampfZeile> kaempfe_von(int wk, const QString &akid, const QString &gewk, int stnr, int lktabk);

// The INI options of section control: platz32 writes place 4 as "3.2",
// platz52 place 6 as "5.2" (a key is on when its digits give a number above
// 0). Only a single table uses them; pools never do.
struct TabellenOptionen {
    bool platz32 = false;
    bool platz52 = false;
};
TabellenOptionen tabellen_optionen(const TabellenInfo &info);

} // namespace obi
