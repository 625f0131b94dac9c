#include "terminal/Guard.h"

#include "db/DbError.h"

#include <QApplication>
#include <QMessageBox>

namespace tavisko {

bool guarded(QWidget *parent, const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const DbError &error) {
        QMessageBox::critical(parent, QApplication::applicationDisplayName(), error.message());
    } catch (const std::exception &error) {
        QMessageBox::critical(parent, QApplication::applicationDisplayName(), QString::fromLocal8Bit(error.what()));
    }
    return false;
}

} // namespace tavisko
