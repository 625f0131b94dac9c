// The data-bound widgets on the data module's datasets, used as a person uses them:
// tapping tiles, clicking and scrolling grid rows, looking at pictures.
#include "data/Dm.h"
#include "support/TestDatabase.h"
#include "widgets/DatasetTableModel.h"
#include "widgets/DbGrid.h"
#include "widgets/DbImage.h"
#include "widgets/TileGrid.h"

#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QPainter>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

using namespace tavisko;

namespace {
QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Bytes the server has sent on this connection so far.
qint64 bytesSent(Database &conn)
{
    return conn.exec(QStringLiteral("SHOW SESSION STATUS LIKE 'Bytes_sent'")).rows.first().at(1).toLongLong();
}

QString key(const DatasetTableModel &model, int row)
{
    return model.data(model.index(row, 0)).toString();
}

// The window's keys follow each other in the table's order without a gap.
void expectContiguous(const DatasetTableModel &model)
{
    for (int row = 1; row < model.rowCount(); ++row)
        ASSERT_EQ(key(model, row), QStringLiteral("P%1").arg(key(model, row - 1).mid(1).toInt() + 1, 5, 10, QLatin1Char('0')))
            << "row " << row;
}
}

// 31 employees on a grid of 6 x 5 tiles: one tile row more than fits.
class TileGridTest : public DbTest {
protected:
    void SetUp() override
    {
        db.sql().exec(QStringLiteral("INSERT INTO Users (Naam) SELECT CONCAT('Werknemer ', seq) FROM seq_1_to_31"));
        dm = std::make_unique<TDm1>(db.settings());
        grid = std::make_unique<TileGrid>();
        grid->setDataset(&dm->TUsers);
        grid->setTilePainter([this](QPainter &painter, const QRect &tile, const QVariantList &record, bool current) {
            painted << record.at(1).toString();
            painter.fillRect(tile.adjusted(1, 1, -1, -1), current ? Qt::red : Qt::gray);
        });
        grid->resize(645, 520);
        grid->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
        QCoreApplication::processEvents();
        painted.clear();
    }

    QPoint centreOf(int row) const { return grid->tileRect(row).center(); }
    bool inView(int row) const { return grid->viewport()->rect().contains(grid->tileRect(row)); }

    std::unique_ptr<TDm1> dm;
    std::unique_ptr<TileGrid> grid;
    QStringList painted;
};

TEST_F(TileGridTest, TapMakesTheTappedRecordCurrentOnce)
{
    QWidget *area = grid->viewport();
    const struct {
        const char *gesture;
        std::function<void()> act;
        int current;
        int clicks;
    } cases[] = {
        {"tap", [&] { QTest::mouseClick(area, Qt::LeftButton, {}, centreOf(3)); }, 3, 1},
        {"double tap (press, release, double-click, release)", [&] {
             QTest::mouseClick(area, Qt::LeftButton, {}, centreOf(8));
             QTest::mouseDClick(area, Qt::LeftButton, {}, centreOf(8));
             QTest::mouseRelease(area, Qt::LeftButton, {}, centreOf(8));
         }, 8, 1},
        {"press on one tile, release on another", [&] {
             QTest::mousePress(area, Qt::LeftButton, {}, centreOf(2));
             QTest::mouseRelease(area, Qt::LeftButton, {}, centreOf(9));
         }, 8, 0},
        {"right button", [&] { QTest::mouseClick(area, Qt::RightButton, {}, centreOf(4)); }, 8, 0},
        {"tap on the strip right of the last column", [&] {
             QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(area->width() - 1, centreOf(5).y()));
         }, 8, 0},
    };
    ASSERT_GT(area->width() - grid->tileRect(5).right(), 1); // the strip exists
    for (const auto &c : cases) {
        QSignalSpy clicked(grid.get(), &TileGrid::tileClicked);
        c.act();
        EXPECT_EQ(dm->TUsers.currentRow(), c.current) << c.gesture;
        EXPECT_EQ(clicked.count(), c.clicks) << c.gesture;
    }
}

TEST_F(TileGridTest, ScrollsByTileRowsToTheLastRecord)
{
    EXPECT_EQ(grid->tileSize(), QSize(grid->viewport()->width() / 6, grid->viewport()->height() / 5));
    EXPECT_FALSE(inView(30));
    EXPECT_EQ(grid->verticalScrollBar()->maximum(), 1);

    grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    ASSERT_TRUE(inView(30));
    EXPECT_FALSE(inView(5));
    EXPECT_EQ(grid->tileRect(30).top(), 4 * grid->tileSize().height());

    QSignalSpy clicked(grid.get(), &TileGrid::tileClicked);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(30));
    EXPECT_EQ(dm->TUsers.currentRow(), 30);
    EXPECT_EQ(dm->TUsers.asString(QStringLiteral("Naam")), QStringLiteral("Werknemer 31"));
    // Beside the last tile there are no records: a tap there does nothing.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(30) + QPoint(grid->tileSize().width(), 0));
    EXPECT_EQ(dm->TUsers.currentRow(), 30);
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(TileGridTest, ArrowKeysMoveTheCurrentTileAndKeepItInView)
{
    grid->setFocus();
    const struct { Qt::Key key; int current; } steps[] = {
        {Qt::Key_Right, 1}, {Qt::Key_Down, 7}, {Qt::Key_Down, 13}, {Qt::Key_Left, 12}, {Qt::Key_Up, 6},
        {Qt::Key_Down, 12}, {Qt::Key_Down, 18}, {Qt::Key_Down, 24}, {Qt::Key_Down, 30}, // scrolls
        {Qt::Key_Down, 30}, {Qt::Key_Right, 30},                                         // the last stays
        {Qt::Key_Up, 24}, {Qt::Key_Home, 0}, {Qt::Key_Left, 0}, {Qt::Key_Up, 0}, {Qt::Key_End, 30},
    };
    for (const auto &s : steps) {
        QTest::keyClick(grid.get(), s.key);
        EXPECT_EQ(dm->TUsers.currentRow(), s.current) << "key " << s.key;
        EXPECT_TRUE(inView(s.current)) << "key " << s.key;
    }
}

TEST_F(TileGridTest, RepaintsOnlyTheTilesThatChanged)
{
    const struct {
        const char *what;
        std::function<void()> act;
        QStringList painted;
    } cases[] = {
        {"reload with nothing changed", [&] { dm->TUsers.refresh(); }, {}},
        {"reload after another terminal changed one employee", [&] {
             db.sql().exec(QStringLiteral("UPDATE Users SET Status = 'True' WHERE Naam = 'Werknemer 4'"));
             dm->TUsers.refresh();
         }, {QStringLiteral("Werknemer 4")}},
        {"current record moved", [&] { dm->TUsers.setCurrentRow(9); },
         {QStringLiteral("Werknemer 1"), QStringLiteral("Werknemer 10")}},
    };
    for (const auto &c : cases) {
        painted.clear();
        c.act();
        QCoreApplication::processEvents();
        EXPECT_EQ(painted, c.painted) << c.what;
    }

    // New employees change the set: every visible tile is painted again.
    db.sql().exec(QStringLiteral("INSERT INTO Users (Naam) SELECT 'Nieuw' FROM seq_1_to_6"));
    painted.clear();
    dm->TUsers.refresh();
    QCoreApplication::processEvents();
    EXPECT_EQ(painted.size(), 30);
    EXPECT_EQ(grid->verticalScrollBar()->maximum(), 2);
}

// The model over each kind of dataset, watched by Qt's model checker throughout.
class ModelTest : public DbTest {
protected:
    void SetUp() override
    {
        db.sql().exec(QStringLiteral("INSERT INTO parts (nummer, omschrijving, verkoopprijs, lokatie) "
                                     "SELECT CONCAT('P', LPAD(seq, 5, '0')), CONCAT('Artikel ', seq), seq / 4, "
                                     "IF(seq % 7 = 0, NULL, 'Rek A') FROM seq_1_to_5000"));
        db.sql().exec(QStringLiteral("INSERT INTO Users (Naam, Start, CatId) VALUES ('Jan', '2026-03-02 08:17:42', 1), "
                                     "('Piet', '2026-03-02 00:00:00', NULL), ('Zoë', NULL, 2)"));
        db.sql().exec(QStringLiteral("INSERT INTO Tijdreglijn (Ordernummer, Usernaam, Tijd, Tijd2) "
                                     "VALUES ('P1', 'Jan', 1063, 0.3), ('P2', 'Piet', 3600, 1)"));
        dm = std::make_unique<TDm1>(db.settings());
    }

    std::unique_ptr<TDm1> dm;
};

TEST_F(ModelTest, WholeAndQueryDatasetsShowEveryRowInTheLocalesFormats)
{
    DatasetTableModel users(&dm->TUsers, {QStringLiteral("Naam"), QStringLiteral("Start"), QStringLiteral("CatId")});
    QAbstractItemModelTester usersChecked(&users, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const QStringList expected[] = {
        {QStringLiteral("Jan"), QStringLiteral("2/03/2026 08:17:42"), QStringLiteral("1")},
        {QStringLiteral("Piet"), QStringLiteral("2/03/2026"), QString()},
        {QStringLiteral("Zoë"), QString(), QStringLiteral("2")},
    };
    ASSERT_EQ(users.rowCount(), 3);
    ASSERT_EQ(users.columnCount(), 3);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(users.data(users.index(row, column)).toString(), expected[row][column]) << row << "," << column;
    }
    EXPECT_EQ(users.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Start"));

    QSignalSpy changed(&users, &QAbstractItemModel::dataChanged);
    QSignalSpy current(&users, &DatasetTableModel::currentRowChanged);
    db.sql().exec(QStringLiteral("UPDATE Users SET Naam = 'Joris' WHERE Naam = 'Piet'"));
    dm->TUsers.refresh();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.first().at(0).toModelIndex().row(), 1);
    EXPECT_EQ(users.data(users.index(1, 0)).toString(), QStringLiteral("Joris"));
    users.setCurrentRow(2);
    EXPECT_EQ(dm->TUsers.asString(QStringLiteral("Naam")), QStringLiteral("Zoë"));
    EXPECT_EQ(current.last().first().toInt(), 2);
    db.sql().exec(QStringLiteral("INSERT INTO Users (Naam) VALUES ('Anna')"));
    dm->TUsers.refresh();
    EXPECT_EQ(users.rowCount(), 4);
    EXPECT_EQ(users.currentRow(), 2);

    DatasetTableModel lines(&dm->QPrinten, {QStringLiteral("Ordernummer"), QStringLiteral("Tijd"), QStringLiteral("Tijd2")});
    QAbstractItemModelTester linesChecked(&lines, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(lines.rowCount(), 0);
    dm->QPrinten.open();
    ASSERT_EQ(lines.rowCount(), 2);
    EXPECT_EQ(lines.data(lines.index(0, 1)).toString(), QStringLiteral("1063"));
    EXPECT_EQ(lines.data(lines.index(0, 2)).toString(), QStringLiteral("0,3"));
    lines.setCurrentRow(1);
    EXPECT_EQ(dm->QPrinten.asString(QStringLiteral("Usernaam")), QStringLiteral("Piet"));
    EXPECT_EQ(lines.currentRow(), 1);
    dm->QPrinten.close();
    EXPECT_EQ(lines.rowCount(), 0);
}

TEST_F(ModelTest, OnDemandDatasetShowsAWindowAroundItsCurrentRecord)
{
    TableDataset &parts = dm->TArtikelen;
    DatasetTableModel model(&parts, {QStringLiteral("nummer"), QStringLiteral("verkoopprijs"), QStringLiteral("lokatie")});
    QAbstractItemModelTester checked(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    // The checker calls fetchMore from its own modelReset handler, before it counts the
    // reset as finished, and then takes the rows that arrive for a change inside the
    // reset; the test fetches more itself instead.
    checked.setUseFetchMore(false);

    parts.findNearest(QStringLiteral("P025"));
    ASSERT_GE(model.currentRow(), 0);
    EXPECT_EQ(key(model, model.currentRow()), QStringLiteral("P02500"));
    EXPECT_EQ(model.data(model.index(model.currentRow(), 1)).toString(), QStringLiteral("625"));
    EXPECT_LE(model.rowCount(), 61);
    expectContiguous(model);

    const int rows = model.rowCount();
    ASSERT_TRUE(model.canFetchMore({}));
    model.fetchMore({});
    EXPECT_EQ(model.rowCount(), rows + 50);
    const int current = model.currentRow();
    ASSERT_TRUE(model.fetchBefore());
    EXPECT_EQ(model.rowCount(), rows + 100);
    EXPECT_EQ(model.currentRow(), current + 50);
    expectContiguous(model);

    // A move inside the window keeps it; one outside lays it anew.
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    model.setCurrentRow(model.currentRow() + 40);
    EXPECT_EQ(parts.asString(QStringLiteral("nummer")), QStringLiteral("P02540"));
    EXPECT_EQ(resets.count(), 0);
    parts.findNearest(QStringLiteral("P0499"));
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(key(model, model.currentRow()), QStringLiteral("P04990"));
    EXPECT_FALSE(model.canFetchMore({})); // the window reaches the last article
    EXPECT_EQ(key(model, model.rowCount() - 1), QStringLiteral("P05000"));
    EXPECT_EQ(model.data(model.index(model.currentRow() + 1, 2)).toString(), QString()); // P04991: NULL lokatie
    parts.findNearest(QStringLiteral(""));
    EXPECT_EQ(model.currentRow(), 0);
    EXPECT_FALSE(model.fetchBefore());
    expectContiguous(model);

    // A saved edit of the current article shows at once.
    parts.edit();
    parts.setValue(QStringLiteral("verkoopprijs"), 12.5);
    parts.post();
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), QStringLiteral("12,5"));
}

TEST_F(ModelTest, GridFollowsTheDatasetAndMovesItOnAClick)
{
    TableDataset &parts = dm->TArtikelen;
    DbGrid grid(dm->DsArtikelen, {QStringLiteral("nummer"), QStringLiteral("omschrijving"), QStringLiteral("verkoopprijs"),
                                  QStringLiteral("lokatie")});
    grid.resize(500, 300);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    DatasetTableModel &model = *grid.datasetModel();

    parts.findNearest(QStringLiteral("P03000"));
    QCoreApplication::processEvents();
    const QModelIndex shown = model.index(model.currentRow(), 0);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(shown.row(), {}));
    EXPECT_TRUE(grid.viewport()->rect().contains(grid.visualRect(shown)));
    EXPECT_LE(model.rowCount(), 111); // the window and at most one step more

    const QModelIndex above = model.index(shown.row() - 2, 1);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(above).center());
    EXPECT_EQ(parts.asString(QStringLiteral("nummer")), QStringLiteral("P02998"));
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(above.row(), {}));

    // Scrolled to the top of what it holds, the grid reads the rows before it and
    // keeps showing the same rows.
    const QString firstHeld = key(model, 0);
    const int held = model.rowCount();
    grid.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    QCoreApplication::processEvents();
    EXPECT_EQ(model.rowCount(), held + 50);
    EXPECT_EQ(model.data(grid.indexAt(QPoint(1, 1))).toString(), firstHeld);
    EXPECT_EQ(parts.asString(QStringLiteral("nummer")), QStringLiteral("P02998"));
}

// Users.Foto: a small picture with marked corners for one employee, and a large
// one of noise, whose colours tell each pixel's place, for another.
class DbImageTest : public DbTest {
protected:
    void SetUp() override
    {
        QImage small(20, 10, QImage::Format_RGB32);
        small.fill(Qt::red);
        small.setPixel(0, 0, qRgb(0, 0, 255));
        small.setPixel(19, 9, qRgb(0, 255, 0));
        QImage large(200, 200, QImage::Format_RGB32);
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 200; ++x)
                large.setPixel(x, y, qRgb(x, y, QRandomGenerator::global()->bounded(256)));
        }
        largeBytes = png(large).size();
        db.sql().exec(QStringLiteral("INSERT INTO Users (Naam, Foto) VALUES ('Klein', ?), ('Groot', ?), ('Zonder', NULL)"),
                      {png(small), png(large)});
        dm = std::make_unique<TDm1>(db.settings());
    }

    // Whether the large picture was read from the server during act.
    bool readsLarge(const std::function<void()> &act)
    {
        const qint64 before = bytesSent(dm->mySQLDatabase1);
        act();
        // The protocol's compression may shrink it a little; reading no picture costs
        // a few hundred bytes.
        return bytesSent(dm->mySQLDatabase1) - before > largeBytes / 2;
    }

    std::unique_ptr<TDm1> dm;
    qint64 largeBytes = 0;
};

TEST_F(DbImageTest, ShowsThePictureUnscaledCentredAndCutOff)
{
    DbImage box(dm->DsUsers, QStringLiteral("Foto"));
    box.resize(105, 86);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    const QRect area = box.contentsRect();

    // Small: the marked corners stand 20 x 10 apart, with equal margins around.
    QImage shot = box.grab().toImage();
    QRect found;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb pixel = shot.pixel(x, y);
            if (pixel == qRgb(255, 0, 0) || pixel == qRgb(0, 0, 255) || pixel == qRgb(0, 255, 0))
                found |= QRect(x, y, 1, 1);
        }
    }
    ASSERT_EQ(found.size(), QSize(20, 10));
    EXPECT_EQ(shot.pixel(found.topLeft()), qRgb(0, 0, 255));
    EXPECT_EQ(shot.pixel(found.bottomRight()), qRgb(0, 255, 0));
    EXPECT_LE(std::abs((found.left() - area.left()) - (area.right() - found.right())), 1);
    EXPECT_LE(std::abs((found.top() - area.top()) - (area.bottom() - found.bottom())), 1);

    // Large: the frame shows its middle, pixel for pixel, and nothing outside it.
    dm->TUsers.next();
    shot = box.grab().toImage();
    const QRgb topLeft = shot.pixel(area.topLeft());
    const QRgb bottomRight = shot.pixel(area.bottomRight());
    EXPECT_LE(std::abs(qRed(topLeft) - (200 - area.width()) / 2), 1);
    EXPECT_LE(std::abs(qGreen(topLeft) - (200 - area.height()) / 2), 1);
    EXPECT_EQ(qRed(bottomRight) - qRed(topLeft), area.width() - 1);
    EXPECT_EQ(qGreen(bottomRight) - qGreen(topLeft), area.height() - 1);
    EXPECT_NE(shot.pixel(0, 0), topLeft);

    // No picture: an empty box.
    dm->TUsers.next();
    EXPECT_TRUE(box.image().isNull());
}

TEST_F(DbImageTest, ReadsThePictureOnlyWhenShownAndMoved)
{
    TableDataset &users = dm->TUsers;
    users.setCurrentRow(1); // Groot
    DbImage box(dm->DsUsers, QStringLiteral("Foto"));
    box.resize(105, 86);
    const struct {
        const char *what;
        std::function<void()> act;
        bool reads;
    } steps[] = {
        {"created, not shown", [] {}, false},
        {"shown", [&] { box.show(); }, true},
        {"reload, nothing changed", [&] { users.refresh(); }, false},
        {"reload, the employee shown changed", [&] {
             db.sql().exec(QStringLiteral("UPDATE Users SET Status = 'True' WHERE Naam = 'Groot'"));
             users.refresh();
         }, false},
        {"reload, an employee added", [&] {
             db.sql().exec(QStringLiteral("INSERT INTO Users (Naam) VALUES ('Nieuw')"));
             users.refresh();
         }, false},
        {"moved away", [&] { users.setCurrentRow(0); }, false},
        {"moved back", [&] { users.setCurrentRow(1); }, true},
        {"hidden, moved away and back", [&] {
             box.hide();
             users.setCurrentRow(0);
             users.setCurrentRow(1);
         }, false},
        {"shown again on the same employee", [&] { box.show(); }, false},
        {"hidden, moved away, shown, moved back", [&] {
             box.hide();
             users.setCurrentRow(0);
             box.show();
             users.setCurrentRow(1);
         }, true},
    };
    for (const auto &s : steps)
        EXPECT_EQ(readsLarge(s.act), s.reads) << s.what;
    EXPECT_EQ(box.image().size(), QSize(200, 200));
}
