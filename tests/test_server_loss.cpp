// The server dies in the middle of a stop. Runs alone: it takes the shared server down.
#include "db/DbError.h"
#include "support/RegistrationFixture.h"

using namespace tavisko;

TEST_F(RegistrationTest, ServerKilledDuringAStopLeavesNoHalfWrittenStint)
{
    chooseEmployee(QStringLiteral("Jan"));
    core->starten();
    now = now.addSecs(900);

    // The second clock reading of a stop falls after the employee's reset and before
    // the time line: the server goes there.
    int readings = 0;
    onClock = [&] {
        if (++readings == 2)
            testServer().kill();
    };
    EXPECT_THROW(core->stoppen(), DbError); // the reload after the failed stop meets no server
    onClock = nullptr;
    EXPECT_EQ(messages, QStringList{QStringLiteral("Kan niet stoppen ")});

    testServer().start();
    Database check(db.settings());
    check.open();
    EXPECT_EQ(check.exec(QStringLiteral("SELECT Status FROM Users WHERE Naam = 'Jan'")).rows.first().first().toString(), QStringLiteral("True"));
    EXPECT_EQ(check.exec(QStringLiteral("SELECT COUNT(*) FROM Tijdreglijn")).rows.first().first().toInt(), 0);

    // The terminal's next reload and stop work on a fresh connection.
    dm->TUsers.refresh();
    core->stoppen();
    EXPECT_EQ(check.exec(QStringLiteral("SELECT COUNT(*) FROM Tijdreglijn")).rows.first().first().toInt(), 1);
    EXPECT_EQ(check.exec(QStringLiteral("SELECT Tijd FROM Tijdreglijn")).rows.first().first().toDouble(), 900.0);
    EXPECT_EQ(messages.size(), 1);
}
