// Withdrawal of a participant from the bout list of their weight class: the
// participant row gets a code of lookup table "Streichungen" (STSTAT, 0 =
// active), and the advancement pass then decides their open bouts against
// them. The window TfrmStreichung and the CLI verb "withdraw" both work
// through these functions on dm(), the data module the advancement pass uses
// too. None of them shows a message of its own (the advancement pass may show
// its own); they return the number of the message to show.
#pragma once

#include <QString>

#include <optional>

namespace obi {

// The participant as the withdrawal window shows it.
struct StreichungStarter {
    int stnr = 0;
    QString akid;
    QString gewk;
    QString name;
    QString vnam;
    QString vename;
    QString veverb;
    QString stat; // STSTAT as text, "0" when it is no integer
    QString text; // STTEXT
};

// Reads a participant of tournament wknr by start number, joined with their
// club. nullopt when the start number is no integer, there is no such
// participant, the participant has no club row or reading fails.
std::optional<StreichungStarter> streichung_lesen(int wknr, const QString &stnr);

// The status field read as the integer of its digits ("x12" -> "12", empty
// -> "0").
QString streichung_code(const QString &eingabe);

struct StreichungPruefung {
    int meldung = 0;     // 0 passed; 21005 unknown code, 31054 no open bout, 19902 database error
    QString code;        // the field as it is shown after the check: the lookup row's key when found
    QString bezeichnung; // description of the code; empty when the check failed on the code
};

// The check before a withdrawal: the code must be a key of lookup table
// "Streichungen" and the participant must still have an open bout (status
// below 5) in the list of their weight class.
StreichungPruefung streichung_pruefen(int wknr, const StreichungStarter &s, const QString &eingabe);

struct StreichungErgebnis {
    int meldung = 0;           // 0 saved; 3014 participant gone, else as the check, 19902 on a failed write
    StreichungStarter starter; // as read again when saving
    QString code;
    QString bezeichnung;
    int entschieden = 0; // open bouts of the participant that the save decided
};

// Saves the withdrawal code of a participant: reads the participant again,
// repeats the check and updates STSTAT; for a code other than 0 the
// advancement pass then decides the bouts of the withdrawn participant. All of
// it runs in one transaction, so the code and the decided bouts are stored
// together or not at all (19902). Messages of the advancement pass (31045,
// 310 ...) are shown after the transaction has ended, before returning.
StreichungErgebnis streichung_speichern(int wknr, int stnr, const QString &eingabe);

} // namespace obi
