// Age classes of a tournament (table klassen) with the weight classes their
// weight table gives (table gew_klassen): field checks, the scoreboard
// defaults of a new row, saving with the weight-class generation, deleting.
// The age-class window, the CLI and the demo tournament use these. The checks
// and actions show their messages themselves (some are notices in the
// middle of a check); the result tells the caller where to put the focus.
#pragma once

#include <QString>
#include <QVector>

#include <optional>

namespace obi
{

// One age class as stored.
struct Altersklasse {
    QString akid; // AKAKID
    QString gewt; // AKGEWT, key of the weight table
    int jgmi = 0; // AKJGMI, oldest year of birth
    int jgma = 9999; // AKJGMA, youngest year of birth
    QString mw = QStringLiteral("M");
    QString text; // AKTEXT
    int kati = 0; // AKKATI, fight time in seconds
    int gsti = 0; // AKGSTI, golden-score time in seconds
    bool ohneWaza = false; // AKWAZA
    bool ohneYuko = false; // AKYUKO
    bool wazaZuIppon = false; // AK2WAZ
    int mshd = 4; // AKMSHD
    QString rstr = QStringLiteral(" "); // AKRSTR, key of lookup table Strafen
    int hgtm = 0; // AKHGTM
    int htg2 = 0; // AKHTG2
};

// The edit fields of the age-class window as texts, with the two
// descriptions shown beside the lookup keys.
struct AltersklasseEingabe {
    QString akid;
    QString mw;
    QString gewt;
    QString gewtBez;
    QString jgmi;
    QString jgma;
    QString kati;
    QString gsti;
    QString mshd;
    QString rstr;
    QString rstrBez;
    QString hgtm;
    QString htg2;
    QString text;
    bool ohneWaza = false;
    bool ohneYuko = false;
    bool wazaZuIppon = false;
};

// Result of a check or an action: the message shown (0 = fine) and the code
// of the field to put the focus on ("AKID", "GEWT", ...; empty for none).
struct AkErgebnis {
    int meldung = 0;
    QString feld;
    bool ok() const { return meldung == 0; }
};

// ---- Fields ----------------------------------------------------------------
AltersklasseEingabe altersklasse_eingabe(const Altersklasse &a);
// The values of a new row: "M", 0, 9999, max. shidos 4, relevance blank.
AltersklasseEingabe altersklasse_neu_eingabe();
// What the window does after filling the fields: when the hold-down time
// holds no positive number, the scoreboard defaults of obitrack.ini are
// taken; then both descriptions are looked up.
void altersklasse_vorgaben(AltersklasseEingabe &e);
void altersklasse_feldtexte(AltersklasseEingabe &e);

// The field code of a control name: characters 4 to 7 ("edtHTG2" -> "HTG2").
QString altersklasse_feldcode(const QString &objektname);

// Runs the check of one field code, or all of them in order for "*", and
// stops at the first failure, which it shows. Normalised values (lookup
// keys, upper-case sex, "0" for empty numbers, swapped years, the replaced
// waza-ari hold-down time) are written back into e.
// neu: a new row (only then is the name checked against existing ones).
AkErgebnis altersklasse_pruefen(AltersklasseEingabe &e, const QString &code, bool neu, int wk);

// ---- Weight classes ----------------------------------------------------------
struct GewichtsklasseVorlage {
    QString name; // GKGEWK, trailing blanks removed
    int sort = 0; // GKSORT, 1, 2, 3 ... over the non-empty pieces
    int gewicht = 0; // GKGEWN
    bool ohneZiffer = false;
};
// Numeric weight of a weight-class name: 999 with a "+", else all decimal
// digits joined ("-46,5" gives 465), 0 without digits.
int gewichtsklasse_zahl(const QString &name);
// The weight classes of a weight-table text (names separated by ";"); empty
// pieces are skipped without a gap in the sort numbers.
QVector<GewichtsklasseVorlage> gewichtsklassen_zerlegen(const QString &liste);
// Regenerates the weight classes of an age class from a weight-table text:
// message 3001 when participants use the age class, a warning for every
// name without digits, then old classes deleted and new ones written in one
// transaction (all or nothing; 19902 on failure).
bool anlegen_gewichtsklassen(int wk, const QString &akid, const QString &liste);

// ---- Reading -------------------------------------------------------------------
// Age classes of the tournament by name; empty optional on a read error.
std::optional<QVector<Altersklasse>> altersklassen_lesen(int wk);
std::optional<Altersklasse> altersklasse_lesen(int wk, const QString &akid);

struct GewichtsklasseZeile {
    QString akid;
    QString gewk;
    int sort = 0;
    int gewicht = 0;
    int teilnehmer = 0; // participants of the age class in this weight class
};
// Weight classes of the tournament (of one age class when akid is not
// empty), by age class and sort number; empty optional on a read error.
std::optional<QVector<GewichtsklasseZeile>> gewichtsklassen_lesen(int wk, const QString &akid = {});

// Whether participants of the tournament carry this age class; empty on a read error.
std::optional<bool> altersklasse_hat_teilnehmer(int wk, const QString &akid);

// ---- Writing -------------------------------------------------------------------
// Checks all fields and writes a new (neu) or the changed age class. Its
// weight classes are (re)generated in the same transaction when the row is
// new or its weight table changed, so a failure leaves neither half done.
// 18001 when another copy created the name meanwhile, 9901 when the row to
// change is gone, 19902 when the database refuses.
AkErgebnis altersklasse_speichern(AltersklasseEingabe &e, bool neu, int wk);
// Refuses with 18002 when participants refer to the age class (19902 on a
// read error); shows the message.
bool altersklasse_loeschen_moeglich(int wk, const QString &akid);
// Deletes the age class and its weight classes in one transaction, unless
// participants refer to it (18002); 19902 on failure.
AkErgebnis altersklasse_loeschen(int wk, const QString &akid);

} // namespace obi
