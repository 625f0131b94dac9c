#pragma once

#include "db/ConnectionSettings.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <chrono>

namespace tavisko::bench {

// Repeated timings of one operation in milliseconds, summarised as the median and
// the range; the median is the figure held against a goal, since a single slow run
// on a shared machine says more about the machine than about our code.
struct Summary {
    int runs = 0;
    double median = 0;
    double min = 0;
    double max = 0;
};
Summary summarise(QList<double> samples);

using Stopwatch = std::chrono::steady_clock;
double msSince(Stopwatch::time_point start);

// The largest resident set of this process so far, in KiB.
long peakRssKb();

// A connection for the bulk loads only. The program's own connections give up on a
// statement after 30 s, and one INSERT ... SELECT of two million time lines may
// take longer than that. Throws std::runtime_error with the server's message.
class SeedConnection {
public:
    explicit SeedConnection(const ConnectionSettings &settings);
    ~SeedConnection();
    SeedConnection(const SeedConnection &) = delete;
    SeedConnection &operator=(const SeedConnection &) = delete;

    void exec(const QString &sql, const QVariantList &params = {});
    // The first column of the first row.
    QVariant value(const QString &sql);

private:
    QString m_name;
};

// The benchmark workshop, written straight into the tables by INSERT ... SELECT over
// the server's sequence tables (seq_1_to_N), which fills millions of rows in
// seconds. Numbers of things, sizes in bytes.
void seedWorkshop(SeedConnection &db, int employees, int photoBytes, int projects);
// Articles first..last (inclusive) of an unending numbering: keys are unique for
// numbers up to 1,000,000 and do not arrive in key order, as real article lists do.
void seedArticles(SeedConnection &db, int first, int last);
QString articleNumber(qint64 seq);
// Replaces every time line with `count` lines spread over the employees, projects
// and categories of seedWorkshop, four stints a day per employee, in time order.
void replaceTimeLines(SeedConnection &db, int count, int employees, int projects);
// Waits until the server has written its dirty pages after a bulk load, so that the
// load's background writes do not land in the next measurement.
void settle(SeedConnection &db);

} // namespace tavisko::bench
