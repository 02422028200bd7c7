#include "datenbank.h"

#include "konfig.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QStandardPaths>
#include <QThread>
#include <QUuid>

#include <sqlite3.h>

#include <atomic>

namespace obi {

// ---- Settings -------------------------------------------------------------

QString DbEinstellungen::sqlitePfad() const
{
    const QString d = datei.trimmed();
    if (d.isEmpty()) {
        const QString ordner = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                               + QStringLiteral("/obitrack");
        return QDir(ordner).filePath(QStringLiteral("obitrack5.db"));
    }
    if (d == QStringLiteral(":memory:"))
        return d;
    if (QFileInfo(d).isAbsolute())
        return d;
    return QDir(ini_ordner()).filePath(d);
}

DbEinstellungen DbEinstellungen::ausIni()
{
    const QString pfad = ini_pfad();
    const QString s = QStringLiteral("database");
    return {ini_wert(pfad, s, QStringLiteral("db_server")), ini_wert(pfad, s, QStringLiteral("db_file")),
            ini_wert(pfad, s, QStringLiteral("db_user")), ini_wert(pfad, s, QStringLiteral("db_pw"))};
}

// ---- Error log --------------------------------------------------------------

QString fehlerprotokoll_pfad()
{
    const QString env = qEnvironmentVariable("OBITRACK_LOG");
    if (!env.isEmpty())
        return env;
    const QString ordner =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/obitrack");
    return QDir(ordner).filePath(QStringLiteral("obitrack-fehler.log"));
}

void protokolliere_fehler(const QString &wo, const QString &sql, const QString &fehler)
{
    const QString pfad = fehlerprotokoll_pfad();
    QDir().mkpath(QFileInfo(pfad).absolutePath());
    QFile f(pfad);
    if (!f.open(QIODevice::Append | QIODevice::Text))
        return; // logging must never be the reason something fails
    const QString zeile = QDateTime::currentDateTime().toString(Qt::ISODate) + u'\t' + wo + u'\t'
                          + fehler.simplified() + u'\t' + sql.simplified() + u'\n';
    f.write(zeile.toUtf8());
}

// ---- SQLite functions -----------------------------------------------------------

namespace {

// upper() with the program's own rule, so "müller" finds "MÜLLER".
void sqlite_upper(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const int laenge = sqlite3_value_bytes(argv[0]);
    const QByteArray gross = gross_schreiben(QString::fromUtf8(text, laenge)).toUtf8();
    sqlite3_result_text(ctx, gross.constData(), int(gross.size()), SQLITE_TRANSIENT);
}

bool sqlite_einrichten(QSqlDatabase &db, QString *fehler)
{
    const QVariant h = db.driver()->handle();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0) {
        if (fehler)
            *fehler = QStringLiteral("SQLite-Treiber ohne Zugriff auf die Datenbank");
        return false;
    }
    sqlite3 *handle = *static_cast<sqlite3 *const *>(h.data());
    if (!handle)
        return false;
    sqlite3_create_function_v2(handle, "upper", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, sqlite_upper,
                               nullptr, nullptr, nullptr);
    QSqlQuery q(db);
    // WAL lets the scoreboards read while the desk writes; LIKE compares
    // case-sensitively as on PostgreSQL, callers upper-case explicitly.
    for (const char *pragma : {"PRAGMA journal_mode=WAL", "PRAGMA case_sensitive_like=ON", "PRAGMA synchronous=NORMAL"})
        q.exec(QString::fromLatin1(pragma));
    return true;
}

std::atomic<int> &zaehler()
{
    static std::atomic<int> z{0};
    return z;
}

Tdm *&globale_instanz()
{
    static Tdm *i = nullptr;
    return i;
}

// A worker thread with a connection of its own (a Qt SQL connection belongs
// to the thread that opened it) sets it here; dm() then means that one.
Tdm *&thread_instanz()
{
    thread_local Tdm *i = nullptr;
    return i;
}

} // namespace

// ---- Tdm ---------------------------------------------------------------------------

Tdm::Tdm()
    : m_name(QStringLiteral("obitrack-%1").arg(++zaehler()))
{
}

Tdm::~Tdm()
{
    trennen();
    if (globale_instanz() == this)
        globale_instanz() = nullptr;
    if (thread_instanz() == this)
        thread_instanz() = nullptr;
}

Tdm *Tdm::instanz()
{
    return thread_instanz() ? thread_instanz() : globale_instanz();
}

void Tdm::setze_thread_instanz(Tdm *d)
{
    thread_instanz() = d;
}

void Tdm::setze_instanz(Tdm *d)
{
    globale_instanz() = d;
}

Tdm &dm()
{
    Tdm *d = Tdm::instanz();
    Q_ASSERT(d);
    return *d;
}

QSqlDatabase Tdm::db() const
{
    return QSqlDatabase::database(m_name, false);
}

bool Tdm::verbunden() const
{
    return QSqlDatabase::contains(m_name) && db().isOpen();
}

bool Tdm::verbinden(const DbEinstellungen &e, QString *fehler)
{
    trennen();
    m_einstellungen = e;
    m_dialekt = e.istPostgres() ? Dialekt::Postgres : Dialekt::SQLite;
    if (fehler)
        fehler->clear();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(
            m_dialekt == Dialekt::Postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), m_name);
        if (m_dialekt == Dialekt::Postgres) {
            QString host = e.server.trimmed();
            const qsizetype doppelpunkt = host.lastIndexOf(u':');
            if (doppelpunkt > 0 && !host.contains(u']')) {
                bool ok = false;
                const int port = host.mid(doppelpunkt + 1).toInt(&ok);
                if (ok)
                    db.setPort(port);
                host = host.left(doppelpunkt);
            }
            db.setHostName(host);
            db.setDatabaseName(e.datei.trimmed());
            if (!e.benutzer.trimmed().isEmpty())
                db.setUserName(e.benutzer.trimmed());
            // An empty password leaves it to ~/.pgpass, PGPASSWORD or the server's
            // peer/trust rules; no password is ever built into the program.
            if (!e.passwort.trimmed().isEmpty())
                db.setPassword(e.passwort);
            db.setConnectOptions(QStringLiteral("connect_timeout=10;application_name=obitrack"));
        } else {
            const QString pfad = e.sqlitePfad();
            if (pfad != QStringLiteral(":memory:"))
                QDir().mkpath(QFileInfo(pfad).absolutePath());
            db.setDatabaseName(pfad);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        }
        if (!db.open()) {
            const QSqlError err = db.lastError();
            QString text = err.driverText();
            if (!err.databaseText().isEmpty())
                text = err.databaseText().trimmed();
            m_letzterFehler = text;
            protokolliere_fehler(QStringLiteral("verbinden"), QString(), err.text());
            if (fehler)
                *fehler = text;
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_name);
            return false;
        }
        if (m_dialekt == Dialekt::SQLite && !sqlite_einrichten(db, fehler)) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_name);
            return false;
        }
        if (m_dialekt == Dialekt::Postgres) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("SET client_encoding TO 'UTF8'"));
        }
    }
    return true;
}

void Tdm::trennen()
{
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase d = QSqlDatabase::database(m_name, false);
        if (d.isOpen())
            d.close();
    }
    QSqlDatabase::removeDatabase(m_name);
    m_tiefe = 0;
    m_nurRollback = false;
}

bool Tdm::neu_verbinden(QString *fehler)
{
    const DbEinstellungen e = m_einstellungen;
    trennen();
    QThread::msleep(100);
    return verbinden(e, fehler);
}

void Tdm::fehler_merken(const QString &wo, const QString &sql, const QString &text)
{
    m_letzterFehler = text;
    if (m_tiefe > 0)
        m_nurRollback = true; // a failed statement dooms the whole transaction
    protokolliere_fehler(wo, sql, text);
}

namespace {
bool vorbereiten(QSqlQuery &q, const QString &sql, const QVariantList &werte)
{
    // PostgreSQL prepares only queries and DML, so statements without values
    // (DDL among them) run directly.
    if (werte.isEmpty())
        return q.exec(sql);
    if (!q.prepare(sql))
        return false;
    for (qsizetype i = 0; i < werte.size(); ++i)
        q.bindValue(int(i), werte.at(i));
    return q.exec();
}
} // namespace

bool Tdm::Execute_SQL(const QString &sql, const QVariantList &werte)
{
    if (!verbunden()) {
        fehler_merken(QStringLiteral("Execute_SQL"), sql, QStringLiteral("keine Verbindung"));
        return false;
    }
    QSqlQuery q(db());
    if (!vorbereiten(q, sql, werte)) {
        fehler_merken(QStringLiteral("Execute_SQL"), sql, q.lastError().text());
        return false;
    }
    return true;
}

std::optional<QSqlQuery> Tdm::abfrage(const QString &sql, const QVariantList &werte)
{
    if (!verbunden()) {
        fehler_merken(QStringLiteral("abfrage"), sql, QStringLiteral("keine Verbindung"));
        return std::nullopt;
    }
    QSqlQuery q(db());
    q.setForwardOnly(true);
    if (!vorbereiten(q, sql, werte)) {
        fehler_merken(QStringLiteral("abfrage"), sql, q.lastError().text());
        return std::nullopt;
    }
    return q;
}

QVariant Tdm::einzelwert(const QString &sql, const QVariantList &werte)
{
    auto q = abfrage(sql, werte);
    if (!q || !q->next())
        return {};
    return q->value(0);
}

std::optional<QStringList> Tdm::textspalte(const QString &sql, const QVariantList &werte)
{
    auto q = abfrage(sql, werte);
    if (!q)
        return std::nullopt;
    QStringList liste;
    while (q->next())
        liste << q->value(0).toString();
    return liste;
}

int Tdm::anzahl_Saetze(const QString &sql, const QVariantList &werte)
{
    // Counted by the database instead of fetching every row.
    const QVariant n =
        einzelwert(QStringLiteral("select count(*) from (") + sql + QStringLiteral(") anzahl_saetze"), werte);
    return n.isValid() ? n.toInt() : 0;
}

QString Tdm::sql_gross(const QString &ausdruck) const
{
    if (m_dialekt == Dialekt::SQLite)
        return QStringLiteral("upper(") + ausdruck + u')'; // our own upper(), see sqlite_upper
    // PostgreSQL's upper() depends on the database's locale; the umlauts are
    // mapped explicitly so a C-locale database compares the same way.
    return QStringLiteral("translate(upper(") + ausdruck
           + QStringLiteral("), 'äöüàáâèéêëìíîïòóôùúûçñ', 'ÄÖÜÀÁÂÈÉÊËÌÍÎÏÒÓÔÙÚÛÇÑ')");
}

bool Tdm::beginnen()
{
    if (m_tiefe > 0) {
        ++m_tiefe;
        return true;
    }
    if (!verbunden())
        return false;
    bool ok = false;
    if (m_dialekt == Dialekt::SQLite) {
        QSqlQuery q(db());
        ok = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
        if (!ok)
            protokolliere_fehler(QStringLiteral("BEGIN"), QString(), q.lastError().text());
    } else {
        QSqlDatabase d = db();
        ok = d.transaction();
        if (!ok)
            protokolliere_fehler(QStringLiteral("BEGIN"), QString(), d.lastError().text());
    }
    if (ok) {
        m_tiefe = 1;
        m_nurRollback = false;
    }
    return ok;
}

bool Tdm::abschliessen(bool commit)
{
    if (m_tiefe <= 0)
        return false;
    if (!commit)
        m_nurRollback = true;
    if (--m_tiefe > 0)
        return !m_nurRollback;
    const bool festschreiben = !m_nurRollback;
    m_nurRollback = false;
    bool ok = false;
    if (m_dialekt == Dialekt::SQLite) {
        QSqlQuery q(db());
        ok = q.exec(festschreiben ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK"));
        if (!ok) {
            protokolliere_fehler(QStringLiteral("COMMIT"), QString(), q.lastError().text());
            if (festschreiben) {
                QSqlQuery r(db());
                r.exec(QStringLiteral("ROLLBACK"));
            }
        }
    } else {
        QSqlDatabase d = db();
        ok = festschreiben ? d.commit() : d.rollback();
        if (!ok) {
            protokolliere_fehler(QStringLiteral("COMMIT"), QString(), d.lastError().text());
            if (festschreiben)
                d.rollback();
        }
    }
    return festschreiben && ok;
}

// ---- Transaktion ------------------------------------------------------------------

Transaktion::Transaktion(Tdm &d)
    : m_dm(d)
{
    m_aktiv = m_dm.beginnen();
}

Transaktion::~Transaktion()
{
    if (m_aktiv && !m_fertig)
        m_dm.abschliessen(false);
}

bool Transaktion::commit()
{
    if (!m_aktiv || m_fertig)
        return false;
    m_fertig = true;
    return m_dm.abschliessen(true);
}

void Transaktion::rollback()
{
    if (!m_aktiv || m_fertig)
        return;
    m_fertig = true;
    m_dm.abschliessen(false);
}

} // namespace obi
