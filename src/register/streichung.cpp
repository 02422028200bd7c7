#include "streichung.h"

#include "competition/kampf.h"
#include "core/basis.h"
#include "core/datenbank.h"
#include "core/meldungen.h"

#include <QList>
#include <QSet>

namespace obi {

namespace {

enum class Gelesen { ok, fehlt, fehler };

Gelesen starter_lesen(int wknr, const QString &stnrText, StreichungStarter &s)
{
    const QString text = stnrText.trimmed();
    if (!ist_ganzzahl(text))
        return Gelesen::fehlt;
    const int stnr = text.toInt();
    auto q = dm().abfrage(QStringLiteral("select STAKID, STGEWK, STNAME, STVNAM, VENAME, VEVERB, STSTAT, STTEXT "
                                         "from starter s, vereine v "
                                         "where s.STWKNR = v.VEWKNR and s.STLOS = v.VELOS "
                                         "and s.STWKNR = ? and s.STSTNR = ?"),
                          { wknr, stnr });
    if (!q)
        return Gelesen::fehler;
    if (!q->next())
        return Gelesen::fehlt;
    s.stnr = stnr;
    s.akid = q->value(0).toString();
    s.gewk = q->value(1).toString();
    s.name = q->value(2).toString();
    s.vnam = q->value(3).toString();
    s.vename = q->value(4).toString();
    s.veverb = q->value(5).toString();
    const QVariant stat = q->value(6);
    s.stat = stat.isNull() ? QStringLiteral("0") : QString::number(stat.toInt());
    s.text = q->value(7).toString();
    // Without a name the window has nothing to show: counts as not found.
    return s.name.isEmpty() ? Gelesen::fehlt : Gelesen::ok;
}

// Positions of the participant's open bouts in their class's list; nullopt on
// a database error.
std::optional<QSet<int>> offene_kaempfe(int wknr, const StreichungStarter &s)
{
    auto q = dm().abfrage(QStringLiteral("select WLLPOS from wk_liste where WLWKNR = ? and WLAKID = ? and WLGEWK = ? "
                                         "and WLSTAT < 5 and (WLBLAU = ? or WLWEIS = ?)"),
                          { wknr, s.akid, s.gewk, s.stnr, s.stnr });
    if (!q)
        return std::nullopt;
    QSet<int> pos;
    while (q->next())
        pos.insert(q->value(0).toInt());
    return pos;
}

} // namespace

std::optional<StreichungStarter> streichung_lesen(int wknr, const QString &stnr)
{
    StreichungStarter s;
    if (starter_lesen(wknr, stnr, s) != Gelesen::ok)
        return std::nullopt;
    return s;
}

QString streichung_code(const QString &eingabe)
{
    return QString::number(nur_ziffern(eingabe));
}

StreichungPruefung streichung_pruefen(int wknr, const StreichungStarter &s, const QString &eingabe)
{
    StreichungPruefung p;
    p.code = streichung_code(eingabe);
    Tdm &d = dm();
    // STSTAT is an integer column: a key that is no integer cannot be stored.
    if (!d.get_tabsatz(QStringLiteral("Streichungen"), p.code) || !ist_ganzzahl(d.tabsatz().tab_schluessel)) {
        p.meldung = 21005;
        return p;
    }
    p.code = d.tabsatz().tab_schluessel;
    p.bezeichnung = d.tabsatz().tab_bezeichnung;
    const auto offen = offene_kaempfe(wknr, s);
    if (!offen)
        p.meldung = 19902;
    else if (offen->isEmpty())
        p.meldung = 31054;
    return p;
}

namespace {

// Holds the messages of the advancement pass until the transaction is over,
// so no message box waits while other copies are locked out.
class Meldungspuffer final : public Melder
{
public:
    Meldungspuffer()
        : m_alt(melder())
    {
        setze_melder(this);
    }
    ~Meldungspuffer() override { setze_melder(&m_alt); }
    Meldungspuffer(const Meldungspuffer &) = delete;
    Meldungspuffer &operator=(const Meldungspuffer &) = delete;

    void zeige(const QString &text, QChar art, const QString &titel) override { m_gemerkt.append({ text, art, titel }); }
    bool frage(const QString &frage) override { return m_alt.frage(frage); }
    // Shows what was held back, in order.
    void weitergeben()
    {
        for (const Gemerkt &g : std::as_const(m_gemerkt))
            m_alt.zeige(g.text, g.art, g.titel);
        m_gemerkt.clear();
    }

private:
    struct Gemerkt {
        QString text;
        QChar art;
        QString titel;
    };
    Melder &m_alt;
    QList<Gemerkt> m_gemerkt;
};

void speichern_in_transaktion(int wknr, int stnr, const QString &eingabe, StreichungErgebnis &e)
{
    Tdm &d = dm();
    // The check is repeated inside the transaction, so a bout another copy
    // decided since the window was opened is seen.
    Transaktion t(d);
    if (!t.aktiv()) {
        e.meldung = 19902;
        return;
    }
    switch (starter_lesen(wknr, QString::number(stnr), e.starter)) {
    case Gelesen::ok:
        break;
    case Gelesen::fehlt:
        e.meldung = 3014;
        return;
    case Gelesen::fehler:
        e.meldung = 19902;
        return;
    }
    const StreichungPruefung p = streichung_pruefen(wknr, e.starter, eingabe);
    e.code = p.code;
    e.bezeichnung = p.bezeichnung;
    if (p.meldung != 0) {
        e.meldung = p.meldung;
        return;
    }
    const QSet<int> offen = offene_kaempfe(wknr, e.starter).value_or(QSet<int>());
    const int code = e.code.toInt();
    if (!d.Execute_SQL(QStringLiteral("update starter set STSTAT = ? where STWKNR = ? and STSTNR = ?"),
                       { code, wknr, stnr })) {
        e.meldung = 19902;
        return;
    }
    if (code != 0) {
        // Joins this transaction: without its decided bouts the code is not stored either.
        if (!auto_kampf(wknr, e.starter.akid, e.starter.gewk)) {
            e.meldung = 19902;
            return;
        }
        auto q = d.abfrage(QStringLiteral("select WLLPOS from wk_liste where WLWKNR = ? and WLAKID = ? and WLGEWK = ? "
                                          "and WLSTAT = 5"),
                           { wknr, e.starter.akid, e.starter.gewk });
        if (!q) {
            e.meldung = 19902;
            return;
        }
        while (q->next())
            if (offen.contains(q->value(0).toInt()))
                ++e.entschieden;
    }
    if (!t.commit()) {
        e.meldung = 19902;
        return;
    }
    e.starter.stat = e.code;
}

} // namespace

StreichungErgebnis streichung_speichern(int wknr, int stnr, const QString &eingabe)
{
    StreichungErgebnis e;
    e.code = streichung_code(eingabe);
    Meldungspuffer puffer;
    speichern_in_transaktion(wknr, stnr, eingabe, e);
    if (e.meldung != 0)
        e.entschieden = 0;
    puffer.weitergeben();
    return e;
}

} // namespace obi
