#pragma once

#include "terminal/Registration.h"
#include "widgets/BusyPointer.h"

#include <QMainWindow>
#include <QTimer>

#include <optional>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QToolButton;

namespace tavisko {

class TDm1;
class TileGrid;

// The terminal's main screen and the program's main window: the employees as tiles,
// after a tap (and the password, when asked) the projects as tiles, with start (F1),
// stop (F4), article booking and back (Esc). A one-second tick runs the clock and
// reloads the employees so that other terminals' starts and stops show. Borrows the
// data module, which outlives it; the clock is injectable for tests.
class TFrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TFrmMain(TDm1 &dm, Clock clock = &QDateTime::currentDateTime, QWidget *parent = nullptr);

    // Rows of the project grid for a number of projects: room for all without scrolling.
    static int projectRows(int projectCount);
    // The date label's text for a date: the long date, first letter capital, at most
    // 31 characters.
    static QString dateLabel(const QDate &date);

    // Employee grid / project grid / focus to the scan field.
    void visible();
    void unvisible();
    void setfocus();

    // Handlers, by the control and event they serve.
    void FormActivate();
    // F1, F4 and Esc; true when the key was one of them.
    bool FormKeyDown(QKeyEvent *key);
    void Timer1Timer();
    void GridUsersClick();
    void GridOrdersClick();
    void BtnStartClick();
    void BtnStopClick();
    void BtnScannenClick();
    void SpeedButton1Click();
    void BtnEscapeClick();
    void BtnAfsluitenClick();
    void allestoppenClick();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void enterProjectGrid();
    bool passwordAccepted();

    TDm1 &m_dm;
    Clock m_clock;
    std::optional<BusyPointer> m_busy; // while the registration core says it is busy
    Registration m_registration;
    QTimer Timer1;
    bool m_reloadErrorOpen = false;

    QLabel *Label2;
    QLabel *lblKop;
    QLabel *Label3;
    QToolButton *BtnStart;
    QToolButton *BtnStop;
    QToolButton *BtnScannen;
    QToolButton *SpeedButton1;
    QToolButton *BtnEscape;
    QToolButton *BtnAfsluiten;
    QLineEdit *scanveld;
    TileGrid *GridUsers;
    TileGrid *GridOrders;
};

} // namespace tavisko
