// Start, stop, switch, restart and stop all, as two terminals see them.
#include "support/RegistrationFixture.h"

using namespace tavisko;

TEST_F(RegistrationTest, StartCopiesTheProjectAndStopWritesOneTimeLine)
{
    chooseEmployee(QStringLiteral("Jan"));
    chooseProject(QStringLiteral("P2"));
    db.sql().exec(QStringLiteral("UPDATE Users SET Artikelnummer = ',\"1;X7;Bolt\"' WHERE Naam = 'Jan'"));
    dm->TUsers.refresh();
    core->startRequest();

    EXPECT_EQ(user(QStringLiteral("Jan"), QStringLiteral("Status")).toString(), QStringLiteral("True"));
    EXPECT_EQ(user(QStringLiteral("Jan"), QStringLiteral("Start")).toDateTime(), now);
    EXPECT_EQ(user(QStringLiteral("Jan"), QStringLiteral("Projectnummer")).toString(), QStringLiteral("P2"));
    EXPECT_EQ(user(QStringLiteral("Jan"), QStringLiteral("Projectnaam")).toString(), QStringLiteral("TaxiÉlise"));
    EXPECT_EQ(user(QStringLiteral("Jan"), QStringLiteral("Omschrijving")).toString(), QStringLiteral("Remmen"));
    EXPECT_EQ(user(QStringLiteral("Jan"), QStringLiteral("CatId")).toInt(), 1);
    EXPECT_EQ(user(QStringLiteral("Jan"), QStringLiteral("Artikelnummer")).toString(), QStringLiteral(",\"1;X7;Bolt\""));
    EXPECT_EQ(dm->TUsers.asString(QStringLiteral("Status")), QStringLiteral("True")); // reloaded
    EXPECT_EQ(visibleCalls, 1);

    now = now.addSecs(1800);
    core->stoppen();
    const SqlResult line = db.sql().exec(QStringLiteral(
        "SELECT Ordernummer, CatID, UserID, Usernaam, Klantnaam, Chassisnummer, Start, Stop, Artikelnummer, Tijd, Tijd2 FROM Tijdreglijn"));
    ASSERT_EQ(line.rows.size(), 1);
    const QVariantList expected = {QStringLiteral("P2"), 1, 1, QStringLiteral("Jan"), QStringLiteral("TaxiÉlise"), QStringLiteral("Remmen"),
                                   QDateTime(QDate(2026, 3, 2), QTime(8, 0)), QDateTime(QDate(2026, 3, 2), QTime(8, 30)),
                                   QStringLiteral(",\"1;X7;Bolt\""), 1800.0, 0.5};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(line.rows.first().at(i), expected.at(i)) << "column " << line.columns.at(i).toStdString();

    const SqlResult jan = db.sql().exec(QStringLiteral(
        "SELECT Status, Start IS NULL, Projectnummer, Artikelnummer, Projectnaam, Omschrijving, CatId FROM Users WHERE Naam = 'Jan'"));
    EXPECT_EQ(jan.rows.first(), (QVariantList{QStringLiteral("False"), 1, QString(), QString(), QString(), QString(), 1}));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(visibleCalls, 2);
}

TEST_F(RegistrationTest, WorkedTimeFollowsTheClockAtTheStop)
{
    const struct { QTime clock; double tijd; double tijd2; } cases[] = {
        {QTime(8, 17, 42, 600), 1063, 0.30},
        {QTime(8, 17, 42, 200), 1062, 0.29},
        {QTime(8, 0, 17, 0), 17, 0.00},
    };
    for (const auto &c : cases) {
        db.sql().exec(QStringLiteral("DELETE FROM Tijdreglijn"));
        now = QDateTime(QDate(2026, 3, 2), QTime(8, 0));
        chooseEmployee(QStringLiteral("Piet"));
        core->starten();
        now = QDateTime(QDate(2026, 3, 2), c.clock);
        core->stoppen();
        const SqlResult line = db.sql().exec(QStringLiteral("SELECT Stop, Tijd, Tijd2 FROM Tijdreglijn"));
        ASSERT_EQ(line.rows.size(), 1);
        EXPECT_EQ(line.rows.first().at(0).toDateTime(), QDateTime(QDate(2026, 3, 2), c.clock.addMSecs(-c.clock.msec())));
        EXPECT_EQ(line.rows.first().at(1).toDouble(), c.tijd);
        EXPECT_EQ(line.rows.first().at(2).toDouble(), c.tijd2);
    }
}

TEST_F(RegistrationTest, OnlyTheExactTextTrueIsWorking)
{
    for (const QVariant &status : {QVariant(QStringLiteral("true")), QVariant(QStringLiteral("TRUE")), QVariant(), QVariant(QString())}) {
        db.sql().exec(QStringLiteral("UPDATE Users SET Status = ?, Start = '2026-03-02 07:00:00', Projectnummer = 'P1' WHERE Naam = 'Jan'"), {status});
        chooseEmployee(QStringLiteral("Jan"));
        core->stoppen();
        EXPECT_EQ(timeLines(), 0);
        EXPECT_EQ(user(QStringLiteral("Jan"), QStringLiteral("Projectnummer")).toString(), QStringLiteral("P1"));

        chooseProject(QStringLiteral("P2"));
        core->startRequest(); // not working: a plain start, no time line for P1
        EXPECT_EQ(timeLines(), 0);
        EXPECT_EQ(user(QStringLiteral("Jan"), QStringLiteral("Projectnummer")).toString(), QStringLiteral("P2"));
    }
    EXPECT_EQ(visibleCalls, 8);
}

TEST_F(RegistrationTest, SwitchStopsTheOldProjectAndRestartMovesTheStart)
{
    chooseEmployee(QStringLiteral("Jan"));
    chooseProject(QStringLiteral("P1"));
    core->startRequest();
    now = now.addSecs(600);
    chooseProject(QStringLiteral("P2"));
    QList<QDateTime> readings;
    onClock = [&] { now = now.addSecs(1); readings << now; };
    core->startRequest();
    onClock = nullptr;

    const SqlResult line = db.sql().exec(QStringLiteral("SELECT Ordernummer, Tijd FROM Tijdreglijn"));
    ASSERT_EQ(line.rows.size(), 1);
    EXPECT_EQ(line.rows.first().at(0).toString(), QStringLiteral("P1"));
    EXPECT_EQ(readings.size(), 3); // stop, end of the worked time, the new start
    EXPECT_EQ(user(QStringLiteral("Jan"), QStringLiteral("Projectnummer")).toString(), QStringLiteral("P2"));
    EXPECT_EQ(user(QStringLiteral("Jan"), QStringLiteral("Start")).toDateTime(), readings.at(2));

    now = now.addSecs(300);
    core->startRequest(); // same project: restart without a time line
    EXPECT_EQ(timeLines(), 1);
    EXPECT_EQ(user(QStringLiteral("Jan"), QStringLiteral("Start")).toDateTime(), now);
}

TEST_F(RegistrationTest, StopAllStopsEveryWorkingEmployee)
{
    core->stopAll();
    EXPECT_EQ(timeLines(), 0);

    for (const QString &name : {QStringLiteral("Jan"), QStringLiteral("Piet"), QStringLiteral("Joris")}) {
        chooseEmployee(name);
        core->starten();
    }
    now = now.addSecs(3600);
    core->stopAll();
    EXPECT_EQ(timeLines(), 3);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM Users WHERE Status = 'True'")).toInt(), 0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT SUM(Tijd2) FROM Tijdreglijn")).toDouble(), 3.0);
}

TEST_F(RegistrationTest, TwoTerminalsStoppingOneStintWriteOneTimeLine)
{
    chooseEmployee(QStringLiteral("Jan"));
    core->starten();
    Terminal other = terminal();
    chooseEmployee(QStringLiteral("Jan"), *other.dm);
    now = now.addSecs(60);
    // Both terminals show Jan working; both stop him.
    other.core->stoppen();
    core->stoppen();
    EXPECT_EQ(timeLines(), 1);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(dm->TUsers.asString(QStringLiteral("Status")), QStringLiteral("False"));
}

TEST_F(RegistrationTest, FailedStopLeavesTheDatabaseAsItWasAndCancelsTheSwitch)
{
    chooseEmployee(QStringLiteral("Jan"));
    chooseProject(QStringLiteral("P1"));
    core->starten();
    db.sql().exec(QStringLiteral("CREATE TRIGGER full_disk BEFORE INSERT ON Tijdreglijn FOR EACH ROW "
                                 "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'disk full'"));
    now = now.addSecs(60);
    chooseProject(QStringLiteral("P2"));
    core->startRequest();

    EXPECT_EQ(messages, QStringList{QStringLiteral("Kan niet stoppen ")});
    EXPECT_EQ(timeLines(), 0);
    EXPECT_EQ(user(QStringLiteral("Jan"), QStringLiteral("Status")).toString(), QStringLiteral("True"));
    EXPECT_EQ(user(QStringLiteral("Jan"), QStringLiteral("Projectnummer")).toString(), QStringLiteral("P1"));
    EXPECT_EQ(user(QStringLiteral("Jan"), QStringLiteral("Start")).toDateTime(), QDateTime(QDate(2026, 3, 2), QTime(8, 0)));
    EXPECT_EQ(dm->TTijdreglijn.state(), TableDataset::State::Browse);
    EXPECT_EQ(dm->TUsers.asString(QStringLiteral("Status")), QStringLiteral("True"));

    db.sql().exec(QStringLiteral("DROP TRIGGER full_disk"));
    core->stoppen();
    EXPECT_EQ(timeLines(), 1);
}

TEST_F(RegistrationTest, FailedStartChangesNothing)
{
    chooseEmployee(QStringLiteral("Piet"));
    db.sql().exec(QStringLiteral("CREATE TRIGGER locked BEFORE UPDATE ON Users FOR EACH ROW "
                                 "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'locked'"));
    core->startRequest();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Kon niet starten")});
    EXPECT_EQ(user(QStringLiteral("Piet"), QStringLiteral("Status")).toString(), QStringLiteral("False"));
    EXPECT_EQ(dm->TUsers.state(), TableDataset::State::Browse);
    EXPECT_EQ(visibleCalls, 1);
}

TEST_F(RegistrationTest, NoCategoriesGiveCategoryZero)
{
    db.sql().exec(QStringLiteral("DELETE FROM Categorie"));
    Terminal fresh = terminal();
    chooseEmployee(QStringLiteral("Jan"), *fresh.dm);
    fresh.core->starten();
    EXPECT_EQ(user(QStringLiteral("Jan"), QStringLiteral("CatId")).toInt(), 0);
}
