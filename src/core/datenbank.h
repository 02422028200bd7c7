// The data module: one database connection per copy of the program and the
// general data-access services every window uses. SQLite is the embedded
// default; PostgreSQL serves several computers sharing one database.
#pragma once

#include "basis.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

namespace obi {

enum class Dialekt { SQLite, Postgres };

// Section "database" of obitrack.ini.
struct DbEinstellungen {
    QString server;   // db_server: host[:port]; empty = embedded SQLite
    QString datei;    // db_file: SQLite file (relative to the INI's folder) or PostgreSQL database
    QString benutzer; // db_user
    QString passwort; // db_pw; empty = PostgreSQL's own credential sources

    bool istPostgres() const { return !server.trimmed().isEmpty(); }
    // The SQLite file to open: db_file relative to the INI's folder, or
    // "obitrack5.db" in the user's data folder when db_file is empty.
    QString sqlitePfad() const;

    static DbEinstellungen ausIni();
};

// Where swallowed database errors are written, so that a fault during a
// tournament can be diagnosed afterwards. $OBITRACK_LOG overrides.
QString fehlerprotokoll_pfad();
void protokolliere_fehler(const QString &wo, const QString &sql, const QString &fehler);

class Transaktion;

// Result of the last successful get_tabsatz, held until the next call.
struct TabSatz {
    QString tab_schluessel;  // TPKEY
    QString tab_bezeichnung; // TPBEZ; cleared at every call
    QString tab_zusatz1;     // TPZUS1
    QString tab_zusatz2;     // TPZUS2
    QString tab_zusatz3;     // TPZUS3
    int tab_nummer1 = 0;     // TPNUM1
    int tab_nummer2 = 0;     // TPNUM2
    double tab_wert = 0;     // TPWERT
    double tab_zahl = 0;     // TPZAHL
};

class Tdm
{
public:
    Tdm();
    ~Tdm();
    Tdm(const Tdm &) = delete;
    Tdm &operator=(const Tdm &) = delete;

    // ---- Connection ------------------------------------------------------
    // Opens the connection; on failure the driver's text is in fehler
    // (empty when the driver gives none). A new SQLite file is created empty.
    bool verbinden(const DbEinstellungen &e, QString *fehler = nullptr);
    void trennen();
    // Drops and reopens the connection with the same settings.
    bool neu_verbinden(QString *fehler = nullptr);
    bool verbunden() const;
    const DbEinstellungen &einstellungen() const { return m_einstellungen; }
    QSqlDatabase db() const;
    Dialekt dialekt() const { return m_dialekt; }
    QString verbindungsname() const { return m_name; }

    // ---- Statements --------------------------------------------------------
    // Runs a statement with bound values; false on any error, which is
    // logged and kept in letzter_fehler() but never shown.
    bool Execute_SQL(const QString &sql, const QVariantList &werte = {});
    bool Execute_SQL(const SqlTeil &teil) { return Execute_SQL(teil.text, teil.werte); }
    // Number of rows the select yields (counted by the database); 0 on error.
    int anzahl_Saetze(const QString &sql, const QVariantList &werte = {});
    // A prepared, executed select positioned before its first row; empty on error.
    std::optional<QSqlQuery> abfrage(const QString &sql, const QVariantList &werte = {});
    // The first column of the first row; invalid QVariant when none or on error.
    QVariant einzelwert(const QString &sql, const QVariantList &werte = {});
    // The first column of every row as text; empty optional on error.
    std::optional<QStringList> textspalte(const QString &sql, const QVariantList &werte = {});
    QString letzter_fehler() const { return m_letzterFehler; }

    // ---- Dialect -------------------------------------------------------------
    // upper() that treats German umlauts like gross_schreiben on both engines.
    QString sql_gross(const QString &ausdruck) const;

    // ---- General services (tdm_dienste.cpp) -------------------------------------
    // Highest value of column plus increment (empty table: 0 + increment),
    // within the current tournament unless schluesselspalte is "*"; 0 on error.
    // Table and column names are program constants and must be identifiers.
    int get_lfdn(const QString &tabelle, const QString &spalte, int inkrement, const QString &schluesselspalte);
    // Looks key up in the lookup table: a key that begins exactly one entry
    // finds it; an exact key wins over longer ones. The row goes to tabsatz().
    bool get_tabsatz(const QString &tabelle, const QString &schluessel);
    const TabSatz &tabsatz() const { return m_tabsatz; }
    // WKBEZ of the tournament; message 19002 and empty for a number that is no
    // integer or a database error.
    QString get_WKName(const QString &nummer);
    QString get_WKSatz(const QString &nummer);
    // The column COLUMN1 of the select's first row; 0 on error.
    double summe(const QString &sql, const QVariantList &werte = {});

    // ---- Transactions --------------------------------------------------------
    int transaktionsTiefe() const { return m_tiefe; }

    // The process-wide data module of the running program (may be null in tests
    // that do not need one).
    static Tdm *instanz();
    static void setze_instanz(Tdm *dm);
    // For the calling thread only (a worker with its own connection); null
    // goes back to the process-wide one.
    static void setze_thread_instanz(Tdm *dm);

private:
    friend class Transaktion;
    bool beginnen();
    bool abschliessen(bool commit);
    void fehler_merken(const QString &wo, const QString &sql, const QString &text);

    QString m_name;
    DbEinstellungen m_einstellungen;
    Dialekt m_dialekt = Dialekt::SQLite;
    QString m_letzterFehler;
    int m_tiefe = 0;
    bool m_nurRollback = false;
    TabSatz m_tabsatz;
};

// The current data module; asserts that one is set.
Tdm &dm();

// A scoped transaction. Nested use joins the outer one: only the outermost
// begins and commits; an inner one left without commit() makes the whole
// transaction roll back. Without commit() the destructor rolls back.
// On SQLite the write lock is taken at the start (BEGIN IMMEDIATE) so two
// copies never deadlock upgrading a read lock.
class Transaktion
{
public:
    explicit Transaktion(Tdm &dm);
    ~Transaktion();
    Transaktion(const Transaktion &) = delete;
    Transaktion &operator=(const Transaktion &) = delete;

    bool aktiv() const { return m_aktiv; } // false when BEGIN failed
    bool commit();                         // true when the work is (or will be) committed
    void rollback();

private:
    Tdm &m_dm;
    bool m_aktiv = false;
    bool m_fertig = false;
};

} // namespace obi
