#include "losen.h"

#include "core/basis.h"
#include "core/datenbank.h"
#include "core/meldungen.h"
#include "register/teilnehmer.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <random>
#include <set>
#include <vector>

namespace obi {

namespace {

int zahl(const QVariant &v)
{
    return v.isValid() && !v.isNull() ? v.toInt() : 0;
}

// Sets STSORT; without los for the whole selection. Club lot numbers are
// always passed explicitly by the draw, so a club with lot number 0 never
// turns into "everybody".
bool sort_setzen(const LosAuswahl &a, std::optional<int> los, int nummer)
{
    const SqlTeil w = starter_where(a);
    QString sql = QStringLiteral("update starter set STSORT = ?") + w.text;
    QVariantList werte{ nummer };
    werte += w.werte;
    if (los) {
        sql += QStringLiteral(" and STLOS = ?");
        werte << *los;
    }
    return dm().Execute_SQL(sql, werte);
}

template <typename T>
struct MitSchluessel {
    T wert;
    int schluessel = 0;
};

// Random keys in [1, obergrenze], then highest key first; equal keys keep
// their order.
template <typename T>
std::vector<T> mischen(const std::vector<T> &liste, int obergrenze, std::mt19937 &zufall)
{
    std::uniform_int_distribution<int> verteilung(1, obergrenze);
    std::vector<MitSchluessel<T>> m;
    m.reserve(liste.size());
    for (const T &w : liste)
        m.push_back({ w, verteilung(zufall) });
    std::stable_sort(m.begin(), m.end(),
                     [](const MitSchluessel<T> &x, const MitSchluessel<T> &y) { return x.schluessel > y.schluessel; });
    std::vector<T> r;
    r.reserve(m.size());
    for (const MitSchluessel<T> &e : m)
        r.push_back(e.wert);
    return r;
}

quint32 uhr_saat()
{
    const auto jetzt = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return quint32(quint64(jetzt) ^ (quint64(jetzt) >> 32));
}

// Federation -> lot numbers of its clubs in the selection, both sorted so a
// seed gives the same draw on either engine. No federation (NULL or empty)
// is a federation of its own, so those clubs are drawn too.
std::optional<std::map<QString, std::set<int>>> verbaende_lesen(const LosAuswahl &a)
{
    const SqlTeil w = starter_where(a);
    auto q = dm().abfrage(
        QStringLiteral("select distinct VEVERB, VELOS from starter inner join vereine on STWKNR = VEWKNR and "
                       "STLOS = VELOS")
            + w.text,
        w.werte);
    if (!q)
        return std::nullopt;
    std::map<QString, std::set<int>> m;
    while (q->next())
        m[q->value(0).toString()].insert(zahl(q->value(1)));
    return m;
}

bool ziehen(const LosAuswahl &a, quint32 saat)
{
    std::mt19937 zufall(saat);
    Transaktion t(dm());
    if (!t.aktiv())
        return false;
    const auto verbaende = verbaende_lesen(a);
    if (!verbaende)
        return false;
    std::vector<QString> namen;
    namen.reserve(verbaende->size());
    for (const auto &[name, lose] : *verbaende)
        namen.push_back(name);
    int r = 0;
    for (const QString &verband : mischen(namen, 1000, zufall)) {
        const std::set<int> &menge = verbaende->at(verband);
        const std::vector<int> lose(menge.begin(), menge.end());
        for (const int los : mischen(lose, 10000, zufall))
            if (!sort_setzen(a, los, ++r))
                return false;
    }
    return t.commit();
}

} // namespace

SqlTeil starter_where(const LosAuswahl &a)
{
    SqlTeil t{ QStringLiteral(" where STWKNR = ?"), { a.wknr } };
    if (!a.akid.isEmpty()) {
        t.text += QStringLiteral(" and STAKID = ?");
        t.werte << sql_maskieren(a.akid);
        if (!a.gewk.isEmpty()) {
            t.text += QStringLiteral(" and STGEWK = ?");
            t.werte << sql_maskieren(a.gewk);
        }
    }
    return t;
}

int los_auswahl_pruefen(LosAuswahl &a, Auswahlhilfe *hilfe)
{
    a.akid = a.akid.trimmed();
    a.gewk = a.gewk.trimmed();
    if (a.akid.isEmpty())
        return 0;
    if (!pruefen_altersklasse(dm(), a.wknr, a.akid, hilfe))
        return 31002;
    if (!a.gewk.isEmpty() && !pruefen_gewichtsklasse(dm(), a.wknr, a.akid, a.gewk, hilfe))
        return 31003;
    return 0;
}

bool exec_update(const LosAuswahl &a, int los, int nummer)
{
    return sort_setzen(a, los > 0 ? std::optional<int>(los) : std::nullopt, nummer);
}

QString LosVerein::calcSort() const
{
    return min_sort == max_sort ? QString::number(min_sort) : QStringLiteral("*");
}

std::optional<QVector<LosVerein>> losen_vereine(const LosAuswahl &a)
{
    const SqlTeil w = starter_where(a);
    auto q = dm().abfrage(
        QStringLiteral("select st.STWKNR, st.STLOS, st.anzahl, st.max_sort, st.min_sort, VENAME, VEVERB from "
                       "(select STWKNR, STLOS, count(*) as anzahl, max(STSORT) as max_sort, min(STSORT) as min_sort "
                       "from starter")
            + w.text
            + QStringLiteral(" group by STWKNR, STLOS) st inner join vereine on st.STWKNR = VEWKNR and "
                             "st.STLOS = VELOS order by st.min_sort, st.STLOS"),
        w.werte);
    if (!q)
        return std::nullopt;
    QVector<LosVerein> liste;
    while (q->next()) {
        LosVerein v;
        v.wknr = zahl(q->value(0));
        v.stlos = zahl(q->value(1));
        v.anzahl = zahl(q->value(2));
        v.max_sort = zahl(q->value(3));
        v.min_sort = zahl(q->value(4));
        v.vename = q->value(5).toString();
        v.veverb = q->value(6).toString();
        liste.append(v);
    }
    return liste;
}

bool losen_ziehen(const LosAuswahl &a, std::optional<quint32> seed)
{
    if (ziehen(a, seed ? *seed : uhr_saat()))
        return true;
    // The draw itself is gone with its transaction; a selection that was
    // drawn before starts again from "not drawn".
    losen_initialisieren(a);
    return false;
}

bool losen_auto(const LosAuswahl &a, std::optional<quint32> seed)
{
    const bool ok = losen_ziehen(a, seed);
    zeige_meldung(ok ? 309 : 2003);
    return ok;
}

bool losen_initialisieren(const LosAuswahl &a)
{
    return sort_setzen(a, std::nullopt, 0);
}

int los_eingabe_pruefen(const QString &text, int &nummer)
{
    const QString t = text.trimmed();
    if (!ist_ganzzahl(t))
        return 21004;
    nummer = t.toInt();
    return 0;
}

bool los_setzen(const LosAuswahl &a, int los, int nummer)
{
    return sort_setzen(a, los, nummer);
}

} // namespace obi
