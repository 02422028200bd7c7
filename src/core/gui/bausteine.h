#pragma once

#include <QString>

#include <initializer_list>

class QFocusEvent;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QObject;
class QPushButton;
class QWidget;

namespace obi {

// Small building blocks the windows share, so every window builds its
// controls the same way and tests find them by their object names.

// A push button named for tests. autoDefault off where Enter belongs to the
// fields and must not press a button.
QPushButton *knopf(QWidget *eltern, const char *name, const QString &text, bool autoDefault = true);

// An edit field; laenge > 0 limits the input.
QLineEdit *eingabefeld(QWidget *eltern, const char *name, int laenge = 0);

// A field that only shows a value: read-only and skipped by Tab.
QLineEdit *anzeigefeld(QWidget *eltern, const char *name);

// A label whose mnemonic moves to the buddy.
QLabel *beschriftung(QWidget *eltern, const QString &text, QWidget *buddy);

// One row of an edit box: label in column 0, the field over columns 1-2, or
// two fields side by side.
void rasterzeile(QGridLayout *raster, int reihe, const QString &text, QWidget *feld, QWidget *feld2 = nullptr);

// A row of buttons: these on the left, a stretch, those on the right.
QHBoxLayout *knopfleiste(std::initializer_list<QWidget *> links, std::initializer_list<QWidget *> rechts = {});

// The age-class and weight-class fields of a window that works on one class:
// picker fields with their labels; filter receives their events (F4, Enter,
// leaving).
struct Klassenfelder {
    QLineEdit *altersklasse;
    QLineEdit *gewichtsklasse;
    QLabel *lblAltersklasse;
    QLabel *lblGewichtsklasse;
};
Klassenfelder klassenfelder_anlegen(QWidget *eltern, QObject *filter);

// Tab walks the widgets in this order.
void tabfolge(std::initializer_list<QWidget *> folge);

// setText only on a change, so the cursor stays where the user left it.
void text_setzen(QLineEdit *feld, const QString &text);

// Whether leaving a field is a move of the user inside the window, which
// triggers the field's check, rather than another window or a popup taking
// the focus.
bool verlassen_im_fenster(const QFocusEvent *e);

} // namespace obi
