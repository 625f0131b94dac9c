// Starts or stops the test run's private database server: the set-up and clean-up
// of the CTest fixture that every database test requires.
#include "data/PrivateServer.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>

#include <cstdio>

using namespace tavisko;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 || (args.at(1) != u"start" && args.at(1) != u"stop")) {
        std::fprintf(stderr, "usage: tavisko_testserver start|stop FOLDER\n");
        return 2;
    }
    PrivateServer server = testServer(args.at(2));
    try {
        if (args.at(1) == u"stop") {
            server.stop();
            return 0;
        }
        server.start();
        // Databases left by an earlier run that was cut short.
        Database db(server.connection());
        db.open();
        const SqlResult old = db.exec(QStringLiteral("SELECT SCHEMA_NAME FROM information_schema.SCHEMATA WHERE SCHEMA_NAME LIKE 't\\_%'"));
        for (const QVariantList &row : old.rows)
            db.exec(QStringLiteral("DROP DATABASE `%1`").arg(row.first().toString()));
        std::printf("test server ready at %s\n", qPrintable(server.socketPath()));
        return 0;
    } catch (const DbError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
}
