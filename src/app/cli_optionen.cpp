#include "cli_optionen.h"

#include "cli.h"

namespace obi {

CliOptionen CliOptionen::lesen(const QStringList &args, const QSet<QString> &flags)
{
    CliOptionen o;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a.startsWith(QStringLiteral("--")) && a.size() > 2) {
            QString name = a.mid(2);
            const qsizetype gleich = name.indexOf(u'=');
            if (gleich >= 0) {
                o.werte.insert(name.left(gleich), name.mid(gleich + 1));
                continue;
            }
            if (flags.contains(name)) {
                o.schalter.insert(name);
                continue;
            }
            if (i + 1 >= args.size()) {
                o.fehler = QStringLiteral("Option --%1 braucht einen Wert").arg(name);
                return o;
            }
            o.werte.insert(name, args.at(++i));
        } else {
            o.positionale << a;
        }
    }
    return o;
}

bool cli_optionen_lesen(CliKontext &ctx, const QStringList &args, const QString &aufruf, const CliRegeln &regeln,
                        CliOptionen &o)
{
    // Switches only ever hold names from regeln.schalter, so they need no check.
    o = CliOptionen::lesen(args, regeln.schalter);
    bool ok = o.fehler.isEmpty() && o.positionale.size() == regeln.positionale;
    for (auto it = o.werte.cbegin(); ok && it != o.werte.cend(); ++it)
        ok = regeln.optionen.contains(it.key());
    for (const QString &p : regeln.pflicht)
        ok = ok && o.werte.contains(p);
    if (!ok) {
        if (!o.fehler.isEmpty())
            ctx.err << o.fehler << Qt::endl;
        cli_aufruf_zeigen(ctx, aufruf);
    }
    return ok;
}

std::optional<int> cli_wettkampf_optionen(CliKontext &ctx, const QStringList &args, const QString &aufruf,
                                          const QSet<QString> &weitere, CliOptionen &o)
{
    const QString wettkampf = QStringLiteral("tournament");
    const CliRegeln regeln {.optionen = weitere + QSet<QString> {wettkampf}, .pflicht = {wettkampf}};
    if (!cli_optionen_lesen(ctx, args, aufruf, regeln, o))
        return std::nullopt;
    return cli_wettkampfnummer(ctx, o.wert(wettkampf));
}

int cli_aufruf_zeigen(CliKontext &ctx, const QString &aufruf)
{
    ctx.err << "Aufruf: obitrack-cli " << aufruf << Qt::endl;
    return 2;
}

std::optional<int> cli_positive_zahl(const QString &text, int oben)
{
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    if (!ok || n <= 0 || n > oben)
        return std::nullopt;
    return int(n);
}

std::optional<int> cli_positive_zahl(CliKontext &ctx, const QString &text, const char *was, int oben)
{
    const auto n = cli_positive_zahl(text, oben);
    if (!n)
        ctx.err << "Keine gültige " << was << ": " << text << Qt::endl;
    return n;
}

std::optional<int> cli_wettkampfnummer(CliKontext &ctx, const QString &text)
{
    return cli_positive_zahl(ctx, text, "Wettkampfnummer");
}

std::optional<quint32> cli_startwert(CliKontext &ctx, const QString &text)
{
    bool ok = false;
    const qulonglong s = text.toULongLong(&ok);
    if (!ok || s > 0xFFFFFFFFull) {
        ctx.err << "Kein gültiger Startwert (0 bis 4294967295): " << text << Qt::endl;
        return std::nullopt;
    }
    return quint32(s);
}

} // namespace obi
