// One start-up of the data module in a process of its own, so that its peak memory
// is the start-up's and nothing else's: connects, constructs TDm1, prints one line
//   startup_ms=<ms> peak_rss_kb=<KiB> baseline_rss_kb=<KiB>
// where the baseline is the process's peak before the data module existed.
// Run by bench_foundation; usage: bench_startup SOCKET USER DATABASE
#include "BenchSupport.h"

#include "data/Dm.h"
#include "db/DbError.h"

#include <QCoreApplication>

#include <cstdio>

using namespace tavisko;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: bench_startup SOCKET USER DATABASE\n");
        return 2;
    }
    ConnectionSettings settings;
    settings.socket = args.at(1);
    settings.user = args.at(2);
    settings.database = args.at(3);

    const long baseline = bench::peakRssKb();
    try {
        const auto start = bench::Stopwatch::now();
        TDm1 dm(settings);
        const double ms = bench::msSince(start);
        std::printf("startup_ms=%.3f peak_rss_kb=%ld baseline_rss_kb=%ld\n", ms, bench::peakRssKb(), baseline);
    } catch (const DbError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
