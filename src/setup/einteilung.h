// Weight-class division: moving participants of one age class between its
// weight classes, adding classes (pools) for groups formed by hand, discarding
// such a division, and repairing participants whose weight class is gone.
//
// Base classes come from the weight table (sort number below 100); added
// classes get sort numbers from 101 and the numeric weight 4765, so lookups
// by weight never pick them before a base class.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

namespace obi {

// Numeric weight of an added class: above every real limit (999 = open class).
inline constexpr int kGewichtZusatzklasse = 4765;
// Sort numbers of added classes start above this.
inline constexpr int kSortZusatzklassen = 100;

struct EinteilungStarter {
    int stnr = 0;
    double gewicht = 0;
    QString name;
    QString vorname;
    int jahrgang = 0;
    QString verein;
    QString verband;
};

// ---- Reading -------------------------------------------------------------
// Age classes of the tournament by name; empty optional on a read error.
std::optional<QStringList> einteilung_altersklassen(int wk);
// Weight classes of the age class in sort order; empty optional on a read error.
std::optional<QStringList> einteilung_gewichtsklassen(int wk, const QString &ak);
// Participants of one weight class with their club, lightest first; those
// without a club row are not listed. Empty optional on a read error.
std::optional<QVector<EinteilungStarter>> einteilung_starter(int wk, const QString &ak, const QString &gewk);

// Number of classes taken from the weight table (sort number below 100).
int anzahl_basisklassen(int wk, const QString &ak);
// Whether the age class may be divided by hand; shows 31053 when its weight
// table made several classes.
bool einteilung_moeglich(int wk, const QString &ak);

// ---- Moving ----------------------------------------------------------------
// Moves the participants (start numbers) from class von to class nach of the
// age class, all or none. Refused with 31037 when von equals nach or von is
// empty, with 31003 when nach is no class of the age class; 19902 on a
// database error. Any number of participants may be moved at once.
bool starter_umsetzen(int wk, const QString &ak, const QString &von, const QString &nach,
                      const QVector<int> &stnrs);

// ---- New class -----------------------------------------------------------
// "-47Kg" for a heaviest weight of 47,8 kg: the integer nearest to
// (weight - 0.49), after a minus sign, followed by "Kg".
QString gewichtsvorschlag(double schwerstes_gewicht);
// Proposal for a new class: the fixed proposal when one is given and the INI
// key [programm] prefix_pool is empty; otherwise prefix ("P" when empty)
// plus the next free number (P1, P2 ...).
QString vorschlag_gewk(int wk, const QString &ak, const QString &fester_vorschlag);

// Creates the class name (trailing blanks removed) in the age class and, in
// the same transaction, moves the given participants from class von into it.
// Refusals: 21001 empty name, 21005 longer than 10 characters, 31036 the
// class exists; 19902 on a database error. Returns the name as stored, or an
// empty optional when nothing was written.
std::optional<QString> gewk_anlegen(int wk, const QString &ak, const QString &name, const QString &von = {},
                                    const QVector<int> &stnrs = {});

// ---- Discarding ------------------------------------------------------------
// Removes the added classes of the age class (with their lists and bout
// protocols) and puts every participant of the age class back into its one
// base class with the place cleared. Refused with 31038 unless there is
// exactly one base class; asks "Einteilung wirklich verwerfen ?" first.
// True when the division was discarded.
bool einteilung_verwerfen(int wk, const QString &ak);

// ---- Repair ------------------------------------------------------------------
// Weight classes that participants of the age class carry but that the age
// class does not have; empty optional on a read error.
std::optional<QStringList> ungueltige_gewichtsklassen(int wk, const QString &ak);
// Participants of the age class in class gewk.
int anzahl_starter_gewk(int wk, const QString &ak, const QString &gewk);

struct GewkPruefung {
    enum class Art { Eindeutig, Mehrere, Keine };
    Art art = Art::Keine;
    QString klasse; // the class as stored, when Eindeutig
    QString filter; // the normalised text, for the selection when Mehrere
};
// Looks a typed class up in the age class: exact (case-insensitive) first,
// then anywhere in the name. Shows 31003 when nothing matches.
GewkPruefung pruefe_gewklasse(int wk, const QString &ak, const QString &text);

// Moves all participants of the age class from class alt into class neu.
// Refused with 31003 when neu is no class of the age class, 9901 when no
// participant has alt; 19902 on a database error. Returns the number moved,
// or -1 when nothing was changed.
int umsetzen_gewklasse(int wk, const QString &ak, const QString &alt, const QString &neu);

} // namespace obi
