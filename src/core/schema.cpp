#include "schema.h"

#include "basis.h"
#include "competition/listenvorlagen.h"
#include "datenbank.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace obi {

namespace {

// ---- Tables ------------------------------------------------------------------
// One definition for both engines: integer, smallint, double precision and
// varchar(n) mean the same on PostgreSQL and (by type affinity) on SQLite.
// Texts the program gives no width are varchar(255). Key columns are declared
// not null because SQLite would otherwise accept NULL in a composite key.

struct Tabelle {
    const char *name;
    const char *spalten;
    const char *schluessel; // primary key columns; nullptr = none
};

// clang-format off
const Tabelle tabellen[] = {
    {"wettkampf",
     "WKWKNR integer not null, WKBEZ varchar(60), WKORT varchar(60), WKDATU integer, WKLTG varchar(60), "
     "WKSGLD double precision, WKTEXT varchar(60), WKAUSW varchar(20), "
     "WKFLDJ integer, WKFLDL integer, WKFLDP integer, WKFLDB integer, WKFLDS integer, "
     "WKAEDA integer, WKAETI integer, WKUSER varchar(30), WKERDA integer, WKERTI integer, WKERUS varchar(30)",
     "WKWKNR"},
    {"klassen",
     "AKWKNR integer not null, AKAKID varchar(20) not null, AKGEWT varchar(255), AKJGMI integer, AKJGMA integer, "
     "AKMW varchar(1), AKTEXT varchar(255), AKKATI integer, AKGSTI integer, "
     // Defaults as the upgrade adds these columns, so both routes give the same rows.
     "AKWAZA integer not null default 0, AKYUKO integer not null default 0, AK2WAZ integer not null default 0, "
     "AKMSHD integer not null default 4, AKHGTM integer not null default 20, AKHTG2 integer not null default 20, "
     "AKRSTR varchar(10) not null default 'X'",
     "AKWKNR, AKAKID"},
    {"gew_klassen",
     "GKWKNR integer not null, GKAKID varchar(20) not null, GKGEWK varchar(10) not null, GKSORT integer, "
     "GKGEWN integer, GKSTAT integer, GKMATT varchar(20), GKTEXT varchar(80), GKLTYP varchar(20)",
     "GKWKNR, GKAKID, GKGEWK"},
    {"vereine",
     "VEWKNR integer not null, VELOS integer not null, VENAME varchar(30), VENAME_UPC varchar(30), "
     "VEVERB varchar(20), VEORT varchar(30), VETEXT varchar(60), VEMLDG integer, VEANZA integer, "
     "VESGLD integer, VEPKTE integer, VEALOS integer",
     "VEWKNR, VELOS"},
    {"starter",
     "STWKNR integer not null, STSTNR integer not null, STAKID varchar(20), STGEWK varchar(10), "
     "STNAME varchar(30), STVNAM varchar(30), STJG integer, STLOS integer, STGEWN double precision, "
     "STPLTZ varchar(10), STSETZ integer, STTEXT varchar(255), STSORT integer not null default 0, STSTAT integer",
     "STWKNR, STSTNR"},
    {"wk_liste",
     "WLWKNR integer not null, WLAKID varchar(20) not null, WLGEWK varchar(10) not null, WLLTYP varchar(20), "
     "WLLPOS integer not null, WLSTNR integer, WLBLAU integer, WLWEIS integer, WLSTAT smallint, "
     "WLWRTG varchar(20), WLZEIT varchar(20), WLTEXT varchar(255), WLDEL smallint, WLSORT integer",
     "WLWKNR, WLAKID, WLGEWK, WLLPOS"},
    // Several rows per bout, hence no key.
    {"wk_protokoll",
     "WPWKNR integer, WPAKID varchar(20), WPGEWK varchar(10), WPLPOS integer, WPZEIT integer, "
     "WPTEXT varchar(80), WPAKTI varchar(10), WPSTAT integer",
     nullptr},
    {"listkopf",
     "LKLTYP varchar(20) not null, LKLBEZ varchar(255), LKMAXT integer, LKSORT integer, LKTRPO integer, "
     "LKTABK integer, LKPOOL integer",
     "LKLTYP"},
    {"listdef",
     "LDLTYP varchar(20) not null, LDLPOS integer not null, LDBLAU integer, LDWEIS integer, LDSIEG integer, "
     "LDVERL integer, LDTEXT varchar(255)",
     "LDLTYP, LDLPOS"},
    {"matten_belegung",
     "MBWKNR integer not null, MBMATT varchar(255) not null, MBAKID varchar(255), MBGEWK varchar(255), "
     "MBKMPF varchar(255), MBAKTV integer, MBTXT2 varchar(255)",
     "MBWKNR, MBMATT"},
    {"tabkopf",
     "TKFIRM varchar(3) not null, TKTAB varchar(255) not null, TKBEZ varchar(255), TKKLEN integer, "
     "TKWERT varchar(255), TKZUS1 varchar(255), TKZUS2 varchar(255)",
     "TKFIRM, TKTAB"},
    {"tabpos",
     "TPFIRM varchar(3) not null, TPTAB varchar(255) not null, TPKEY varchar(255) not null, TPBEZ varchar(255), "
     "TPWERT double precision, TPZAHL double precision, TPNUM1 integer, TPNUM2 integer, "
     "TPZUS1 varchar(255), TPZUS2 varchar(255), TPZUS3 varchar(255), "
     "TPAEDA integer, TPAETI integer, TPUSER varchar(255)",
     "TPFIRM, TPTAB, TPKEY"},
    {"bc_convert",
     "CDORG varchar(10) not null, CDBARC varchar(10)",
     "CDORG"},
    {"vereinsliste",
     "VLVEID integer not null, VLNAME varchar(255), VLNAME_UPC varchar(255), VLVERB varchar(255), "
     "VLVERN varchar(255)",
     "VLVEID"},
    {"temp_vereine",
     "TMUSER varchar(255) not null, TMWKNR integer not null, TMLFDN integer not null, TMLOS integer, "
     "TMVERN varchar(255), TMVERB varchar(255), TMPKTE integer",
     "TMUSER, TMWKNR, TMLFDN"},
};

// The lookups the windows make; bouts and weight classes of a class are
// already served by the primary keys.
const char *const indizes[] = {
    "create index ix_starter_klasse on starter (STWKNR, STAKID, STGEWK)",
    "create index ix_starter_name on starter (STWKNR, STNAME)",
    "create index ix_starter_los on starter (STWKNR, STLOS)",
    "create index ix_vereine_name on vereine (VEWKNR, VENAME_UPC)",
    "create index ix_wk_protokoll_kampf on wk_protokoll (WPWKNR, WPAKID, WPGEWK, WPLPOS)",
    "create index ix_vereinsliste_name on vereinsliste (VLNAME_UPC)",
};

// ---- Views -----------------------------------------------------------------------
// Plain joins, CASE and LIKE only, so the same text runs on both engines.

const char *const sichten[] = {
    // Bout rows only: the final-bout lists take the highest position as the final.
    "create view v_wkliste_kaempfe as select "
    "w.WLWKNR, w.WLAKID, w.WLGEWK, w.WLLTYP, w.WLLPOS, w.WLSTNR, w.WLBLAU, w.WLWEIS, w.WLSTAT, "
    "w.WLWRTG, w.WLZEIT, w.WLTEXT, w.WLDEL, w.WLSORT, "
    "l.LDTEXT as WLLTXT, "
    "sb.STNAME as STNAME_blau, sb.STVNAM as STVNAM_blau, sb.STJG as STJG_blau, sb.STPLTZ as STPLTZ_blau, "
    "vb.VENAME as VENAME_blau, vb.VEVERB as VEVERB_blau, "
    "sw.STNAME as STNAME_weiss, sw.STVNAM as STVNAM_weiss, sw.STJG as STJG_weiss, sw.STPLTZ as STPLTZ_weiss, "
    "vw.VENAME as VENAME_weiss, vw.VEVERB as VEVERB_weiss "
    "from wk_liste w "
    "left join listdef l on l.LDLTYP = w.WLLTYP and l.LDLPOS = w.WLLPOS "
    "left join starter sb on sb.STWKNR = w.WLWKNR and sb.STSTNR = w.WLBLAU "
    "left join vereine vb on vb.VEWKNR = sb.STWKNR and vb.VELOS = sb.STLOS "
    "left join starter sw on sw.STWKNR = w.WLWKNR and sw.STSTNR = w.WLWEIS "
    "left join vereine vw on vw.VEWKNR = sw.STWKNR and vw.VELOS = sw.STLOS "
    "where w.WLLPOS between 1 and 999",

    // WLWKNR too: the export filters by tournament.
    "create view v_wkliste_export as select "
    "w.WLWKNR, w.WLAKID, w.WLGEWK, w.WLLPOS, w.WLSTNR, w.WLWRTG, w.WLZEIT, w.WLBLAU, w.WLWEIS, "
    "w.WLSTAT, w.WLTEXT, w.WLLTYP, "
    "sb.STNAME as STNAME_Blau, sb.STVNAM as STVNAM_Blau, vb.VENAME as VENAME_Blau, vb.VEVERB as VEVERB_Blau, "
    "sw.STNAME as STNAME_Weiss, sw.STVNAM as STVNAM_Weiss, vw.VENAME as VENAME_Weiss, vw.VEVERB as VEVERB_Weiss, "
    "ss.STNAME as STNAME_Sieger, ss.STVNAM as STVNAM_Sieger, vs.VENAME as VENAME_Sieger, "
    "vs.VEVERB as VEVERB_Sieger "
    "from wk_liste w "
    "left join starter sb on sb.STWKNR = w.WLWKNR and sb.STSTNR = w.WLBLAU "
    "left join vereine vb on vb.VEWKNR = sb.STWKNR and vb.VELOS = sb.STLOS "
    "left join starter sw on sw.STWKNR = w.WLWKNR and sw.STSTNR = w.WLWEIS "
    "left join vereine vw on vw.VEWKNR = sw.STWKNR and vw.VELOS = sw.STLOS "
    "left join starter ss on ss.STWKNR = w.WLWKNR and ss.STSTNR = w.WLSTNR "
    "left join vereine vs on vs.VEWKNR = ss.STWKNR and vs.VELOS = ss.STLOS "
    "where w.WLLPOS between 1 and 999",

    // VEVERB too: the export writes the code beside the name. The federation
    // names are grouped first so that a code entered under both "VERBAND" and
    // "Verband" cannot count its participants twice.
    "create view v_medaillen_verband as select "
    "s.STWKNR, v.VEVERB, coalesce(t.TPBEZ, v.VEVERB) as TPBEZ, "
    "sum(case when s.STPLTZ = '1.' then 1 else 0 end) as P1, "
    "sum(case when s.STPLTZ = '2.' then 1 else 0 end) as P2, "
    "sum(case when s.STPLTZ like '3%' then 1 else 0 end) as P3, "
    "sum(case when s.STPLTZ like '5%' then 1 else 0 end) as P5, "
    "sum(case when s.STPLTZ like '7%' then 1 else 0 end) as P7, "
    "count(*) as TN "
    "from starter s "
    "join vereine v on v.VEWKNR = s.STWKNR and v.VELOS = s.STLOS "
    "left join (select TPKEY, max(TPBEZ) as TPBEZ from tabpos "
    "where TPFIRM = '000' and upper(TPTAB) = 'VERBAND' group by TPKEY) t on t.TPKEY = v.VEVERB "
    "group by s.STWKNR, v.VEVERB, t.TPBEZ",
};
// clang-format on

// ---- Lookup rows ---------------------------------------------------------------
// Headers and rows of a new database; the rows the upgrade writes are the same
// here, so an upgraded and a new database cannot differ. Columns left nullptr
// are not written, as in the upgrade's inserts.

struct Kopf {
    const char *tab;
    const char *bez;
    const char *klen;
    const char *wert = nullptr; // caption of TPWERT
    const char *zus1 = nullptr; // caption of TPZUS1
};

struct Eintrag {
    const char *tab;
    const char *key;
    const char *bez;
    const char *wert = nullptr;
    const char *zus1 = nullptr;
};

// clang-format off
const Kopf koepfe[] = {
    {"DB-VER",          "Version der Datenbank",                       "10", "Versionsnummer"},
    {"Status",          "Status der Gewichtsklassen",                  "1",  "Balkenlänge (0-20)"},
    {"Streichungen",    "Ursachen für Streichen aus WK-Liste",         "2"},
    {"Strafen",         "Bedeutung der Strafen für Ermittlung Sieger", "1"},
    {"Matten",          "Bezeichnungen für Wettkampfflächen",          "3",  "Gesperrt (<>0)", "Shortcut"},
    {"Infotexte",       "Texte für Mattenbelegung",                    "3",  "Gesperrt (<>0)"},
    {"VERBAND",         "Landesverbände",                              "5",  "Erste Losnummer"},
    {"Startgeldbeleg",  "Texte für den Startgeldbeleg",                "6"},
    {"Teamwertung",     "Punkte je Platz für die Teamwertung",         "1",  "Punkte"},
    {"Gewichtsklassen", "Gewichtstabellen der Altersklassen",          "10", nullptr, "Bezeichnung"},
};

const Eintrag eintraege[] = {
    {"DB-VER", "5.3.0.1", "Datenbankversion", "5301"},

    // Bar length of the overview grows with the progress of the class.
    {"Status", "0", "neu",              "0"},
    {"Status", "4", "Matte zugeordnet", "5"},
    {"Status", "6", "läuft",            "12"},
    {"Status", "8", "beendet",          "20"},

    {"Streichungen", "0",  "Aktiv",           "0"},
    {"Streichungen", "11", "verletzt",        "0"},
    {"Streichungen", "12", "disqualifiziert", "0"},

    {"Strafen", "X", "in INI-Datei gesetzt"},
    {"Strafen", "0", "keine Relevanz"},
    {"Strafen", "1", "nur im Golden Score"},
    {"Strafen", "2", "werden immer berücksichtigt"},

    {"Matten", "M1", "Matte 1", "0", "F1"},
    {"Matten", "M2", "Matte 2", "0", "F2"},
    {"Matten", "M3", "Matte 3", "0", "F3"},

    {"Infotexte", "010", "Herzlich Willkommen", "1"},

    // Lot numbers spaced by 100, so imported clubs of one federation stay together.
    {"VERBAND", "BAD", "Baden",                  "100"},
    {"VERBAND", "BAY", "Bayern",                 "200"},
    {"VERBAND", "BER", "Berlin",                 "300"},
    {"VERBAND", "BRA", "Brandenburg",            "400"},
    {"VERBAND", "BRE", "Bremen",                 "500"},
    {"VERBAND", "HAM", "Hamburg",                "600"},
    {"VERBAND", "HES", "Hessen",                 "700"},
    {"VERBAND", "MVP", "Mecklenburg-Vorpommern", "800"},
    {"VERBAND", "NDS", "Niedersachsen",          "900"},
    {"VERBAND", "NRW", "Nordrhein-Westfalen",    "1000"},
    {"VERBAND", "RLP", "Rheinland-Pfalz",        "1100"},
    {"VERBAND", "SAA", "Saarland",               "1200"},
    {"VERBAND", "SAC", "Sachsen",                "1300"},
    {"VERBAND", "SAN", "Sachsen-Anhalt",         "1400"},
    {"VERBAND", "SHO", "Schleswig-Holstein",     "1500"},
    {"VERBAND", "THU", "Thüringen",              "1600"},
    {"VERBAND", "WUE", "Württemberg",            "1700"},

    {"Startgeldbeleg", "KOPF1",  "Startgeldquittung"},
    {"Startgeldbeleg", "KOPF2",  "für die Teilnahme am Wettkampf"},
    {"Startgeldbeleg", "KOPF3",  "der gemeldeten Judoka des Vereins"},
    {"Startgeldbeleg", "KOPF4",  "Verein:"},
    {"Startgeldbeleg", "BETRAG", "Betrag:"},
    {"Startgeldbeleg", "TEXT01", "Wir bestätigen den Erhalt des Startgeldes in bar."},
    {"Startgeldbeleg", "TEXT02", "Für gemeldete, aber nicht angetretene Teilnehmer wird das Startgeld nicht erstattet."},
    {"Startgeldbeleg", "TEXT03", "Wir danken für die Teilnahme und wünschen viel Erfolg."},

    {"Teamwertung", "1", "1. Platz", "7"},
    {"Teamwertung", "2", "2. Platz", "5"},
    {"Teamwertung", "3", "3. Platz", "3"},
    {"Teamwertung", "5", "5. Platz", "2"},
    {"Teamwertung", "7", "7. Platz", "1"},

    // U11 has no national table; this is the common regional one.
    {"Gewichtsklassen", "U11M",    "-22;-25;-28;-31;-34;-37;-40;-43;-46;-50;+50",   nullptr, "U11 männlich"},
    {"Gewichtsklassen", "U11W",    "-22;-25;-28;-31;-34;-37;-40;-44;-48;+48",       nullptr, "U11 weiblich"},
    {"Gewichtsklassen", "U13M",    "-28;-31;-34;-37;-40;-43;-46;-50;-55;-60;+60",   nullptr, "U13 männlich"},
    {"Gewichtsklassen", "U13W",    "-28;-31;-34;-37;-40;-44;-48;-52;-57;+57",       nullptr, "U13 weiblich"},
    {"Gewichtsklassen", "U15M",    "-34;-37;-40;-43;-46;-50;-55;-60;-66;+66",       nullptr, "U15 männlich"},
    {"Gewichtsklassen", "U15W",    "-33;-36;-40;-44;-48;-52;-57;-63;+63",           nullptr, "U15 weiblich"},
    {"Gewichtsklassen", "U18M",    "-46;-50;-55;-60;-66;-73;-81;-90;+90",           nullptr, "U18 männlich"},
    {"Gewichtsklassen", "U18W",    "-40;-44;-48;-52;-57;-63;-70;+70",               nullptr, "U18 weiblich"},
    // Juniors have one class more at the light end than the adults.
    {"Gewichtsklassen", "U21M",    "-55;-60;-66;-73;-81;-90;-100;+100",             nullptr, "U21 männlich"},
    {"Gewichtsklassen", "U21W",    "-44;-48;-52;-57;-63;-70;-78;+78",               nullptr, "U21 weiblich"},
    {"Gewichtsklassen", "MAENNER", "-60;-66;-73;-81;-90;-100;+100",                 nullptr, "Männer"},
    {"Gewichtsklassen", "FRAUEN",  "-48;-52;-57;-63;-70;-78;+78",                   nullptr, "Frauen"},
};
// clang-format on

QString utf8(const char *text)
{
    return QString::fromUtf8(text);
}

void feld(SqlFelder &felder, const char *name, const char *art, const char *wert)
{
    if (wert)
        felder.append({utf8(name), utf8(art), utf8(wert)});
}

SqlTeil kopf_einfuegen(const Kopf &k)
{
    SqlFelder f;
    feld(f, "TKFIRM", "T", "000");
    feld(f, "TKTAB", "T", k.tab);
    feld(f, "TKBEZ", "T", k.bez);
    feld(f, "TKKLEN", "I", k.klen);
    feld(f, "TKWERT", "T", k.wert);
    feld(f, "TKZUS1", "T", k.zus1);
    SqlTeil teil = sql_einfuegeliste(f, int(f.size()));
    teil.text.prepend(QStringLiteral("insert into tabkopf"));
    return teil;
}

SqlTeil eintrag_einfuegen(const Eintrag &e)
{
    SqlFelder f;
    feld(f, "TPFIRM", "T", "000");
    feld(f, "TPTAB", "T", e.tab);
    feld(f, "TPKEY", "T", e.key);
    feld(f, "TPBEZ", "T", e.bez);
    feld(f, "TPWERT", "N", e.wert);
    feld(f, "TPZUS1", "T", e.zus1);
    SqlTeil teil = sql_einfuegeliste(f, int(f.size()));
    teil.text.prepend(QStringLiteral("insert into tabpos"));
    return teil;
}

QString tabelle_anlegen(const Tabelle &t)
{
    QString sql = QStringLiteral("create table ") + utf8(t.name) + QStringLiteral(" (") + utf8(t.spalten);
    if (t.schluessel)
        sql += QStringLiteral(", primary key (") + utf8(t.schluessel) + u')';
    return sql + u')';
}

// Tables, indexes and views, in order.
QStringList ddl_anweisungen()
{
    QStringList liste;
    for (const Tabelle &t : tabellen)
        liste << tabelle_anlegen(t);
    for (const char *sql : indizes)
        liste << utf8(sql);
    for (const char *sql : sichten)
        liste << utf8(sql);
    return liste;
}

// The rows of a new database, in order.
QVector<SqlTeil> zeilen_anweisungen()
{
    QVector<SqlTeil> liste;
    for (const Kopf &k : koepfe)
        liste.append(kopf_einfuegen(k));
    for (const Eintrag &e : eintraege)
        liste.append(eintrag_einfuegen(e));
    return liste;
}

// DDL bypasses Execute_SQL: Qt's PostgreSQL driver prepares every statement
// with PREPARE, which the server accepts only for queries and DML. DDL has no
// values to bind, so running it directly loses nothing on either engine.
bool ddl_ausfuehren(Tdm &dm, const QString &sql, QString *fehler)
{
    QSqlQuery q(dm.db());
    if (q.exec(sql))
        return true;
    *fehler = q.lastError().text();
    protokolliere_fehler(QStringLiteral("schema_anlegen"), sql, *fehler);
    return false;
}

// PostgreSQL reports the names folded to lower case, SQLite as created.
QString erste_vorhandene(Tdm &dm, const QStringList &gesucht)
{
    const QStringList da = dm.db().tables(QSql::Tables);
    for (const QString &name : gesucht)
        if (da.contains(name, Qt::CaseInsensitive))
            return name;
    return {};
}

} // namespace

QStringList schema_tabellen()
{
    QStringList namen;
    for (const Tabelle &t : tabellen)
        namen << utf8(t.name);
    return namen;
}

bool schema_vorhanden(Tdm &dm)
{
    return dm.verbunden() && !erste_vorhandene(dm, {QStringLiteral("tabpos")}).isEmpty();
}

bool schema_anlegen(Tdm &dm, QString *fehler)
{
    const auto scheitern = [fehler](const QString &text) {
        if (fehler)
            *fehler = text;
        return false;
    };
    if (!dm.verbunden())
        return scheitern(QStringLiteral("keine Verbindung zur Datenbank"));
    // Never on top of an existing database, not even a partial one.
    const QString vorhanden = erste_vorhandene(dm, schema_tabellen());
    if (!vorhanden.isEmpty())
        return scheitern(QStringLiteral("Die Datenbank enthält bereits die Tabelle ") + vorhanden);

    Transaktion ta(dm);
    if (!ta.aktiv())
        return scheitern(QStringLiteral("Transaktion konnte nicht begonnen werden"));
    // Leaving early rolls everything back: DDL is transactional on both engines.
    QString meldung;
    for (const QString &sql : ddl_anweisungen())
        if (!ddl_ausfuehren(dm, sql, &meldung))
            return scheitern(meldung);
    for (const SqlTeil &teil : zeilen_anweisungen())
        if (!dm.Execute_SQL(teil))
            return scheitern(dm.letzter_fehler());
    if (!listenvorlagen_schreiben(dm, &meldung))
        return scheitern(meldung);
    if (!ta.commit()) {
        const QString text = dm.db().lastError().text();
        return scheitern(text.isEmpty() ? QStringLiteral("Anlegen der Datenbank nicht abgeschlossen") : text);
    }
    return true;
}

} // namespace obi
