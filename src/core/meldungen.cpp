#include "meldungen.h"

#include "zustand.h"

#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace obi {

namespace {

struct Eintrag {
    int nummer;
    const char16_t *text;
};

// Sorted by number; looked up with a binary search.
constexpr Eintrag katalog[] = {
    {101, u"Datei wurde erstellt"},
    {102, u"Datei importiert"},
    {103, u"Download erfolgreich"},
    {104, u"Daten erfolgreich importiert"},
    {105, u"Verbindung hergestellt"},
    {301, u"Angaben für Jahrgänge wurden getauscht"},
    {302, u"Teilnehmeranzahl für Vereine wurden ermittelt"},
    {303, u"Keine Daten importiert"},
    {304, u"Listentyp entspricht nicht dem Vorschlag"},
    {305, u"Kämpfe beendet"},
    {306, u"Kein Kampf geladen"},
    {307, u"Keine Aktion ausgewählt"},
    {308, u"Sätze gelöscht"},
    {309, u"Losen wurde erfolgreich durchgeführt"},
    {310, u"Plätze wurden berechnet"},
    {311, u"Status geändert"},
    {2001, u"Achtung! Aktuelle Werte werden gelöscht"},
    {2002, u"Aktion abgebrochen"},
    {2003, u"Aktion fehlerhaft beendet"},
    {2004, u"Keine Datensätze selektiert"},
    {3001, u"Bereits verwendete Gewichtsklassen könnten gelöscht werden"},
    {3002, u"Altersklasse nicht eindeutig"},
    {3003, u"Keine Altersklasse ausgewählt"},
    {3004, u"Keine Wettkampfliste erstellt"},
    {3005, u"Ergebnis für Kampf nicht gespeichert"},
    {3006, u"Fehler beim Zugriff au f Listendefinition"},
    {3007, u"Datei für Signal bei Kampfende nicht gefunden"},
    {3008, u"Für diese Liste gibt es keine Tabellen zu berechnen"},
    {3009, u"Noch nicht alle relevanten Kämpfe entschieden"},
    {3010, u"Änderungen nicht mehr möglich"},
    {3011, u"Gleiche Anzahl Siege - Plätze bitte prüfen"},
    {3012, u"Kampf nicht gefunden"},
    {3013, u"Kein Judoka ausgewählt"},
    {3014, u"Judoka nicht gefunden"},
    {3015, u"Haltegriffzeit für Wazaari mit (Standard-)Haltegriffzeit ersetzt"},
    {3016, u"Spezifische Parameter für Anzeigetafel nicht geladen"},
    {3017, u"Tabelle nicht gefunden"},
    {9901, u"Kein Datensatz gefunden"},
    {9999, u"Schade - Zugriff verweigert"},
    {18001, u"Eintrag ist bereits vorhanden"},
    {18002, u"Andere Daten verweisen auf diesen Satz"},
    {19902, u"Fehler beim Datenzugriff"},
    {19903, u"Kein Wettkampf ausgewählt"},
    {19904, u"Fehler in INI-Datei"},
    {19905, u"Datei fehlerhaft"},
    {19909, u"Kein Zugriff auf Datenbank"},
    {21001, u"Dieses Feld darf nicht leer sein"},
    {21002, u"Datum ist ungültig"},
    {21003, u"Dieses Feld erfordert eine numerische Angabe"},
    {21004, u"Dieses Feld erfordert eine (ganze) Zahl"},
    {21005, u"Eingabe ungültig"},
    {21006, u"Kein Dokument angegeben"},
    {21007, u"Dokument nicht gefunden"},
    {21008, u"Applikation (MS-Word) nicht geöffnet"},
    {21009, u"Fehler in fremder Applikation"},
    {21010, u"Speichern nicht möglich"},
    {31001, u"Angabe für Gewichtstabelle ungültig"},
    {31002, u"Altersklasse in diesem Wettkampf nicht gültig"},
    {31003, u"Gewichtsklasse in dieser Altersklasse nicht gültig"},
    {31004, u"Jahrgang ist für gewählte Altersklasse nicht zulässig"},
    {31005, u"Für diese Losnummer wurde kein Verein angelegt"},
    {31006, u"Der Wert 0 ist für eine Losnummer nicht erlaubt"},
    {31007, u"Ohne Wettkämpfer kann auch keine Liste erzeugt werden"},
    {31008, u"Startnummer ungültig (Prüfziffer falsch)"},
    {31009, u"Datensatz nicht gefunden"},
    {31010, u"Für den Status sind nur Ziffern erlaubt"},
    {31011, u"Status nicht gültig"},
    {31012, u"Fehler beim Ermitteln der Teilnehmerzahlen"},
    {31023, u"Barcode nicht korrekt !"},
    {31030, u"Verein nicht eingetragen"},
    {31031, u"Jahrgang in dieser Altersklasse nicht erlaubt"},
    {31032, u"keine entsprechenden Altersklasse gefunden"},
    {31033, u"Schnittstelle nicht initialisiert"},
    {31034, u"Keine Daten von Waage empfangen"},
    {31035, u"Wiegedaten außerhalb Toleranz"},
    {31036, u"Gewichtsklasse existiert bereits"},
    {31037, u"Dieses Umsetzen ist nicht möglich"},
    {31038, u"Löschen nicht möglich"},
    {31039, u"Jahrgang nicht plausibel"},
    {31040, u"Liste muss neu erstellt werden"},
    {31041, u"Zu viele Teilnehmer - keine Liste möglich"},
    {31042, u"Listentyp nicht gefunden"},
    {31043, u"Zu viele Teilnehmer für diese Liste"},
    {31044, u"Ungültige Setzposition gefunden"},
    {31045, u"Wettkampfliste ungültig"},
    {31046, u"Sieger muss festleget werden"},
    {31047, u"Kampf ungültig"},
    {31048, u"Keine Wettkampf-Daten ausgewählt"},
    {31049, u"Löschen nicht möglich"},
    {31050, u"Fehler beim Speichern der Ergebnisse"},
    {31051, u"Keine Spalten für Import definiert"},
    {31052, u"Listenplatz mehrfach vergeben"},
    {31053, u"Gewichtsklassen wurden aus Tabelleneintrag erstellt"},
    {31054, u"Judoka ist nicht (mehr) im Wettkampf aktiv"},
    {31055, u"Vorschau nicht korrekt konfiguriert"},
    {31056, u"Funktion für Import nicht gefunden"},
    {31057, u"Importfehler Zeilengrenze"},
    {31058, u"Importfehler Satz-Prefix fix"},
    {31059, u"Importfehler Satz-Prefix var."},
    {31060, u"Importfehler Satz-Beginn"},
    {31061, u"Importfehler Satz-Ende"},
    {31062, u"Importfehler: keine Teilnehmer"},
    {31063, u"Anzahl Shidos muss zwischen 2 und 9 liegen"},
    {31064, u"Eintrag für Relevanz der Strafen ungültig"},
    {31065, u"Haltegriffzeit nicht im gültigen Bereich"},
    {31066, u"Matte (=Wettkampffläche) ungültig"},
    {99980, u"Datenbank-Version konnte nicht ermittelt werden"},
    {99981, u"Bitte Datenbank aktualisieren"},
    {99982, u"Bitte Programm aktualisieren"},
};

static_assert(std::is_sorted(std::begin(katalog), std::end(katalog),
                             [](const Eintrag &a, const Eintrag &b) { return a.nummer < b.nummer; }));

const Eintrag *finde(int nummer)
{
    const auto *it = std::lower_bound(std::begin(katalog), std::end(katalog), nummer,
                                      [](const Eintrag &e, int n) { return e.nummer < n; });
    return it != std::end(katalog) && it->nummer == nummer ? it : nullptr;
}

// Used when no window toolkit is there: prints and declines every question.
class StderrMelder final : public Melder
{
public:
    void zeige(const QString &text, QChar art, const QString &titel) override
    {
        QTextStream err(stderr);
        err << (titel.isEmpty() ? QString() : titel + QStringLiteral(": ")) << art_wort(art) << text << Qt::endl;
    }
    bool frage(const QString &frage) override
    {
        QTextStream err(stderr);
        err << QStringLiteral("Bestätigung: ") << frage << QStringLiteral(" -> Abbrechen") << Qt::endl;
        return false;
    }
    static QString art_wort(QChar art)
    {
        switch (art.unicode()) {
        case 'H': return QStringLiteral("Hinweis: ");
        case 'W': return QStringLiteral("Warnung: ");
        case 'M': return QString();
        default: return QStringLiteral("Fehler: ");
        }
    }
};

StderrMelder &fallback()
{
    static StderrMelder m;
    return m;
}

Melder *&aktueller_melder()
{
    static Melder *m = nullptr;
    return m;
}

} // namespace

Melder &melder()
{
    Melder *m = aktueller_melder();
    return m ? *m : fallback();
}

void setze_melder(Melder *m)
{
    aktueller_melder() = m;
}

bool meldung_bekannt(int nummer)
{
    return finde(nummer) != nullptr;
}

QString meldungs_text(int nummer)
{
    const Eintrag *e = finde(nummer);
    return e ? QString::fromUtf16(e->text) : QStringLiteral("Programmfehler");
}

QChar meldungs_art(int nummer)
{
    if (nummer <= 1000)
        return u'H';
    if (nummer <= 10000)
        return u'W';
    return u'F';
}

QString meldungs_anzeige(int nummer)
{
    return meldungs_text(nummer) + QStringLiteral(" (") + QString::number(nummer) + u')';
}

QChar meldungs_art_aus_text(const QString &art)
{
    const QChar c = art.isEmpty() ? QChar(u'F') : art.at(0);
    if (c == u'H' || c == u'M' || c == u'W')
        return c;
    return u'F';
}

void zeige_meldung(int nummer)
{
    zeige_text(meldungs_anzeige(nummer), QString(meldungs_art(nummer)));
}

void zeige_text(const QString &text, const QString &art)
{
    melder().zeige(text, meldungs_art_aus_text(art), zustand().meldungs_titel);
}

bool frage_ok(const QString &frage)
{
    return melder().frage(frage);
}

} // namespace obi
