#pragma once

#include "data/PrivateServer.h"
#include "db/ConnectionSettings.h"
#include "db/Database.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <memory>

namespace tavisko {

// The test run's private server, in the folder named by TAVISKO_TEST_SERVER (or the
// given one). Commits need not reach the disk for tests; a killed server still keeps
// them, since the operating system holds its log.
PrivateServer testServer(const QString &folder = QString());

// A fresh database with the schema on the test run's server, dropped again when the
// object goes. Tests never share rows.
class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();

    const QString &name() const { return m_name; }
    ConnectionSettings settings() const;
    // A connection of its own into the database, for arranging and checking rows
    // behind the back of the code under test.
    Database &sql() { return *m_sql; }

private:
    QString m_name;
    std::unique_ptr<Database> m_server;
    std::unique_ptr<Database> m_sql;
};

// Base of tests that need a database.
class DbTest : public ::testing::Test {
protected:
    TestDatabase db;

    // The value of one column of the first row of a query.
    QVariant scalar(const QString &sql, const QVariantList &params = {});
};

} // namespace tavisko
