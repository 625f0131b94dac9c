// The database layer against the real server: datasets, writes, reads, connection loss.
#include "data/Tables.h"
#include "db/DbError.h"
#include "db/QueryDataset.h"
#include "db/TableDataset.h"
#include "support/TestDatabase.h"

#include <QElapsedTimer>
#include <QSignalSpy>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace tavisko;
using Fetch = TableDataset::Fetch;

namespace {
class DatasetTest : public DbTest {
protected:
    DatasetTest() : conn(db.settings()) { conn.open(); }

    void addParts(const QStringList &keys)
    {
        for (const QString &key : keys)
            db.sql().exec(QStringLiteral("INSERT INTO parts (nummer, omschrijving) VALUES (?, ?)"), {key, QStringLiteral("d ") + key});
    }
    void addLines(int count)
    {
        db.sql().exec(QStringLiteral("INSERT INTO Tijdreglijn (Ordernummer, Tijd) SELECT CONCAT('P', seq), seq FROM seq_1_to_%1").arg(count));
    }

    Database conn;
};
}

TEST_F(DatasetTest, WritesCutTextsAndFractionsAndReadsNullsAsZero)
{
    TableDataset users(conn, QStringLiteral("Users"), usersFields(), QStringLiteral("Id"), Fetch::Whole);
    users.open();
    users.append();
    users.setValue(QStringLiteral("Naam"), QStringLiteral("Abcdefghijklmnopqrstuvwxyz1234")); // 30 characters into text(25)
    users.setValue(QStringLiteral("Start"), QDateTime(QDate(2026, 1, 5), QTime(8, 15, 42, 900)));
    users.post();

    EXPECT_GT(users.asInteger(QStringLiteral("Id")), 0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT Naam FROM Users")).toString(), QStringLiteral("Abcdefghijklmnopqrstuvwxy"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT Start FROM Users")).toDateTime(), QDateTime(QDate(2026, 1, 5), QTime(8, 15, 42)));

    users.refresh();
    EXPECT_EQ(users.asInteger(QStringLiteral("CatId")), 0);
    EXPECT_EQ(users.asString(QStringLiteral("Status")), QString());
    EXPECT_EQ(users.asDateTime(QStringLiteral("Stop")), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
    EXPECT_TRUE(users.isNull(QStringLiteral("Stop")));
}

TEST_F(DatasetTest, EditWritesOnlyChangedColumnsByKey)
{
    db.sql().exec(QStringLiteral("INSERT INTO Users (Naam, Paswoord) VALUES ('Jan', 'A1'), ('Piet', 'B2')"));
    TableDataset users(conn, QStringLiteral("Users"), usersFields(), QStringLiteral("Id"), Fetch::Whole);
    users.open();
    // Another terminal changes the password after our read; our save of the name must not undo it.
    db.sql().exec(QStringLiteral("UPDATE Users SET Paswoord = 'NEW' WHERE Naam = 'Jan'"));
    users.edit();
    users.setValue(QStringLiteral("Naam"), QStringLiteral("Jan V"));
    users.post();
    EXPECT_EQ(scalar(QStringLiteral("SELECT CONCAT(Naam, '/', Paswoord) FROM Users WHERE Id = 1")).toString(), QStringLiteral("Jan V/NEW"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT Naam FROM Users WHERE Id = 2")).toString(), QStringLiteral("Piet"));
}

TEST_F(DatasetTest, ConditionalPostFailsWhenTheStoredValueMoved)
{
    db.sql().exec(QStringLiteral("INSERT INTO Users (Naam, Status) VALUES ('Jan', 'True')"));
    TableDataset users(conn, QStringLiteral("Users"), usersFields(), QStringLiteral("Id"), Fetch::Whole);
    users.open();
    db.sql().exec(QStringLiteral("UPDATE Users SET Status = 'False'"));
    users.edit();
    users.setValue(QStringLiteral("Status"), QStringLiteral("False"));
    users.setValue(QStringLiteral("Naam"), QStringLiteral("X"));
    EXPECT_FALSE(users.post({{QStringLiteral("Status"), QStringLiteral("True")}}));
    EXPECT_EQ(users.state(), TableDataset::State::Browse);
    EXPECT_EQ(scalar(QStringLiteral("SELECT Naam FROM Users")).toString(), QStringLiteral("Jan"));
}

// The same moves on a whole table and on an on-demand one.
TEST_F(DatasetTest, NavigationIsTheSameWholeAndOnDemand)
{
    addLines(3);
    for (const Fetch fetch : {Fetch::Whole, Fetch::OnDemand}) {
        SCOPED_TRACE(fetch == Fetch::Whole ? "whole" : "on demand");
        TableDataset lines(conn, QStringLiteral("Tijdreglijn"), tijdreglijnFields(), QStringLiteral("id"), fetch);
        lines.open();
        EXPECT_TRUE(lines.bof());
        EXPECT_FALSE(lines.eof());
        EXPECT_EQ(lines.asString(QStringLiteral("Ordernummer")), QStringLiteral("P1"));
        lines.next();
        lines.next();
        EXPECT_EQ(lines.asString(QStringLiteral("Ordernummer")), QStringLiteral("P3"));
        EXPECT_FALSE(lines.eof());
        lines.next();
        EXPECT_TRUE(lines.eof());
        EXPECT_EQ(lines.asString(QStringLiteral("Ordernummer")), QStringLiteral("P3"));
        lines.prior();
        EXPECT_EQ(lines.asString(QStringLiteral("Ordernummer")), QStringLiteral("P2"));
        lines.first();
        lines.prior();
        EXPECT_TRUE(lines.bof());
        lines.last();
        EXPECT_EQ(lines.asFloat(QStringLiteral("Tijd")), 3.0);
        EXPECT_TRUE(lines.locate(QStringLiteral("Ordernummer"), QStringLiteral("P2")));
        EXPECT_EQ(lines.asInteger(QStringLiteral("id")), 2);
        EXPECT_FALSE(lines.locate(QStringLiteral("Ordernummer"), QStringLiteral("P9")));
        EXPECT_EQ(lines.asInteger(QStringLiteral("id")), 2);

        lines.append();
        lines.setValue(QStringLiteral("Ordernummer"), QStringLiteral("P4"));
        lines.post();
        EXPECT_GE(lines.asInteger(QStringLiteral("id")), 4);
        lines.first();
        lines.last();
        EXPECT_EQ(lines.asString(QStringLiteral("Ordernummer")), QStringLiteral("P4"));
        db.sql().exec(QStringLiteral("DELETE FROM Tijdreglijn WHERE Ordernummer = 'P4'"));
    }
}

TEST_F(DatasetTest, EmptyTableHasNoCurrentRecord)
{
    for (const Fetch fetch : {Fetch::Whole, Fetch::OnDemand}) {
        TableDataset parts(conn, QStringLiteral("parts"), partsFields(), QStringLiteral("nummer"), fetch);
        parts.open();
        EXPECT_TRUE(parts.isEmpty());
        EXPECT_TRUE(parts.bof() && parts.eof());
        EXPECT_EQ(parts.asString(QStringLiteral("nummer")), QString());
        parts.next();
        parts.findNearest(QStringLiteral("A"));
        EXPECT_TRUE(parts.isEmpty());
        EXPECT_THROW(parts.edit(), DbError);
    }
}

TEST_F(DatasetTest, NearestKeyFollowsTheServerCollation)
{
    addParts({QStringLiteral("AB-100"), QStringLiteral("B1"), QStringLiteral("b2"), QStringLiteral("C"), QStringLiteral("Émail")});
    const struct { const char *search; const char *found; } cases[] = {
        {"", "AB-100"},    // empty text: the first article
        {"ab", "AB-100"},  // case does not count in the table's collation
        {"B", "B1"},
        {"B2", "b2"},
        {"b10", "b2"},
        {"d", "Émail"},    // accented letters sort with their base letter
        {"zz", "Émail"},   // beyond every key: the last article
    };
    for (const Fetch fetch : {Fetch::Whole, Fetch::OnDemand}) {
        TableDataset parts(conn, QStringLiteral("parts"), partsFields(), QStringLiteral("nummer"), fetch);
        parts.open();
        for (const auto &c : cases) {
            parts.findNearest(QString::fromUtf8(c.search));
            EXPECT_EQ(parts.asString(QStringLiteral("nummer")), QString::fromUtf8(c.found)) << c.search;
        }
    }
}

TEST_F(DatasetTest, RefreshKeepsTheCurrentRecordAndAnnouncesOnlyChangedRows)
{
    db.sql().exec(QStringLiteral("INSERT INTO Users (Naam) VALUES ('A'), ('B'), ('C'), ('D')"));
    TableDataset users(conn, QStringLiteral("Users"), usersFields(), QStringLiteral("Id"), Fetch::Whole);
    users.open();
    users.setCurrentRow(2);
    QSignalSpy changed(&users, &Dataset::rowChanged);
    QSignalSpy reset(&users, &Dataset::reset);

    db.sql().exec(QStringLiteral("UPDATE Users SET Status = 'True' WHERE Naam = 'B'"));
    users.refresh();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.first().first().toInt(), 1);
    EXPECT_EQ(reset.count(), 0);
    users.refresh();
    EXPECT_EQ(changed.count(), 1);

    db.sql().exec(QStringLiteral("DELETE FROM Users WHERE Naam = 'A'"));
    users.refresh();
    EXPECT_EQ(users.asString(QStringLiteral("Naam")), QStringLiteral("C"));
    db.sql().exec(QStringLiteral("DELETE FROM Users WHERE Naam = 'C'"));
    users.refresh();
    EXPECT_EQ(users.asString(QStringLiteral("Naam")), QStringLiteral("D"));
    EXPECT_EQ(reset.count(), 2);
}

TEST_F(DatasetTest, SuspendedNotificationsGiveOneSummary)
{
    db.sql().exec(QStringLiteral("INSERT INTO Users (Naam) VALUES ('A'), ('B')"));
    TableDataset users(conn, QStringLiteral("Users"), usersFields(), QStringLiteral("Id"), Fetch::Whole);
    users.open();
    QSignalSpy current(&users, &Dataset::currentChanged);
    users.disableControls();
    users.next();
    users.first();
    users.next();
    EXPECT_EQ(current.count(), 0);
    users.enableControls();
    EXPECT_EQ(current.count(), 1);
}

TEST_F(DatasetTest, BlobsAreReadOnlyWhenAsked)
{
    const QByteArray photo(100 * 1024, 'x');
    db.sql().exec(QStringLiteral("INSERT INTO Users (Naam, Foto) VALUES ('A', ?)"), {photo});
    TableDataset users(conn, QStringLiteral("Users"), usersFields(), QStringLiteral("Id"), Fetch::Whole);
    users.open();
    EXPECT_TRUE(users.isNull(QStringLiteral("Foto")));
    EXPECT_EQ(users.blob(QStringLiteral("Foto")), photo);
    users.edit();
    users.setValue(QStringLiteral("Naam"), QStringLiteral("B"));
    users.post();
    EXPECT_EQ(scalar(QStringLiteral("SELECT LENGTH(Foto) FROM Users")).toInt(), photo.size());
}

TEST_F(DatasetTest, DefaultTableWorksOnlyQuoted)
{
    TableDataset settings(conn, QStringLiteral("Default"), defaultFields(), QStringLiteral("Id"), Fetch::Whole);
    settings.open();
    settings.append();
    settings.setValue(QStringLiteral("Paswoordcheck"), 1);
    settings.post();
    settings.refresh();
    EXPECT_EQ(settings.asInteger(QStringLiteral("Paswoordcheck")), 1);
    EXPECT_THROW(conn.exec(QStringLiteral("SELECT * FROM Default")), DbError);
}

TEST_F(DatasetTest, DeclaredFieldsMatchTheSchema)
{
    const struct { const char *table; FieldList fields; } tables[] = {
        {"Users", usersFields()}, {"Tijdreg", tijdregFields()}, {"Tijdreglijn", tijdreglijnFields()},
        {"Categorie", categorieFields()}, {"Default", defaultFields()}, {"parts", partsFields()},
    };
    for (const auto &t : tables) {
        const SqlResult columns = conn.exec(
            QStringLiteral("SELECT COLUMN_NAME, CHARACTER_MAXIMUM_LENGTH, DATA_TYPE FROM information_schema.COLUMNS "
                           "WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME = ? ORDER BY ORDINAL_POSITION"),
            {QString::fromLatin1(t.table)});
        ASSERT_EQ(columns.rows.size(), t.fields.size()) << t.table;
        for (int i = 0; i < t.fields.size(); ++i) {
            const Field &f = t.fields.at(i);
            EXPECT_EQ(columns.rows.at(i).at(0).toString(), f.name) << t.table;
            if (f.kind == FieldKind::Text) {
                EXPECT_EQ(columns.rows.at(i).at(1).toInt(), f.size) << t.table << "." << f.name.toStdString();
            }
        }
    }
}

TEST_F(DatasetTest, QueryBindsNamedParametersByPosition)
{
    addLines(5);
    QueryDataset query(conn, tijdreglijnFields(), {QStringLiteral("select * from Tijdreglijn")});
    query.setSql({QStringLiteral("select * from Tijdreglijn where Tijd >= :Van"),
                  QStringLiteral("and Ordernummer <> :Niet and Ordernummer <> ':Geen' order by id")});
    EXPECT_EQ(query.paramNames(), (QStringList{QStringLiteral("Van"), QStringLiteral("Niet")}));
    query.setParam(0, 2);
    query.setParam(QStringLiteral("Niet"), QStringLiteral("P4"));
    query.open();
    ASSERT_EQ(query.rowCount(), 3);
    EXPECT_EQ(query.asString(QStringLiteral("Ordernummer")), QStringLiteral("P2"));
    query.next();
    const int mark = query.bookmark();
    query.last();
    EXPECT_EQ(query.asString(QStringLiteral("Ordernummer")), QStringLiteral("P5"));
    query.gotoBookmark(mark);
    EXPECT_EQ(query.asString(QStringLiteral("Ordernummer")), QStringLiteral("P3"));
}

TEST_F(DatasetTest, LostConnectionFailsOnceThenReopens)
{
    const int id = conn.exec(QStringLiteral("SELECT CONNECTION_ID()")).rows.first().first().toInt();
    db.sql().exec(QStringLiteral("KILL ?"), {id});
    try {
        conn.exec(QStringLiteral("SELECT 1"));
        FAIL() << "a killed connection must fail the operation";
    } catch (const DbError &error) {
        EXPECT_TRUE(error.isConnectionLost()) << error.message().toStdString();
    }
    EXPECT_EQ(conn.exec(QStringLiteral("SELECT 41 + 1")).rows.first().first().toInt(), 42);
}

TEST_F(DatasetTest, TransactionRetriesADeadlockAndRollsBackOtherFailures)
{
    int attempts = 0;
    conn.transaction([&](int attempt) {
        ++attempts;
        conn.exec(QStringLiteral("INSERT INTO Categorie (Id) VALUES (?)"), {attempt + 1});
        if (attempt == 0)
            conn.exec(QStringLiteral("SIGNAL SQLSTATE '40001' SET MYSQL_ERRNO = 1213, MESSAGE_TEXT = 'Deadlock found'"));
    });
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(scalar(QStringLiteral("SELECT GROUP_CONCAT(Id) FROM Categorie")).toString(), QStringLiteral("2"));

    EXPECT_THROW(conn.transaction([&](int) {
        conn.exec(QStringLiteral("INSERT INTO Categorie (Id) VALUES (7)"));
        conn.exec(QStringLiteral("INSERT INTO Categorie (Id) VALUES (7)"));
    }),
                 DbError);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM Categorie")).toInt(), 1);
}

TEST(Connection, ServerThatNeverAnswersFailsWithinTheTimeOut)
{
    // A listening socket that never accepts: the kernel completes the handshake, the
    // server never greets.
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 4), 0);
    socklen_t length = sizeof address;
    ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length);

    ConnectionSettings settings;
    settings.host = QStringLiteral("127.0.0.1");
    settings.port = ntohs(address.sin_port);
    settings.user = QStringLiteral("nobody");
    Database db(settings);
    QElapsedTimer timer;
    timer.start();
    EXPECT_THROW(db.open(), DbError);
    EXPECT_LT(timer.elapsed(), 40000);
    ::close(listener);
}
