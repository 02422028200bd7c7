// The numbered message catalogue and the three ways the program talks to the
// user in a dialog. All of them go through one replaceable Melder, so the
// desktop program shows message boxes, the CLI prints, and tests record.
#pragma once

#include <QString>

namespace obi {

// Box kind letters: 'H' information, 'M' plain, 'W' warning, 'F' error.
class Melder
{
public:
    virtual ~Melder() = default;
    // Shows text in a box of the given kind with the given caption.
    virtual void zeige(const QString &text, QChar art, const QString &titel) = 0;
    // Asks a yes/no confirmation (caption "Bestätigung", "OK"/"Abbrechen").
    virtual bool frage(const QString &frage) = 0;
};

// The current Melder; never null (falls back to one printing on stderr).
Melder &melder();
// Installs m (not owned); nullptr restores the stderr fallback.
void setze_melder(Melder *m);

// Catalogue text of n, "Programmfehler" for numbers without an entry.
QString meldungs_text(int nummer);
// Whether n has an entry of its own.
bool meldung_bekannt(int nummer);
// Box kind by number range: up to 1000 'H', up to 10000 'W', above 'F'.
QChar meldungs_art(int nummer);
// The full text shown: catalogue text + " (" + n + ")".
QString meldungs_anzeige(int nummer);

void zeige_meldung(int nummer);
void zeige_text(const QString &text, const QString &art);
bool frage_ok(const QString &frage);

// Normalises a kind text to its letter: "H", "M", "W", everything else 'F'.
QChar meldungs_art_aus_text(const QString &art);

} // namespace obi
