#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

namespace tavisko {

class TDm1;

// What the registration core asks of the screen it serves.
struct RegistrationUi {
    std::function<void(const QString &)> showMessage; // a plain message box
    std::function<void()> visible;                    // back to the employee grid
    std::function<void(bool)> busy;                   // the wait pointer on or off
};

using Clock = std::function<QDateTime()>;

// Start, stop, switch and stop all on the current records of the data module: the
// employee of TUsers, the project of TTijdreg, the category of TCategorie. Holds no
// state between two operations; the clock is injectable so that a stop at
// 08:17:42.6 can be tested.
class Registration {
public:
    Registration(TDm1 &dm, Clock clock, RegistrationUi ui);

    // Puts the current employee to work on the current project and category.
    void starten();
    // Ends the current employee's stint, if he works, with one time line. Returns
    // false when the stop failed (the database is then as it was before).
    bool stoppen();
    // The write of a stop alone, without the reloads that follow it: the employee's
    // reset and his time line in one transaction. The employee must be working.
    // Returns false when it failed, after saying so.
    bool writeStop();
    // F1: start, switch (stop then start) or restart, by the employee's status.
    void startRequest();
    // Stops every working employee.
    void stopAll();

private:
    TDm1 &m_dm;
    Clock m_clock;
    RegistrationUi m_ui;
};

} // namespace tavisko
