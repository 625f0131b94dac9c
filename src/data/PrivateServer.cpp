#include "data/PrivateServer.h"

#include "db/Database.h"
#include "db/DbError.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <pwd.h>
#include <unistd.h>

namespace tavisko {

namespace {
QString findProgram(const QStringList &names)
{
    const QStringList extra = {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin"),
                               QStringLiteral("/usr/bin"), QStringLiteral("/usr/local/bin")};
    for (const QString &name : names) {
        QString path = QStandardPaths::findExecutable(name);
        if (path.isEmpty())
            path = QStandardPaths::findExecutable(name, extra);
        if (!path.isEmpty())
            return path;
    }
    throw DbError(QStringLiteral("%1 is not installed (scripts/setup installs it).").arg(names.first()));
}

QString osUser()
{
    const passwd *pw = getpwuid(geteuid());
    return pw ? QString::fromLocal8Bit(pw->pw_name) : QStringLiteral("root");
}

bool processAlive(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) == 0;
}
}

PrivateServer::PrivateServer(QString folder, QStringList extraOptions)
    : m_folder(QDir(folder).absolutePath()), m_extraOptions(std::move(extraOptions))
{
}

QString PrivateServer::socketPath() const
{
    return m_folder + QStringLiteral("/mysqld.sock");
}

ConnectionSettings PrivateServer::connection(const QString &database) const
{
    ConnectionSettings settings;
    settings.socket = socketPath();
    settings.user = osUser();
    settings.database = database;
    return settings;
}

qint64 PrivateServer::pid() const
{
    QFile file(m_folder + QStringLiteral("/mysqld.pid"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.readAll().trimmed().toLongLong();
}

QString PrivateServer::logTail() const
{
    QFile file(m_folder + QStringLiteral("/mysqld.err"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QStringList lines = QString::fromLocal8Bit(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    return lines.mid(qMax(0, int(lines.size()) - 5)).join(u'\n');
}

bool PrivateServer::isAnswering() const
{
    if (!QFile::exists(socketPath()))
        return false;
    try {
        Database db(connection());
        db.open();
        return true;
    } catch (const DbError &) {
        return false;
    }
}

void PrivateServer::start()
{
    if (isAnswering())
        return;
    QDir().mkpath(m_folder);
    const QString dataDir = m_folder + QStringLiteral("/data");
    const bool asRoot = geteuid() == 0;

    if (!QFile::exists(dataDir + QStringLiteral("/mysql"))) {
        QProcess init;
        QStringList args = {QStringLiteral("--no-defaults"), QStringLiteral("--datadir=") + dataDir,
                            QStringLiteral("--auth-root-authentication-method=socket"),
                            QStringLiteral("--skip-test-db"), QStringLiteral("--skip-name-resolve")};
        if (asRoot)
            args << QStringLiteral("--user=root");
        init.setProcessChannelMode(QProcess::MergedChannels);
        init.start(findProgram({QStringLiteral("mariadb-install-db"), QStringLiteral("mysql_install_db")}), args);
        if (!init.waitForFinished(120000) || init.exitCode() != 0) {
            QDir(dataDir).removeRecursively();
            throw DbError(QStringLiteral("Could not create the database folder %1:\n%2")
                              .arg(dataDir, QString::fromLocal8Bit(init.readAll().right(2000))));
        }
    }

    QFile::remove(socketPath());
    QStringList args = {QStringLiteral("--no-defaults"),
                        QStringLiteral("--datadir=") + dataDir,
                        QStringLiteral("--socket=") + socketPath(),
                        QStringLiteral("--pid-file=") + m_folder + QStringLiteral("/mysqld.pid"),
                        QStringLiteral("--log-error=") + m_folder + QStringLiteral("/mysqld.err"),
                        QStringLiteral("--skip-networking"),
                        QStringLiteral("--skip-name-resolve"),
                        QStringLiteral("--character-set-server=utf8mb4"),
                        QStringLiteral("--collation-server=utf8mb4_general_ci")};
    if (asRoot)
        args << QStringLiteral("--user=root");
    args << m_extraOptions;
    if (!QProcess::startDetached(findProgram({QStringLiteral("mariadbd"), QStringLiteral("mysqld")}), args, m_folder))
        throw DbError(QStringLiteral("Could not start the database server."));

    QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        if (isAnswering())
            return;
        QThread::msleep(50);
    }
    throw DbError(QStringLiteral("The database server in %1 did not start:\n%2").arg(m_folder, logTail()));
}

void PrivateServer::stop()
{
    const qint64 serverPid = pid();
    if (!processAlive(serverPid))
        return;
    ::kill(pid_t(serverPid), SIGTERM);
    QDeadlineTimer deadline(60000);
    while (processAlive(serverPid) && !deadline.hasExpired())
        QThread::msleep(50);
}

void PrivateServer::kill()
{
    const qint64 serverPid = pid();
    if (!processAlive(serverPid))
        return;
    ::kill(pid_t(serverPid), SIGKILL);
    QDeadlineTimer deadline(10000);
    while (processAlive(serverPid) && !deadline.hasExpired())
        QThread::msleep(20);
}

} // namespace tavisko
