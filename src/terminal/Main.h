#pragma once

#include <QMainWindow>

namespace tavisko {

class TDm1;

// The terminal's main screen and the program's main window. Borrows the data module,
// which outlives it.
class TFrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFrmMain(TDm1 &dm, QWidget *parent = nullptr);

private:
    TDm1 &m_dm;
};

} // namespace tavisko
