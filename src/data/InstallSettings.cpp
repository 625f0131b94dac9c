#include "data/InstallSettings.h"

#include <QDir>
#include <QFile>
#include <QSettings>

namespace tavisko {

namespace {
const char *const keys[] = {"host", "port", "socket", "name", "user", "password"};
}

QStringList InstallSettings::configFiles(const QProcessEnvironment &env)
{
    QString configHome = env.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (configHome.isEmpty())
        configHome = env.value(QStringLiteral("HOME"), QDir::homePath()) + QStringLiteral("/.config");
    return {QStringLiteral("/etc/tavisko/tavisko.conf"), configHome + QStringLiteral("/tavisko/tavisko.conf")};
}

void InstallSettings::readFile(const QString &path)
{
    if (!QFile::exists(path))
        return;
    QSettings ini(path, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("database"));
    for (const char *key : keys) {
        const QString name = QString::fromLatin1(key);
        if (ini.contains(name))
            set(name, ini.value(name).toString());
    }
}

void InstallSettings::readEnvironment(const QProcessEnvironment &env)
{
    for (const char *key : keys) {
        const QString variable = QStringLiteral("TAVISKO_DB_") + QString::fromLatin1(key).toUpper();
        if (env.contains(variable))
            set(QString::fromLatin1(key), env.value(variable));
    }
}

void InstallSettings::set(const QString &key, const QString &value)
{
    if (key == u"host")
        m_settings.host = value;
    else if (key == u"port")
        m_settings.port = value.toInt();
    else if (key == u"socket")
        m_settings.socket = value;
    else if (key == u"name")
        m_settings.database = value;
    else if (key == u"user")
        m_settings.user = value;
    else if (key == u"password")
        m_settings.password = value;
    else
        return;
    m_set = true;
}

bool InstallSettings::readPasswordFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    set(QStringLiteral("password"), QString::fromUtf8(file.readLine()).remove(u'\n').remove(u'\r'));
    return true;
}

} // namespace tavisko
