#include "core/datenbank.h"
#include "core/gui/frminfo.h"
#include "core/gui/frmwait.h"
#include "core/gui/frmwarten.h"
#include "core/gui/guimelder.h"
#include "core/konfig.h"
#include "core/meldungen.h"
#include "core/programmbilder.h"
#include "core/version.h"
#include "register/gui/frmmain.h"
#include "register/gui/frmwkladen.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QPixmap>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("obitrack"));
    QApplication::setApplicationVersion(QString::fromLatin1(obi::programm_version));
    QIcon symbol;
    for (int groesse : {16, 32, 64, 128})
        symbol.addPixmap(QPixmap::fromImage(obi::bild_matte(groesse)));
    QApplication::setWindowIcon(symbol);

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

    // The objects of a run, in the order the program creates them; the main
    // window owns the windows, the data module outlives them all.
    int rc = 0;
    {
        obi::Tdm datenmodul;
        obi::Tdm::setze_instanz(&datenmodul);
        {
            obi::TfrmMain frmMain;
            auto *frmWKLaden = new obi::TfrmWKLaden(&frmMain);
            auto *frmInfo = new obi::TfrmInfo(&frmMain);
            auto *frmWarten = new obi::TfrmWarten(&frmMain);
            auto *frmWait = new obi::TfrmWait(&frmMain);
            frmMain.setze_startfenster(frmWKLaden, frmInfo, frmWarten, frmWait);
            frmMain.show(); // the start-up sequence runs once the window is shown
            rc = QApplication::exec();
        }
        obi::Tdm::setze_instanz(nullptr);
    }
    obi::setze_melder(nullptr);
    return rc;
}
