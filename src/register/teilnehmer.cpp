#include "teilnehmer.h"

#include "core/datenbank.h"
#include "core/tdm_dienste.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <functional>

namespace obi {

// ---- Selection -------------------------------------------------------------

void suchfelder_normalisieren(Suchfelder &s)
{
    s.altersklasse = trim_rechts(gross_schreiben(s.altersklasse));
    s.name = trim_rechts(gross_schreiben(s.name));
    s.gewichtsklasse = trim_rechts(gross_schreiben(s.gewichtsklasse));
    s.los = trim_rechts(s.los);
    if (!ist_ganzzahl(s.los))
        s.los.clear();
}

namespace {

// The conditions the selection and "Löschen (Auswahl)" share; prefix is the
// table alias with its dot ("s." or empty).
void suchbedingungen(const Tdm &d, const Suchfelder &s, const QString &prefix, SqlTeil &teil)
{
    if (!s.altersklasse.isEmpty()) {
        teil.text
            += QStringLiteral(" and ") + d.sql_gross(prefix + QStringLiteral("STAKID")) + QStringLiteral(" like ?");
        teil.werte << QVariant(sql_maskieren(s.altersklasse) + u'%');
    }
    if (!s.name.isEmpty()) {
        teil.text
            += QStringLiteral(" and ") + d.sql_gross(prefix + QStringLiteral("STNAME")) + QStringLiteral(" like ?");
        teil.werte << QVariant(u'%' + sql_maskieren(s.name) + u'%');
    }
    if (!s.gewichtsklasse.isEmpty()) {
        teil.text
            += QStringLiteral(" and ") + d.sql_gross(prefix + QStringLiteral("STGEWK")) + QStringLiteral(" like ?");
        teil.werte << QVariant(sql_maskieren(s.gewichtsklasse) + u'%');
    }
    if (!s.los.isEmpty() && ist_ganzzahl(s.los)) {
        teil.text += QStringLiteral(" and ") + prefix + QStringLiteral("STLOS = ?");
        teil.werte << QVariant(s.los.toInt());
    }
}

QString text_von(const QSqlQuery &q, const char *feld)
{
    return q.value(QString::fromLatin1(feld)).toString();
}

int zahl_von(const QSqlQuery &q, const char *feld)
{
    return q.value(QString::fromLatin1(feld)).toInt();
}

} // namespace

SqlTeil teilnehmer_auswahl(const Tdm &d, int wknr, const Suchfelder &s)
{
    SqlTeil teil;
    teil.text = QStringLiteral("select * from starter s, vereine v where s.STWKNR = v.VEWKNR and s.STLOS = v.VELOS "
                               "and s.STWKNR = ?");
    teil.werte << QVariant(wknr);
    suchbedingungen(d, s, QStringLiteral("s."), teil);
    return teil;
}

SqlTeil &auswahl_bedingung()
{
    static SqlTeil teil;
    return teil;
}

std::optional<QVector<Teilnehmer>> teilnehmer_lesen(Tdm &d, const SqlTeil &auswahl)
{
    auto q = d.abfrage(auswahl.text + QStringLiteral(" order by s.STNAME, s.STVNAM"), auswahl.werte);
    if (!q)
        return std::nullopt;
    QVector<Teilnehmer> liste;
    while (q->next()) {
        Teilnehmer t;
        t.stnr = zahl_von(*q, "STSTNR");
        t.akid = text_von(*q, "STAKID");
        t.name = text_von(*q, "STNAME");
        t.vnam = text_von(*q, "STVNAM");
        t.gewk = text_von(*q, "STGEWK");
        t.jg = zahl_von(*q, "STJG");
        t.los = zahl_von(*q, "STLOS");
        t.gewn = q->value(QStringLiteral("STGEWN")).toDouble();
        t.pltz = text_von(*q, "STPLTZ");
        t.setz = zahl_von(*q, "STSETZ");
        t.text = text_von(*q, "STTEXT");
        t.stat = zahl_von(*q, "STSTAT");
        t.vename = text_von(*q, "VENAME");
        t.veverb = text_von(*q, "VEVERB");
        liste.append(t);
    }
    return liste;
}

// ---- Panel -----------------------------------------------------------------

TeilnehmerEingabe leere_eingabe()
{
    TeilnehmerEingabe e;
    e.stnr = QStringLiteral("0");
    e.jg = QStringLiteral("0");
    e.los = QStringLiteral("0");
    e.gewn = dezimal_text(1, 0);
    return e;
}

TeilnehmerEingabe eingabe_aus(const Teilnehmer &t)
{
    TeilnehmerEingabe e;
    e.akid = t.akid;
    e.stnr = QString::number(t.stnr);
    e.name = t.name;
    e.vnam = t.vnam;
    e.jg = QString::number(t.jg);
    e.gewk = t.gewk;
    e.los = QString::number(t.los);
    e.gewn = dezimal_text(1, t.gewn);
    e.pltz = t.pltz;
    e.setz = t.setz == 0 ? QString() : QString::number(t.setz);
    e.text = t.text;
    e.vename = t.vename;
    e.veverb = t.veverb;
    return e;
}

// ---- Lookups ---------------------------------------------------------------

namespace {

// Exact (upper-case) match, then a single substring match; several matches
// go to the picker when there is one. The found key replaces text.
bool schluessel_aufloesen(Tdm &d, const QString &basis, const QVariantList &basisWerte, const QString &spalte,
                          QString &text, const std::function<bool(const QString &, QString &)> &picker)
{
    const QString gross = gross_schreiben(text);
    const QString ausdruck = d.sql_gross(spalte);
    QVariantList werte = basisWerte;
    werte << QVariant(sql_maskieren(gross));
    auto exakt = d.abfrage(basis + QStringLiteral(" and ") + ausdruck + QStringLiteral(" = ?"), werte);
    if (!exakt)
        return false;
    QStringList treffer;
    while (exakt->next())
        treffer << exakt->value(spalte).toString();
    if (treffer.size() == 1) {
        text = treffer.first();
        return true;
    }
    werte = basisWerte;
    werte << QVariant(u'%' + sql_maskieren(gross) + u'%');
    auto aehnlich = d.abfrage(basis + QStringLiteral(" and ") + ausdruck + QStringLiteral(" like ?"), werte);
    if (!aehnlich)
        return false;
    treffer.clear();
    while (aehnlich->next())
        treffer << aehnlich->value(spalte).toString();
    if (treffer.size() == 1) {
        text = treffer.first();
        return true;
    }
    if (treffer.size() > 1 && picker) {
        QString gewaehlt;
        if (picker(u'%' + text, gewaehlt) && !trim_rechts(gewaehlt).isEmpty()) {
            text = gewaehlt;
            return true;
        }
    }
    return false;
}

} // namespace

bool pruefen_altersklasse(Tdm &d, int wknr, QString &akid, Auswahlhilfe *hilfe)
{
    std::function<bool(const QString &, QString &)> picker;
    if (hilfe)
        picker = [hilfe](const QString &filter, QString &gewaehlt) {
            return hilfe->altersklasse_waehlen(filter, gewaehlt);
        };
    return schluessel_aufloesen(d, QStringLiteral("select AKAKID from klassen where AKWKNR = ?"), { QVariant(wknr) },
                                QStringLiteral("AKAKID"), akid, picker);
}

bool pruefen_altersklasse_batch(Tdm &d, int wknr, QString &akid)
{
    return pruefen_altersklasse(d, wknr, akid, nullptr);
}

bool pruefen_gewichtsklasse(Tdm &d, int wknr, const QString &akid, QString &gewk, Auswahlhilfe *hilfe)
{
    std::function<bool(const QString &, QString &)> picker;
    if (hilfe)
        picker = [hilfe, akid](const QString &filter, QString &gewaehlt) {
            return hilfe->gewichtsklasse_waehlen(akid, filter, gewaehlt);
        };
    return schluessel_aufloesen(d, QStringLiteral("select GKGEWK from gew_klassen where GKWKNR = ? and GKAKID = ?"),
                                { QVariant(wknr), QVariant(sql_maskieren(akid)) }, QStringLiteral("GKGEWK"), gewk,
                                picker);
}

bool pruefen_jahrgang(Tdm &d, int wknr, const QString &akid, int jahr)
{
    auto q = d.abfrage(QStringLiteral("select AKJGMI, AKJGMA from klassen where AKWKNR = ? and ")
                           + d.sql_gross(QStringLiteral("AKAKID")) + QStringLiteral(" = ?"),
                       { QVariant(wknr), QVariant(sql_maskieren(gross_schreiben(akid))) });
    if (!q || !q->next())
        return false;
    const int mi = q->value(0).toInt();
    const int ma = q->value(1).toInt();
    if (q->next())
        return false; // not exactly one row
    if (mi == 0 && ma == 0)
        return true;
    return mi <= jahr && jahr <= ma;
}

namespace {
bool verein_lesen(Tdm &d, int wknr, int los, QString &vename, QString &veverb)
{
    auto q = d.abfrage(QStringLiteral("select VENAME, VEVERB from vereine where VEWKNR = ? and VELOS = ?"),
                       { QVariant(wknr), QVariant(los) });
    if (!q || !q->next())
        return false;
    const QString name = q->value(0).toString();
    const QString verb = q->value(1).toString();
    if (q->next())
        return false;
    vename = name;
    veverb = verb;
    return true;
}
} // namespace

bool pruefen_losnummer(Tdm &d, int wknr, QString &los, bool anlegen, Auswahlhilfe *hilfe, QString &vename,
                       QString &veverb)
{
    bool ok = false;
    if (ist_ganzzahl(los)) {
        ok = verein_lesen(d, wknr, los.toInt(), vename, veverb);
        if (!ok && anlegen && hilfe) {
            QString neu;
            if (hilfe->verein_anlegen(los, neu) && ist_ganzzahl(trim_rechts(neu))) {
                los = trim_rechts(neu);
                ok = verein_lesen(d, wknr, los.toInt(), vename, veverb);
            }
        }
    }
    if (!ok) {
        vename.clear();
        veverb.clear();
    }
    return ok;
}

// ---- Completion ---------------------------------------------------------------

QString jahrgang_ergaenzen(const QString &jg)
{
    if (jg == QStringLiteral("00"))
        return QStringLiteral("2000");
    if (!ist_ganzzahl(jg))
        return jg;
    const int j = jg.toInt();
    if (j >= 41 && j <= 99)
        return QString::number(1900 + j);
    if ((j >= 10 && j <= 39) || (j >= 1 && j <= 9))
        return QString::number(2000 + j);
    return jg;
}

int jahrgang_vollstaendig(int jahr)
{
    if (jahr >= 1 && jahr <= 99)
        return jahr <= 50 ? 2000 + jahr : 1900 + jahr;
    return jahr;
}

QString platz_ergaenzen(const QString &pltz)
{
    if (pltz.contains(u'.'))
        return pltz;
    const qint64 zahl = nur_ziffern(pltz);
    if (zahl > 0)
        return QString::number(zahl) + u'.';
    return pltz;
}

// ---- Field checks ----------------------------------------------------------------

Pruefung check_zusammen(Tdm &d, int wknr, TeilnehmerEingabe &e, const QString &schluessel, const QString &modus,
                        Auswahlhilfe *hilfe)
{
    const bool alle = schluessel == QStringLiteral("*");
    auto fehler = [](const char *feld, int meldung) {
        return Pruefung { false, QString::fromLatin1(feld), meldung };
    };

    // Changing without a participant (an empty list) cannot succeed, whatever
    // the fields hold; saying so first spares pointless field messages.
    if (alle && modus == QStringLiteral("U") && nur_ziffern(e.stnr) <= 0)
        return fehler("STNR", 21010);
    if (alle || schluessel == QStringLiteral("AKID")) {
        QString ak = trim_rechts(e.akid);
        if (ak.isEmpty() || !pruefen_altersklasse(d, wknr, ak, hilfe))
            return fehler("AKID", 31002);
        e.akid = ak;
    }
    if (alle || schluessel == QStringLiteral("NAME")) {
        if (trim_rechts(e.name).isEmpty())
            return fehler("NAME", 21001);
    }
    if (alle || schluessel.startsWith(QStringLiteral("JG"))) {
        QString jg = trim_rechts(e.jg);
        // A year below 0 is no year of birth either.
        if (!ist_ganzzahl(jg) || jg.toInt() < 0)
            return fehler("JG", 21003);
        jg = jahrgang_ergaenzen(jg);
        e.jg = jg;
        if (alle || schluessel == QStringLiteral("JG")) {
            const int jahr = jahrgang_vollstaendig(jg.toInt());
            e.jg = QString::number(jahr);
            if (!pruefen_jahrgang(d, wknr, e.akid, jahr))
                return fehler("JG", 31004);
        }
    }
    if (alle || schluessel == QStringLiteral("GEWK")) {
        QString gk = trim_rechts(e.gewk);
        if (gk.isEmpty() || !pruefen_gewichtsklasse(d, wknr, trim_rechts(e.akid), gk, hilfe))
            return fehler("GEWK", 31003);
        e.gewk = gk;
    }
    if (alle || schluessel == QStringLiteral("LOS")) {
        QString los = trim_rechts(e.los);
        if (!ist_ganzzahl(los))
            return fehler("LOS", 21003);
        const bool ok = pruefen_losnummer(d, wknr, los, true, hilfe, e.vename, e.veverb);
        e.los = los;
        if (!ok)
            return fehler("LOS", 31005);
    }
    if (alle || schluessel == QStringLiteral("SETZ")) {
        const QString setz = trim_rechts(e.setz);
        if (!setz.isEmpty() && !ist_ganzzahl(setz))
            return fehler("SETZ", 21003);
        e.setz = setz;
    }
    if (alle || schluessel == QStringLiteral("GEWN")) {
        const QString gewn = trim_rechts(e.gewn);
        if (!ist_zahl(gewn))
            return fehler("GEWN", 21003);
        e.gewn = gewn;
    }
    if (alle || schluessel == QStringLiteral("PLTZ"))
        e.pltz = trim_rechts(e.pltz);
    return {};
}

// ---- Writing --------------------------------------------------------------------

namespace {

SqlFelder speicherfelder(int wknr, const TeilnehmerEingabe &e)
{
    const QString setz = trim_rechts(e.setz);
    return {
        { QStringLiteral("STAKID"), QStringLiteral("T"), e.akid },
        { QStringLiteral("STNAME"), QStringLiteral("T"), e.name },
        { QStringLiteral("STVNAM"), QStringLiteral("T"), e.vnam },
        { QStringLiteral("STGEWK"), QStringLiteral("T"), e.gewk },
        { QStringLiteral("STJG"), QStringLiteral("N"), e.jg },
        { QStringLiteral("STLOS"), QStringLiteral("N"), e.los },
        { QStringLiteral("STGEWN"), QStringLiteral("N"), trim_rechts(e.gewn) },
        { QStringLiteral("STPLTZ"), QStringLiteral("T"), trim_rechts(e.pltz) },
        { QStringLiteral("STSETZ"), QStringLiteral("N"), setz.isEmpty() ? QStringLiteral("0") : setz },
        { QStringLiteral("STTEXT"), QStringLiteral("T"), e.text },
        { QStringLiteral("STSORT"), QStringLiteral("N"), QStringLiteral("0") },
        { QStringLiteral("STWKNR"), QStringLiteral("N"), QString::number(wknr) },
        { QStringLiteral("STSTNR"), QStringLiteral("N"), e.stnr },
    };
}

// Highest start number of the tournament + 1; the data module's allocation
// keeps it unique when several copies save at the same moment.
int neu_einfuegen(Tdm &d, int wknr, TeilnehmerEingabe &e)
{
    SqlFelder felder = speicherfelder(wknr, e);
    felder.removeLast(); // STSTNR is allocated
    const int stnr = neue_nummer_einfuegen(d, QStringLiteral("starter"), QStringLiteral("STSTNR"),
                                           QStringLiteral("STWKNR"), felder);
    if (stnr > 0)
        e.stnr = QString::number(stnr);
    return stnr;
}

} // namespace

Speicherergebnis teilnehmer_speichern(Tdm &d, int wknr, TeilnehmerEingabe &e, const QString &modus, Auswahlhilfe *hilfe)
{
    Speicherergebnis r;
    r.pruefung = check_zusammen(d, wknr, e, QStringLiteral("*"), modus, hilfe);
    if (!r.pruefung.ok)
        return r;
    if (modus == QStringLiteral("U")) {
        const int stnr = int(nur_ziffern(e.stnr));
        const SqlTeil set = sql_setliste(speicherfelder(wknr, e), 10);
        QVariantList werte = set.werte;
        werte << QVariant(wknr) << QVariant(stnr);
        if (!d.Execute_SQL(QStringLiteral("update starter set ") + set.text
                               + QStringLiteral(" where STWKNR = ? and STSTNR = ?"),
                           werte)) {
            r.meldung = 19902;
            return r;
        }
        r.ok = true;
        r.stnr = stnr;
        return r;
    }
    const int stnr = neu_einfuegen(d, wknr, e);
    if (stnr <= 0) {
        r.meldung = 19902;
        return r;
    }
    r.ok = true;
    r.stnr = stnr;
    return r;
}

bool teilnehmer_loeschen(Tdm &d, int wknr, int stnr)
{
    return d.Execute_SQL(QStringLiteral("delete from starter where STWKNR = ? and STSTNR = ?"), { wknr, stnr });
}

SqlTeil auswahl_loeschen_bedingung(const Tdm &d, int wknr, const Suchfelder &s)
{
    SqlTeil teil;
    teil.text = QStringLiteral(" where STWKNR = ?");
    teil.werte << QVariant(wknr);
    suchbedingungen(d, s, QString(), teil);
    return teil;
}

int auswahl_loeschen_anzahl(Tdm &d, int wknr, const Suchfelder &s)
{
    const SqlTeil b = auswahl_loeschen_bedingung(d, wknr, s);
    return d.anzahl_Saetze(QStringLiteral("select * from starter") + b.text, b.werte);
}

LoeschErgebnis auswahl_loeschen(Tdm &d, int wknr, const Suchfelder &s, int bestaetigt)
{
    const SqlTeil b = auswahl_loeschen_bedingung(d, wknr, s);
    Transaktion t(d);
    if (!t.aktiv())
        return LoeschErgebnis::Fehler;
    const QVariant n = d.einzelwert(QStringLiteral("select count(*) from starter") + b.text, b.werte);
    if (!n.isValid())
        return LoeschErgebnis::Fehler;
    if (n.toInt() != bestaetigt)
        return LoeschErgebnis::Geaendert;
    if (!d.Execute_SQL(QStringLiteral("delete from starter") + b.text, b.werte) || !t.commit())
        return LoeschErgebnis::Fehler;
    return LoeschErgebnis::Geloescht;
}

bool teilnehmer_zaehlen(Tdm &d, int wknr)
{
    Transaktion t(d);
    if (!t.aktiv())
        return false;
    auto q = d.abfrage(QStringLiteral("select STLOS, count(*) as anzahl from starter where STWKNR = ? group by STLOS"),
                       { wknr });
    if (!q)
        return false;
    QVector<QPair<int, int>> zahlen;
    while (q->next())
        zahlen.append({ q->value(0).toInt(), q->value(1).toInt() });
    q.reset();
    for (const auto &[los, anzahl] : zahlen)
        if (!d.Execute_SQL(QStringLiteral("update vereine set VEANZA = ? where VEWKNR = ? and VELOS = ?"),
                           { anzahl, wknr, los }))
            return false;
    return t.commit();
}

// ---- Field activations ------------------------------------------------------------

Feldaktivierung feldaktivierung_lesen(Tdm &d, int wknr)
{
    Feldaktivierung f;
    auto q = d.abfrage(QStringLiteral("select WKFLDJ, WKFLDL, WKFLDP, WKFLDB, WKFLDS from wettkampf where WKWKNR = ?"),
                       { wknr });
    if (q && q->next()) {
        f.jahrgang = q->value(0).toInt() > 0;
        f.gewicht = q->value(1).toInt() > 0;
        f.platz = q->value(2).toInt() > 0;
        f.bemerkung = q->value(3).toInt() > 0;
        f.setzplatz = q->value(4).toInt() > 0;
    }
    return f;
}

bool feldaktivierung_schreiben(Tdm &d, int wknr, const Feldaktivierung &f)
{
    const SqlFelder felder = {
        { QStringLiteral("WKFLDJ"), QStringLiteral("N"), bool_zu_text(f.jahrgang) },
        { QStringLiteral("WKFLDL"), QStringLiteral("N"), bool_zu_text(f.gewicht) },
        { QStringLiteral("WKFLDP"), QStringLiteral("N"), bool_zu_text(f.platz) },
        { QStringLiteral("WKFLDB"), QStringLiteral("N"), bool_zu_text(f.bemerkung) },
        { QStringLiteral("WKFLDS"), QStringLiteral("N"), bool_zu_text(f.setzplatz) },
    };
    const SqlTeil set = sql_setliste(felder, 5);
    QVariantList werte = set.werte;
    werte << QVariant(wknr);
    return d.Execute_SQL(QStringLiteral("update wettkampf set ") + set.text + QStringLiteral(" where WKWKNR = ?"),
                         werte);
}

// ---- Start-number dialog -------------------------------------------------------------

int stnr_eingabe_pruefen(Tdm &d, int wknr, const QString &eingabe, int &stnr)
{
    const QString text = trim_rechts(eingabe);
    if (text.size() <= 1)
        return 21005;
    if (!ist_ganzzahl(text) || text.toInt() < 0)
        return 21003;
    const QString ohne = text.left(text.size() - 1);
    const int pruef = text.back().unicode() - u'0';
    const qint64 nummer = ohne.toLongLong();
    if (pruefziffer(nummer) != pruef)
        return 31008;
    if (d.anzahl_Saetze(QStringLiteral("select * from starter where STWKNR = ? and STSTNR = ?"),
                        { wknr, QVariant(qlonglong(nummer)) })
        < 1)
        return 31009;
    stnr = int(nummer);
    return 0;
}

} // namespace obi
