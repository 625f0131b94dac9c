#pragma once

#include <QString>

namespace tavisko {

// Where and as whom to connect. A non-empty socket is used instead of host and port.
struct ConnectionSettings {
    QString host = QStringLiteral("localhost");
    int port = 3306;
    QString socket;
    QString database;
    QString user;
    QString password;
};

} // namespace tavisko
