#include "db/Database.h"

#include "db/DbError.h"

#include <QAtomicInteger>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace tavisko {

namespace {
QAtomicInteger<int> connectionCounter;
}

Database::Database(const ConnectionSettings &settings)
    : m_settings(settings),
      m_name(QStringLiteral("tavisko-%1").arg(connectionCounter.fetchAndAddRelaxed(1)))
{
}

Database::~Database()
{
    close();
    QSqlDatabase::removeDatabase(m_name);
}

void Database::open()
{
    m_wanted = true;
    ensureOpen();
}

void Database::close()
{
    m_inTransaction = false;
    dropConnection();
}

bool Database::isOpen() const
{
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

void Database::dropConnection()
{
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::database(m_name, false).close();
}

void Database::ensureOpen()
{
    if (isOpen())
        return;
    // Reopening inside a transaction would run its remaining statements outside it.
    if (m_inTransaction)
        throw DbError(QStringLiteral("The connection to the database server was lost."), 2013);
    QSqlDatabase db = QSqlDatabase::contains(m_name) ? QSqlDatabase::database(m_name, false)
                                                     : QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), m_name);
    if (!db.isValid())
        throw DbError(QStringLiteral("The MySQL database driver (QMYSQL) is not available."));
    db.setDatabaseName(m_settings.database);
    db.setUserName(m_settings.user);
    db.setPassword(m_settings.password);
    // A server that accepts the connection but never answers must not hang a
    // terminal: the time-outs bound the connect and every read and write.
    QStringList options = {QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=30"),
                           QStringLiteral("MYSQL_OPT_READ_TIMEOUT=30"),
                           QStringLiteral("MYSQL_OPT_WRITE_TIMEOUT=30"),
                           QStringLiteral("CLIENT_COMPRESS")};
    if (!m_settings.socket.isEmpty()) {
        options << QStringLiteral("UNIX_SOCKET=%1").arg(m_settings.socket);
        db.setHostName(QStringLiteral("localhost"));
    } else {
        db.setHostName(m_settings.host);
        db.setPort(m_settings.port);
    }
    db.setConnectOptions(options.join(u';'));
    if (!db.open())
        fail(QString(), db.lastError());
    QSqlQuery init(db);
    if (!init.exec(QStringLiteral("SET NAMES utf8mb4")))
        fail(QString(), init.lastError());
}

void Database::fail(const QString &what, const QSqlError &error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    QString message = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    if (!what.isEmpty())
        message = what + QStringLiteral(": ") + message;
    const DbError dbError(message, ok ? code : 0);
    // Close a connection that is gone, so that the next operation opens a fresh one
    // instead of failing on the dead socket again.
    if (dbError.isConnectionLost() || (code >= 2000 && code < 3000))
        dropConnection();
    throw dbError;
}

SqlResult Database::exec(const QString &sql, const QVariantList &params)
{
    if (!m_wanted)
        throw DbError(QStringLiteral("The database connection is not open."));
    ensureOpen();
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    query.setForwardOnly(true);
    bool ok;
    if (params.isEmpty()) {
        ok = query.exec(sql);
    } else {
        ok = query.prepare(sql);
        if (ok) {
            for (const QVariant &p : params)
                query.addBindValue(p);
            ok = query.exec();
        }
    }
    if (!ok)
        fail(QString(), query.lastError());

    SqlResult result;
    if (query.isSelect()) {
        const QSqlRecord record = query.record();
        const int columns = record.count();
        for (int i = 0; i < columns; ++i)
            result.columns.append(record.fieldName(i));
        while (query.next()) {
            QVariantList row;
            row.reserve(columns);
            for (int i = 0; i < columns; ++i)
                row.append(query.value(i));
            result.rows.append(std::move(row));
        }
        if (query.lastError().isValid())
            fail(QString(), query.lastError());
    } else {
        result.rowsAffected = query.numRowsAffected();
        result.lastInsertId = query.lastInsertId();
    }
    return result;
}

void Database::transaction(const std::function<void(int)> &work, int attempts)
{
    for (int attempt = 0;; ++attempt) {
        exec(QStringLiteral("START TRANSACTION"));
        m_inTransaction = true;
        try {
            work(attempt);
            exec(QStringLiteral("COMMIT"));
            m_inTransaction = false;
            return;
        } catch (const DbError &error) {
            rollback();
            if (!error.isDeadlock() || attempt + 1 >= attempts)
                throw;
        } catch (...) {
            rollback();
            throw;
        }
    }
}

void Database::rollback()
{
    if (isOpen()) {
        try {
            exec(QStringLiteral("ROLLBACK"));
        } catch (const DbError &) {
            // The connection went while rolling back; the server drops the
            // transaction with it.
        }
    }
    m_inTransaction = false;
}

} // namespace tavisko
