// The on-screen keyboard as a person uses it: tapping keys, typing or scanning into
// the entry field, confirming and closing.
#include "data/Dm.h"
#include "support/Modal.h"
#include "support/TestDatabase.h"
#include "terminal/keyboard.h"
#include "widgets/DbImage.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <memory>

using namespace tavisko;

namespace {

class KeyboardTest : public DbTest {
protected:
    void SetUp() override { dm = std::make_unique<TDm1>(db.settings()); }

    static void tap(QWidget *window, const QStringList &keys)
    {
        for (const QString &name : keys) {
            auto *key = window->findChild<QAbstractButton *>(name);
            ASSERT_TRUE(key) << name.toStdString();
            QTest::mouseClick(key, Qt::LeftButton);
        }
    }
    static QLineEdit *entry(QWidget *window) { return window->findChild<QLineEdit *>(QStringLiteral("Edit1")); }

    struct Outcome {
        int result;
        QString text;
    };
    // Opens a keyboard window modally, lets `person` use it, and returns how it closed.
    Outcome use(const std::function<void(TFrmKeyboard &)> &configure, const std::function<void(QWidget *)> &person)
    {
        TFrmKeyboard keyboard(*dm);
        configure(keyboard);
        const int result = useModally(keyboard, person);
        return {result, keyboard.text()};
    }

    std::unique_ptr<TDm1> dm;
};

TEST_F(KeyboardTest, TappedKeysAppendAtTheEndWhateverTheCaret)
{
    TFrmKeyboard keyboard(*dm);
    keyboard.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&keyboard));
    QLineEdit *edit = entry(&keyboard);
    ASSERT_TRUE(edit);
    EXPECT_EQ(keyboard.windowTitle(), QStringLiteral("T A V I S K O    S O F T"));
    EXPECT_EQ(keyboard.frameGeometry().size(), QSize(886, 355));
    EXPECT_EQ(QApplication::focusWidget(), edit);

    const struct { QStringList keys; const char *text; } cases[] = {
        {{"PUNT", "Btn5"}, ",5"},
        {{"Btn1", "plus", "Btn2"}, "1 + 2"},
        {{"A", "Z", "E", "R", "T", "Y", "U", "I", "O", "P", "SpeedButton37", "Q", "S", "D", "F", "G", "H", "J",
          "K", "L", "M", "W", "X", "C", "V", "B", "N"},
         "AZERTYUIOP QSDFGHJKLMWXCVBN"},
        {{"Btn0", "Btn1", "Btn2", "Btn3", "Btn4", "Btn5", "Btn6", "Btn7", "Btn8", "Btn9"}, "0123456789"},
    };
    for (const auto &c : cases) {
        tap(&keyboard, {QStringLiteral("BitBtn2")});
        EXPECT_EQ(keyboard.text(), QString());
        tap(&keyboard, c.keys);
        EXPECT_EQ(keyboard.text(), QString::fromLatin1(c.text));
        EXPECT_EQ(QApplication::focusWidget(), edit) << "a key took the focus";
    }

    tap(&keyboard, {QStringLiteral("BitBtn2")});
    QTest::keyClicks(edit, QStringLiteral("ab"));
    edit->setCursorPosition(0);
    tap(&keyboard, {QStringLiteral("X"), QStringLiteral("PUNT")});
    EXPECT_EQ(keyboard.text(), QStringLiteral("abX,"));
}

TEST_F(KeyboardTest, ClosesWithOkByButtonOrEnterAndWithCancelByTheCloseBoxOnly)
{
    const auto plain = [](TFrmKeyboard &) {};
    const struct {
        const char *name;
        std::function<void(TFrmKeyboard &)> configure;
        std::function<void(QWidget *)> person;
        int result;
        const char *text;
    } cases[] = {
        {"OK on an empty entry", plain, [](QWidget *w) { tap(w, {"BitBtn1"}); }, QDialog::Accepted, ""},
        {"masked entry", [](TFrmKeyboard &k) { k.setMasked(true); },
         [](QWidget *w) {
             tap(w, {"A", "B", "Btn1"});
             EXPECT_EQ(entry(w)->displayText(), QStringLiteral("***"));
             tap(w, {"BitBtn1"});
         },
         QDialog::Accepted, "AB1"},
        {"scanned code ending with Enter", plain,
         [](QWidget *w) {
             QTest::keyClicks(entry(w), QStringLiteral("ab12"));
             QTest::keyClick(entry(w), Qt::Key_Return);
         },
         QDialog::Accepted, "ab12"},
        {"Esc, then the close box", plain,
         [](QWidget *w) {
             tap(w, {"Btn4"});
             QTest::keyClick(entry(w), Qt::Key_Escape);
             EXPECT_TRUE(w->isVisible()) << "Esc closed the window";
             EXPECT_EQ(entry(w)->text(), QStringLiteral("4"));
             w->close();
         },
         QDialog::Rejected, "4"},
    };
    for (const auto &c : cases) {
        const Outcome outcome = use(c.configure, c.person);
        EXPECT_EQ(outcome.result, c.result) << c.name;
        EXPECT_EQ(outcome.text, QString::fromLatin1(c.text)) << c.name;
    }
}

TEST_F(KeyboardTest, EverySecondOpeningStartsEmpty)
{
    const auto plain = [](TFrmKeyboard &) {};
    use(plain, [](QWidget *w) {
        tap(w, {"Btn9", "Btn9"});
        tap(w, {"BitBtn1"});
    });
    use(plain, [](QWidget *w) {
        EXPECT_EQ(entry(w)->text(), QString());
        EXPECT_EQ(QApplication::focusWidget(), entry(w));
        tap(w, {"BitBtn1"});
    });
}

TEST_F(KeyboardTest, ShowsTheCurrentEmployeesPhotoUnlessHidden)
{
    QImage photo(20, 10, QImage::Format_RGB32);
    photo.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "PNG");
    db.sql().exec(QStringLiteral("INSERT INTO Users (Naam, Foto) VALUES ('Jan', ?)"), {png});
    dm->TUsers.refresh();
    dm->TUsers.first();

    TFrmKeyboard keyboard(*dm);
    keyboard.setPrompt(QStringLiteral(" Geef het paswoord voor "));
    keyboard.setSubject(QStringLiteral("Jan"));
    keyboard.show();
    auto *foto = keyboard.findChild<DbImage *>(QStringLiteral("DbFoto"));
    ASSERT_TRUE(foto);
    EXPECT_TRUE(foto->isVisible());
    EXPECT_EQ(foto->size(), QSize(105, 86));
    EXPECT_EQ(foto->image().size(), QSize(20, 10));
    const QImage shown = foto->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(shown.width() / 2, shown.height() / 2)), QColor(Qt::red));
    EXPECT_NE(QColor(shown.pixel(shown.width() / 2, 10)), QColor(Qt::red)) << "the photo is not centred";

    const auto *prompt = keyboard.findChild<QLabel *>(QStringLiteral("LblPaswoord"));
    const auto *subject = keyboard.findChild<QLabel *>(QStringLiteral("LblUser"));
    EXPECT_EQ(prompt->text(), QStringLiteral(" Geef het paswoord voor "));
    EXPECT_EQ(subject->text(), QStringLiteral("Jan"));
    EXPECT_EQ(subject->mapTo(&keyboard, QPoint()).x(), prompt->mapTo(&keyboard, QPoint()).x() + prompt->width());

    keyboard.setPhotoVisible(false);
    EXPECT_FALSE(foto->isVisible());
}

} // namespace
