#pragma once

#include "db/ConnectionSettings.h"

#include <QString>
#include <QStringList>

namespace tavisko {

// A MariaDB server of our own in one folder, reachable only through a unix socket in
// that folder (no TCP port). Serves as the program's local default database and as
// the test suite's private server. The server runs detached: it outlives the
// program that started it and is reused by the next one.
class PrivateServer {
public:
    explicit PrivateServer(QString folder, QStringList extraOptions = {});

    QString folder() const { return m_folder; }
    QString socketPath() const;

    // Initialises the folder when it is new and starts the server when none answers
    // on its socket; returns once it accepts connections. Throws DbError with the
    // server's own log lines when it does not come up.
    void start();
    bool isAnswering() const;
    // Orderly shutdown, waiting until the server has gone.
    void stop();
    // Ends the server at once, as a crash or a pulled plug would.
    void kill();

    // Connection settings as the user running this program (the server's socket
    // authentication), for the given database.
    ConnectionSettings connection(const QString &database = QString()) const;

private:
    qint64 pid() const;
    QString logTail() const;

    QString m_folder;
    QStringList m_extraOptions;
};

} // namespace tavisko
