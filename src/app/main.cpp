#include "core/gui/guimelder.h"
#include "core/konfig.h"
#include "core/meldungen.h"
#include "register/gui/frmmain.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("obitrack"));
    QApplication::setApplicationVersion(QStringLiteral("5.3.02"));

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption config(QStringLiteral("config"), QStringLiteral("obitrack.ini an anderer Stelle"),
                              QStringLiteral("DATEI"));
    parser.addOption(config);
    parser.process(app);
    if (parser.isSet(config))
        obi::setze_ini_pfad(parser.value(config));

    obi::GuiMelder melder;
    obi::setze_melder(&melder);

    obi::TfrmMain frmMain;
    frmMain.show();
    const int rc = QApplication::exec();
    obi::setze_melder(nullptr);
    return rc;
}
