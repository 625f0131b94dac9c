#pragma once

#include "db/ConnectionSettings.h"

#include <QList>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>

#include <functional>

namespace tavisko {

// The rows and counts of one executed statement, read whole so that no driver
// cursor stays open between two operations.
struct SqlResult {
    QStringList columns;
    QList<QVariantList> rows;
    qint64 rowsAffected = 0;
    QVariant lastInsertId;
};

// One connection over the MySQL client protocol, owned by whoever creates it (the
// data module, a test, a benchmark). Every statement goes through exec() with bound
// parameters. A lost connection fails the operation with a DbError and is reopened
// before the next one; it is never reconnected silently inside a statement, since
// that would drop an open transaction and let a later commit report lost writes as
// saved.
class Database {
public:
    explicit Database(const ConnectionSettings &settings);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Throws DbError with the driver's message when the server cannot be reached.
    void open();
    void close();
    bool isOpen() const;

    SqlResult exec(const QString &sql, const QVariantList &params = {});

    // Runs work inside one transaction and commits. On a deadlock or a cluster's
    // certification failure the transaction is rolled back and work runs again, at
    // most `attempts` times in all; any other failure rolls back and is rethrown.
    // work gets the attempt number, from 0.
    void transaction(const std::function<void(int attempt)> &work, int attempts = 3);
    bool inTransaction() const { return m_inTransaction; }

    const ConnectionSettings &settings() const { return m_settings; }

private:
    void ensureOpen();
    void dropConnection();
    void rollback();
    [[noreturn]] void fail(const QString &what, const QSqlError &error);

    ConnectionSettings m_settings;
    QString m_name;
    bool m_wanted = false;
    bool m_inTransaction = false;
};

} // namespace tavisko
