#pragma once

#include <QDateTime>

namespace tavisko {

class Database;

// Administrator password of the demo database's settings record.
inline const QString demoAdminPassword = QStringLiteral("1234");

// Fills empty tables with the settings record and a small workshop: a dozen
// employees, three categories, 40 projects, 200 articles and three weeks of time
// lines before `now`, with a few employees at work.
void loadDemoData(Database &db, const QDateTime &now);

// The program's local database: on first use creates the database `tavisko` with the
// schema and the demo data. The server must be running.
void prepareLocalDatabase(Database &serverConnection, const QString &database, const QDateTime &now);

} // namespace tavisko
