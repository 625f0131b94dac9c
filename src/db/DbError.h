#pragma once

#include <QString>

#include <stdexcept>

namespace tavisko {

// A failed database operation: the server's (or the driver's) message, and the
// server's error number where there is one (0 otherwise).
class DbError : public std::runtime_error {
public:
    DbError(const QString &message, int code = 0)
        : std::runtime_error(message.toStdString()), m_message(message), m_code(code) {}

    QString message() const { return m_message; }
    int code() const { return m_code; }

    // Client errors that mean the connection is gone (server gone away, lost during query).
    bool isConnectionLost() const { return m_code == 2006 || m_code == 2013; }
    bool isDeadlock() const { return m_code == 1213; }

private:
    QString m_message;
    int m_code;
};

} // namespace tavisko
