#pragma once

#include "db/ConnectionSettings.h"

#include <QProcessEnvironment>
#include <QStringList>

namespace tavisko {

// The installation's connection settings, gathered in rising precedence from the
// system file, the user's file, TAVISKO_DB_* environment variables and command-line
// options; each later source overrides single values of the earlier ones. When no
// source sets anything, the program uses its local database instead.
class InstallSettings {
public:
    // /etc/tavisko/tavisko.conf, then $XDG_CONFIG_HOME (or ~/.config)/tavisko/tavisko.conf.
    static QStringList configFiles(const QProcessEnvironment &env);

    // Reads the [database] section of an INI file; a missing file is skipped.
    void readFile(const QString &path);
    void readEnvironment(const QProcessEnvironment &env);
    // Keys: host, port, socket, name, user, password.
    void set(const QString &key, const QString &value);
    // Reads the password from the first line of a file, so that it never stands on
    // a command line where every user of the machine can read it. Returns false
    // when the file cannot be read.
    bool readPasswordFile(const QString &path);

    bool isSet() const { return m_set; }
    ConnectionSettings settings() const { return m_settings; }

private:
    ConnectionSettings m_settings;
    bool m_set = false;
};

} // namespace tavisko
