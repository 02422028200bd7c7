// The participant register (table starter) of the main window: selection,
// field checks, saving, deleting, counting per club and the field
// activations of a tournament. Every function takes the data module and the
// tournament number, so other copies of the program and the CLI use the same
// code as the window.
#pragma once

#include "core/basis.h"

#include <QString>
#include <QVector>

#include <optional>

namespace obi {

class Tdm;

// ---- Selection -------------------------------------------------------------

// The four search fields of the main window.
struct Suchfelder {
    QString altersklasse;
    QString name;
    QString gewichtsklasse;
    QString los;
};

// Age class, name and weight class upper-cased and without trailing blanks;
// the lot number without trailing blanks and emptied when it is no integer.
void suchfelder_normalisieren(Suchfelder &s);

// The participant selection: "select * from starter s, vereine v where ..."
// joined with the clubs (participants whose lot has no club row are not
// listed), without "order by". Age class and weight class match as prefix,
// the name as substring, all upper-case; the lot number exactly. Values are
// bound, never part of the text. The fields are expected normalised.
SqlTeil teilnehmer_auswahl(const Tdm &d, int wknr, const Suchfelder &s);

// The last selection of the main window (the "auswahl_bedingung" of the
// program): the select of teilnehmer_auswahl with its bound values. Reports
// "nach Auswahl" read it and run it as it is (or wrap it:
// "select ... from (" + text + ") x"), always binding its werte. Empty text
// when no list has been read yet.
SqlTeil &auswahl_bedingung();

// One participant as the grid and the panel show it.
struct Teilnehmer {
    int stnr = 0;
    QString akid;
    QString name;
    QString vnam;
    QString gewk;
    int jg = 0;
    int los = 0;
    double gewn = 0.0;
    QString pltz;
    int setz = 0;
    QString text;
    int stat = 0;
    QString vename;
    QString veverb;
};

// Runs a selection ordered by name and first name; nullopt on a database error.
std::optional<QVector<Teilnehmer>> teilnehmer_lesen(Tdm &d, const SqlTeil &auswahl);

// ---- Panel and field checks -------------------------------------------------

// The edit panel's fields as typed.
struct TeilnehmerEingabe {
    QString akid;
    QString name;
    QString vnam;
    QString gewk;
    QString jg;
    QString los;
    QString setz;
    QString gewn;
    QString pltz;
    QString text;
    QString stnr;
    QString vename; // read only, from the club
    QString veverb;
};

// The panel as "&Neuer Satz" leaves it: empty texts, start number, year and
// lot "0", weight 0,0.
TeilnehmerEingabe leere_eingabe();
// The panel filled from a participant (weight with one decimal, list position
// empty when 0).
TeilnehmerEingabe eingabe_aus(const Teilnehmer &t);

// Pickers the checks may need; the window opens its dialogs, batch callers
// pass nullptr (several matches then count as not found).
class Auswahlhilfe
{
public:
    virtual ~Auswahlhilfe() = default;
    // Age-class picker with a filter; true and the chosen class when one was chosen.
    virtual bool altersklasse_waehlen(const QString &filter, QString &gewaehlt) = 0;
    // Weight-class picker of one age class.
    virtual bool gewichtsklasse_waehlen(const QString &akid, const QString &filter, QString &gewaehlt) = 0;
    // Club window for a lot number without club; true and the lot number of
    // the club it created or chose.
    virtual bool verein_anlegen(const QString &los, QString &neuesLos) = 0;
};

// Resolves an age class: exact (upper-case) match, else a single substring
// match, else the picker with "%" + text. The text becomes the stored form.
bool pruefen_altersklasse(Tdm &d, int wknr, QString &akid, Auswahlhilfe *hilfe);
// The same without picker: several matches give false (registration imports).
bool pruefen_altersklasse_batch(Tdm &d, int wknr, QString &akid);
// Resolves a weight class of an age class the same way.
bool pruefen_gewichtsklasse(Tdm &d, int wknr, const QString &akid, QString &gewk, Auswahlhilfe *hilfe);
// Whether the year lies within the age class's limits (both 0 = any year).
bool pruefen_jahrgang(Tdm &d, int wknr, const QString &akid, int jahr);
// Looks the club of a lot number up; with anlegen and no club the club window
// is asked through hilfe and its lot number looked up again. Fills vename and
// veverb (emptied when not found).
bool pruefen_losnummer(Tdm &d, int wknr, QString &los, bool anlegen, Auswahlhilfe *hilfe, QString &vename,
                       QString &veverb);

// Year completion when the field is left: 41..99 -> 19xx, 10..39 -> 20xx,
// 1..9 -> 200x, "00" -> 2000; 40 and everything else stay.
QString jahrgang_ergaenzen(const QString &jg);
// Year completion on saving: 1..50 -> 20xx, 51..99 -> 19xx.
int jahrgang_vollstaendig(int jahr);
// Place completion: "3" -> "3.", a text with "." or without a positive number stays.
QString platz_ergaenzen(const QString &pltz);

// Result of a field check: the key of the failed field and its message.
struct Pruefung {
    bool ok = true;
    QString feld; // "AKID", "NAME", "JG", "GEWK", "LOS", "SETZ", "GEWN", "STNR"
    int meldung = 0; // message number to show
};

// Field checks by key. "*" runs all, stopping at the first failure: in
// change mode ("U") first the start number (21010: nothing to change), then
// "AKID" (31002), "NAME" (21001), "JG" format (21003) and range (31004),
// "GEWK" (31003), "LOS" (21003, 31005), "SETZ" (21003), "GEWN" (21003),
// "PLTZ". "JGF" runs only the year format, as when the year field is left;
// the range runs with "*" and "JG". Shows nothing: the caller shows the
// message and moves the focus. Completed values (stored age class, year,
// club) are written back into e.
Pruefung check_zusammen(Tdm &d, int wknr, TeilnehmerEingabe &e, const QString &schluessel, const QString &modus,
                        Auswahlhilfe *hilfe);

// ---- Writing -----------------------------------------------------------------

// Result of saving: the start number, or the message of a failed check or write.
struct Speicherergebnis {
    bool ok = false;
    int stnr = 0;
    Pruefung pruefung; // failed check (ok == false and pruefung.ok == false)
    int meldung = 0; // 19902 when the write failed
};

// Runs all checks and writes the panel: modus "U" updates the participant
// e.stnr (the draw number STSORT stays), "I" inserts a new one with the
// tournament's highest start number + 1, unique also when several copies
// save at the same time. The new start number is written into e.stnr.
Speicherergebnis teilnehmer_speichern(Tdm &d, int wknr, TeilnehmerEingabe &e, const QString &modus,
                                      Auswahlhilfe *hilfe);

// Deletes one participant; false on a database error.
bool teilnehmer_loeschen(Tdm &d, int wknr, int stnr);

// "Löschen (Auswahl)": the condition on starter alone (" where STWKNR = ? ...").
SqlTeil auswahl_loeschen_bedingung(const Tdm &d, int wknr, const Suchfelder &s);
int auswahl_loeschen_anzahl(Tdm &d, int wknr, const Suchfelder &s);
enum class LoeschErgebnis { Geloescht, Geaendert, Fehler };
// Deletes the selection in one transaction, but only when it still holds the
// confirmed number of participants (another copy may have changed it since
// the question); otherwise nothing is deleted.
LoeschErgebnis auswahl_loeschen(Tdm &d, int wknr, const Suchfelder &s, int bestaetigt);

// "Teilnehmer zählen": VEANZA of every club with participants, in one
// transaction. Clubs without participants keep their value. False on error.
bool teilnehmer_zaehlen(Tdm &d, int wknr);

// ---- Field activations ---------------------------------------------------------

struct Feldaktivierung {
    bool jahrgang = false; // WKFLDJ
    bool gewicht = false; // WKFLDL
    bool platz = false; // WKFLDP
    bool bemerkung = false; // WKFLDB
    bool setzplatz = false; // WKFLDS
};
Feldaktivierung feldaktivierung_lesen(Tdm &d, int wknr);
bool feldaktivierung_schreiben(Tdm &d, int wknr, const Feldaktivierung &f);

// ---- Start-number dialog --------------------------------------------------------

// Checks a typed or scanned start number with its check digit as last digit:
// 21005 (one character or less), 21003 (no integer), 31008 (check digit
// wrong), 31009 (no such participant). 0 and stnr set when valid.
int stnr_eingabe_pruefen(Tdm &d, int wknr, const QString &eingabe, int &stnr);

} // namespace obi
