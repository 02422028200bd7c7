#include "cli.h"

#include "core/konfig.h"
#include "core/meldungen.h"
#include "core/version.h"

namespace obi {

namespace {

// Prints messages with their number to stderr and answers from --yes.
class CliMelder final : public Melder
{
public:
    CliMelder(QTextStream &err, bool ja)
        : m_err(err)
        , m_ja(ja)
    {
    }
    void zeige(const QString &text, QChar, const QString &) override { m_err << text << Qt::endl; }
    bool frage(const QString &frage) override
    {
        m_err << frage << (m_ja ? QStringLiteral(" -> OK") : QStringLiteral(" -> Abbrechen (--yes fehlt)"))
              << Qt::endl;
        return m_ja;
    }

private:
    QTextStream &m_err;
    bool m_ja;
};

// Restores the previous Melder when a run ends, also for in-process tests.
class MelderWechsel
{
public:
    explicit MelderWechsel(Melder *m)
        : m_alt(&melder())
    {
        setze_melder(m);
    }
    ~MelderWechsel() { setze_melder(m_alt); }
    MelderWechsel(const MelderWechsel &) = delete;
    MelderWechsel &operator=(const MelderWechsel &) = delete;

private:
    Melder *m_alt;
};

void hilfe(QTextStream &out)
{
    out << "Aufruf: obitrack-cli [--config DATEI] [--yes] VERB [OPTIONEN]\n\n"
           "Allgemeine Optionen:\n"
           "  --help          diese Hilfe\n"
           "  --version       Programmversion\n"
           "  --config DATEI  obitrack.ini an anderer Stelle (auch OBITRACK_INI)\n"
           "  --yes           Rückfragen mit OK beantworten\n\n"
           "Verben:\n";
    for (const CliVerb &v : cli_verben()) {
        QString zeile = QStringLiteral("  ") + v.name;
        if (!v.aufruf.isEmpty())
            zeile += u' ' + v.aufruf;
        out << zeile << "\n      " << v.beschreibung << "\n";
    }
    out.flush();
}

} // namespace

int cli_main(const QStringList &argsIn, QTextStream &out, QTextStream &err)
{
    QStringList args;
    bool ja = false;
    QString config;
    // Global options may stand anywhere before or after the verb.
    for (qsizetype i = 0; i < argsIn.size(); ++i) {
        const QString &a = argsIn.at(i);
        if (a == QStringLiteral("--help") || a == QStringLiteral("-h")) {
            hilfe(out);
            return 0;
        }
        if (a == QStringLiteral("--version")) {
            out << programm_version << Qt::endl;
            return 0;
        }
        if (a == QStringLiteral("--yes") || a == QStringLiteral("-y")) {
            ja = true;
            continue;
        }
        if (a == QStringLiteral("--config")) {
            if (i + 1 >= argsIn.size()) {
                err << "Option --config braucht einen Dateinamen" << Qt::endl;
                return 2;
            }
            config = argsIn.at(++i);
            continue;
        }
        if (a.startsWith(QStringLiteral("--config="))) {
            config = a.mid(9);
            continue;
        }
        args << a;
    }
    if (args.isEmpty()) {
        hilfe(out);
        return 2;
    }
    if (!config.isEmpty())
        setze_ini_pfad(config);

    // The longest verb name that the words begin with wins ("db init" over "db").
    const CliVerb *gefunden = nullptr;
    qsizetype woerter = 0;
    for (const CliVerb &v : cli_verben()) {
        const QStringList teile = v.name.split(u' ');
        if (teile.size() > args.size() || teile.size() <= woerter)
            continue;
        if (args.mid(0, teile.size()) == teile) {
            gefunden = &v;
            woerter = teile.size();
        }
    }
    if (!gefunden) {
        err << "Unbekanntes Verb: " << args.join(u' ') << "\n(obitrack-cli --help listet die Verben)" << Qt::endl;
        return 2;
    }
    CliMelder cliMelder(err, ja);
    MelderWechsel wechsel(&cliMelder);
    CliKontext ctx{out, err, ja};
    const int rc = gefunden->ausfuehren(ctx, args.mid(woerter));
    out.flush();
    err.flush();
    return rc;
}

} // namespace obi
