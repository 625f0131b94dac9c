// The server dies in the middle of a stop. Runs alone: it takes the shared server down.
#include "db/DbError.h"
#include "support/Modal.h"
#include "support/RegistrationFixture.h"
#include "terminal/Main.h"

#include <QMessageBox>
#include <QPointer>

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

TEST_F(RegistrationTest, TerminalShowsOneMessageForAnOutageAndRecoversByItself)
{
    TFrmMain main(*dm);
    main.show();
    QList<QPointer<QMessageBox>> boxes;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (box && (boxes.isEmpty() || boxes.last() != box))
            boxes << box;
    });
    watch.start(10);

    // The box opens inside the tick; what follows runs while it is open, as the
    // person in front of the terminal would find it.
    qsizetype boxesDuringOutage = 0;
    bool answered = false;
    whenModalOpens<QMessageBox>([&](QMessageBox *box) {
        QTimer::singleShot(3000, [&, box] { // three more ticks under the open box
            boxesDuringOutage = boxes.size();
            testServer().start();
            box->accept();
            answered = true;
        });
    });
    testServer().stop();
    ASSERT_TRUE(waitFor([&] { return answered; }, 10000));
    EXPECT_EQ(boxesDuringOutage, 1);

    Database other(db.settings());
    other.open();
    other.exec(QStringLiteral("UPDATE Users SET Status = 'True', Projectnummer = 'P2' WHERE Naam = 'Piet'"));
    EXPECT_TRUE(waitFor([&] {
        return dm->TUsers.rowValues(1).at(dm->TUsers.fieldIndex(QStringLiteral("Projectnummer"))).toString() == u"P2";
    }, 2500));
    EXPECT_EQ(boxes.size(), 1);
}
