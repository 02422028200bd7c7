#include "frmaltersklassen.h"

#include "core/gui/auswahlfeld.h"
#include "core/gui/bausteine.h"
#include "core/gui/datengrid.h"

#include "core/basis.h"
#include "core/gui/matchcode.h"
#include "core/meldungen.h"
#include "core/zustand.h"
#include "setup/altersklassen.h"
#include "setup/einteilung.h"
#include "setup/gui/frmtestgew.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <utility>

namespace obi {

struct TfrmAltersklassen::Impl : public QObject {
    explicit Impl(TfrmAltersklassen *fenster)
        : q(fenster)
    {
    }

    TfrmAltersklassen *q;

    QTableView *grdSFL = nullptr;
    QStandardItemModel *modell = nullptr;
    QGroupBox *box = nullptr;
    QLineEdit *edtAKID = nullptr;
    QComboBox *cbMW = nullptr;
    QLineEdit *edtGEWT = nullptr;
    QLineEdit *edtGEWTBez = nullptr;
    QLineEdit *edtJGMI = nullptr;
    QLineEdit *edtJGMA = nullptr;
    QLineEdit *edtKATI = nullptr;
    QLineEdit *edtGSTI = nullptr;
    QLineEdit *edtMSHD = nullptr;
    QLineEdit *edtRSTR = nullptr;
    QLineEdit *edtRSTRBez = nullptr;
    QLineEdit *edtHGTM = nullptr;
    QLineEdit *edtHTG2 = nullptr;
    QLineEdit *edtTEXT = nullptr;
    QCheckBox *chkWAZA = nullptr;
    QCheckBox *chkYUKO = nullptr;
    QCheckBox *chk2WAZ = nullptr;
    QList<QLineEdit *> felder; // the edit fields checked when left
    QPushButton *btnSpeichern = nullptr;
    QPushButton *btnNeu = nullptr;
    QPushButton *btnKopieren = nullptr;
    QPushButton *btnLoeschen = nullptr;
    QPushButton *btnAbbrechen = nullptr;
    QPushButton *btnBeenden = nullptr;

    QVector<Altersklasse> liste;
    QChar modus = u'U';
    bool geaendert = false;
    QString wiederZeigen; // name of the row to show after the list is re-read
    bool geoeffnet = false;
    bool pruefeGerade = false; // no leave-check while a check shows its message or moves the focus
    bool liestGerade = false; // the grid is refilled: its row changes are no user moves

    void aufbauen();
    void daten_lesen();
    void felder_zeigen(const AltersklasseEingabe &e);
    AltersklasseEingabe felder_holen() const;
    void init_editfelder(AltersklasseEingabe e);
    void zustand_zeigen();
    void aendern();
    void zeile_zeigen(int zeile);
    int aktuelle_zeile() const;
    QWidget *feld_zu_code(const QString &code) const;
    void fokus(const AkErgebnis &r);
    bool pruefen(const QString &code);

    void speichern();
    void neuer_satz();
    void kopieren();
    void loeschen();
    void abbrechen();
    void tabelle_waehlen(QLineEdit *feld, const QString &tabelle);

    bool eventFilter(QObject *obj, QEvent *e) override;
};

TfrmAltersklassen::TfrmAltersklassen(QWidget *parent)
    : QDialog(parent)
    , d(new Impl(this))
{
    setObjectName(QStringLiteral("frmAltersklassen"));
    setWindowTitle(QStringLiteral("OBITRACK - Altersklassen"));
    setModal(true);
    d->aufbauen();
    installEventFilter(d);
}

TfrmAltersklassen::~TfrmAltersklassen()
{
    removeEventFilter(d);
    delete d;
}

void TfrmAltersklassen::Impl::aufbauen()
{
    auto feld = [this](const char *name, int laenge) {
        QLineEdit *f = eingabefeld(q, name, laenge);
        f->installEventFilter(this);
        connect(f, &QLineEdit::textEdited, this, [this] { aendern(); });
        felder << f;
        return f;
    };
    auto schalter = [this](const char *name, const QString &text) {
        auto *c = new QCheckBox(text, q);
        c->setObjectName(QLatin1String(name));
        // clicked comes from the user only, never from filling the fields.
        connect(c, &QCheckBox::clicked, this, [this] { aendern(); });
        return c;
    };

    // Grid
    grdSFL = datengrid_anlegen(q, "grdSFL",
                               {QStringLiteral("Altersklasse"), QStringLiteral("Gewichtstabelle"),
                                QStringLiteral("ältester Jg."), QStringLiteral("jüngster Jg."), QStringLiteral("M/W"),
                                QStringLiteral("Bemerkung")},
                               modell);
    connect(grdSFL->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &aktuell) {
                if (!geaendert && !liestGerade && aktuell.isValid())
                    zeile_zeigen(aktuell.row());
            });

    // Edit fields
    box = new QGroupBox(q);
    box->setObjectName(QStringLiteral("box"));
    edtAKID = feld("edtAKID", 20);
    cbMW = new QComboBox(q);
    cbMW->setObjectName(QStringLiteral("cbMW"));
    cbMW->addItems({QStringLiteral("M"), QStringLiteral("W")});
    connect(cbMW, &QComboBox::activated, this, [this] { aendern(); });
    edtGEWT = feld("edtGEWT", 10);
    edtGEWTBez = anzeigefeld(q, "edtGEWTBez");
    edtJGMI = feld("edtJGMI", 11);
    edtJGMA = feld("edtJGMA", 11);
    edtKATI = feld("edtKATI", 11);
    edtGSTI = feld("edtGSTI", 11);
    // Shown, not edited.
    edtGSTI->setEnabled(false);
    felder.removeOne(edtGSTI);
    edtMSHD = feld("edtMSHD", 11);
    edtRSTR = feld("edtRSTR", 10);
    edtRSTRBez = anzeigefeld(q, "edtRSTRBez");
    edtHGTM = feld("edtHGTM", 11);
    edtHTG2 = feld("edtHTG2", 11);
    chkWAZA = schalter("chkWAZA", QStringLiteral("ohne Waza"));
    chkYUKO = schalter("chkYUKO", QStringLiteral("ohne Yuko"));
    chk2WAZ = schalter("chk2WAZ", QStringLiteral("Waza-Ari zu Ippon addieren"));
    edtTEXT = feld("edtTEXT", 255);
    // Keys of lookup tables: F4 or a double click picks them.
    for (QLineEdit *f : {edtGEWT, edtRSTR})
        auswahlfeld_einrichten(f);

    auto *raster = new QGridLayout(box);
    int reihe = 0;
    auto zeile = [&](const QString &text, QWidget *w, QWidget *w2 = nullptr) {
        rasterzeile(raster, reihe++, text, w, w2);
    };
    auto hinweis = [this](const QString &text) {
        return new QLabel(text, box);
    };
    zeile(QStringLiteral("Altersklasse"), edtAKID);
    zeile(QStringLiteral("männlich/weiblich"), cbMW);
    zeile(QStringLiteral("Gewichtstabelle"), edtGEWT, edtGEWTBez);
    zeile(QStringLiteral("Ältester Jahrgang"), edtJGMI);
    zeile(QStringLiteral("Jüngster Jahrgang"), edtJGMA, hinweis(QStringLiteral("(bitte 4stellig eingeben)")));
    zeile(QStringLiteral("Kampfzeit (Sec.)"), edtKATI);
    zeile(QStringLiteral("Zeit Golden Score"), edtGSTI, hinweis(QStringLiteral("(Zeiten in Sekunden)")));
    zeile(QStringLiteral("max. Anzahl Shidos"), edtMSHD, hinweis(QStringLiteral("( = Han. Make)")));
    zeile(QStringLiteral("Relevanz Strafen"), edtRSTR, edtRSTRBez);
    zeile(QStringLiteral("Haltegriff"), edtHGTM);
    zeile(QStringLiteral("mit Waza."), edtHTG2);
    raster->addWidget(chkWAZA, reihe, 1);
    raster->addWidget(chkYUKO, reihe++, 2);
    raster->addWidget(chk2WAZ, reihe++, 1, 1, 2);
    zeile(QStringLiteral("Bemerkung"), edtTEXT);
    raster->setColumnStretch(1, 1);
    raster->setColumnStretch(2, 2);

    // Buttons
    btnSpeichern = knopf(q, "btnSpeichern", QStringLiteral("&Speichern"), false);
    btnNeu = knopf(q, "btnNeu", QStringLiteral("&Neuer Satz"), false);
    btnKopieren = knopf(q, "btnKopieren", QStringLiteral("&Kopieren"), false);
    btnLoeschen = knopf(q, "btnLoeschen", QStringLiteral("&Löschen"), false);
    btnAbbrechen = knopf(q, "btnAbbrechen", QStringLiteral("&Abbrechen"), false);
    btnBeenden = knopf(q, "btnBeenden", QStringLiteral("&Beenden"), false);
    auto *knoepfe = new QHBoxLayout;
    for (QPushButton *b : {btnSpeichern, btnNeu, btnKopieren, btnLoeschen, btnAbbrechen, btnBeenden})
        knoepfe->addWidget(b);

    auto *haupt = new QVBoxLayout(q);
    haupt->addWidget(grdSFL, 1);
    haupt->addWidget(box);
    haupt->addLayout(knoepfe);
    q->resize(720, 720);

    tabfolge({grdSFL,  edtAKID,      cbMW,    edtGEWT,     edtJGMI,     edtJGMA,      edtKATI,
              edtMSHD, edtRSTR,      edtHGTM, edtHTG2,     chkWAZA,     chkYUKO,      chk2WAZ,
              edtTEXT, btnSpeichern, btnNeu,  btnKopieren, btnLoeschen, btnAbbrechen, btnBeenden});

    connect(btnSpeichern, &QPushButton::clicked, this, [this] { speichern(); });
    connect(btnNeu, &QPushButton::clicked, this, [this] { neuer_satz(); });
    connect(btnKopieren, &QPushButton::clicked, this, [this] { kopieren(); });
    connect(btnLoeschen, &QPushButton::clicked, this, [this] { loeschen(); });
    connect(btnAbbrechen, &QPushButton::clicked, this, [this] { abbrechen(); });
    connect(btnBeenden, &QPushButton::clicked, q, &QDialog::reject);
}

void TfrmAltersklassen::Impl::daten_lesen()
{
    const auto gelesen = altersklassen_lesen(aktueller_wettkampf_nr());
    if (!gelesen)
        zeige_meldung(19902);
    liste = gelesen.value_or(QVector<Altersklasse> {});

    liestGerade = true;
    modell->removeRows(0, modell->rowCount());
    for (const Altersklasse &a : std::as_const(liste)) {
        QList<QStandardItem *> z;
        for (const QString &t : {a.akid, a.gewt, QString::number(a.jgmi), QString::number(a.jgma), a.mw, a.text})
            z << new QStandardItem(t);
        z.at(2)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        z.at(3)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        modell->appendRow(z);
    }
    liestGerade = false;

    if (liste.isEmpty()) {
        wiederZeigen.clear();
        modus = u'I';
        init_editfelder(altersklasse_neu_eingabe());
        geaendert = true;
        zustand_zeigen();
        edtAKID->setFocus();
        return;
    }
    // The row shown before: the same name, else the first that begins with it.
    int zeile = 0;
    if (!wiederZeigen.isEmpty()) {
        const QString gesucht = gross_schreiben(wiederZeigen);
        int praefix = -1;
        for (int i = 0; i < liste.size(); ++i) {
            const QString name = gross_schreiben(liste.at(i).akid);
            if (name == gesucht) {
                praefix = i;
                break;
            }
            if (praefix < 0 && name.startsWith(gesucht))
                praefix = i;
        }
        zeile = std::max(praefix, 0);
        wiederZeigen.clear();
    }
    liestGerade = true;
    grdSFL->setCurrentIndex(modell->index(zeile, 0));
    liestGerade = false;
    zeile_zeigen(zeile);
}

void TfrmAltersklassen::Impl::zeile_zeigen(int zeile)
{
    if (zeile < 0 || zeile >= liste.size())
        return;
    modus = u'U';
    init_editfelder(altersklasse_eingabe(liste.at(zeile)));
    geaendert = false;
    zustand_zeigen();
}

void TfrmAltersklassen::Impl::init_editfelder(AltersklasseEingabe e)
{
    altersklasse_vorgaben(e);
    altersklasse_feldtexte(e);
    felder_zeigen(e);
}

int TfrmAltersklassen::Impl::aktuelle_zeile() const
{
    const QModelIndex i = grdSFL->currentIndex();
    return i.isValid() && i.row() < liste.size() ? i.row() : -1;
}

void TfrmAltersklassen::Impl::felder_zeigen(const AltersklasseEingabe &e)
{
    const auto setze = text_setzen;
    setze(edtAKID, e.akid);
    const int mw = cbMW->findText(e.mw);
    if (mw >= 0)
        cbMW->setCurrentIndex(mw);
    else
        cbMW->setCurrentIndex(0);
    setze(edtGEWT, e.gewt);
    setze(edtGEWTBez, e.gewtBez);
    setze(edtJGMI, e.jgmi);
    setze(edtJGMA, e.jgma);
    setze(edtKATI, e.kati);
    setze(edtGSTI, e.gsti);
    setze(edtMSHD, e.mshd);
    setze(edtRSTR, e.rstr);
    setze(edtRSTRBez, e.rstrBez);
    setze(edtHGTM, e.hgtm);
    setze(edtHTG2, e.htg2);
    setze(edtTEXT, e.text);
    chkWAZA->setChecked(e.ohneWaza);
    chkYUKO->setChecked(e.ohneYuko);
    chk2WAZ->setChecked(e.wazaZuIppon);
}

AltersklasseEingabe TfrmAltersklassen::Impl::felder_holen() const
{
    AltersklasseEingabe e;
    e.akid = edtAKID->text();
    e.mw = cbMW->currentText();
    e.gewt = edtGEWT->text();
    e.gewtBez = edtGEWTBez->text();
    e.jgmi = edtJGMI->text();
    e.jgma = edtJGMA->text();
    e.kati = edtKATI->text();
    e.gsti = edtGSTI->text();
    e.mshd = edtMSHD->text();
    e.rstr = edtRSTR->text();
    e.rstrBez = edtRSTRBez->text();
    e.hgtm = edtHGTM->text();
    e.htg2 = edtHTG2->text();
    e.text = edtTEXT->text();
    e.ohneWaza = chkWAZA->isChecked();
    e.ohneYuko = chkYUKO->isChecked();
    e.wazaZuIppon = chk2WAZ->isChecked();
    return e;
}

void TfrmAltersklassen::Impl::zustand_zeigen()
{
    btnSpeichern->setEnabled(geaendert);
    btnAbbrechen->setEnabled(geaendert);
    for (QWidget *w : std::initializer_list<QWidget *> {btnBeenden, btnLoeschen, btnNeu, grdSFL})
        w->setEnabled(!geaendert);
    // The name is the key: an existing age class is changed, never renamed.
    edtAKID->setReadOnly(modus != u'I');
    box->setTitle(modus == u'I' ? QStringLiteral("Neuer Datensatz") : QStringLiteral("Datensatz ändern"));
}

void TfrmAltersklassen::Impl::aendern()
{
    if (geaendert)
        return;
    geaendert = true;
    wiederZeigen = edtAKID->text();
    zustand_zeigen();
}

QWidget *TfrmAltersklassen::Impl::feld_zu_code(const QString &code) const
{
    if (code == QStringLiteral("MW"))
        return cbMW;
    for (QLineEdit *f : felder)
        if (altersklasse_feldcode(f->objectName()) == code)
            return f;
    return nullptr;
}

void TfrmAltersklassen::Impl::fokus(const AkErgebnis &r)
{
    if (QWidget *f = feld_zu_code(r.feld)) {
        pruefeGerade = true;
        f->setFocus();
        pruefeGerade = false;
    }
}

bool TfrmAltersklassen::Impl::pruefen(const QString &code)
{
    AltersklasseEingabe e = felder_holen();
    pruefeGerade = true;
    const AkErgebnis r = altersklasse_pruefen(e, code, modus == u'I', aktueller_wettkampf_nr());
    felder_zeigen(e);
    pruefeGerade = false;
    if (!r.ok())
        fokus(r);
    return r.ok();
}

void TfrmAltersklassen::Impl::speichern()
{
    AltersklasseEingabe e = felder_holen();
    const int wk = aktueller_wettkampf_nr();
    pruefeGerade = true;
    const AkErgebnis r = altersklasse_speichern(e, modus == u'I', wk);
    felder_zeigen(e);
    pruefeGerade = false;
    if (!r.ok()) {
        // The typed values stay, so nothing is lost.
        fokus(r);
        return;
    }
    wiederZeigen = e.akid;
    // Participants whose weight class the new table no longer has are moved
    // there; the window is only shown when there is something to repair.
    const std::optional<QStringList> ungueltig = ungueltige_gewichtsklassen(wk, e.akid);
    if (!e.akid.isEmpty() && (!ungueltig || !ungueltig->isEmpty())) {
        TfrmTestGew reparatur(q);
        reparatur.setze_altersklasse(e.akid);
        reparatur.exec();
    }
    abbrechen();
}

void TfrmAltersklassen::Impl::neuer_satz()
{
    // Back to this row when the new one is cancelled.
    const int zeile = aktuelle_zeile();
    wiederZeigen = zeile >= 0 ? liste.at(zeile).akid : QString();
    modus = u'I';
    init_editfelder(altersklasse_neu_eingabe());
    geaendert = true;
    zustand_zeigen();
    edtAKID->setFocus();
}

void TfrmAltersklassen::Impl::kopieren()
{
    const int zeile = aktuelle_zeile();
    if (zeile < 0 || liste.isEmpty()) {
        zeige_meldung(9901);
        return;
    }
    // Back to this row when the copy is cancelled.
    wiederZeigen = liste.at(zeile).akid;
    modus = u'I';
    AltersklasseEingabe e = altersklasse_eingabe(liste.at(zeile));
    e.akid.clear();
    init_editfelder(e);
    geaendert = true;
    zustand_zeigen();
    edtAKID->setFocus();
}

void TfrmAltersklassen::Impl::loeschen()
{
    const int zeile = aktuelle_zeile();
    if (zeile < 0) {
        zeige_meldung(9901);
        return;
    }
    const int wk = aktueller_wettkampf_nr();
    const QString akid = liste.at(zeile).akid;
    if (!altersklasse_loeschen_moeglich(wk, akid))
        return;
    if (!frage_ok(QStringLiteral("Diesen Datensatz löschen ?")))
        return;
    altersklasse_loeschen(wk, akid); // shows what went wrong
    // The next row takes the place of the deleted one.
    wiederZeigen = zeile + 1 < liste.size() ? liste.at(zeile + 1).akid : QString();
    geaendert = false;
    daten_lesen();
}

void TfrmAltersklassen::Impl::abbrechen()
{
    modus = u'U';
    geaendert = false;
    daten_lesen();
    if (!geaendert)
        grdSFL->setFocus();
}

void TfrmAltersklassen::Impl::tabelle_waehlen(QLineEdit *feld, const QString &tabelle)
{
    pruefeGerade = true;
    const QString schluessel = get_matchcode(tabelle, q);
    pruefeGerade = false;
    feld->setFocus();
    if (schluessel.isEmpty() || schluessel == feld->text())
        return;
    feld->setText(schluessel);
    aendern();
    pruefen(altersklasse_feldcode(feld->objectName())); // fills the description
}

bool TfrmAltersklassen::Impl::eventFilter(QObject *obj, QEvent *e)
{
    if (obj == q) {
        if (e->type() == QEvent::Show && !geoeffnet) {
            geoeffnet = true;
            daten_lesen();
            if (!geaendert)
                grdSFL->setFocus();
        }
        return false;
    }
    if (e->type() == QEvent::KeyPress) {
        const auto *k = static_cast<QKeyEvent *>(e);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        if ((obj == edtGEWT || obj == edtRSTR) && k->key() == Qt::Key_F4 && k->modifiers() == Qt::NoModifier) {
            tabelle_waehlen(static_cast<QLineEdit *>(obj),
                            obj == edtGEWT ? QStringLiteral("Gewichtsklassen") : QStringLiteral("Strafen"));
            return true;
        }
        // Enter in a field must not press a button.
        if (enter && felder.contains(qobject_cast<QLineEdit *>(obj)))
            return true;
    } else if (e->type() == QEvent::MouseButtonDblClick && (obj == edtGEWT || obj == edtRSTR)) {
        tabelle_waehlen(static_cast<QLineEdit *>(obj),
                        obj == edtGEWT ? QStringLiteral("Gewichtsklassen") : QStringLiteral("Strafen"));
        return true;
    } else if (e->type() == QEvent::FocusOut) {
        auto *f = qobject_cast<QLineEdit *>(obj);
        if (!f || !felder.contains(f) || pruefeGerade || f->isReadOnly())
            return false;
        if (!verlassen_im_fenster(static_cast<QFocusEvent *>(e)))
            return false;
        QWidget *neu = QApplication::focusWidget();
        if (neu == btnAbbrechen || neu == btnBeenden || !q->isVisible())
            return false;
        pruefen(altersklasse_feldcode(f->objectName()));
    }
    return false;
}

} // namespace obi
