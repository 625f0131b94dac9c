#include "data/DemoData.h"
#include "data/Dm.h"
#include "data/InstallSettings.h"
#include "data/PrivateServer.h"
#include "data/Schema.h"
#include "db/DbError.h"
#include "terminal/Main.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>

#include <cstdio>
#include <memory>

using namespace tavisko;

namespace {
const QString localDatabase = QStringLiteral("tavisko");

QString localServerFolder(const QProcessEnvironment &env)
{
    QString dataHome = env.value(QStringLiteral("XDG_DATA_HOME"));
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return dataHome + QStringLiteral("/tavisko");
}

// The connection the installation asks for, or the local database, started and
// filled with demo data on first use.
ConnectionSettings connectionSettings(const QCommandLineParser &options)
{
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    InstallSettings settings;
    for (const QString &file : InstallSettings::configFiles(env))
        settings.readFile(file);
    settings.readEnvironment(env);
    for (const auto &[option, key] : {std::pair{"host", "host"}, {"port", "port"}, {"socket", "socket"},
                                      {"database", "name"}, {"user", "user"}}) {
        if (options.isSet(QString::fromLatin1(option)))
            settings.set(QString::fromLatin1(key), options.value(QString::fromLatin1(option)));
    }
    if (options.isSet(QStringLiteral("password-file")) && !settings.readPasswordFile(options.value(QStringLiteral("password-file"))))
        throw DbError(QStringLiteral("Cannot read the password file %1.").arg(options.value(QStringLiteral("password-file"))));
    if (settings.isSet())
        return settings.settings();

    PrivateServer server(localServerFolder(env));
    server.start();
    Database serverConnection(server.connection());
    serverConnection.open();
    prepareLocalDatabase(serverConnection, localDatabase, QDateTime::currentDateTime());
    return server.connection(localDatabase);
}

// --init-db, --help and --version need no display: they must work on a server over ssh.
bool needsWindows(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--init-db" || arg == "--help" || arg == "-h" || arg == "--help-all" || arg == "--version" || arg == "-v")
            return false;
    }
    return true;
}
}

int main(int argc, char *argv[])
{
    const bool windows = needsWindows(argc, argv);
    const std::unique_ptr<QCoreApplication> app = windows ? std::make_unique<QApplication>(argc, argv)
                                                          : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavisko"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Tavisko: time registration for the workshop floor."));
    options.addHelpOption();
    options.addVersionOption();
    options.addOptions({
        {QStringLiteral("init-db"), QStringLiteral("Create the tables in the configured database where they are absent, then end.")},
        {QStringLiteral("host"), QStringLiteral("Database server host."), QStringLiteral("host")},
        {QStringLiteral("port"), QStringLiteral("Database server port (3306)."), QStringLiteral("port")},
        {QStringLiteral("socket"), QStringLiteral("Database server unix socket."), QStringLiteral("path")},
        {QStringLiteral("database"), QStringLiteral("Database name."), QStringLiteral("name")},
        {QStringLiteral("user"), QStringLiteral("Database user."), QStringLiteral("user")},
        {QStringLiteral("password-file"), QStringLiteral("File whose first line is the database password."), QStringLiteral("file")},
    });
    options.process(*app);

    ConnectionSettings settings;
    try {
        settings = connectionSettings(options);
        if (options.isSet(QStringLiteral("init-db"))) {
            Database db(settings);
            db.open();
            applySchema(db);
            std::printf("The tables of Tavisko are in place in database %s.\n", qPrintable(settings.database));
            return 0;
        }
    } catch (const DbError &error) {
        if (!windows) {
            std::fprintf(stderr, "%s\n", qPrintable(error.message()));
            return 1;
        }
        QMessageBox::critical(nullptr, QStringLiteral("Tavisko"), error.message());
        return 1;
    }

    std::unique_ptr<TDm1> dm;
    try {
        dm = std::make_unique<TDm1>(settings);
    } catch (const DbError &error) {
        QMessageBox::critical(nullptr, QStringLiteral("Tavisko"), error.message());
        return 1;
    }
    TFrmMain main(*dm);
    main.show();
    main.activateWindow();
    return app->exec();
}
