#include "app/cli.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("obitrack"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return obi::cli_main(QCoreApplication::arguments().mid(1), out, err);
}
