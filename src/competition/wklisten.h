// What the list window decides without a window: which type buttons a
// participant count allows and presets, the list type of a button, and the
// field checks before a list is generated.
#pragma once

#include <QString>

#include <array>
#include <optional>

namespace obi {

class Auswahlhilfe;

// The type buttons of "Auswahl Wettkampfsystem" in the window's order.
enum class Listenknopf { KO128, KO64, KO32, DoppelKO64, DoppelKO32, DoppelKO16, Pool8, Jeder, Auto };
inline constexpr int listenknopf_anzahl = 9;

struct Listenknoepfe {
    std::array<bool, listenknopf_anzahl> aktiv{};
    std::optional<Listenknopf> vorgabe; // none: no button is ticked
    bool ist_aktiv(Listenknopf k) const { return aktiv[static_cast<size_t>(k)]; }
};

// enable_radiobuttons for n participants: "Automatische Auswahl" is always
// usable and never preset; the other buttons by capacity, the last preset in
// button order winning; above 128 (and for 0) nothing is ticked.
Listenknoepfe listenknoepfe(int n);

// The list type a button stands for with n participants; round robin takes
// the count as its last digit (JGJ01..JGJ06); Auto gives an empty type.
QString listentyp_fuer(Listenknopf k, int n);

// Type of the list the weight class has (a participant slot holds a
// participant), empty when it has none.
QString vorhandene_liste(int wk, const QString &akid, const QString &gewk);

// The fields check_zusammen works on; the checks replace typed class names by
// their stored form and recompute the count.
struct WKListenFelder {
    QString akid;
    QString gewk;
    int anzahl = 0;
    bool aktion = false; // one of "neu erstellen" and the print boxes is ticked
};

struct WKListenPruefung {
    bool ok = true;
    int meldung = 0; // message to show when !ok
    QString feld;    // "AKID" or "GEWK": where the focus goes; empty otherwise
};

// check_zusammen of the list window for the key "AKID", "GEWK" or "*" (all,
// plus count and action). hilfe opens the pickers when several classes match.
WKListenPruefung wklisten_pruefen(int wk, WKListenFelder &f, const QString &schluessel, Auswahlhilfe *hilfe);

} // namespace obi
