#pragma once

#include <functional>

class QWidget;

namespace tavisko {

// Runs one user action and shows any database failure it does not handle itself in
// the application's general error box, so that no exception crosses Qt's event loop
// and the program goes on. Returns false when the action failed.
bool guarded(QWidget *parent, const std::function<void()> &action);

} // namespace tavisko
