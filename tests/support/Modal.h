#pragma once

#include <QApplication>
#include <QPointer>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace tavisko {

// Answers the next modal window of the given kind as a person would: as soon as it
// is open, `answer` gets it (to type into it and click its buttons). Call before the
// action that opens the window. Deleting the returned watch stops waiting, for a
// window that may not come.
template <typename Window = QWidget>
QPointer<QTimer> whenModalOpens(std::type_identity_t<std::function<void(Window *)>> answer)
{
    auto *poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (auto *modal = qobject_cast<Window *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(modal);
        }
    });
    poll->start();
    return poll;
}

// Shows `dialog` modally, lets `person` use it, and returns how it closed. A dialog
// that the person left open is a test failure, and is closed.
inline int useModally(QDialog &dialog, const std::function<void(QWidget *)> &person)
{
    whenModalOpens([&](QWidget *window) {
        person(window);
        if (window->isVisible()) {
            ADD_FAILURE() << qPrintable(dialog.windowTitle()) << " is still open";
            dialog.done(-1);
        }
    });
    return dialog.exec();
}

// Processes events until `done` holds or the time is up; returns whether it held.
inline bool waitFor(const std::function<bool()> &done, int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
    return true;
}

} // namespace tavisko
