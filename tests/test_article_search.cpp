// The article search as an employee uses it: searching by typing, scanning or the
// on-screen keyboard, adding articles with quantities, and closing with OK or cancel.
#include "data/Dm.h"
#include "support/Modal.h"
#include "support/TestDatabase.h"
#include "terminal/ZoekPartsUn.h"
#include "terminal/keyboard.h"
#include "widgets/DbGrid.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace tavisko;

namespace {

class ArticleSearchTest : public DbTest {
protected:
    void SetUp() override
    {
        db.sql().exec(QStringLiteral(
            "INSERT INTO parts (nummer, omschrijving, verkoopprijs, lokatie) VALUES "
            "('AB-100', 'Rubber ring', 2.5, 'R1'), ('AB-200', 'Bout,verzinkt', 0.4, 'R2'), "
            "('K2', 'Slang 3/4\"', 12, 'K'), ('X7', 'Bolt', 0.1, 'B')"));
        dm = std::make_unique<TDm1>(db.settings());
    }

    template <typename T>
    static T *child(QWidget *window, const char *name)
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    static void tap(QWidget *window, const char *name) { QTest::mouseClick(child<QAbstractButton>(window, name), Qt::LeftButton); }
    // Replaces the search text by typing, as a person or a scanner does.
    static void search(QWidget *window, const QString &text)
    {
        auto *edit = child<QLineEdit>(window, "EditZoek");
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, text);
    }
    static void setQuantity(QWidget *window, const QString &text)
    {
        auto *edit = child<QLineEdit>(window, "EditAantal");
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    static QString quantity(QWidget *window) { return child<QLineEdit>(window, "EditAantal")->text(); }
    // The article of the grid's current row, as the grid shows it.
    static QString gridArticle(QWidget *window)
    {
        auto *grid = child<DbGrid>(window, "DBGrid3");
        return grid->model()->index(grid->currentIndex().row(), 0).data().toString();
    }
    QString current() const { return dm->TArtikelen.asString(QStringLiteral("nummer")); }

    struct Outcome {
        int result;
        QString booking;
    };
    // Opens the article search modally, lets `person` use it, and returns how it closed.
    Outcome use(const std::function<void(QWidget *)> &person)
    {
        TZkPartsForm form(*dm);
        const int result = useModally(form, person);
        return {result, form.bookingText()};
    }

    std::unique_ptr<TDm1> dm;
};

TEST_F(ArticleSearchTest, TypingMovesTheGridToTheNearestArticle)
{
    use([this](QWidget *w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Tavisko Artikelen Zoeken"));
        EXPECT_EQ(w->size(), QSize(960, 499));
        EXPECT_EQ(w->pos(), w->screen()->geometry().topLeft() + QPoint(239, 2));
        EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(w, "EditZoek"));

        const struct { const char *typed; const char *article; } cases[] = {
            {"ab-2", "AB-200"}, // letter case follows the server's collation
            {"AB-150", "AB-200"},
            {"k", "K2"},
            {"zzz", "X7"}, // beyond the last key
            {"", "AB-100"},
            {"X7", "X7"},
        };
        for (const auto &c : cases) {
            search(w, QString::fromLatin1(c.typed));
            EXPECT_EQ(current(), QString::fromLatin1(c.article)) << c.typed;
            EXPECT_EQ(gridArticle(w), QString::fromLatin1(c.article)) << c.typed;
            EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "busy pointer left on";
        }

        const struct { Qt::Key key; const char *article; } moves[] = {
            {Qt::Key_Down, "X7"}, {Qt::Key_Up, "K2"}, {Qt::Key_Up, "AB-200"}, {Qt::Key_Up, "AB-100"},
            {Qt::Key_Up, "AB-100"}, {Qt::Key_Down, "AB-200"},
        };
        for (const auto &m : moves) {
            QTest::keyClick(child<QLineEdit>(w, "EditZoek"), m.key);
            EXPECT_EQ(current(), QString::fromLatin1(m.article));
            EXPECT_EQ(gridArticle(w), QString::fromLatin1(m.article));
        }
        tap(w, "BitBtnOK");
    });
}

TEST_F(ArticleSearchTest, AddedLinesMakeTheBookingText)
{
    const struct {
        const char *name;
        std::function<void(QWidget *)> person;
        const char *booking;
    } cases[] = {
        {"nothing added", [](QWidget *) {}, "\"\""},
        {"same article twice",
         [](QWidget *w) {
             search(w, QStringLiteral("x7"));
             tap(w, "SpeedButton2");
             EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(w, "EditZoek"));
             EXPECT_EQ(child<QLineEdit>(w, "EditZoek")->selectedText(), QStringLiteral("x7"));
             tap(w, "SpeedButton2");
         },
         ",1;X7;Bolt,1;X7;Bolt"},
        {"quantity stepped down to 0 and no further",
         [](QWidget *w) {
             search(w, QStringLiteral("AB-1"));
             tap(w, "UpDown1Down");
             tap(w, "UpDown1Down");
             EXPECT_EQ(quantity(w), QStringLiteral("0"));
             tap(w, "SpeedButton2");
             EXPECT_EQ(quantity(w), QStringLiteral("1"));
         },
         ",\"0;AB-100;Rubber ring\""},
        {"quantity stepped up to 100 and no further",
         [](QWidget *w) {
             search(w, QStringLiteral("X7"));
             setQuantity(w, QStringLiteral("98"));
             for (int i = 0; i < 4; ++i)
                 tap(w, "UpDown1Up");
             EXPECT_EQ(quantity(w), QStringLiteral("100"));
             tap(w, "SpeedButton2");
             tap(w, "UpDown1Up");
             EXPECT_EQ(quantity(w), QStringLiteral("2"));
             tap(w, "SpeedButton2");
         },
         ",100;X7;Bolt,2;X7;Bolt"},
        {"quantity as letters and emptied",
         [](QWidget *w) {
             search(w, QStringLiteral("X7"));
             setQuantity(w, QStringLiteral("twee"));
             tap(w, "SpeedButton2");
             setQuantity(w, QString());
             tap(w, "SpeedButton2");
         },
         ",twee;X7;Bolt,;X7;Bolt"},
        {"descriptions with a comma and a double quote",
         [](QWidget *w) {
             search(w, QStringLiteral("AB-2"));
             tap(w, "SpeedButton2");
             search(w, QStringLiteral("K2"));
             tap(w, "SpeedButton2");
         },
         ",\"1;AB-200;Bout,verzinkt\",\"1;K2;Slang 3/4\"\"\""},
        {"a line typed into the list, Enter and Esc kept there",
         [](QWidget *w) {
             search(w, QStringLiteral("X7"));
             tap(w, "SpeedButton2");
             auto *memo = child<QPlainTextEdit>(w, "memo1");
             memo->setFocus();
             QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
             QTest::keyClicks(memo, QStringLiteral("3;Z9;Moer"));
             QTest::keyClick(memo, Qt::Key_Return);
             QTest::keyClick(memo, Qt::Key_Escape);
             EXPECT_TRUE(w->isVisible()) << "Enter or Esc in the list closed the window";
             QTest::keyClicks(memo, QStringLiteral("2;Z8;Ring"));
         },
         ",1;X7;Bolt,3;Z9;Moer,2;Z8;Ring"},
    };
    for (const auto &c : cases) {
        const Outcome outcome = use([&c](QWidget *w) {
            c.person(w);
            tap(w, "BitBtnOK");
        });
        EXPECT_EQ(outcome.result, QDialog::Accepted) << c.name;
        EXPECT_EQ(outcome.booking, QString::fromUtf8(c.booking)) << c.name;
    }
}

TEST_F(ArticleSearchTest, ClosesWithOkOrCancelAsAPersonDoes)
{
    const struct {
        const char *name;
        std::function<void(QWidget *)> person;
        int result;
        const char *article; // current when the window closed
    } cases[] = {
        {"cancel button", [](QWidget *w) { search(w, QStringLiteral("K")); tap(w, "SpeedButton2"); tap(w, "BitBtn1"); },
         QDialog::Rejected, "K2"},
        {"Esc in the search field",
         [](QWidget *w) { search(w, QStringLiteral("AB-2")); QTest::keyClick(child<QLineEdit>(w, "EditZoek"), Qt::Key_Escape); },
         QDialog::Rejected, "AB-200"},
        {"scanned code ending with Enter",
         [](QWidget *w) {
             QTest::keyClicks(child<QLineEdit>(w, "EditZoek"), QStringLiteral("X7"));
             QTest::keyClick(child<QLineEdit>(w, "EditZoek"), Qt::Key_Return);
         },
         QDialog::Accepted, "X7"},
        {"double click on a grid row",
         [](QWidget *w) {
             search(w, QString());
             auto *grid = child<DbGrid>(w, "DBGrid3");
             const QModelIndex second = grid->model()->index(1, 0);
             ASSERT_EQ(second.data().toString(), QStringLiteral("AB-200"));
             const QPoint row = grid->visualRect(second).center();
             QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row);
             QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, row);
         },
         QDialog::Accepted, "AB-200"},
        {"Enter on the cancel button",
         [](QWidget *w) {
             search(w, QStringLiteral("X"));
             auto *cancel = child<QPushButton>(w, "BitBtn1");
             cancel->setFocus();
             QTest::keyClick(cancel, Qt::Key_Return);
         },
         QDialog::Rejected, "X7"},
    };
    for (const auto &c : cases) {
        const Outcome outcome = use(c.person);
        EXPECT_EQ(outcome.result, c.result) << c.name;
        if (outcome.result == QDialog::Accepted) {
            EXPECT_EQ(outcome.booking, QStringLiteral("\"\"")) << c.name;
        }
        EXPECT_EQ(current(), QString::fromLatin1(c.article)) << c.name;
    }
}

TEST_F(ArticleSearchTest, KeyboardWindowEntersTheSearchText)
{
    const Outcome outcome = use([this](QWidget *w) {
        bool asked = false;
        auto *poll = new QTimer(w);
        QObject::connect(poll, &QTimer::timeout, [&asked, poll] {
            auto *keyboard = qobject_cast<TFrmKeyboard *>(QApplication::activeModalWidget());
            if (!keyboard)
                return;
            poll->stop();
            asked = true;
            EXPECT_FALSE(keyboard->findChild<QWidget *>(QStringLiteral("DbFoto"))->isVisible());
            EXPECT_EQ(keyboard->findChild<QLabel *>(QStringLiteral("LblUser"))->text(), QStringLiteral("Artikelnummer "));
            EXPECT_EQ(keyboard->findChild<QLineEdit *>(QStringLiteral("Edit1"))->echoMode(), QLineEdit::Normal);
            for (const char *key : {"K", "Btn2", "BitBtn1"})
                QTest::mouseClick(keyboard->findChild<QAbstractButton *>(QString::fromLatin1(key)), Qt::LeftButton);
        });
        poll->start(10);
        // The keyboard button takes no focus; start from the list to see the
        // focus come back to the search field.
        child<QPlainTextEdit>(w, "memo1")->setFocus();
        tap(w, "SpeedButton1");
        EXPECT_TRUE(asked);
        EXPECT_EQ(child<QLineEdit>(w, "EditZoek")->text(), QStringLiteral("K2"));
        EXPECT_EQ(current(), QStringLiteral("K2"));
        EXPECT_TRUE(waitFor([w] { return QApplication::focusWidget() == child<QLineEdit>(w, "EditZoek"); }, 2000));
        tap(w, "SpeedButton2");
        tap(w, "BitBtnOK");
    });
    EXPECT_EQ(outcome.result, QDialog::Accepted);
    EXPECT_EQ(outcome.booking, QStringLiteral(",\"1;K2;Slang 3/4\"\"\""));
}

TEST_F(ArticleSearchTest, FailingSearchIsSilentAndTheWindowStaysUsable)
{
    const Outcome outcome = use([this](QWidget *w) {
        search(w, QStringLiteral("K"));
        db.sql().exec(QStringLiteral("DROP TABLE parts"));
        search(w, QStringLiteral("X"));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::activeModalWidget(), w) << "a message opened";
        EXPECT_EQ(current(), QStringLiteral("K2"));
        tap(w, "SpeedButton2");
        tap(w, "BitBtnOK");
    });
    EXPECT_EQ(outcome.result, QDialog::Accepted);
    EXPECT_EQ(outcome.booking, QStringLiteral(",\"1;K2;Slang 3/4\"\"\""));
}

} // namespace
