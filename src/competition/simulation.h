// Plays a tournament's bout lists with random plausible results, for trying
// out lists, printed sheets and the places without a real event, and for
// the tests that check the lists end in a sound state.
#pragma once

#include <QString>

#include <random>

namespace obi {

// Decides every pending bout of one weight class (both fighters real) through
// the result store, with a random winner, a score from "10", "07", "05", "01"
// and a time within the age class's fight time (4:00 when it has none), until
// nothing is pending. A table the engine left unsaved because of equal wins is
// ranked and saved as the operator would (equal wins kept in table order), so
// a pool list's final round goes on. At most max_kaempfe bouts when it is not
// negative. Returns the number of bouts decided here. Bouts are taken in list
// order (WLSORT, position), so the same generator state gives the same result.
int simuliere_klasse(int wk, const QString &akid, const QString &gewk, std::mt19937 &zufall, int max_kaempfe = -1);

// simuliere_klasse for every weight class of the tournament that has a list,
// in a fixed order, with one generator started from seed.
int simuliere_turnier(int wk, quint32 seed);

} // namespace obi
