#pragma once

#include <QString>

namespace obi {

// Number of participants of a weight class, withdrawn ones included.
int calc_anzahl(int wk, const QString &akid, const QString &gewk);

// Smallest list type that holds n participants (by LKMAXT, then LKSORT);
// empty after message 31041 when none does.
QString vorschlag_liste(int n);

// 0 when the type can be used for the class, else the number of the message
// that explains why not (31042, 31043, 31044, 31007, 31052).
int pruefen_listentyp(const QString &typ, int wk, const QString &akid, const QString &gewk);

// True when the class has no wk_liste row at that position.
bool los_frei(int wk, const QString &akid, const QString &gewk, int pos);

// Builds the bout list of one weight class in one transaction. An empty typ
// asks for a proposal; on return typ holds the type actually used. neu
// regenerates (after the confirmations) an existing list. True when the class
// has a usable list afterwards.
bool schreiben_liste(int wk, const QString &akid, const QString &gewk, QString &typ, bool neu);

} // namespace obi
