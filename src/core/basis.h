// Shared conversion, text and SQL helpers used by every subsystem.
#pragma once

#include <QLocale>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVector>

namespace obi {

// ---- Number format -------------------------------------------------------
// The "system number format" of the program: German (decimal comma) unless
// set otherwise, so results do not depend on the machine's locale.
QLocale zahlen_locale();
void setze_zahlen_locale(const QLocale &locale);

// ---- Dates, times, numbers ----------------------------------------------
int datum_zu_zahl(const QString &text);          // yyyymmdd, 0 empty, 1 invalid
QString zahl_zu_datum(qint64 zahl);              // dd.mm.yyyy, empty for <= 0
int heute_zahl();                                // today as yyyymmdd
qint64 zeit_zu_zahl(const QString &text);        // hhmmss, 2500 empty, 2501 bad seconds
int jetzt_zahl();                                // now as hhmmss
QString sekunden_zu_text(qint64 sekunden, int stunden);
int sekunden_aus_text(const QString &text);
QString zahl_format(qint64 zahl, int breite, bool tausender);
QString dezimal_text(int stellen, double wert);
qint64 nur_ziffern(const QString &text);         // all digits joined; 0 if none
bool ist_ganzzahl(const QString &text);
bool ist_zahl(const QString &text);
QString bool_zu_text(bool wert);
qint64 maximum(qint64 a, qint64 b);
qint64 minimum(qint64 a, qint64 b);
int pruefziffer(qint64 zahl);
bool prozent_lesen(int &wert, const QString &text);
bool farbe_lesen(quint32 &wert, const QString &text); // $RRGGBB -> 0x00BBGGRR

// ---- Text clean-up -------------------------------------------------------
QString trim_rechts(const QString &text);
QString trim_links(const QString &text);
QString ohne_leerzeichen(const QString &text);
QString gross_schreiben(const QString &text);
QChar klein_buchstabe(QChar zeichen);
QString name_schreibweise(const QString &text);
QString ersetzen(const QString &suche, const QString &text, const QString &ersatz);
QString wiederholen(const QString &text, int anzahl, int grenze);
QString bis_punkt(const QString &text);
QString sql_maskieren(const QString &text);      // ' -> ´, " -> ´´

// ---- Field splitting -----------------------------------------------------
QString naechstes_feld(QString &rest);
QString naechstes_feld_trenner(QString &rest, QChar trenner);

// ---- SQL builders --------------------------------------------------------
// Statement text with "?" placeholders plus the values to bind, in order.
// No value ever becomes part of the SQL text itself.
struct SqlTeil {
    QString text;
    QVariantList werte;
};

// One column of an update, condition or insert: name, kind letter, value.
// Kind letters: D date, I integer, N/Z number, anything else (T) text.
struct SqlFeld {
    QString name;
    QString art;
    QString wert;
};
using SqlFelder = QVector<SqlFeld>; // index 0 is position 1

// The value a kind letter gives: date -> yyyymmdd integer, I -> integer,
// N/Z -> number with "," read as "." (empty -> NULL), text -> sql_maskieren.
QVariant sql_bindwert(const QString &wert, const QString &art);
SqlTeil sql_wert(const QString &wert, const QString &art);
SqlTeil sql_setliste(const SqlFelder &felder, int n);
SqlTeil sql_bedingung(const SqlFelder &felder, int von, int bis);
SqlTeil sql_einfuegeliste(const SqlFelder &felder, int n);
QString werte_liste(const SqlFelder &felder, int n);

// Bout-position filter: "1-8;12" -> " and (  ( WLLPOS >= 01 and WLLPOS <= 08 )  or  WLLPOS = 012 ) ".
// Only digits of the input reach the text, so it is safe to append.
QString kampf_filter(const QString &text);

// ---- Configuration -------------------------------------------------------
QString ini_lesen(const QString &sektion, const QString &schluessel);
qint64 ini_zahl(const QString &sektion, const QString &schluessel, qint64 unten, qint64 oben);
QString windows_benutzer();

} // namespace obi
