// The foundation's speed goals, measured on a private MariaDB server that this
// program starts in a folder of its own, seeds, and stops again at the end:
//   1. start-up of the data module (a fresh bench_startup process per run),
//   2. one stop through the registration core against the bare two statements,
//   3. the one-second employee reload and the bytes it moves,
//   4. the nearest-key article search of one keystroke.
// Each size to compare lives in a database of its own on the one server, and the
// runs alternate between them, so that whatever else the machine does in the
// meantime weighs on both sides of a ratio alike.
// Progress goes to stderr, the result tables (Markdown) to stdout.
//
// usage: bench_foundation [--folder DIR] [--runs N] [--startup-runs N] [--keep]
//   --folder        the server's folder (default: benchserver beside this program);
//                   whatever is in it is removed first
//   --runs          repetitions of each in-process measurement (default 200)
//   --startup-runs  start-up processes per database (default 15)
//   --keep          leave the server running and its folder in place
#include "BenchSupport.h"

#include "data/Dm.h"
#include "data/PrivateServer.h"
#include "data/Schema.h"
#include "db/DbError.h"
#include "terminal/Registration.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>

#include <cstdio>
#include <memory>
#include <stdexcept>

using namespace tavisko;
using namespace tavisko::bench;

namespace {

constexpr int employees = 200;
constexpr int photoBytes = 100 * 1024;
constexpr int projects = 5000;
constexpr int articles = 100000;
constexpr int articlesLarge = 1000000;
constexpr int timeLinesLarge = 2000000;
constexpr int warmUp = 10;
constexpr int startupWarmUp = 2;
constexpr double startupGoalMs = 300;
constexpr double flatFactor = 1.2;
constexpr double stopFactor = 2.0;
constexpr double reloadGoalMs = 5;
constexpr double keystrokeGoalMs = 5;

void progress(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
    std::fflush(stderr);
}

QString number(qint64 n)
{
    QString digits = QString::number(n);
    for (int i = int(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(i, u',');
    return digits;
}

QString fixed(double value)
{
    return QString::number(value, 'f', value < 10 ? 2 : 1);
}

// "median (min–max)"
QString figure(const Summary &s)
{
    return QStringLiteral("%1 (%2–%3)").arg(fixed(s.median), fixed(s.min), fixed(s.max));
}

QString met(bool ok)
{
    return ok ? QStringLiteral("met") : QStringLiteral("**not met**");
}

QString ratio(double value)
{
    return QString::number(value, 'f', 2) + u'x';
}

void timed(const QString &what, const std::function<void()> &work)
{
    progress(what + QStringLiteral(" ..."));
    const auto start = Stopwatch::now();
    work();
    progress(QStringLiteral("  %1 s").arg(msSince(start) / 1000, 0, 'f', 1));
}

// Runs every step once per round, warm-up rounds first (not recorded), so that the
// steps' samples are taken side by side.
void alternate(int runs, int warmUpRuns, const QList<std::function<void(bool record)>> &steps)
{
    for (int run = -warmUpRuns; run < runs; ++run) {
        for (const auto &step : steps)
            step(run >= 0);
    }
}

// One database of the benchmark.
struct Workshop {
    QString label;
    int timeLines;
    int articles;
    ConnectionSettings settings;
};

// 1. Start-up ------------------------------------------------------------------

struct StartupSamples {
    QList<double> ms, peakMiB, growthMiB;
};

void startOnce(const ConnectionSettings &settings, StartupSamples &samples, bool record)
{
    static const QRegularExpression line(QStringLiteral("startup_ms=([0-9.]+) peak_rss_kb=(\\d+) baseline_rss_kb=(\\d+)"));
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/bench_startup"),
                  {settings.socket, settings.user, settings.database});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error("bench_startup failed: " + process.readAllStandardError().toStdString());
    const QRegularExpressionMatch m = line.match(QString::fromLocal8Bit(process.readAllStandardOutput()));
    if (!m.hasMatch())
        throw std::runtime_error("bench_startup printed no figures");
    if (!record)
        return;
    samples.ms << m.captured(1).toDouble();
    samples.peakMiB << m.captured(2).toDouble() / 1024;
    samples.growthMiB << (m.captured(2).toDouble() - m.captured(3).toDouble()) / 1024;
}

// 2. One stop ------------------------------------------------------------------

struct StopFigures {
    Summary stop, bare, usersRefresh, linesRefresh;
    // The stop's transaction alone (Registration::writeStop), without the reloads.
    Summary write;
};

// A terminal (data module and registration core) and, beside it, the same two
// statements a stop writes, sent through the same layer and driver on a connection
// of their own. Each run starts one employee and times his stop, then makes another
// employee work and times the bare statements that stop him.
class StopRig {
public:
    explicit StopRig(const ConnectionSettings &settings)
        : m_dm(settings), m_bare(settings),
          m_core(m_dm, [this] { return m_now; }, ui())
    {
        if (!m_dm.TTijdreg.locate(QStringLiteral("Nummer"), QStringLiteral("P00042")))
            throw std::runtime_error("project P00042 is missing");
        m_projectName = m_dm.TTijdreg.asString(QStringLiteral("Naampure"));
        m_chassis = m_dm.TTijdreg.asString(QStringLiteral("Chassisnummer"));
        m_bare.open();
        m_lastLine = m_dm.mySQLDatabase1.exec(QStringLiteral("SELECT COALESCE(MAX(id), 0) FROM Tijdreglijn")).rows.first().first();
    }

    void once(bool record)
    {
        const int row = m_runs++ * 2 % employees;
        m_dm.TUsers.setCurrentRow(row);
        m_now = m_now.addSecs(60);
        m_core.starten();
        m_now = m_now.addSecs(1800);
        auto start = Stopwatch::now();
        const bool stopped = m_core.stoppen();
        const double stopMs = msSince(start);
        if (!stopped || !m_messages.isEmpty())
            throw std::runtime_error("a stop failed: " + m_messages.join(u' ').toStdString());

        // The write alone, on the next employee, timed without its reloads.
        m_dm.TUsers.setCurrentRow(row + 1);
        m_now = m_now.addSecs(60);
        m_core.starten();
        m_now = m_now.addSecs(1800);
        start = Stopwatch::now();
        const bool written = m_core.writeStop();
        const double writeMs = msSince(start);
        if (!written || !m_messages.isEmpty())
            throw std::runtime_error("a stop's write failed: " + m_messages.join(u' ').toStdString());
        m_dm.TUsers.refresh();

        const int id = (row + 2) % employees + 1; // another employee than the ones just stopped
        m_now = m_now.addSecs(60);
        const QDateTime stintStart = m_now;
        m_bare.exec(QStringLiteral("UPDATE `Users` SET `Status` = 'True', `Start` = ?, `Projectnummer` = 'P00042', "
                                   "`Projectnaam` = ?, `Omschrijving` = ?, `CatId` = 1 WHERE `Id` = ?"),
                    {stintStart, m_projectName, m_chassis, id});
        m_now = m_now.addSecs(1800);
        start = Stopwatch::now();
        m_bare.transaction([&](int) {
            const SqlResult r = m_bare.exec(
                QStringLiteral("UPDATE `Users` SET `Status` = ?, `Start` = ?, `Projectnummer` = ?, `Artikelnummer` = ?, "
                               "`Projectnaam` = ?, `Omschrijving` = ? WHERE `Id` = ? AND `Status` <=> ? AND `Start` <=> ?"),
                {QStringLiteral("False"), QVariant(QMetaType::fromType<QDateTime>()), QString(), QString(), QString(),
                 QString(), id, QStringLiteral("True"), stintStart});
            if (r.rowsAffected != 1)
                throw std::runtime_error("the bare reset changed no row");
            m_bare.exec(QStringLiteral("INSERT INTO `Tijdreglijn` (`Ordernummer`, `CatID`, `UserID`, `Usernaam`, `Klantnaam`, "
                                       "`Chassisnummer`, `Start`, `Stop`, `Artikelnummer`, `Tijd`, `Tijd2`) "
                                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                        {QStringLiteral("P00042"), 1, id, QStringLiteral("Werknemer %1").arg(id), m_projectName, m_chassis,
                         stintStart, m_now, QString(), 1800.0, 0.5});
        });
        const double bareMs = msSince(start);

        // The reloads a stop ends with, again, in the state it left them.
        start = Stopwatch::now();
        m_dm.TUsers.refresh();
        const double usersMs = msSince(start);
        start = Stopwatch::now();
        m_dm.TTijdreglijn.refresh();
        const double linesMs = msSince(start);

        if (record) {
            m_stop << stopMs;
            m_plain << bareMs;
            m_usersRefresh << usersMs;
            m_linesRefresh << linesMs;
            m_write << writeMs;
        }
    }

    StopFigures figures()
    {
        const SqlResult written = m_dm.mySQLDatabase1.exec(QStringLiteral("SELECT COUNT(*) FROM Tijdreglijn WHERE id > ?"), {m_lastLine});
        if (written.rows.first().first().toInt() != 3 * m_runs)
            throw std::runtime_error("not every stop wrote its time line");
        return {summarise(m_stop), summarise(m_plain), summarise(m_usersRefresh), summarise(m_linesRefresh), summarise(m_write)};
    }

private:
    RegistrationUi ui()
    {
        RegistrationUi ui;
        ui.showMessage = [this](const QString &text) { m_messages << text; };
        ui.visible = [] {};
        ui.busy = [](bool) {};
        return ui;
    }

    TDm1 m_dm;
    Database m_bare;
    QDateTime m_now{QDate(2026, 3, 2), QTime(6, 0)};
    QStringList m_messages;
    Registration m_core;
    QString m_projectName;
    QString m_chassis;
    QVariant m_lastLine;
    int m_runs = 0;
    QList<double> m_stop, m_plain, m_usersRefresh, m_linesRefresh, m_write;
};

// 3. The employee reload ------------------------------------------------------

struct ReloadFigures {
    Summary ms;
    qint64 sentPerReload = 0;
    qint64 receivedPerReload = 0;
    qint64 sentPerPhoto = 0;
    qint64 photoBytesStored = 0;
};

// The counters are read on the dataset's own connection. A reading is taken before
// the statement that reads it answers, so each reading's own answer lands in the
// next difference: one bare reading's share is subtracted.
qint64 bytesDuring(Database &connection, const char *counter, const std::function<void()> &work)
{
    const auto read = [&] {
        return connection.exec(QStringLiteral("SHOW SESSION STATUS LIKE '%1'").arg(QLatin1String(counter))).rows.first().at(1).toLongLong();
    };
    const qint64 a = read();
    const qint64 b = read();
    work();
    const qint64 c = read();
    return (c - b) - (b - a);
}

ReloadFigures reloadBytes(TDm1 &dm, const Summary &ms)
{
    ReloadFigures f;
    f.ms = ms;
    f.sentPerReload = bytesDuring(dm.mySQLDatabase1, "Bytes_sent", [&] { dm.TUsers.refresh(); });
    f.receivedPerReload = bytesDuring(dm.mySQLDatabase1, "Bytes_received", [&] { dm.TUsers.refresh(); });
    // The counter does see photo bytes: showing one photo moves one photo.
    QByteArray photo;
    f.sentPerPhoto = bytesDuring(dm.mySQLDatabase1, "Bytes_sent", [&] { photo = dm.TUsers.blob(QStringLiteral("Foto")); });
    if (photo.size() != photoBytes)
        throw std::runtime_error("the employee's photo did not come back whole");
    f.photoBytesStored = dm.mySQLDatabase1.exec(QStringLiteral("SELECT SUM(LENGTH(Foto)) FROM Users")).rows.first().first().toLongLong();
    return f;
}

// 4. Nearest-key article search -----------------------------------------------

// What a person has typed so far: the start of an existing number, in lower case;
// one text in twenty lies beyond the last article.
QStringList keystrokes(int count, int runs)
{
    QRandomGenerator random(20260302 + count);
    QStringList texts;
    for (int i = 0; i < runs; ++i) {
        const QString key = articleNumber(1 + random.bounded(count));
        texts << (i % 20 == 19 ? QStringLiteral("zz") : key.left(1 + random.bounded(int(key.size()))).toLower());
    }
    return texts;
}

void checkSearch(TDm1 &dm, int count)
{
    const QString known = articleNumber(count / 2);
    dm.TArtikelen.findNearest(known.toLower());
    if (dm.TArtikelen.asString(QStringLiteral("nummer")) != known)
        throw std::runtime_error("the nearest-key search missed an article it holds");
}

// ------------------------------------------------------------------------------

struct Options {
    QString folder;
    int runs = 200;
    int startupRuns = 15;
    bool keep = false;
};

Options parseOptions(const QStringList &args)
{
    Options o;
    o.folder = QCoreApplication::applicationDirPath() + QStringLiteral("/benchserver");
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == u"--folder" && hasValue)
            o.folder = args.at(++i);
        else if (a == u"--runs" && hasValue)
            o.runs = args.at(++i).toInt();
        else if (a == u"--startup-runs" && hasValue)
            o.startupRuns = args.at(++i).toInt();
        else if (a == u"--keep")
            o.keep = true;
        else
            throw std::invalid_argument("usage: bench_foundation [--folder DIR] [--runs N] [--startup-runs N] [--keep]");
    }
    if (o.runs < 1 || o.startupRuns < 1)
        throw std::invalid_argument("--runs and --startup-runs need a positive number");
    return o;
}

void run(const Options &options)
{
    const auto began = Stopwatch::now();
    // Commits wait for the disk, as in production; the bulk loads are single
    // statements and do not care.
    PrivateServer server(options.folder, {QStringLiteral("--innodb-buffer-pool-size=2G"),
                                          QStringLiteral("--innodb-log-file-size=1G"),
                                          QStringLiteral("--innodb-flush-log-at-trx-commit=1")});
    server.stop();
    QDir(options.folder).removeRecursively();
    timed(QStringLiteral("starting the server in %1").arg(options.folder), [&] { server.start(); });
    const auto done = qScopeGuard([&] {
        if (options.keep)
            return;
        server.stop();
        QDir(options.folder).removeRecursively();
    });

    Workshop none{QStringLiteral("bench_lines_0"), 0, articles, {}};
    Workshop many{QStringLiteral("bench_lines_2m"), timeLinesLarge, articles, {}};
    Workshop parts{QStringLiteral("bench_articles_1m"), 0, articlesLarge, {}};
    for (Workshop *w : {&none, &many, &parts}) {
        {
            Database root(server.connection());
            root.open();
            root.exec(QStringLiteral("CREATE DATABASE `%1` CHARACTER SET utf8mb4").arg(w->label));
        }
        w->settings = server.connection(w->label);
        {
            Database schema(w->settings);
            schema.open();
            applySchema(schema);
        }
        SeedConnection seed(w->settings);
        timed(QStringLiteral("%1: %2 employees with %3 KiB photos, %4 projects, %5 articles")
                  .arg(w->label).arg(employees).arg(photoBytes / 1024).arg(number(projects), number(w->articles)), [&] {
            seedWorkshop(seed, employees, photoBytes, projects);
            seedArticles(seed, 1, w->articles);
        });
        if (w->timeLines > 0)
            timed(QStringLiteral("%1: %2 time lines").arg(w->label, number(w->timeLines)),
                  [&] { replaceTimeLines(seed, w->timeLines, employees, projects); });
        seed.exec(QStringLiteral("ANALYZE TABLE Users, Tijdreg, Tijdreglijn, parts"));
    }
    SeedConnection admin(none.settings);
    timed(QStringLiteral("writing the loaded pages to disk"), [&] { settle(admin); });

    StartupSamples startup[2];
    timed(QStringLiteral("start-up"), [&] {
        alternate(options.startupRuns, startupWarmUp,
                  {[&](bool record) { startOnce(none.settings, startup[0], record); },
                   [&](bool record) { startOnce(many.settings, startup[1], record); }});
    });

    // [time lines][commit waits for the disk, does not wait]
    StopFigures stops[2][2];
    for (const int durable : {1, 0}) {
        admin.exec(QStringLiteral("SET GLOBAL innodb_flush_log_at_trx_commit = %1").arg(durable ? 1 : 2));
        timed(durable ? QStringLiteral("stop, commit waits for the disk") : QStringLiteral("stop, commit does not wait"), [&] {
            StopRig rigNone(none.settings);
            StopRig rigMany(many.settings);
            alternate(options.runs, warmUp, {[&](bool record) { rigNone.once(record); },
                                             [&](bool record) { rigMany.once(record); }});
            stops[0][durable ? 0 : 1] = rigNone.figures();
            stops[1][durable ? 0 : 1] = rigMany.figures();
        });
    }
    admin.exec(QStringLiteral("SET GLOBAL innodb_flush_log_at_trx_commit = 1"));

    ReloadFigures reload[2];
    timed(QStringLiteral("employee reload"), [&] {
        TDm1 dmNone(none.settings);
        TDm1 dmMany(many.settings);
        QList<double> samples[2];
        alternate(options.runs, warmUp, {[&](bool record) {
                                             const auto start = Stopwatch::now();
                                             dmNone.TUsers.refresh();
                                             if (record)
                                                 samples[0] << msSince(start);
                                         },
                                         [&](bool record) {
                                             const auto start = Stopwatch::now();
                                             dmMany.TUsers.refresh();
                                             if (record)
                                                 samples[1] << msSince(start);
                                         }});
        reload[0] = reloadBytes(dmNone, summarise(samples[0]));
        reload[1] = reloadBytes(dmMany, summarise(samples[1]));
    });

    Summary search[2];
    timed(QStringLiteral("article search"), [&] {
        TDm1 dmSmall(none.settings);
        TDm1 dmLarge(parts.settings);
        checkSearch(dmSmall, articles);
        checkSearch(dmLarge, articlesLarge);
        const QStringList texts[2] = {keystrokes(articles, options.runs + warmUp), keystrokes(articlesLarge, options.runs + warmUp)};
        QList<double> samples[2];
        int next[2] = {0, 0};
        const auto step = [&](int which, TDm1 &dm, bool record) {
            const QString &text = texts[which].at(next[which]++);
            const auto start = Stopwatch::now();
            dm.TArtikelen.findNearest(text);
            if (record)
                samples[which] << msSince(start);
        };
        alternate(options.runs, warmUp, {[&](bool record) { step(0, dmSmall, record); },
                                         [&](bool record) { step(1, dmLarge, record); }});
        search[0] = summarise(samples[0]);
        search[1] = summarise(samples[1]);
    });
    progress(QStringLiteral("whole run: %1 s").arg(msSince(began) / 1000, 0, 'f', 0));

    const QString lineCounts[2] = {QStringLiteral("0"), number(timeLinesLarge)};
    QStringList out;
    out << QStringLiteral("### 1. Start-up: connect and construct TDm1 (fresh process per run, %1 runs each, alternating)")
               .arg(options.startupRuns)
        << QString()
        << QStringLiteral("| Time lines | Start-up ms | Peak RSS MiB | RSS growth over process baseline MiB |")
        << QStringLiteral("|---|---|---|---|");
    Summary startupMs[2], peak[2], growth[2];
    for (int i = 0; i < 2; ++i) {
        startupMs[i] = summarise(startup[i].ms);
        peak[i] = summarise(startup[i].peakMiB);
        growth[i] = summarise(startup[i].growthMiB);
        out << QStringLiteral("| %1 | %2 | %3 | %4 |").arg(lineCounts[i], figure(startupMs[i]), figure(peak[i]), figure(growth[i]));
    }
    const double timeRatio = startupMs[1].median / startupMs[0].median;
    const double peakRatio = peak[1].median / peak[0].median;
    const double growthRatio = growth[1].median / growth[0].median;
    out << QString()
        << QStringLiteral("| Goal | Figure (medians) | |") << QStringLiteral("|---|---|---|")
        << QStringLiteral("| under %1 ms | %2 ms / %3 ms | %4 |").arg(startupGoalMs)
               .arg(fixed(startupMs[0].median), fixed(startupMs[1].median),
                    met(startupMs[0].median < startupGoalMs && startupMs[1].median < startupGoalMs))
        << QStringLiteral("| time 2M / 0 within %1x | %2 | %3 |").arg(flatFactor).arg(ratio(timeRatio), met(timeRatio <= flatFactor))
        << QStringLiteral("| peak RSS 2M / 0 within %1x | %2 (growth: %3) | %4 |").arg(flatFactor)
               .arg(ratio(peakRatio), ratio(growthRatio), met(peakRatio <= flatFactor && growthRatio <= flatFactor))
        << QString();

    out << QStringLiteral("### 2. One stop, committed (%1 runs each, alternating between the two databases)").arg(options.runs)
        << QString()
        << QStringLiteral("| Time lines | Commit | stoppen ms | bare two statements ms | stoppen / bare | TUsers.refresh ms | "
                          "TTijdreglijn.refresh ms | writeStop (the transaction alone) ms | writeStop / bare |")
        << QStringLiteral("|---|---|---|---|---|---|---|---|---|");
    bool stopMet = true;
    bool writeMet = true;
    const QString commits[2] = {QStringLiteral("waits for disk"), QStringLiteral("does not wait")};
    for (int c = 0; c < 2; ++c) {
        for (int i = 0; i < 2; ++i) {
            const StopFigures &f = stops[i][c];
            const double r = f.stop.median / f.bare.median;
            stopMet = stopMet && r <= stopFactor;
            writeMet = writeMet && f.write.median / f.bare.median <= stopFactor;
            out << QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 | %8 | %9 |")
                       .arg(lineCounts[i], commits[c], figure(f.stop), figure(f.bare), ratio(r), figure(f.usersRefresh),
                            figure(f.linesRefresh), figure(f.write), ratio(f.write.median / f.bare.median));
        }
    }
    out << QString() << QStringLiteral("| Goal | Figure (medians) | |") << QStringLiteral("|---|---|---|")
        << QStringLiteral("| the stop's write (reset + time line, committed) within %1x of bare | see table | %2 |").arg(stopFactor).arg(met(writeMet))
        << QStringLiteral("| stoppen with its two reloads within %1x of bare | see table | %2 |").arg(stopFactor).arg(met(stopMet));
    for (int c = 0; c < 2; ++c) {
        const double flat = stops[1][c].stop.median / stops[0][c].stop.median;
        const double bareFlat = stops[1][c].bare.median / stops[0][c].bare.median;
        out << QStringLiteral("| flat, stoppen 2M / 0 within %1x, commit %2 | %3 (bare: %4) | %5 |").arg(flatFactor)
                   .arg(commits[c], ratio(flat), ratio(bareFlat), met(flat <= flatFactor));
    }
    out << QString();

    out << QStringLiteral("### 3. One-second employee reload, TUsers.refresh() at %1 employees (%2 runs each, alternating)")
               .arg(employees).arg(options.runs)
        << QString()
        << QStringLiteral("| Time lines | ms | bytes sent by the server per reload | bytes received per reload | "
                          "bytes sent for one photo | photo bytes stored |")
        << QStringLiteral("|---|---|---|---|---|---|");
    bool reloadMet = true;
    for (int i = 0; i < 2; ++i) {
        const ReloadFigures &f = reload[i];
        reloadMet = reloadMet && f.ms.median < reloadGoalMs && f.sentPerReload < photoBytes;
        out << QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 |").arg(lineCounts[i], figure(f.ms), number(f.sentPerReload),
                                                                 number(f.receivedPerReload), number(f.sentPerPhoto),
                                                                 number(f.photoBytesStored));
    }
    out << QString() << QStringLiteral("Goal: under %1 ms with no photo bytes moved: %2").arg(reloadGoalMs).arg(met(reloadMet))
        << QString();

    out << QStringLiteral("### 4. Nearest-key article search, TArtikelen.findNearest, one keystroke (%1 runs each, alternating)")
               .arg(options.runs)
        << QString() << QStringLiteral("| Articles | ms | Goal | |") << QStringLiteral("|---|---|---|---|");
    const int counts[2] = {articles, articlesLarge};
    for (int i = 0; i < 2; ++i)
        out << QStringLiteral("| %1 | %2 | under %3 ms | %4 |").arg(number(counts[i]), figure(search[i])).arg(keystrokeGoalMs)
                   .arg(met(search[i].median < keystrokeGoalMs));
    std::printf("%s\n", qPrintable(out.join(u'\n')));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    try {
        run(parseOptions(app.arguments()));
    } catch (const DbError &error) {
        std::fprintf(stderr, "database error: %s\n", qPrintable(error.message()));
        return 1;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
