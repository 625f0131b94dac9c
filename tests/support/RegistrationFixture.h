#pragma once

#include "data/Dm.h"
#include "support/TestDatabase.h"
#include "terminal/Registration.h"

#include <memory>

namespace tavisko {

// A terminal's data module and registration core on a small workshop: categories 1
// and 2, projects P1 and P2, employees Jan, Piet and Joris, a clock the test sets.
class RegistrationTest : public DbTest {
protected:
    RegistrationTest();

    // Another terminal on the same database.
    struct Terminal {
        std::unique_ptr<TDm1> dm;
        std::unique_ptr<Registration> core;
    };
    Terminal terminal();

    void chooseEmployee(const QString &name, TDm1 &on);
    void chooseProject(const QString &nummer, TDm1 &on);
    void chooseEmployee(const QString &name) { chooseEmployee(name, *dm); }
    void chooseProject(const QString &nummer) { chooseProject(nummer, *dm); }
    int timeLines() { return scalar(QStringLiteral("SELECT COUNT(*) FROM Tijdreglijn")).toInt(); }
    QVariant user(const QString &name, const QString &column);

    QDateTime now;
    std::function<void()> onClock; // runs at every clock reading
    QStringList messages;
    int visibleCalls = 0;
    std::unique_ptr<TDm1> dm;
    std::unique_ptr<Registration> core;
};

} // namespace tavisko
