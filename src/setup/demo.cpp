#include "demo.h"

#include "altersklassen.h"
#include "vereine.h"

#include "core/basis.h"
#include "core/datenbank.h"
#include "core/meldungen.h"
#include "register/wettkampf.h"

#include <QSet>
#include <QSqlQuery>
#include <QVariant>
#include <QVector>

#include <algorithm>
#include <random>
#include <utility>

namespace obi
{

namespace
{

// The engine's output is fixed by the standard; the distributions are not,
// so everything drawn goes through these few functions.
class Zufall
{
public:
    explicit Zufall(quint32 seed)
        : m_g(seed)
    {
    }

    // Uniform in [0, n).
    quint32 unter(quint32 n)
    {
        if (n <= 1)
            return 0;
        const quint64 bereich = quint64(1) << 32;
        const quint64 grenze = bereich - bereich % n;
        quint64 x = 0;
        do
            x = quint64(m_g()) & 0xFFFFFFFFu;
        while (x >= grenze);
        return quint32(x % n);
    }

    // Uniform in [von, bis].
    int zwischen(int von, int bis) { return von + int(unter(quint32(bis - von + 1))); }

    // An index drawn with the given (positive) weights.
    int gewichtet(const QVector<int> &gewichte)
    {
        qint64 summe = 0;
        for (int g : gewichte)
            summe += g;
        qint64 wurf = unter(quint32(summe));
        for (int i = 0; i < gewichte.size(); ++i) {
            wurf -= gewichte.at(i);
            if (wurf < 0)
                return i;
        }
        return int(gewichte.size()) - 1;
    }

    template<typename T> void mischen(QVector<T> &v)
    {
        for (qsizetype i = v.size() - 1; i > 0; --i)
            std::swap(v[i], v[qsizetype(unter(quint32(i + 1)))]);
    }

private:
    std::mt19937 m_g;
};

struct AkVorlage {
    const char *name;
    const char *tabelle; // key in lookup table Gewichtsklassen
    const char *mw;
    const char *text;
    int aeltester; // age in the tournament year of the oldest admitted
    int juengster; // and of the youngest
    int kampfzeit; // seconds
};

// U15 are 13 and 14 in the tournament year, U18 15 to 17, adults from 18.
const AkVorlage kAltersklassen[] = {
    { "U15m", "U15M", "M", "U15 männlich", 14, 13, 180 }, { "U15w", "U15W", "W", "U15 weiblich", 14, 13, 180 },
    { "U18m", "U18M", "M", "U18 männlich", 17, 15, 240 }, { "U18w", "U18W", "W", "U18 weiblich", 17, 15, 240 },
    { "Männer", "MAENNER", "M", "Männer", 45, 18, 240 },  { "Frauen", "FRAUEN", "W", "Frauen", 45, 18, 240 },
};
// Most adults who still fight are younger than this.
constexpr int kErwachseneBis = 35;

const char *const kVornamenM[] = {
    "Lukas",      "Leon",    "Finn",   "Jonas",     "Noah",   "Elias",   "Paul",    "Ben",    "Felix",   "Luis",
    "Maximilian", "Henry",   "Emil",   "Moritz",    "Jakob",  "Niklas",  "Tim",     "Julian", "Philipp", "David",
    "Alexander",  "Tom",     "Jan",    "Simon",     "Fabian", "Erik",    "Anton",   "Leo",    "Matteo",  "Oskar",
    "Samuel",     "Vincent", "Milan",  "Johannes",  "Tobias", "Florian", "Kevin",   "Marcel", "Dominik", "Sebastian",
    "Daniel",     "Marco",   "Stefan", "Christian", "Sven",   "Dennis",  "Patrick", "Lars",   "Kai",     "Till",
};
const char *const kVornamenW[] = {
    "Mia",       "Emma",      "Hanna",   "Sophia", "Lea",    "Lina",    "Marie",   "Emilia", "Lena",      "Anna",
    "Clara",     "Ella",      "Johanna", "Laura",  "Sarah",  "Lisa",    "Julia",   "Amelie", "Charlotte", "Luisa",
    "Nele",      "Paula",     "Leonie",  "Maja",   "Frieda", "Greta",   "Ida",     "Mila",   "Zoe",       "Jana",
    "Katharina", "Franziska", "Vanessa", "Jasmin", "Nina",   "Svenja",  "Melanie", "Sandra", "Carina",    "Annika",
    "Theresa",   "Helena",    "Miriam",  "Alina",  "Selina", "Jessica", "Kim",     "Jule",   "Antonia",   "Pia",
};
const char *const kNachnamen[] = {
    "Müller",   "Schmidt",    "Schneider", "Fischer", "Weber",    "Meyer",    "Wagner",    "Becker",     "Schulz",
    "Hoffmann", "Schäfer",    "Koch",      "Bauer",   "Richter",  "Klein",    "Wolf",      "Schröder",   "Neumann",
    "Schwarz",  "Zimmermann", "Braun",     "Krüger",  "Hofmann",  "Hartmann", "Lange",     "Schmitt",    "Werner",
    "Schmitz",  "Krause",     "Meier",     "Lehmann", "Schmid",   "Schulze",  "Maier",     "Köhler",     "Herrmann",
    "König",    "Walter",     "Mayer",     "Huber",   "Kaiser",   "Fuchs",    "Peters",    "Lang",       "Scholz",
    "Möller",   "Weiß",       "Jung",      "Hahn",    "Schubert", "Vogel",    "Friedrich", "Keller",     "Günther",
    "Frank",    "Berger",     "Winkler",   "Roth",    "Beck",     "Lorenz",   "Baumann",   "Franke",     "Albrecht",
    "Schuster", "Simon",      "Ludwig",    "Böhm",    "Winter",   "Kraus",    "Martin",    "Schumacher", "Krämer",
    "Vogt",     "Stein",      "Jäger",     "Otto",    "Sommer",   "Groß",     "Seidel",    "Heinrich",
};
const char *const kVereinsarten[] = {
    "JC",        "Judo-Club", "TSV", "SV",  "TV",  "SC",      "PSV",   "VfL",     "JSV",
    "Budo-Club", "Judoteam",  "DJK", "TuS", "MTV", "Post SV", "1. JC", "Judokan", "SG",
};

struct Orte {
    const char *verband;
    const char *orte; // ";"-separated
};
const Orte kOrte[] = {
    { "BAD", "Freiburg;Karlsruhe;Mannheim;Heidelberg;Pforzheim;Offenburg;Konstanz;Baden-Baden;Lörrach;Rastatt" },
    { "BAY", "München;Nürnberg;Augsburg;Regensburg;Ingolstadt;Würzburg;Erlangen;Fürth;Bamberg;Passau;Rosenheim" },
    { "BER", "Berlin-Mitte;Spandau;Köpenick;Pankow;Neukölln;Charlottenburg;Reinickendorf;Lichtenberg;Steglitz" },
    { "BRA", "Potsdam;Cottbus;Brandenburg;Oranienburg;Eberswalde;Falkensee;Bernau;Luckenwalde;Schwedt" },
    { "BRE", "Bremen;Bremerhaven;Vegesack;Hemelingen;Huchting;Findorff" },
    { "HAM", "Hamburg;Altona;Harburg;Bergedorf;Wandsbek;Eimsbüttel;Barmbek;Blankenese" },
    { "HES", "Frankfurt;Wiesbaden;Kassel;Darmstadt;Offenbach;Gießen;Marburg;Fulda;Hanau;Rüsselsheim" },
    { "MVP", "Rostock;Schwerin;Greifswald;Stralsund;Neubrandenburg;Wismar;Güstrow;Waren" },
    { "NDS", "Hannover;Braunschweig;Osnabrück;Oldenburg;Göttingen;Wolfsburg;Hildesheim;Celle;Lüneburg" },
    { "NRW", "Köln;Düsseldorf;Dortmund;Essen;Duisburg;Bochum;Wuppertal;Bielefeld;Bonn;Münster;Aachen" },
    { "RLP", "Mainz;Ludwigshafen;Koblenz;Trier;Kaiserslautern;Worms;Speyer;Neuwied;Landau" },
    { "SAA", "Saarbrücken;Neunkirchen;Homburg;Völklingen;Saarlouis;Merzig;St. Wendel;Dillingen" },
    { "SAC", "Leipzig;Dresden;Chemnitz;Zwickau;Plauen;Görlitz;Freiberg;Bautzen;Pirna;Riesa" },
    { "SAN", "Magdeburg;Halle;Dessau;Wittenberg;Stendal;Halberstadt;Bernburg;Merseburg;Naumburg" },
    { "SHO", "Kiel;Lübeck;Flensburg;Neumünster;Norderstedt;Elmshorn;Pinneberg;Itzehoe;Husum" },
    { "THU", "Erfurt;Jena;Gera;Weimar;Gotha;Nordhausen;Eisenach;Suhl;Ilmenau" },
    { "WUE", "Stuttgart;Ulm;Heilbronn;Reutlingen;Esslingen;Ludwigsburg;Tübingen;Böblingen;Göppingen" },
};

template<size_t N> QString ziehe(Zufall &z, const char *const (&liste)[N])
{
    return QString::fromUtf8(liste[z.unter(quint32(N))]);
}

struct Klasse {
    int ak = 0; // index into kAltersklassen
    QString gewk;
    int vonZehntel = 0; // lightest weight in the class, in tenths of a kg
    int bisZehntel = 0; // heaviest
    int position = 0; // within the age class
    int anzahl = 0; // of the age class
};

struct Club {
    QString verband;
    QString ort;
    QString name;
    int los = 0;
    int gewicht = 1; // how many participants it tends to bring
    int teilnehmer = 0;
};

// The weight classes of the demo's age classes from the lookup table, with
// the weight range a participant of each may have. Empty when a table is missing.
QVector<Klasse> klassen_lesen()
{
    QVector<Klasse> klassen;
    for (int ak = 0; ak < int(std::size(kAltersklassen)); ++ak) {
        auto q
            = dm().abfrage(QStringLiteral("select TPBEZ from tabpos where TPFIRM = '000' and TPTAB = ? and TPKEY = ?"),
                           { QStringLiteral("Gewichtsklassen"), QString::fromUtf8(kAltersklassen[ak].tabelle) });
        if (!q || !q->next())
            return {};
        const QVector<GewichtsklasseVorlage> vorlagen = gewichtsklassen_zerlegen(q->value(0).toString());
        int untere = 0;
        for (const GewichtsklasseVorlage &g : vorlagen) {
            Klasse k;
            k.ak = ak;
            k.gewk = g.name;
            k.position = g.sort - 1;
            k.anzahl = int(vorlagen.size());
            const int grenze = int(std::min<qint64>(nur_ziffern(g.name), 300));
            if (g.gewicht == 999) {
                // The open class: from its limit up to a heavy but plausible weight.
                k.vonZehntel = grenze * 10 + 1;
                k.bisZehntel = (grenze + 25) * 10;
            } else if (grenze <= 0) {
                k.vonZehntel = 300;
                k.bisZehntel = 1000;
            } else {
                k.vonZehntel = (untere > 0 && untere < grenze ? untere : grenze - 4) * 10 + 1;
                k.bisZehntel = grenze * 10;
            }
            untere = grenze;
            klassen.append(k);
        }
    }
    return klassen;
}

// How many participants each class gets: a few classes exactly 1, 2, 3 ...,
// every other one at least one and more in the middle of the table.
QVector<int> verteilung(Zufall &z, const QVector<Klasse> &klassen, int teilnehmer)
{
    const int k = int(klassen.size());
    QVector<int> klein { 1, 2, 3, 1, 2, 3 };
    auto summe = [](const QVector<int> &v) {
        int s = 0;
        for (int x : v)
            s += x;
        return s;
    };
    while (!klein.isEmpty() && summe(klein) + (k - int(klein.size())) > teilnehmer)
        klein.removeLast();

    QVector<int> reihenfolge;
    QVector<int> anzahl;
    for (int i = 0; i < k; ++i) {
        reihenfolge.append(i);
        anzahl.append(0);
    }
    z.mischen(reihenfolge);

    QVector<int> gross;
    QVector<int> gewichte;
    for (int i = 0; i < k; ++i) {
        const int c = reihenfolge.at(i);
        if (i < klein.size()) {
            anzahl[c] = klein.at(i);
        } else {
            anzahl[c] = 1;
            gross.append(c);
            const Klasse &kl = klassen.at(c);
            gewichte.append(2 + std::min(kl.position, kl.anzahl - 1 - kl.position));
        }
    }
    int rest = teilnehmer - summe(anzahl);
    while (rest-- > 0 && !gross.isEmpty())
        ++anzahl[gross.at(z.gewichtet(gewichte))];
    return anzahl;
}

QVector<Club> vereine_planen(Zufall &z)
{
    // Federations of the lookup table for which towns are known.
    QVector<const Orte *> verbaende;
    auto q = dm().abfrage(QStringLiteral("select TPKEY from tabpos where TPFIRM = '000' and ")
                          + dm().sql_gross(QStringLiteral("TPTAB")) + QStringLiteral(" = 'VERBAND' order by TPKEY"));
    QSet<QString> vorhanden;
    while (q && q->next())
        vorhanden.insert(q->value(0).toString());
    for (const Orte &o : kOrte)
        if (vorhanden.contains(QString::fromUtf8(o.verband)))
            verbaende.append(&o);
    // A changed lookup table still gets clubs, without a federation then.
    static const Orte ohneVerband { "", "Musterstadt;Beispielhausen;Demodorf;Probstadt;Testingen;Übungsfeld" };
    if (verbaende.isEmpty())
        verbaende.append(&ohneVerband);

    z.mischen(verbaende);
    const int anzahlVerbaende = std::min<int>(int(verbaende.size()), z.zwischen(4, 8));
    verbaende.resize(anzahlVerbaende);
    const int anzahlVereine = z.zwischen(30, 60);

    QVector<int> verbandJeVerein(anzahlVereine);
    for (int i = 0; i < anzahlVereine; ++i)
        verbandJeVerein[i] = i < anzahlVerbaende ? i : int(z.unter(quint32(anzahlVerbaende)));

    // Grouped by federation, as a desk enters them from the registrations.
    QVector<Club> clubs;
    QSet<QString> namen;
    for (int v = 0; v < anzahlVerbaende; ++v) {
        const QStringList orte = QString::fromUtf8(verbaende.at(v)->orte).split(u';');
        for (int i = 0; i < anzahlVereine; ++i) {
            if (verbandJeVerein.at(i) != v)
                continue;
            Club c;
            c.verband = QString::fromUtf8(verbaende.at(v)->verband);
            // Retried until the name is new; a counter keeps it finite.
            for (int versuch = 0;; ++versuch) {
                c.ort = orte.at(qsizetype(z.unter(quint32(orte.size()))));
                c.name = ziehe(z, kVereinsarten) + u' ' + c.ort;
                if (c.name.size() <= 30 && !namen.contains(c.name))
                    break;
                if (versuch > 50) {
                    c.name = QString(QStringLiteral("JC ") + c.ort).left(24) + u' ' + QString::number(clubs.size() + 1);
                    break;
                }
            }
            namen.insert(c.name);
            c.gewicht = z.zwischen(1, 6);
            clubs.append(c);
        }
    }
    return clubs;
}

// All writes of the demo; joins the caller's transaction. 0 or the message.
int schreiben(Zufall &z, const QVector<Klasse> &klassen, int teilnehmer, int &wk)
{
    WettkampfDaten w = wettkampf_vorgabe();
    w.bezeichnung = QStringLiteral("Demo-Turnier");
    w.datum = zahl_zu_datum(heute_zahl());
    w.ort = QStringLiteral("Musterstadt");
    w.leitung = QStringLiteral("Demo-Sportleitung");
    w.startgeld = QStringLiteral("12,00");
    const std::optional<int> nummer = wettkampf_speichern(w, dm());
    if (!nummer)
        return -1; // shown already
    wk = *nummer;
    const int jahr = heute_zahl() / 10000;

    for (const AkVorlage &a : kAltersklassen) {
        AltersklasseEingabe e = altersklasse_neu_eingabe();
        e.akid = QString::fromUtf8(a.name);
        e.gewt = QString::fromUtf8(a.tabelle);
        e.mw = QString::fromUtf8(a.mw);
        e.text = QString::fromUtf8(a.text);
        e.jgmi = QString::number(jahr - a.aeltester);
        e.jgma = QString::number(jahr - a.juengster);
        e.kati = QString::number(a.kampfzeit);
        e.gsti = QStringLiteral("0"); // golden score without a limit
        e.mshd = QStringLiteral("3"); // the third shido is hansoku-make
        e.rstr = QStringLiteral("X");
        e.hgtm = QStringLiteral("20");
        e.htg2 = QStringLiteral("10");
        e.ohneYuko = true;
        e.wazaZuIppon = true;
        if (!altersklasse_speichern(e, true, wk).ok())
            return -1;
    }

    QVector<Club> clubs = vereine_planen(z);
    for (Club &c : clubs) {
        VereinEingabe e = verein_neu_eingabe();
        // The number the clubs window proposes for a new club of the federation.
        c.los = neues_los(wk, c.verband);
        if (c.los <= 0)
            return 19902;
        e.los = QString::number(c.los);
        e.name = c.name;
        e.verband = c.verband;
        const VereinErgebnis r = verein_speichern(e, true, wk);
        if (!r.ok())
            return r.meldung;
    }

    const QVector<int> anzahl = verteilung(z, klassen, teilnehmer);
    QVector<int> plaetze;
    for (int k = 0; k < klassen.size(); ++k)
        for (int i = 0; i < anzahl.at(k); ++i)
            plaetze.append(k);
    z.mischen(plaetze); // start numbers not grouped by class

    QVector<int> clubGewichte;
    for (const Club &c : std::as_const(clubs))
        clubGewichte.append(c.gewicht);

    int stnr = 0;
    for (int k : std::as_const(plaetze)) {
        const Klasse &kl = klassen.at(k);
        const AkVorlage &a = kAltersklassen[kl.ak];
        const bool weiblich = QLatin1String(a.mw) == QLatin1String("W");
        const QString vorname = weiblich ? ziehe(z, kVornamenW) : ziehe(z, kVornamenM);
        const QString name = ziehe(z, kNachnamen);
        Club &c = clubs[z.gewichtet(clubGewichte)];
        const int aeltester = std::min(a.aeltester, kErwachseneBis);
        const int jg = jahr - z.zwischen(a.juengster, std::max(aeltester, a.juengster));
        const double gewicht = z.zwischen(kl.vonZehntel, kl.bisZehntel) / 10.0;
        ++c.teilnehmer;
        ++stnr;
        const QVariant leer = sql_bindwert(QString(), QStringLiteral("T"));
        if (!dm().Execute_SQL(
                QStringLiteral("insert into starter (STWKNR, STSTNR, STAKID, STGEWK, STNAME, STVNAM, STJG, STLOS, "
                               "STGEWN, STPLTZ, STSETZ, STTEXT, STSORT, STSTAT) "
                               "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, 0, 0)"),
                { wk, stnr, sql_bindwert(QString::fromUtf8(a.name), QStringLiteral("T")),
                  sql_bindwert(kl.gewk, QStringLiteral("T")), sql_bindwert(name, QStringLiteral("T")),
                  sql_bindwert(vorname, QStringLiteral("T")), jg, c.los, gewicht, leer, leer }))
            return 19902;
    }

    // Registered and present as after the weigh-in, with their entry fee.
    for (const Club &c : std::as_const(clubs))
        if (!dm().Execute_SQL(QStringLiteral("update vereine set VEORT = ?, VEMLDG = ?, VEANZA = ?, VESGLD = ? "
                                             "where VEWKNR = ? and VELOS = ?"),
                              { sql_bindwert(c.ort, QStringLiteral("T")), c.teilnehmer, c.teilnehmer,
                                c.teilnehmer * 1200, wk, c.los }))
            return 19902;
    return 0;
}

} // namespace

int demo_mindest_teilnehmer()
{
    return int(klassen_lesen().size());
}

std::optional<int> demo_anlegen(const DemoVorgaben &v, QString *fehler)
{
    const QVector<Klasse> klassen = klassen_lesen();
    if (klassen.isEmpty()) {
        if (fehler)
            *fehler = QStringLiteral("Gewichtstabellen U15M, U15W, U18M, U18W, MAENNER, FRAUEN fehlen in der "
                                     "Tabelle Gewichtsklassen");
        return std::nullopt;
    }
    if (v.teilnehmer < klassen.size()) {
        if (fehler)
            *fehler = QStringLiteral("Mindestens ") + QString::number(klassen.size())
                + QStringLiteral(" Teilnehmer nötig, damit jede Gewichtsklasse besetzt ist");
        return std::nullopt;
    }
    Zufall z(v.seed);
    int wk = 0;
    Transaktion t(dm());
    // schreiben gives -1 when the refusing function has shown its message.
    int meldung = t.aktiv() ? schreiben(z, klassen, v.teilnehmer, wk) : 19902;
    if (meldung == 0 && !t.commit())
        meldung = 19902;
    if (meldung != 0) {
        t.rollback();
        if (meldung > 0)
            zeige_meldung(meldung);
        return std::nullopt;
    }
    return wk;
}

} // namespace obi
