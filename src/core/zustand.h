// Process-wide state of one run: current tournament, user, dialog slots.
// Windows read and change these directly, one after another on the UI thread.
#pragma once

#include <QString>

namespace obi {

struct Zustand {
    QString aktueller_wettkampf = QStringLiteral("0"); // WKWKNR as text, "0" = none
    QString aktueller_wettkampfname;
    QString benutzer;
    int drucker_index = 4765; // 4765 = no printer chosen
    QString meldungs_titel;   // caption of message boxes, "OBITRACK" after the db check
    bool etiketten_aktiv = false;
    bool blau_oben = false;
    QString waage_altersklasse;
    QString waage_geschlecht = QStringLiteral("M");
    bool wiegen_weiter = false;
    bool auffinden_weiter = false;
    QString auswahl_bedingung;
    QString auswahl_wert;
    QString auswahl_wert2;
    QString auswahl_modus;
    QString auswahl_wert3;
    int rueckgabe_zahl = 0;
    QString datum_auswahl;
};

Zustand &zustand();
// Back to the initial values (used by tests and at start-up).
void zustand_zuruecksetzen();

// The current tournament number as integer (0 when none).
int aktueller_wettkampf_nr();

} // namespace obi
