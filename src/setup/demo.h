// A complete demo tournament, so a newcomer can try every window at once and
// benchmarks have realistic data: age classes U15, U18 and adults for both
// sexes with their weight tables, clubs of several federations and
// participants in every weight class. The same seed gives the same
// tournament; only its date (today) differs from run to run.
#pragma once

#include <QString>

#include <optional>

namespace obi
{

struct DemoVorgaben {
    int teilnehmer = 300;
    quint32 seed = 1;
};

// Participants needed so that every weight class gets one: the number of
// weight classes the demo's weight tables give (0 when a table is missing).
int demo_mindest_teilnehmer();

// Creates the tournament "Demo-Turnier" on the current data module in one
// transaction and returns its number. Nothing is written when anything fails;
// the reason is shown (fewer participants than weight classes: fehler).
std::optional<int> demo_anlegen(const DemoVorgaben &v, QString *fehler = nullptr);

} // namespace obi
