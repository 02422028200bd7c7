#pragma once

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <climits>
#include <optional>

namespace obi {

struct CliKontext;

// "--name value" options, "--flag" switches and positional words of a verb.
struct CliOptionen {
    QMap<QString, QString> werte; // without the leading "--"
    QSet<QString> schalter;
    QStringList positionale;
    QString fehler; // non-empty when the arguments could not be read

    bool hat(const QString &name) const { return werte.contains(name) || schalter.contains(name); }
    QString wert(const QString &name, const QString &standard = {}) const { return werte.value(name, standard); }

    // flags: the names that take no value. Every other "--name" needs one.
    static CliOptionen lesen(const QStringList &args, const QSet<QString> &flags);
};

// What a verb accepts on its command line.
struct CliRegeln {
    // With "= {}" a verb may name only the fields it needs without a warning.
    QSet<QString> optionen = {}; // "--name value"
    QSet<QString> schalter = {}; // "--flag" without a value
    QSet<QString> pflicht = {}; // options that must be given
    int positionale = 0; // exact number of positional words
};

// Reads a verb's arguments into o. Anything the rules do not allow prints the
// reader's error (if there is one) and the verb's usage line; false then.
bool cli_optionen_lesen(CliKontext &ctx, const QStringList &args, const QString &aufruf, const CliRegeln &regeln,
                        CliOptionen &o);

// Options of a verb on one tournament: "--tournament NUMMER", which must be
// there, and the options in weitere. The tournament number, or nullopt after
// printing what is wrong.
std::optional<int> cli_wettkampf_optionen(CliKontext &ctx, const QStringList &args, const QString &aufruf,
                                          const QSet<QString> &weitere, CliOptionen &o);

// Prints "Aufruf: obitrack-cli <aufruf>" and returns the exit code for a wrong call (2).
int cli_aufruf_zeigen(CliKontext &ctx, const QString &aufruf);

// A whole number from 1 to oben, else nullopt.
std::optional<int> cli_positive_zahl(const QString &text, int oben = INT_MAX);

// The same, printing "Keine gültige <was>: <text>" when it is none.
std::optional<int> cli_positive_zahl(CliKontext &ctx, const QString &text, const char *was, int oben = INT_MAX);

// A tournament number ("Keine gültige Wettkampfnummer: ..." otherwise).
std::optional<int> cli_wettkampfnummer(CliKontext &ctx, const QString &text);

// A seed for the random generators, 0 to 4294967295; prints what is wrong otherwise.
std::optional<quint32> cli_startwert(CliKontext &ctx, const QString &text);

} // namespace obi
