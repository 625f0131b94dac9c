#pragma once

#include <QApplication>

namespace tavisko {

// The database-wait pointer for as long as it lives, also when the work it covers
// throws. The one way this program shows long database work.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

} // namespace tavisko
