#pragma once

#include <QString>

#include <vector>

namespace obi {

class Tdm;

// One row of listkopf: a competition system and its capacity.
struct Listenkopf {
    QString typ;         // LKLTYP
    QString bezeichnung; // LKLBEZ
    int max_teilnehmer = 0; // LKMAXT
    int sortierung = 0;     // LKSORT
    int trostgruppe = 0;    // LKTRPO: slots per repechage group (KO types)
    int tabelle_bis = 0;    // LKTABK: last bout counting for the table, 0 = none
    int pool = 0;           // LKPOOL: 1 one table, 2 two pools, 0 none
};

// One row of listdef: a bout position and where its fighters come from and go.
struct Listenzeile {
    int pos = 0;   // LDLPOS
    int blau = 0;  // LDBLAU
    int weis = 0;  // LDWEIS
    int sieg = 0;  // LDSIEG
    int verl = 0;  // LDVERL
    QString text;  // LDTEXT
};

struct Listenvorlage {
    Listenkopf kopf;
    std::vector<Listenzeile> zeilen; // ordered by pos
};

// Every list type the program offers, built from the bracket rules.
std::vector<Listenvorlage> listenvorlagen();

// Inserts all templates into listkopf and listdef; runs inside the caller's
// Transaktion (or its own when there is none). False with a reason on failure.
bool listenvorlagen_schreiben(Tdm &dm, QString *fehler);

} // namespace obi
