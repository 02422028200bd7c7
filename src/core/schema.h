// The database's tables, indexes, views and the lookup rows a new database
// starts with, one definition for SQLite and PostgreSQL.
#pragma once

#include <QString>
#include <QStringList>

namespace obi {

class Tdm;

// Creates the complete schema at the current version (5301) with its lookup
// rows and list templates in one transaction. Refuses (false, fehler set) when
// the database already holds a table of the schema.
bool schema_anlegen(Tdm &dm, QString *fehler = nullptr);

// Whether the database already has the version row table (any schema at all).
bool schema_vorhanden(Tdm &dm);

// The names of all tables of the schema, in creation order.
QStringList schema_tabellen();

} // namespace obi
