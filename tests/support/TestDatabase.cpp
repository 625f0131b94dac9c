#include "support/TestDatabase.h"

#include "data/Schema.h"

#include <QAtomicInteger>
#include <QCoreApplication>

namespace tavisko {

PrivateServer testServer(const QString &folder)
{
    QString path = folder;
    if (path.isEmpty())
        path = QString::fromLocal8Bit(qgetenv("TAVISKO_TEST_SERVER"));
    if (path.isEmpty())
        throw std::runtime_error("TAVISKO_TEST_SERVER is not set: run the tests through ctest");
    return PrivateServer(path, {QStringLiteral("--innodb-flush-log-at-trx-commit=2"),
                                QStringLiteral("--innodb-buffer-pool-size=256M")});
}

namespace {
QAtomicInteger<int> databaseCounter;
}

TestDatabase::TestDatabase()
    : m_name(QStringLiteral("t_%1_%2").arg(QCoreApplication::applicationPid()).arg(databaseCounter.fetchAndAddRelaxed(1)))
{
    const PrivateServer server = testServer();
    m_server = std::make_unique<Database>(server.connection());
    m_server->open();
    m_server->exec(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(m_name));
    m_server->exec(QStringLiteral("CREATE DATABASE `%1` CHARACTER SET utf8mb4").arg(m_name));
    m_sql = std::make_unique<Database>(settings());
    m_sql->open();
    applySchema(*m_sql);
}

TestDatabase::~TestDatabase()
{
    m_sql.reset();
    try {
        m_server->exec(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(m_name));
    } catch (const std::exception &) {
        // A test that took the server down leaves its database for the next run's
        // clean-up.
    }
}

ConnectionSettings TestDatabase::settings() const
{
    return testServer().connection(m_name);
}

QVariant DbTest::scalar(const QString &sql, const QVariantList &params)
{
    const SqlResult result = db.sql().exec(sql, params);
    return result.rows.isEmpty() ? QVariant() : result.rows.first().first();
}

} // namespace tavisko
