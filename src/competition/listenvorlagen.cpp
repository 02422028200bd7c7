#include "listenvorlagen.h"

#include "core/basis.h"
#include "core/datenbank.h"

#include <QSqlDatabase>
#include <QStringList>

#include <algorithm>
#include <map>

namespace obi {

namespace {

constexpr int kSlot = 1000;  // participant slot k is 1000 + k
constexpr int kVerl = 2000;  // double knock-out: loser of bout b goes to 2000 + b

// Standard seeding order of a bracket of size s: slot k meets s+1-k, and the
// slots 1..4 (likewise every aligned block of four) fall into different
// quarters, so club mates with consecutive draw numbers meet late.
std::vector<int> setzreihenfolge(int s)
{
    std::vector<int> folge{1, 2};
    while (static_cast<int>(folge.size()) < s) {
        const int n = static_cast<int>(folge.size()) * 2;
        std::vector<int> neu;
        for (int x : folge) {
            neu.push_back(x);
            neu.push_back(n + 1 - x);
        }
        folge = neu;
    }
    return folge;
}

QString runde_text(int feld, int runde)
{
    switch (feld) {
    case 2: return QStringLiteral("Finale");
    case 4: return QStringLiteral("Halbfinale");
    case 8: return QStringLiteral("Viertelfinale");
    case 16: return QStringLiteral("Achtelfinale");
    default: return QString::number(runde) + QStringLiteral(". Runde");
    }
}

// Round robin pairs of n participants (circle method: everybody once per round).
std::vector<std::vector<std::pair<int, int>>> jeder_gegen_jeden(int n)
{
    std::vector<std::vector<std::pair<int, int>>> runden;
    if (n < 2)
        return runden;
    const int m = n % 2 == 0 ? n : n + 1;
    std::vector<int> kreis(m);
    for (int i = 0; i < m; ++i)
        kreis[i] = i + 1;
    for (int r = 0; r < m - 1; ++r) {
        std::vector<std::pair<int, int>> runde;
        for (int i = 0; i < m / 2; ++i) {
            const int a = kreis[i], b = kreis[m - 1 - i];
            if (a > n || b > n)
                continue; // the ghost of an odd count: that one rests
            runde.emplace_back(std::min(a, b), std::max(a, b));
        }
        runden.push_back(runde);
        std::rotate(kreis.begin() + 1, kreis.end() - 1, kreis.end());
    }
    // Last round first: it opens with 1-2 (for four: 1-2, 3-4, 1-3, 2-4,
    // 1-4, 2-3), so the highest slots, which hold the byes, come last.
    std::reverse(runden.begin(), runden.end());
    return runden;
}

class Bau
{
public:
    explicit Bau(Listenkopf kopf) { m_v.kopf = std::move(kopf); }

    Listenzeile &kampf(int pos, int blau, int weis, const QString &text, int sieg = 0, int verl = 0)
    {
        m_v.zeilen.push_back({pos, blau, weis, sieg, verl, text});
        return m_v.zeilen.back();
    }
    Listenzeile &zeile(int pos)
    {
        for (Listenzeile &z : m_v.zeilen)
            if (z.pos == pos)
                return z;
        return kampf(pos, 0, 0, QString());
    }
    // Bouts ab, ab+1, ...: consecutive sources pairwise.
    std::vector<int> paare(int ab, const std::vector<int> &quellen, const QString &text)
    {
        std::vector<int> nr;
        for (size_t i = 0; i + 1 < quellen.size(); i += 2) {
            kampf(ab, quellen[i], quellen[i + 1], text);
            nr.push_back(ab++);
        }
        return nr;
    }
    // Bouts ab, ab+1, ...: winner of vor[i] against the slot fed[i].
    std::vector<int> gegen(int ab, const std::vector<int> &vor, const std::vector<int> &ziele, const QString &text)
    {
        std::vector<int> nr;
        for (size_t i = 0; i < vor.size(); ++i) {
            kampf(ab, vor[i], ziele[i], text);
            nr.push_back(ab++);
        }
        return nr;
    }
    Listenvorlage fertig()
    {
        std::sort(m_v.zeilen.begin(), m_v.zeilen.end(),
                  [](const Listenzeile &a, const Listenzeile &b) { return a.pos < b.pos; });
        return m_v;
    }

private:
    Listenvorlage m_v;
};

std::vector<int> bereich(int von, int bis)
{
    std::vector<int> v;
    for (int i = von; i <= bis; ++i)
        v.push_back(i);
    return v;
}

std::vector<int> plus(std::vector<int> a, const std::vector<int> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Bout numbers of the main round: sections of 16 (first round 8s-7..8s,
// second round 4s+r2+i, third round 2s+r3+i, section final s+sf), then the
// rounds above the sections as listed.
struct Hauptrunde {
    int groesse;
    int r2, r3, sf;
    std::vector<std::vector<int>> oben;
};

// Builds the main round; returns its rounds (bout numbers in bracket order).
std::vector<std::vector<int>> hauptrunde(Bau &bau, const Hauptrunde &h)
{
    const int sektionen = h.groesse / 16;
    std::vector<std::vector<int>> runden(4);
    for (int s = 1; s <= sektionen; ++s) {
        for (int i = 1; i <= 8; ++i)
            runden[0].push_back(8 * s - 8 + i);
        for (int i = 1; i <= 4; ++i)
            runden[1].push_back(4 * s + h.r2 + i);
        for (int i = 1; i <= 2; ++i)
            runden[2].push_back(2 * s + h.r3 + i);
        runden[3].push_back(s + h.sf);
    }
    for (const auto &r : h.oben)
        runden.push_back(r);

    const std::vector<int> folge = setzreihenfolge(h.groesse);
    for (int r = 0; r < static_cast<int>(runden.size()); ++r) {
        const int feld = h.groesse >> r;
        const QString text = runde_text(feld, r + 1);
        for (size_t k = 0; k < runden[r].size(); ++k) {
            if (r == 0)
                bau.kampf(runden[r][k], kSlot + folge[2 * k], kSlot + folge[2 * k + 1], text);
            else
                bau.kampf(runden[r][k], runden[r - 1][2 * k], runden[r - 1][2 * k + 1], text);
        }
    }
    return runden;
}

const QString kTrost = QStringLiteral("Trostrunde");
const QString kPlatz3 = QStringLiteral("Kampf um Platz 3");

// The two bronze bouts give 3. and 5., the bouts before them 7.
void bronze(Bau &bau, const std::vector<int> &davor, const std::vector<int> &bronzen)
{
    bau.zeile(davor[0]).verl = 9007;
    bau.zeile(davor[1]).verl = 9008;
    Listenzeile &a = bau.zeile(bronzen[0]);
    a.sieg = 9003;
    a.verl = 9005;
    a.text = kPlatz3;
    Listenzeile &b = bau.zeile(bronzen[1]);
    b.sieg = 9004;
    b.verl = 9006;
    b.text = kPlatz3;
}

void finale(Bau &bau, int pos)
{
    Listenzeile &f = bau.zeile(pos);
    f.sieg = 9001;
    f.verl = 9002;
}

Listenkopf kopf(const QString &typ, const QString &bez, int max, int sort, int trpo, int tabk, int pool)
{
    return {typ, bez, max, sort, trpo, tabk, pool};
}

// Double knock-out: every loser of the main round before the final goes to
// the loser slot 2000 + bout; the loser bracket is written column by column.
Bau doppelko_haupt(const QString &typ, int groesse, int sort, const Hauptrunde &h)
{
    Bau bau(kopf(typ, QStringLiteral("Doppel-KO-System (%1 Teiln.)").arg(groesse), groesse, sort, 0, 0, 0));
    const auto runden = hauptrunde(bau, h);
    for (size_t r = 0; r + 1 < runden.size(); ++r)
        for (int b : runden[r])
            bau.zeile(b).verl = kVerl + b;
    finale(bau, runden.back().front());
    return bau;
}

std::vector<int> verl(const std::vector<int> &bouts)
{
    std::vector<int> v;
    for (int b : bouts)
        v.push_back(kVerl + b);
    return v;
}

Listenvorlage doppelko16()
{
    Bau bau = doppelko_haupt(QStringLiteral("DOPPELKO16"), 16, 1, {16, 4, 18, 26, {}});
    const auto r1 = bau.paare(13, verl(bereich(1, 8)), kTrost);
    const auto r2 = bau.gegen(17, r1, {2011, 2012, 2009, 2010}, kTrost);
    const auto r3 = bau.paare(23, r2, kTrost);
    const auto r4 = bau.gegen(25, r3, {2021, 2022}, kTrost);
    bronze(bau, r3, r4);
    return bau.fertig();
}

Listenvorlage doppelko32()
{
    Bau bau = doppelko_haupt(QStringLiteral("DOPPELKO32"), 32, 1, {32, 12, 30, 44, {{59}}});
    const auto r1 = bau.paare(25, verl(plus(plus(bereich(13, 16), bereich(9, 12)), plus(bereich(5, 8), bereich(1, 4)))),
                              kTrost);
    const auto r2 = bau.gegen(37, r1, verl(plus(bereich(21, 24), bereich(17, 20))), kTrost);
    const auto r3 = bau.paare(47, r2, kTrost);
    const auto r4 = bau.gegen(51, r3, verl(bereich(33, 36)), kTrost);
    const auto r5 = bau.paare(55, r4, kTrost);
    const auto r6 = bau.gegen(57, r5, {2046, 2045}, kTrost);
    bronze(bau, r5, r6);
    return bau.fertig();
}

Listenvorlage doppelko64()
{
    Bau bau = doppelko_haupt(QStringLiteral("DOPPELKO64"), 64, 2, {64, 28, 62, 88, {{109, 110}, {123}}});
    // Two halves of the loser bracket ("C/D" and "E/F"), each meeting the
    // later losers of the other half of the main round.
    const auto c1 = bau.paare(49, verl(plus(bereich(9, 16), bereich(1, 8))), kTrost);
    const auto c2 = bau.gegen(73, c1, verl(plus(bereich(45, 48), bereich(41, 44))), kTrost);
    const auto c3 = bau.paare(93, c2, kTrost);
    const auto c4 = bau.gegen(101, c3, verl(bereich(69, 72)), kTrost);
    const auto c5 = bau.paare(111, c4, kTrost);
    const auto c6 = bau.gegen(115, c5, {2089, 2090}, kTrost);
    const auto e1 = bau.paare(57, verl(plus(bereich(25, 32), bereich(17, 24))), kTrost);
    const auto e2 = bau.gegen(81, e1, verl(plus(bereich(37, 40), bereich(33, 36))), kTrost);
    const auto e3 = bau.paare(97, e2, kTrost);
    const auto e4 = bau.gegen(105, e3, verl(bereich(65, 68)), kTrost);
    const auto e5 = bau.paare(113, e4, kTrost);
    const auto e6 = bau.gegen(117, e5, {2091, 2092}, kTrost);
    const auto f1 = bau.paare(119, plus(c6, e6), kTrost);
    const auto f2 = bau.gegen(121, f1, {2110, 2109}, kTrost);
    bronze(bau, f1, f2);
    return bau.fertig();
}

// Knock-out with double repechage: the winner of each quarter-final bout
// (8j00) sends everyone he has beaten into group j; the semi-final losers
// meet the group winners of the other half in the bronze bouts.
Listenvorlage kodt(int groesse, int sort, const Hauptrunde &h, int gruppe_ab)
{
    // bouts of a quarter-final winner: three in the sections of 16 up to the
    // quarter-final, one more per round above the sections before the semi-final
    const int trpo = static_cast<int>(h.oben.size()) + 2;
    Bau bau(kopf(QStringLiteral("KODT%1").arg(groesse),
                 QStringLiteral("KO mit dopp. Trostrunde (%1 Teiln.)").arg(groesse), groesse, sort, trpo, 0, 0));
    auto runden = hauptrunde(bau, h);
    // Without rounds above the sections the last section round is the
    // semi-final and the final follows it.
    const int finale_pos = runden.back().front();
    const std::vector<int> &viertel = runden[runden.size() - 3];
    const std::vector<int> &halb = runden[runden.size() - 2];
    for (size_t j = 0; j < viertel.size(); ++j)
        bau.zeile(viertel[j]).verl = 8000 + 100 * static_cast<int>(j + 1);
    bau.zeile(halb[0]).verl = 2502;
    bau.zeile(halb[1]).verl = 2501;
    finale(bau, finale_pos);

    std::vector<int> letzte;
    for (int j = 1; j <= 4; ++j) {
        const int g = 2000 + 100 * j;
        int vor = gruppe_ab + j;
        bau.kampf(vor, g + 1, g + 2, kTrost);
        for (int t = 3; t <= trpo; ++t) {
            const int pos = gruppe_ab + 4 * (t - 2) + j;
            bau.kampf(pos, vor, g + t, kTrost);
            vor = pos;
        }
        letzte.push_back(vor);
    }
    const int nach = finale_pos - 4; // two group finals, two bronze bouts, final
    const auto r1 = bau.paare(nach, letzte, kTrost);
    const auto r2 = bau.gegen(nach + 2, r1, {2501, 2502}, kTrost);
    bronze(bau, r1, r2);
    return bau.fertig();
}

Listenvorlage jgj(int n)
{
    const int kaempfe = n * (n - 1) / 2;
    Bau bau(kopf(QStringLiteral("JGJ0%1").arg(n), QStringLiteral("Jeder gegen Jeder (%1 Teiln.)").arg(n), n, 1, 0,
                 kaempfe, 1));
    int pos = 1;
    const auto runden = jeder_gegen_jeden(n);
    for (size_t r = 0; r < runden.size(); ++r)
        for (const auto &[a, b] : runden[r])
            bau.kampf(pos++, kSlot + a, kSlot + b, runde_text(0, static_cast<int>(r + 1)));
    return bau.fertig();
}

// Two pools of four: "Pool A" the odd slots, "Pool B" the even ones, bouts
// alternating between the pools; then A1-B2, A2-B1 and the final.
Listenvorlage pool8()
{
    Bau bau(kopf(QStringLiteral("POOL8"), QStringLiteral("Pool-System 2x4 (4-8 Teiln.)"), 8, 1, 0, 12, 2));
    int pos = 1;
    for (const auto &runde : jeder_gegen_jeden(4))
        for (const auto &[a, b] : runde) {
            bau.kampf(pos++, kSlot + 2 * a - 1, kSlot + 2 * b - 1, QStringLiteral("Pool A"));
            bau.kampf(pos++, kSlot + 2 * a, kSlot + 2 * b, QStringLiteral("Pool B"));
        }
    bau.kampf(13, 5101, 5202, QStringLiteral("Halbfinale"), 0, 9003);
    bau.kampf(14, 5102, 5201, QStringLiteral("Halbfinale"), 0, 9004);
    bau.kampf(15, 13, 14, QStringLiteral("Finale"), 9001, 9002);
    return bau.fertig();
}

bool einfuegen(Tdm &dm, const QString &tabelle, const QStringList &spalten, const std::vector<QVariantList> &zeilen,
               QString *fehler)
{
    // Several rows per statement keep database creation quick on a server.
    constexpr size_t kBlock = 50;
    QString platz = QStringLiteral("(?");
    for (int i = 1; i < spalten.size(); ++i)
        platz += QStringLiteral(",?");
    platz += u')';
    for (size_t ab = 0; ab < zeilen.size(); ab += kBlock) {
        const size_t bis = std::min(zeilen.size(), ab + kBlock);
        QStringList teile;
        QVariantList werte;
        for (size_t i = ab; i < bis; ++i) {
            teile << platz;
            werte << zeilen[i];
        }
        const QString sql = QStringLiteral("insert into ") + tabelle + QStringLiteral(" (") +
                            spalten.join(QStringLiteral(", ")) + QStringLiteral(") values ") +
                            teile.join(QStringLiteral(", "));
        if (!dm.Execute_SQL(sql, werte)) {
            if (fehler)
                *fehler = dm.letzter_fehler();
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<Listenvorlage> listenvorlagen()
{
    std::vector<Listenvorlage> alle;
    for (int n = 1; n <= 6; ++n)
        alle.push_back(jgj(n));
    alle.push_back(pool8());
    alle.push_back(doppelko16());
    alle.push_back(doppelko32());
    alle.push_back(doppelko64());
    alle.push_back(kodt(32, 2, {32, 12, 22, 28, {{43}}}, 30));
    alle.push_back(kodt(64, 1, {64, 28, 46, 56, {{73, 74}, {79}}}, 60));
    alle.push_back(kodt(128, 1, {128, 60, 94, 112, {{121, 122, 123, 124}, {141, 142}, {147}}}, 124));
    return alle;
}

bool listenvorlagen_schreiben(Tdm &dm, QString *fehler)
{
    std::vector<QVariantList> koepfe, zeilen;
    for (const Listenvorlage &v : listenvorlagen()) {
        const Listenkopf &k = v.kopf;
        koepfe.push_back({k.typ, sql_maskieren(k.bezeichnung), k.max_teilnehmer, k.sortierung, k.trostgruppe,
                          k.tabelle_bis, k.pool});
        for (const Listenzeile &z : v.zeilen)
            zeilen.push_back({k.typ, z.pos, z.blau, z.weis, z.sieg, z.verl, sql_maskieren(z.text)});
    }
    Transaktion ta(dm);
    if (!ta.aktiv()) {
        if (fehler)
            *fehler = QStringLiteral("Transaktion konnte nicht begonnen werden");
        return false;
    }
    if (!einfuegen(dm, QStringLiteral("listkopf"),
                   {QStringLiteral("LKLTYP"), QStringLiteral("LKLBEZ"), QStringLiteral("LKMAXT"),
                    QStringLiteral("LKSORT"), QStringLiteral("LKTRPO"), QStringLiteral("LKTABK"),
                    QStringLiteral("LKPOOL")},
                   koepfe, fehler))
        return false;
    if (!einfuegen(dm, QStringLiteral("listdef"),
                   {QStringLiteral("LDLTYP"), QStringLiteral("LDLPOS"), QStringLiteral("LDBLAU"),
                    QStringLiteral("LDWEIS"), QStringLiteral("LDSIEG"), QStringLiteral("LDVERL"),
                    QStringLiteral("LDTEXT")},
                   zeilen, fehler))
        return false;
    if (!ta.commit()) {
        if (fehler)
            *fehler = QStringLiteral("Listenvorlagen nicht gespeichert");
        return false;
    }
    return true;
}

} // namespace obi
