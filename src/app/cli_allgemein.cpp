#include "cli_verben.h"

#include "core/konfig.h"

namespace obi {

void cli_verben_allgemein(std::vector<CliVerb> &v)
{
    v.push_back({QStringLiteral("ini"), QStringLiteral("SEKTION SCHLUESSEL"),
                 QStringLiteral("Wert aus obitrack.ini ausgeben (leer, wenn nicht vorhanden)"),
                 [](CliKontext &ctx, const QStringList &args) {
                     if (args.size() != 2)
                         return cli_aufruf_zeigen(ctx, QStringLiteral("ini SEKTION SCHLUESSEL"));
                     ctx.out << ini_wert(ini_pfad(), args.at(0), args.at(1)) << Qt::endl;
                     return 0;
                 }});
    v.push_back({QStringLiteral("ini path"), QString(), QStringLiteral("Pfad der verwendeten obitrack.ini ausgeben"),
                 [](CliKontext &ctx, const QStringList &args) {
                     if (!args.isEmpty())
                         return cli_aufruf_zeigen(ctx, QStringLiteral("ini path"));
                     ctx.out << ini_pfad() << Qt::endl;
                     return 0;
                 }});
}

} // namespace obi
