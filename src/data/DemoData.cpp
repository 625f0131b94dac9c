#include "data/DemoData.h"

#include "core/DayNumber.h"
#include "core/Text.h"
#include "core/WorkedTime.h"
#include "data/Schema.h"
#include "db/Database.h"

#include <QRandomGenerator>
#include <QStringList>

namespace tavisko {

namespace {
// A small portrait for a demo employee, as a 24-bit BMP: a head and shoulders on a
// coloured background. Made by hand so that the data layer needs no image library.
QByteArray demoPhoto(int seed)
{
    const int width = 100, height = 84;
    const int rowBytes = (width * 3 + 3) & ~3;
    const quint32 size = 54 + rowBytes * height;
    QByteArray bmp(int(size), '\0');
    auto put16 = [&](int at, quint16 v) { bmp[at] = char(v & 0xff); bmp[at + 1] = char(v >> 8); };
    auto put32 = [&](int at, quint32 v) { for (int i = 0; i < 4; ++i) bmp[at + i] = char((v >> (8 * i)) & 0xff); };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    put16(26, 1);
    put16(28, 24);
    put32(34, rowBytes * height);
    const QList<QList<int>> backgrounds = {{170, 200, 230}, {200, 225, 190}, {235, 215, 180}, {215, 195, 230}};
    const QList<QList<int>> shirts = {{40, 70, 140}, {140, 40, 40}, {50, 110, 60}, {90, 90, 90}};
    const QList<QList<int>> skins = {{240, 205, 175}, {200, 150, 110}, {150, 105, 75}, {225, 185, 150}};
    const QList<int> &back = backgrounds.at(seed % 4);
    const QList<int> &shirt = shirts.at((seed / 4) % 4);
    const QList<int> &skin = skins.at((seed / 2) % 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double hx = x - 50, hy = y - 30, sx = (x - 50) / 36.0, sy = (y - 90) / 30.0;
            const QList<int> &c = hx * hx + hy * hy <= 17 * 17 ? skin : (sx * sx + sy * sy <= 1.0 ? shirt : back);
            const int at = 54 + (height - 1 - y) * rowBytes + x * 3;
            bmp[at] = char(c.at(2));
            bmp[at + 1] = char(c.at(1));
            bmp[at + 2] = char(c.at(0));
        }
    }
    return bmp;
}

// Inserts rows of equal width in batches with bound values.
void insertRows(Database &db, const QString &table, const QStringList &columns, const QList<QVariantList> &rows)
{
    const int batch = 100;
    QString marks = QStringLiteral("(") + QStringList(columns.size(), QStringLiteral("?")).join(u',') + u')';
    for (int from = 0; from < rows.size(); from += batch) {
        const int to = qMin(int(rows.size()), from + batch);
        QStringList groups;
        QVariantList params;
        for (int i = from; i < to; ++i) {
            groups << marks;
            params << rows.at(i);
        }
        QStringList quoted;
        for (const QString &c : columns)
            quoted << u'`' + c + u'`';
        db.exec(QStringLiteral("INSERT INTO `%1` (%2) VALUES %3").arg(table, quoted.join(u','), groups.join(u',')), params);
    }
}
}

void loadDemoData(Database &db, const QDateTime &now)
{
    QRandomGenerator random(20261211);
    db.transaction([&](int) {
        insertRows(db, QStringLiteral("Default"),
                   {QStringLiteral("Naam"), QStringLiteral("Adres"), QStringLiteral("Postcode"), QStringLiteral("Woonplaats"),
                    QStringLiteral("Paswoordcheck"), QStringLiteral("A1_15"), QStringLiteral("AantalWerkfiches"),
                    QStringLiteral("ProjectKlaar")},
                   {{QStringLiteral("Carrosserie Vermeulen NV"), QStringLiteral("Industrieweg 12"), QStringLiteral("9000"),
                     QStringLiteral("Gent"), 0, demoAdminPassword, 1, QStringLiteral("admin")}});

        insertRows(db, QStringLiteral("Categorie"),
                   {QStringLiteral("Id"), QStringLiteral("Categorie"), QStringLiteral("Kostprijs"), QStringLiteral("Verkprijs")},
                   {{1, QStringLiteral("Montage"), 38.5, 55.0},
                    {2, QStringLiteral("Onderhoud"), 36.0, 52.0},
                    {3, QStringLiteral("Herstelling"), 40.0, 60.0}});

        const QStringList customers = {
            QStringLiteral("Garage De Smet"), QStringLiteral("Transport Willems BV"), QStringLiteral("Boerderij 't Hof"),
            QStringLiteral("Van Acker & Zonen"), QStringLiteral("Stad Gent - Groendienst"), QStringLiteral("Brouwerij Het Anker"),
            QStringLiteral("Bakkerij Goossens"), QStringLiteral("Loonbedrijf Verhaegen"), QStringLiteral("Taxi Élise"),
            QStringLiteral("Aannemer Desmet N.V.")};
        const QStringList works = {
            QStringLiteral("Laadbak herstellen"), QStringLiteral("Trekhaak monteren"), QStringLiteral("Onderhoud 60.000 km"),
            QStringLiteral("Schade linkerflank"), QStringLiteral("Koelwagen ombouw"), QStringLiteral("Remmen vervangen"),
            QStringLiteral("Kipper hydrauliek"), QStringLiteral("Zeilen vervangen")};
        QList<QVariantList> projects;
        for (int i = 0; i < 40; ++i) {
            const QString klant = customers.at(i % customers.size());
            projects.append({QStringLiteral("P%1").arg(26100 + i), 1000 + i % customers.size(), klant,
                             works.at(i % works.size()), QStringLiteral("1-ABC-%1").arg(100 + i, 3, 10, QLatin1Char('0')),
                             DelTekens(klant), QDate(2026, 11, 1).addDays(i / 2)});
        }
        insertRows(db, QStringLiteral("Tijdreg"),
                   {QStringLiteral("Nummer"), QStringLiteral("Klantnummer"), QStringLiteral("Klantnaam"),
                    QStringLiteral("Chassisnummer"), QStringLiteral("Nummerplaat"), QStringLiteral("Naampure"),
                    QStringLiteral("Datum")},
                   projects);

        const QStringList parts = {QStringLiteral("Bout"), QStringLiteral("Moer"), QStringLiteral("Rubber ring"),
                                   QStringLiteral("Remblok"), QStringLiteral("Oliefilter"), QStringLiteral("Lamp H7"),
                                   QStringLiteral("Slang 12 mm"), QStringLiteral("Zekering 10A"), QStringLiteral("Scharnier"),
                                   QStringLiteral("Dichting \"XL\"")};
        QList<QVariantList> articles;
        for (int i = 0; i < 200; ++i) {
            const double price = 0.5 + random.bounded(20000) / 100.0;
            articles.append({QStringLiteral("%1-%2").arg(QChar(u'A' + i % 6)).arg(100 + i * 7),
                             QStringLiteral("%1 %2").arg(parts.at(i % parts.size())).arg(i / parts.size() + 1),
                             price, price * 0.6, QStringLiteral("Rek %1").arg(1 + i % 12), double(random.bounded(50))});
        }
        insertRows(db, QStringLiteral("parts"),
                   {QStringLiteral("nummer"), QStringLiteral("omschrijving"), QStringLiteral("verkoopprijs"),
                    QStringLiteral("aankoopprijs"), QStringLiteral("lokatie"), QStringLiteral("instock")},
                   articles);

        const QStringList names = {
            QStringLiteral("Jan Peeters"), QStringLiteral("Zoë Dubois"), QStringLiteral("Benoît Lambert"),
            QStringLiteral("Maïté Jacobs"), QStringLiteral("Jürgen Wouters"), QStringLiteral("Hélène Mertens"),
            QStringLiteral("Noël Janssens"), QStringLiteral("Sofie Claes"), QStringLiteral("Çetin Yılmaz"),
            QStringLiteral("Lotte Maes"), QStringLiteral("François Leroy"), QStringLiteral("Ward Verstraete")};
        const QString alphabet = QStringLiteral("ABCDEFGHJKLMNPQRSTUVWXYZ23456789");
        QList<QVariantList> users;
        for (int i = 0; i < names.size(); ++i) {
            QString password;
            for (int c = 0; c < 6; ++c)
                password += alphabet.at(random.bounded(int(alphabet.size())));
            const bool working = i % 3 == 0;
            const QVariantList &project = projects.at((i * 7) % projects.size());
            users.append({names.at(i), password, demoPhoto(i), 1 + i % 3,
                          working ? QStringLiteral("True") : QStringLiteral("False"),
                          working ? QVariant(toWholeSecond(now.addSecs(-3600 - i * 300))) : QVariant(),
                          QString(), working ? project.at(0) : QString(), working ? project.at(5) : QString(),
                          working ? project.at(3) : QString()});
        }
        insertRows(db, QStringLiteral("Users"),
                   {QStringLiteral("Naam"), QStringLiteral("Paswoord"), QStringLiteral("Foto"), QStringLiteral("CatId"), QStringLiteral("Status"),
                    QStringLiteral("Start"), QStringLiteral("Artikelnummer"), QStringLiteral("Projectnummer"),
                    QStringLiteral("Projectnaam"), QStringLiteral("Omschrijving")},
                   users);

        QList<QVariantList> lines;
        for (int day = 21; day >= 1; --day) {
            const QDate date = now.date().addDays(-day);
            if (date.dayOfWeek() > 5)
                continue;
            for (int u = 0; u < names.size(); ++u) {
                QDateTime start(date, QTime(7, 30).addSecs(random.bounded(1800)));
                for (int stint = 0; stint < 2; ++stint) {
                    const QDateTime stop = start.addSecs(3600 + random.bounded(3 * 3600));
                    const QVariantList &project = projects.at(random.bounded(int(projects.size())));
                    const double tijd = workedSeconds(toDayNumber(start), toDayNumber(stop));
                    lines.append({project.at(0), 1 + random.bounded(3), u + 1, names.at(u), project.at(5), project.at(3),
                                  start, stop, QString(), tijd, workedHours(tijd)});
                    start = stop.addSecs(1800);
                }
            }
        }
        insertRows(db, QStringLiteral("Tijdreglijn"),
                   {QStringLiteral("Ordernummer"), QStringLiteral("CatID"), QStringLiteral("UserID"), QStringLiteral("Usernaam"),
                    QStringLiteral("Klantnaam"), QStringLiteral("Chassisnummer"), QStringLiteral("Start"), QStringLiteral("Stop"),
                    QStringLiteral("Artikelnummer"), QStringLiteral("Tijd"), QStringLiteral("Tijd2")},
                   lines);
    });
}

void prepareLocalDatabase(Database &serverConnection, const QString &database, const QDateTime &now)
{
    const SqlResult found = serverConnection.exec(
        QStringLiteral("SELECT SCHEMA_NAME FROM information_schema.SCHEMATA WHERE SCHEMA_NAME = ?"), {database});
    if (!found.rows.isEmpty())
        return;
    serverConnection.exec(QStringLiteral("CREATE DATABASE `%1` CHARACTER SET utf8mb4").arg(database));
    serverConnection.exec(QStringLiteral("USE `%1`").arg(database));
    applySchema(serverConnection);
    loadDemoData(serverConnection, now);
}

} // namespace tavisko
