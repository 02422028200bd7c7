// obitrack-cli: scriptable verbs on the same core as the desktop program.
#pragma once

#include "cli_optionen.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <vector>

namespace obi {

struct CliKontext {
    QTextStream &out;
    QTextStream &err;
    bool ja = false; // --yes: answer every confirmation with "OK"
};

using CliAusfuehren = std::function<int(CliKontext &, const QStringList &args)>;

struct CliVerb {
    QString name;         // one or two words, e.g. "db init"
    QString aufruf;       // usage line after the name
    QString beschreibung; // one line for --help
    CliAusfuehren ausfuehren;
};

// Every verb the tool knows, in --help order.
const std::vector<CliVerb> &cli_verben();

// Runs the tool with args (without the program name); returns the exit code.
int cli_main(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace obi
