#include "cli_optionen.h"

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

} // namespace obi
