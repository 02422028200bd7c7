// Tournament records (table wettkampf): reading, field checks, creating,
// updating and deleting with everything that belongs to a tournament.
#pragma once

#include <QString>
#include <QVector>

#include <optional>

namespace obi
{

class Tdm;

// The master data as the tournament window edits them (texts as typed).
struct WettkampfDaten {
    int nummer = 0; // 0 = not yet created
    QString bezeichnung;
    QString datum; // dd.mm.yyyy or any form datum_zu_zahl reads
    QString ort;
    QString leitung;
    QString startgeld; // number text, decimal comma
    QString bemerkung;
};

// One row of the tournament dialog's grid.
struct WettkampfZeile {
    int nummer = 0;
    int datum = 0; // yyyymmdd
    QString bezeichnung;
    QString ort;
    QString leitung;
};

// The select of the tournament dialog: newest date first.
QString wettkampf_liste_sql();
QVector<WettkampfZeile> wettkampf_liste();

// Reads a tournament; nullopt when it does not exist or reading fails.
std::optional<WettkampfDaten> wettkampf_lesen(int nummer);
// What a new tournament starts with: "neuer Wettkampf", today, fee 0,00.
WettkampfDaten wettkampf_vorgabe();

// Field check by key: "BEZ" name, "DATU" date, "SGLD" fee, "*" all of them in
// this order, stopping at the first failure. Shows the message (21001, 21002,
// 21003) and returns false; fehlerFeld receives the key of the failed field.
// A valid date is written back as dd.mm.yyyy.
bool wettkampf_pruefen(WettkampfDaten &d, const QString &feld, QString *fehlerFeld = nullptr);

// Saves after checking all fields: creates a tournament when d.nummer is 0
// (with a new number that stays unique when several copies create at the
// same time), otherwise updates it. Returns the tournament's number; nullopt
// after a failed check (message shown) or a failed write (message 9002).
std::optional<int> wettkampf_speichern(WettkampfDaten &d);
// The same on a given data module (another connection, e.g. in another thread).
std::optional<int> wettkampf_speichern(WettkampfDaten &d, Tdm &db);

// Deletes a tournament with every row that carries its number, in one
// transaction: all or nothing. Failure shows 11015. When it was the current
// tournament, none is current afterwards.
bool wettkampf_loeschen(int nummer);

// The tables holding rows of a tournament, with their tournament column.
struct WettkampfTabelle {
    const char *tabelle;
    const char *spalte;
};
const QVector<WettkampfTabelle> &wettkampf_tabellen();

} // namespace obi
