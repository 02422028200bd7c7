// The generic lookup tables: headers (tabkopf) and entries (tabpos), with the
// checks of the lookup-table editor. All rows use TPFIRM/TKFIRM "000".
#pragma once

#include "basis.h"

#include <QString>
#include <QVector>

#include <optional>

namespace obi
{

struct TabKopf {
    QString tab; // TKTAB
    QString bez; // TKBEZ
    int klen = 0; // TKKLEN, maximum key length
    QString wert; // TKWERT, caption of TPWERT; empty = not used
    QString zus1; // TKZUS1, caption of TPZUS1
    QString zus2; // TKZUS2, caption of TPZUS2

    bool hatWert() const { return !trim_rechts(wert).isEmpty(); }
    bool hatZus1() const { return !trim_rechts(zus1).isEmpty(); }
    bool hatZus2() const { return !trim_rechts(zus2).isEmpty(); }
};

struct TabEintrag {
    QString schluessel; // TPKEY
    QString bez; // TPBEZ
    QString zus1; // TPZUS1
    QString zus2; // TPZUS2
    QString wert = QStringLiteral("0"); // TPWERT as shown (decimal comma)
};

// The table list: every header, ordered by name.
QVector<TabKopf> tabkopf_liste();
// The select behind the table list (no values to bind).
QString tabkopf_liste_sql();
std::optional<TabKopf> tabkopf_lesen(const QString &tabelle);

// The entries of one table whose key starts with suche (trailing blanks of
// suche ignored; empty = all), ordered by key.
SqlTeil tabpos_auswahl(const QString &tabelle, const QString &suche);
QVector<TabEintrag> tabpos_liste(const QString &tabelle, const QString &suche = {});
std::optional<TabEintrag> tabpos_lesen(const QString &tabelle, const QString &schluessel);

// How the editor stores a key: upper-case, no trailing blanks.
QString tab_schluessel_normal(const QString &schluessel);

// Checks a key as the editor does when the key field is left: normalises it
// in place, refuses a key longer than TKKLEN ("Schlüsselfeld ist zu lang") and,
// for a new entry, a key that exists already (18001). Shows the message; false
// when refused.
bool tab_schluessel_pruefen(const TabKopf &kopf, QString &schluessel, bool neu);
// The value must read as a number; else "Eingabe ist nicht numerisch".
bool tab_wert_pruefen(const QString &wert);

// Writes an entry (new: insert, otherwise update of the existing key) with
// the change columns. Runs the key and value checks first; a failed write
// shows "Fehler beim Datenzugriff". True on success.
bool tabpos_speichern(const TabKopf &kopf, TabEintrag eintrag, bool neu);
// Deletes one entry; "Fehler beim Datenzugriff" when that fails.
bool tabpos_loeschen(const QString &tabelle, const QString &schluessel);

} // namespace obi
