// The data module: opening, its second cursors, and what opening costs.
#include "data/DemoData.h"
#include "data/Dm.h"
#include "data/InstallSettings.h"
#include "data/Schema.h"
#include "db/DbError.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QTemporaryDir>

using namespace tavisko;

namespace {
qint64 rowsRead(Database &conn)
{
    const SqlResult status = conn.exec(QStringLiteral("SHOW SESSION STATUS LIKE 'Handler_read%'"));
    qint64 total = 0;
    for (const QVariantList &row : status.rows)
        total += row.at(1).toLongLong();
    return total;
}
}

TEST_F(DbTest, DataModuleOpensEveryDatasetOnTheDemoData)
{
    loadDemoData(db.sql(), QDateTime(QDate(2026, 12, 11), QTime(10, 0)));
    TDm1 dm(db.settings());
    EXPECT_EQ(dm.TUsers.rowCount(), 12);
    EXPECT_EQ(dm.TTijdreg.rowCount(), 40);
    EXPECT_EQ(dm.TCategorie.asInteger(QStringLiteral("Id")), 1);
    EXPECT_EQ(dm.TDefault.asString(QStringLiteral("A1_15")), demoAdminPassword);
    EXPECT_FALSE(dm.TArtikelen.isEmpty());
    EXPECT_FALSE(dm.TTijdreglijn.isEmpty());
    EXPECT_EQ(dm.TKopieUsers.field(QStringLiteral("Id")).kind, FieldKind::Integer);
    EXPECT_TRUE(dm.TKopieUsers.field(QStringLiteral("Id")).required);
    EXPECT_FALSE(dm.QPrinten.isOpen());
    EXPECT_EQ(dm.QPrinten.sql(), QStringList{QStringLiteral("select * from Tijdreglijn")});
    EXPECT_EQ(dm.QOverzichtPerDag.sql().size(), 2);
    EXPECT_EQ(dm.DsUsers.dataset, &dm.TUsers);
    EXPECT_EQ(TDm1::DelTekens(QStringLiteral("Jan's Garage - N.V.")), QStringLiteral("JansGarageNV"));

    dm.QOverzichtPerDag.open();
    EXPECT_EQ(dm.QOverzichtPerDag.rowCount(), 12);
    EXPECT_GT(dm.QOverzichtPerDag.asFloat(QStringLiteral("Dagtotaal")), 0.0);
}

TEST_F(DbTest, SecondCursorsNeverMoveTheTerminalsSelection)
{
    loadDemoData(db.sql(), QDateTime(QDate(2026, 12, 11), QTime(10, 0)));
    TDm1 dm(db.settings());
    dm.TUsers.setCurrentRow(3);
    dm.TKopieUsers.last();
    dm.TKopieCategorie.last();
    EXPECT_EQ(dm.TUsers.currentRow(), 3);
    EXPECT_EQ(dm.TCategorie.asInteger(QStringLiteral("Id")), 1);
    EXPECT_EQ(dm.TKopieCategorie.asInteger(QStringLiteral("Id")), 3);
}

TEST_F(DbTest, OpeningReadsNeitherTimeLinesNorArticlesWhole)
{
    db.sql().exec(QStringLiteral("INSERT INTO Tijdreglijn (Ordernummer, Tijd) SELECT 'P1', seq FROM seq_1_to_20000"));
    db.sql().exec(QStringLiteral("INSERT INTO parts (nummer) SELECT CONCAT('A', seq) FROM seq_1_to_20000"));
    db.sql().exec(QStringLiteral("INSERT INTO Users (Naam, Foto) VALUES ('A', REPEAT('x', 100000))"));
    TDm1 dm(db.settings());
    EXPECT_LT(rowsRead(dm.mySQLDatabase1), 200);
    const qint64 before = rowsRead(dm.mySQLDatabase1);
    dm.TTijdreglijn.refresh();
    dm.TArtikelen.findNearest(QStringLiteral("A19"));
    EXPECT_LT(rowsRead(dm.mySQLDatabase1) - before, 20);
    EXPECT_TRUE(dm.TUsers.isNull(QStringLiteral("Foto")));
}

TEST_F(DbTest, SchemaChangesNothingThatExists)
{
    db.sql().exec(QStringLiteral("INSERT INTO Categorie (Id, Categorie) VALUES (1, 'Montage')"));
    applySchema(db.sql());
    EXPECT_EQ(scalar(QStringLiteral("SELECT Categorie FROM Categorie")).toString(), QStringLiteral("Montage"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE()")).toInt(), 6);
}

TEST(DataModule, UnreachableServerFailsTheStart)
{
    ConnectionSettings settings;
    settings.socket = QStringLiteral("/nonexistent/mysqld.sock");
    settings.user = QStringLiteral("nobody");
    EXPECT_THROW(TDm1 dm(settings), DbError);
}

TEST(InstallSettings, LaterSourcesOverrideSingleValues)
{
    QTemporaryDir dir;
    const QString system = dir.filePath(QStringLiteral("system.conf"));
    const QString user = dir.filePath(QStringLiteral("user.conf"));
    const QString passwordFile = dir.filePath(QStringLiteral("secret"));
    const auto write = [](const QString &path, const QByteArray &text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write(system, "[database]\nhost=db.werkplaats.lan\nname=tavisko\nuser=terminal\npassword=old\n");
    write(user, "[database]\nuser=kantoor\n");
    write(passwordFile, "geheim\nsecond line\n");

    InstallSettings settings;
    EXPECT_FALSE(settings.isSet());
    settings.readFile(dir.filePath(QStringLiteral("missing.conf")));
    EXPECT_FALSE(settings.isSet());
    settings.readFile(system);
    settings.readFile(user);
    QProcessEnvironment env;
    env.insert(QStringLiteral("TAVISKO_DB_PORT"), QStringLiteral("3307"));
    settings.readEnvironment(env);
    settings.set(QStringLiteral("name"), QStringLiteral("proef"));
    ASSERT_TRUE(settings.readPasswordFile(passwordFile));
    EXPECT_FALSE(settings.readPasswordFile(dir.filePath(QStringLiteral("nothing"))));

    const ConnectionSettings result = settings.settings();
    EXPECT_TRUE(settings.isSet());
    EXPECT_EQ(result.host, QStringLiteral("db.werkplaats.lan"));
    EXPECT_EQ(result.port, 3307);
    EXPECT_EQ(result.database, QStringLiteral("proef"));
    EXPECT_EQ(result.user, QStringLiteral("kantoor"));
    EXPECT_EQ(result.password, QStringLiteral("geheim"));

    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral("/home/jan/.config"));
    EXPECT_EQ(InstallSettings::configFiles(env),
              (QStringList{QStringLiteral("/etc/tavisko/tavisko.conf"), QStringLiteral("/home/jan/.config/tavisko/tavisko.conf")}));
}
