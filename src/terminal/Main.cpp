#include "terminal/Main.h"

#include "data/Dm.h"

#include <QGuiApplication>
#include <QScreen>

namespace tavisko {

TFrmMain::TFrmMain(TDm1 &dm, QWidget *parent)
    : QMainWindow(parent), m_dm(dm)
{
    setWindowTitle(QStringLiteral("Tavisko "));
    resize(964, 695);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace tavisko
