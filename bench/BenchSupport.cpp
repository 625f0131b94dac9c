#include "BenchSupport.h"

#include <QAtomicInteger>
#include <QDeadlineTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <algorithm>
#include <stdexcept>

namespace tavisko::bench {

namespace {
// The same eight prefixes in SQL (ELT is 1-based) and in articleNumber().
const char *const prefixSql = "ELT(1 + seq % 8, 'BOUT', 'MOER', 'RING', 'SLANG', 'FILTER', 'LAMP', 'KABEL', 'PLAAT')";
const char *const prefixes[] = {"BOUT", "MOER", "RING", "SLANG", "FILTER", "LAMP", "KABEL", "PLAAT"};
// seq * 7919 modulo a prime above 1,000,000 is one-to-one for seq below it.
constexpr qint64 scatterFactor = 7919;
constexpr qint64 scatterModulus = 1000003;

QAtomicInteger<int> seedConnections;

[[noreturn]] void fail(const QSqlError &error)
{
    throw std::runtime_error(error.text().toStdString());
}
}

SeedConnection::SeedConnection(const ConnectionSettings &settings)
    : m_name(QStringLiteral("tavisko-seed-%1").arg(seedConnections.fetchAndAddRelaxed(1)))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), m_name);
    db.setHostName(QStringLiteral("localhost"));
    db.setDatabaseName(settings.database);
    db.setUserName(settings.user);
    db.setPassword(settings.password);
    db.setConnectOptions(QStringLiteral("UNIX_SOCKET=%1").arg(settings.socket));
    if (!db.open())
        fail(db.lastError());
    exec(QStringLiteral("SET NAMES utf8mb4"));
}

SeedConnection::~SeedConnection()
{
    QSqlDatabase::database(m_name, false).close();
    QSqlDatabase::removeDatabase(m_name);
}

void SeedConnection::exec(const QString &sql, const QVariantList &params)
{
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    bool ok;
    if (params.isEmpty()) {
        ok = query.exec(sql);
    } else {
        ok = query.prepare(sql);
        for (const QVariant &p : params)
            query.addBindValue(p);
        ok = ok && query.exec();
    }
    if (!ok)
        fail(query.lastError());
}

QVariant SeedConnection::value(const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    if (!query.exec(sql))
        fail(query.lastError());
    return query.next() ? query.value(0) : QVariant();
}

Summary summarise(QList<double> samples)
{
    Summary s;
    if (samples.isEmpty())
        return s;
    std::sort(samples.begin(), samples.end());
    const qsizetype n = samples.size();
    s.runs = int(n);
    s.min = samples.first();
    s.max = samples.last();
    s.median = n % 2 ? samples.at(n / 2) : (samples.at(n / 2 - 1) + samples.at(n / 2)) / 2;
    return s;
}

double msSince(Stopwatch::time_point start)
{
    return std::chrono::duration<double, std::milli>(Stopwatch::now() - start).count();
}

long peakRssKb()
{
    // Not getrusage: its ru_maxrss survives fork and exec, so a child started by a
    // big parent reports the parent's size. VmHWM belongs to this program's own
    // address space, which exec made new.
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

void seedWorkshop(SeedConnection &db, int employees, int photoBytes, int projects)
{
    db.exec(QStringLiteral("INSERT INTO Categorie (Id, Categorie, Kostprijs, Verkprijs) "
                           "SELECT seq, CONCAT('Categorie ', seq), 30 + seq, 45 + seq FROM seq_1_to_5"));
    db.exec(QStringLiteral("INSERT INTO `Default` (Naam, Adres, Postcode, Woonplaats, Paswoordcheck, AantalWerkfiches) "
                           "VALUES ('Werkplaats Tavisko', 'Industrieweg 12', '9000', 'Gent', 0, 1)"));
    db.exec(QStringLiteral("INSERT INTO Users (Naam, Aanwezig, Paswoord, CatId, Status, Artikelnummer, Projectnummer, "
                           "Projectnaam, proj_groep_id, Omschrijving) "
                           "SELECT CONCAT('Werknemer ', seq), 'True', LPAD(seq, 4, '0'), 1 + seq % 5, 'False', '', '', '', 0, '' "
                           "FROM seq_1_to_%1").arg(employees));
    // Photos of random bytes: the connection compresses, and a photo that shrank on
    // the wire would hide in the byte counts of the employee reload.
    QRandomGenerator random(20260302);
    for (int id = 1; id <= employees; ++id) {
        QByteArray photo(photoBytes, Qt::Uninitialized);
        random.fillRange(reinterpret_cast<quint32 *>(photo.data()), photoBytes / int(sizeof(quint32)));
        db.exec(QStringLiteral("UPDATE Users SET Foto = ? WHERE Id = ?"), {photo, id});
    }
    db.exec(QStringLiteral("INSERT INTO Tijdreg (Nummer, Klantnummer, Klantnaam, Chassisnummer, Gesloten, Wagennummer, "
                           "Nummerplaat, Datum, Omschrijving, Kostprijs, Verkprijs, Adres, Postcode, Woonplaats, Naampure, proj_groep_id) "
                           "SELECT CONCAT('P', LPAD(seq, 5, '0')), 1000 + seq % 700, CONCAT('Klant ', seq % 700), "
                           "CONCAT('WDB', LPAD(seq * 7919 % 1000003, 10, '0')), IF(seq % 5 = 0, 'True', 'False'), seq, "
                           "CONCAT('1-ABC-', LPAD(seq % 1000, 3, '0')), DATE '2019-01-01' + INTERVAL seq % 2500 DAY, "
                           "CONCAT('Herstelling en onderhoud ', seq), 0, 0, 'Industrieweg 12', '9000', 'Gent', "
                           "CONCAT('Klant', seq % 700), 0 FROM seq_1_to_%1").arg(projects));
}

QString articleNumber(qint64 seq)
{
    return QStringLiteral("%1-%2").arg(QLatin1String(prefixes[seq % 8]))
        .arg(seq * scatterFactor % scatterModulus, 7, 10, QLatin1Char('0'));
}

void seedArticles(SeedConnection &db, int first, int last)
{
    db.exec(QStringLiteral("INSERT INTO parts (nummer, omschrijving, verkoopprijs, aankoopprijs, lokatie, instock) "
                           "SELECT CONCAT(%1, '-', LPAD(seq * %2 % %3, 7, '0')), CONCAT('Artikel ', seq), "
                           "ROUND(1 + seq % 500 * 0.37, 2), ROUND(0.6 + seq % 500 * 0.25, 2), "
                           "CONCAT('R', seq % 40, '-', seq % 7), seq % 90 FROM seq_%4_to_%5")
                .arg(QLatin1String(prefixSql)).arg(scatterFactor).arg(scatterModulus).arg(first).arg(last));
}

void replaceTimeLines(SeedConnection &db, int count, int employees, int projects)
{
    db.exec(QStringLiteral("TRUNCATE TABLE Tijdreglijn"));
    // Into an empty table, with these checks off, InnoDB builds the indexes by
    // sorting instead of row by row.
    db.exec(QStringLiteral("SET SESSION unique_checks = 0, foreign_key_checks = 0"));
    const int perDay = employees * 4;
    db.exec(QStringLiteral(
                "INSERT INTO Tijdreglijn (Ordernummer, CatID, UserID, Usernaam, Klantnaam, Chassisnummer, Start, Stop, "
                "Artikelnummer, Tijd, Tijd2) "
                "SELECT CONCAT('P', LPAD(1 + seq * 37 % %2, 5, '0')), 1 + seq % 5, 1 + seq % %1, "
                "CONCAT('Werknemer ', 1 + seq % %1), CONCAT('Klant', seq * 37 % %2 % 700), 'Onderhoud', "
                "TIMESTAMP '2019-01-01 07:00:00' + INTERVAL seq DIV %3 DAY + INTERVAL (seq DIV %1 % 4) * 150 MINUTE, "
                "TIMESTAMP '2019-01-01 07:00:00' + INTERVAL seq DIV %3 DAY + INTERVAL (seq DIV %1 % 4) * 150 + 105 MINUTE, "
                "IF(seq % 10 = 0, ',\"1;BOUT-0007919;Bout M8\"', NULL), 6300, 1.75 FROM seq_0_to_%4")
                .arg(employees).arg(projects).arg(perDay).arg(count - 1));
    db.exec(QStringLiteral("SET SESSION unique_checks = 1, foreign_key_checks = 1"));
}

void settle(SeedConnection &db)
{
    const QStringList names = {QStringLiteral("innodb_max_dirty_pages_pct"), QStringLiteral("innodb_io_capacity_max"),
                               QStringLiteral("innodb_io_capacity")};
    QStringList restore;
    for (const QString &name : names)
        restore << QStringLiteral("SET GLOBAL %1 = %2").arg(name, db.value(QStringLiteral("SELECT @@GLOBAL.") + name).toString());
    // Write as fast as the disk takes it, then go back to the server's own pace.
    db.exec(QStringLiteral("SET GLOBAL innodb_io_capacity_max = 100000"));
    db.exec(QStringLiteral("SET GLOBAL innodb_io_capacity = 50000"));
    db.exec(QStringLiteral("SET GLOBAL innodb_max_dirty_pages_pct = 0"));
    QDeadlineTimer deadline(300000);
    while (!deadline.hasExpired() && db.value(QStringLiteral("SELECT VARIABLE_VALUE FROM information_schema.GLOBAL_STATUS "
                                                             "WHERE VARIABLE_NAME = 'INNODB_BUFFER_POOL_PAGES_DIRTY'")).toLongLong() > 64)
        QThread::msleep(200);
    for (const QString &statement : restore)
        db.exec(statement);
}

} // namespace tavisko::bench
