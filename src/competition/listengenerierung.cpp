#include "listengenerierung.h"

#include "kampf.h"

#include "core/basis.h"
#include "core/datenbank.h"
#include "core/meldungen.h"

#include <map>
#include <set>
#include <vector>

namespace obi {

namespace {

const QString st_filter = QStringLiteral(" STWKNR = ? and STAKID = ? and STGEWK = ? ");
const QString wl_filter = QStringLiteral(" WLWKNR = ? and WLAKID = ? and WLGEWK = ? ");

QVariantList klasse(int wk, const QString &akid, const QString &gewk)
{
    return { wk, akid, gewk };
}

int zahl(const QVariant &v)
{
    return v.isValid() && !v.isNull() ? v.toInt() : 0;
}

// The key reads as a number made of its digits; missing reads 0.
bool sort_ohne_verein()
{
    QString ziffern;
    for (const QChar c : ini_lesen(QStringLiteral("programm"), QStringLiteral("sort_ohne_verein")))
        if (c.isDigit())
            ziffern += c;
    return ziffern.toLongLong() == 1;
}

struct Teilnehmer {
    int stnr = 0;
    int setz = 0;
    QVariant los;
};

} // namespace

int calc_anzahl(int wk, const QString &akid, const QString &gewk)
{
    return zahl(dm().einzelwert(QStringLiteral("select count(*) from starter where") + st_filter,
                                klasse(wk, akid, gewk)));
}

QString vorschlag_liste(int n)
{
    auto q = dm().abfrage(QStringLiteral("select LKLTYP from listkopf where LKMAXT >= ? order by LKMAXT, LKSORT"),
                          { n });
    if (q && q->next())
        return q->value(0).toString();
    zeige_meldung(31041);
    return {};
}

int pruefen_listentyp(const QString &typ, int wk, const QString &akid, const QString &gewk)
{
    const QVariant max = dm().einzelwert(QStringLiteral("select LKMAXT from listkopf where LKLTYP = ?"), { typ });
    if (!max.isValid())
        return 31042;
    const int lkmaxt = zahl(max);
    auto q = dm().abfrage(QStringLiteral("select count(*), max(STSETZ) from starter where") + st_filter,
                          klasse(wk, akid, gewk));
    int anzahl = 0;
    int maxlos = 0;
    if (q && q->next()) {
        anzahl = zahl(q->value(0));
        maxlos = zahl(q->value(1));
    }
    if (lkmaxt < anzahl)
        return 31043;
    if (lkmaxt < maxlos)
        return 31044;
    if (anzahl == 0)
        return 31007;
    const int doppelt = dm().anzahl_Saetze(
        QStringLiteral("select STSETZ from starter where") + st_filter
            + QStringLiteral(" and STSETZ > 0 group by STSETZ having count(*) > 1"),
        klasse(wk, akid, gewk));
    return doppelt > 0 ? 31052 : 0;
}

bool los_frei(int wk, const QString &akid, const QString &gewk, int pos)
{
    QVariantList w = klasse(wk, akid, gewk);
    w << pos;
    return dm().anzahl_Saetze(QStringLiteral("select WLLPOS from wk_liste where") + wl_filter
                                  + QStringLiteral(" and WLLPOS = ?"),
                              w)
        == 0;
}

bool schreiben_liste(int wk, const QString &akid, const QString &gewk, QString &typ, bool neu)
{
    Tdm &db = dm();
    const QVariantList kl = klasse(wk, akid, gewk);
    const int n = calc_anzahl(wk, akid, gewk);
    if (n == 0) {
        zeige_meldung(31007);
        return false;
    }

    if (neu) {
        const int entschieden = db.anzahl_Saetze(QStringLiteral("select WLLPOS from wk_liste where") + wl_filter
                                                     + QStringLiteral(" and WLSTAT = 5 and WLBLAU > 0 and WLWEIS > 0"),
                                                 kl);
        bool weiter = true;
        if (entschieden > 0)
            weiter = frage_ok(QString::number(entschieden) + QStringLiteral(" entschiedene Kämpfe löschen ?"));
        if (weiter
            && db.anzahl_Saetze(QStringLiteral("select STSTNR from starter where") + st_filter
                                    + QStringLiteral(" and STPLTZ <> ''"),
                                kl)
                > 0)
            weiter = frage_ok(QStringLiteral("Platzierungen löschen ?"));
        if (weiter
            && db.anzahl_Saetze(QStringLiteral("select STSTNR from starter where") + st_filter
                                    + QStringLiteral(" and STSTAT > 0"),
                                kl)
                > 0)
            weiter = frage_ok(QStringLiteral("Streichungen löschen ?"));
        if (!weiter) {
            zeige_meldung(2002);
            return false;
        }
    }

    Transaktion t(db);
    if (!t.aktiv() || !klasse_sperren(wk, akid, gewk)) {
        zeige_meldung(19902);
        return false;
    }

    // Without regeneration an existing list stays, and its type wins.
    if (!neu) {
        auto q = db.abfrage(QStringLiteral("select WLLTYP from wk_liste where") + wl_filter
                                + QStringLiteral(" and WLSTNR > 0 and WLLPOS > 1000 and WLLPOS < 2000"),
                            kl);
        int m = 0;
        QString alt;
        while (q && q->next()) {
            if (m == 0)
                alt = q->value(0).toString();
            ++m;
        }
        if (m > 0) {
            if (!typ.trimmed().isEmpty() && typ != alt)
                zeige_meldung(304);
            typ = alt;
            if (m != n) {
                zeige_meldung(31040);
                return false;
            }
            return true;
        }
    }

    if (typ.trimmed().isEmpty()) {
        typ = vorschlag_liste(n);
        if (typ.isEmpty())
            return false;
    }
    // Checked before anything is deleted, so an unusable type keeps the old list.
    if (const int fehler = pruefen_listentyp(typ, wk, akid, gewk)) {
        zeige_meldung(fehler);
        return false;
    }

    bool ok = true;
    if (neu) {
        ok = ok && db.Execute_SQL(QStringLiteral("delete from wk_protokoll where WPWKNR = ? and WPAKID = ? and WPGEWK = ?"), kl);
        ok = ok && db.Execute_SQL(QStringLiteral("update starter set STPLTZ = '', STSTAT = 0 where") + st_filter, kl);
    }
    // Rows without a participant (a half-built list) would block the new ones.
    ok = ok && db.Execute_SQL(QStringLiteral("delete from wk_liste where") + wl_filter, kl);
    if (n == 1)
        ok = ok && db.Execute_SQL(QStringLiteral("update starter set STPLTZ = '1.' where") + st_filter, kl);
    ok = ok && db.Execute_SQL(QStringLiteral("update starter set STSETZ = 0 where STSETZ is null and") + st_filter, kl);

    int lkmaxt = 0;
    int trpo = 0;
    if (auto q = db.abfrage(QStringLiteral("select LKMAXT, LKTRPO from listkopf where LKLTYP = ?"), { typ });
        q && q->next()) {
        lkmaxt = zahl(q->value(0));
        trpo = zahl(q->value(1));
    } else {
        ok = false;
    }

    // Slot -> start number; positions are decided in memory.
    std::map<int, int> platz;
    std::vector<Teilnehmer> andere;
    if (auto q = db.abfrage(QStringLiteral("select STSTNR, STSETZ, STLOS from starter where") + st_filter
                                + QStringLiteral(" order by STSORT, STLOS, STNAME, STVNAM"),
                            kl)) {
        while (q->next()) {
            Teilnehmer tn{ zahl(q->value(0)), zahl(q->value(1)), q->value(2) };
            if (tn.setz > 0)
                platz[1000 + tn.setz] = tn.stnr;
            else
                andere.push_back(tn);
        }
    } else {
        ok = false;
    }
    std::map<int, QVariant> los_von; // start number -> club lot number
    if (auto q = db.abfrage(QStringLiteral("select STSTNR, STLOS from starter where") + st_filter, kl))
        while (q->next())
            los_von[zahl(q->value(0))] = q->value(1);

    int pos = 1000;
    for (const Teilnehmer &tn : andere) {
        do
            ++pos;
        while (platz.count(pos));
        platz[pos] = tn.stnr;
    }
    for (int p = 1001; p <= 1000 + lkmaxt; ++p)
        if (!platz.count(p))
            platz[p] = 0;

    const bool tabelle = typ.startsWith(QStringLiteral("JGJ")) || typ.startsWith(QStringLiteral("POO"));
    const bool mit_verein = tabelle && !sort_ohne_verein();
    const int sort_zusatz = tabelle ? 200 : 0;

    const QString einfuegen = QStringLiteral(
        "insert into wk_liste (WLWKNR, WLAKID, WLGEWK, WLLTYP, WLLPOS, WLSTNR, WLSTAT, WLSORT) "
        "values (?, ?, ?, ?, ?, ?, ?, ?)");
    auto zeile = [&](int p, int stnr, int stat, int sort) {
        ok = ok && db.Execute_SQL(einfuegen, { wk, akid, gewk, typ, p, stnr, stat, sort });
    };

    for (const auto &[p, stnr] : platz)
        zeile(p, stnr, 9, p + sort_zusatz);

    std::set<int> verlierer;
    struct Kampf {
        int pos, blau, weis;
    };
    std::vector<Kampf> kaempfe;
    if (auto q = db.abfrage(QStringLiteral("select LDLPOS, LDBLAU, LDWEIS, LDVERL from listdef where LDLTYP = ? "
                                           "order by LDLPOS"),
                            { typ })) {
        while (q->next()) {
            kaempfe.push_back({ zahl(q->value(0)), zahl(q->value(1)), zahl(q->value(2)) });
            const int verl = zahl(q->value(3));
            if (verl > 2000 && verl < 3000)
                verlierer.insert(verl);
        }
    } else {
        ok = false;
    }
    for (int p : verlierer)
        zeile(p, -1, 9, p + sort_zusatz);
    if (typ.startsWith(QStringLiteral("KO")))
        for (int i = 0; i < trpo; ++i)
            for (int j = 1; j <= 4; ++j)
                zeile(2001 + 100 * j + i, -1, 9, 2001 + 100 * j + i + sort_zusatz);

    // Club mates meeting in a bout fixed by the draw are listed first.
    auto vereinskampf = [&](const Kampf &k) {
        const auto b = platz.find(k.blau);
        const auto w = platz.find(k.weis);
        if (!mit_verein || b == platz.end() || w == platz.end() || b->second <= 0 || w->second <= 0)
            return false;
        const QVariant lb = los_von[b->second];
        const QVariant lw = los_von[w->second];
        return !lb.isNull() && !lw.isNull() && lb.toInt() == lw.toInt();
    };
    for (const Kampf &k : kaempfe)
        zeile(k.pos, -1, 0, k.pos + sort_zusatz - (vereinskampf(k) ? 100 : 0));

    // Byes and withdrawn participants are decided at once, in the same transaction.
    ok = ok && auto_kampf(wk, akid, gewk);

    if (!ok || !t.commit()) {
        zeige_meldung(19902);
        return false;
    }
    return true;
}

} // namespace obi
