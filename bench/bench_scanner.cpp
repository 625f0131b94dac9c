// How fast the article search keeps up with a barcode scanner: a 13-character code
// typed into the search field followed by Enter, with 100,000 articles, timed from
// the first key to the window closing. Every key runs a nearest-key search and moves
// the grid. Runs on a private server of its own, like bench_foundation, and on the
// offscreen platform unless a display is given.
//
// usage: bench_scanner [--runs N] [--folder DIR]
#include "BenchSupport.h"

#include "data/Dm.h"
#include "data/PrivateServer.h"
#include "data/Schema.h"
#include "db/DbError.h"
#include "terminal/ZoekPartsUn.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTest>

#include <cstdio>

using namespace tavisko;
using namespace tavisko::bench;

namespace {
constexpr int articles = 100000;
constexpr int warmUp = 5;

struct Options {
    int runs = 50;
    QString folder;
};

Options parse(const QStringList &args)
{
    Options o;
    o.folder = QCoreApplication::applicationDirPath() + QStringLiteral("/scannerserver");
    for (int i = 1; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args.at(i) == u"--runs" && hasValue)
            o.runs = args.at(++i).toInt();
        else if (args.at(i) == u"--folder" && hasValue)
            o.folder = args.at(++i);
        else
            throw std::invalid_argument("usage: bench_scanner [--runs N] [--folder DIR]");
    }
    if (o.runs < 1)
        throw std::invalid_argument("--runs needs a positive number");
    return o;
}

// One scan into a fresh article search, as the main screen opens it for each booking.
double scanOnce(TDm1 &dm, const QString &code)
{
    TZkPartsForm search(dm);
    search.show();
    QApplication::processEvents();
    auto *field = search.findChild<QLineEdit *>(QStringLiteral("EditZoek"));
    const auto start = Stopwatch::now();
    QTest::keyClicks(field, code);
    QTest::keyClick(field, Qt::Key_Return);
    QApplication::processEvents();
    const double ms = msSince(start);
    if (search.isVisible() || search.result() != QDialog::Accepted)
        throw std::runtime_error("the scanner's Enter did not close the article search");
    return ms;
}

void run(const Options &options)
{
    PrivateServer server(options.folder, {QStringLiteral("--innodb-buffer-pool-size=512M")});
    server.stop();
    QDir(options.folder).removeRecursively();
    server.start();
    const auto done = qScopeGuard([&] {
        server.stop();
        QDir(options.folder).removeRecursively();
    });
    {
        Database root(server.connection());
        root.open();
        root.exec(QStringLiteral("CREATE DATABASE bench_scanner CHARACTER SET utf8mb4"));
    }
    const ConnectionSettings settings = server.connection(QStringLiteral("bench_scanner"));
    {
        Database schema(settings);
        schema.open();
        applySchema(schema);
    }
    {
        SeedConnection seed(settings);
        seedWorkshop(seed, 20, 1024, 50);
        seedArticles(seed, 1, articles);
        seed.exec(QStringLiteral("ANALYZE TABLE parts"));
        settle(seed);
    }

    TDm1 dm(settings);
    QList<double> samples;
    for (int i = 0; i < warmUp + options.runs; ++i) {
        // A 13-character code near a real article number, as a label scanner sends it.
        const QString code = (articleNumber(1 + (i * 7919) % articles) + QStringLiteral("1")).left(13);
        const double ms = scanOnce(dm, code);
        if (i >= warmUp)
            samples << ms;
    }
    const Summary s = summarise(samples);
    std::printf("scan of a 13-character code and Enter, %d articles: median %.1f ms (%.1f-%.1f), %d runs; goal < 100 ms: %s\n",
                articles, s.median, s.min, s.max, s.runs, s.median < 100 ? "met" : "NOT met");
}
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    try {
        run(parse(app.arguments()));
        return 0;
    } catch (const DbError &error) {
        std::fprintf(stderr, "database error: %s\n", qPrintable(error.message()));
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    return 1;
}
