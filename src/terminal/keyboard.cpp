#include "terminal/keyboard.h"

#include "data/Dm.h"
#include "terminal/Fonts.h"
#include "terminal/Pictures.h"
#include "widgets/DbImage.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

#include <limits>

namespace tavisko {

namespace {

const QSize outerSize(886, 355);

struct Key {
    const char *name;
    const char *caption;
    const char *characters;
};

} // namespace

TFrmKeyboard::TFrmKeyboard(TDm1 &dm, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("T A V I S K O    S O F T"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    resize(outerSize);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(std::numeric_limits<int>::max());
    Edit1->setFont(boldFont(20));
    // The style sheet also fixes the mask character, which otherwise is the style's
    // (a bullet on most).
    Edit1->setStyleSheet(QStringLiteral("QLineEdit { background-color: yellow; lineedit-password-character: 42; }"));
    Edit1->setGeometry(560, 225, 154, 36);

    const QFont keyFont = boldFont(22);
    auto addKey = [this, &keyFont](QWidget *parent, const Key &key, const QRect &geometry) {
        auto *button = new QToolButton(parent);
        button->setObjectName(QString::fromLatin1(key.name));
        button->setText(QString::fromLatin1(key.caption));
        button->setFont(keyFont);
        // Taps must leave the focus in the entry field, where a scanner types.
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(geometry);
        const QString characters = QString::fromLatin1(key.characters);
        connect(button, &QToolButton::clicked, this, [this, characters] { keyClick(characters); });
    };

    // Letters: typewriter rows, each row half a key further right than the one above.
    auto *letters = new QFrame(this);
    letters->setFrameStyle(QFrame::Panel | QFrame::Raised);
    letters->setGeometry(8, 8, 517, 204);
    const char *const rows[] = {"AZERTYUIOP", "QSDFGHJKLM", "WXCVBN"};
    const int letterPitch = 47;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; rows[row][col]; ++col) {
            const char name[2] = {rows[row][col], 0};
            addKey(letters, {name, name, name},
                   QRect(8 + row * letterPitch / 2 + col * letterPitch, 8 + row * letterPitch, 45, 45));
        }
    }
    addKey(letters, {"SpeedButton37", "", " "}, QRect(8 + letterPitch, 8 + 3 * letterPitch, 321, 45));

    const Key digits[4][3] = {
        {{"Btn7", "7", "7"}, {"Btn8", "8", "8"}, {"Btn9", "9", "9"}},
        {{"Btn4", "4", "4"}, {"Btn5", "5", "5"}, {"Btn6", "6", "6"}},
        {{"Btn1", "1", "1"}, {"Btn2", "2", "2"}, {"Btn3", "3", "3"}},
        {{"PUNT", ".", ","}, {"Btn0", "0", "0"}, {"plus", "+", " + "}},
    };
    const int digitPitch = 52;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 3; ++col)
            addKey(this, digits[row][col], QRect(560 + col * digitPitch, 8 + row * digitPitch, 50, 50));
    }

    // The prompt and the subject read as one sentence.
    auto *caption = new QWidget(this);
    caption->setGeometry(8, 230, 330, 40);
    auto *captionLayout = new QHBoxLayout(caption);
    captionLayout->setContentsMargins(0, 0, 0, 0);
    captionLayout->setSpacing(0);
    LblPaswoord = new QLabel(caption);
    LblPaswoord->setObjectName(QStringLiteral("LblPaswoord"));
    LblPaswoord->setStyleSheet(QStringLiteral("color: red;"));
    LblUser = new QLabel(caption);
    LblUser->setObjectName(QStringLiteral("LblUser"));
    LblUser->setStyleSheet(QStringLiteral("color: blue;"));
    for (QLabel *label : {LblPaswoord, LblUser}) {
        label->setFont(boldFont(13));
        captionLayout->addWidget(label);
    }
    // A long name is cut at the photo rather than pushed over the prompt.
    LblUser->setMinimumWidth(1);
    captionLayout->addStretch();

    DbFoto = new DbImage(dm.DsUsers, QStringLiteral("Foto"), this);
    DbFoto->setObjectName(QStringLiteral("DbFoto"));
    DbFoto->setGeometry(346, 220, 105, 86);

    BitBtn1 = new QPushButton(picture(Picture::Ok), QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setIconSize(QSize(24, 24));
    BitBtn1->setGeometry(459, 230, 89, 65);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    BitBtn2 = new QPushButton(QStringLiteral("<-------  Wissen"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setFont(boldFont(13));
    BitBtn2->setGeometry(724, 225, 138, 36);
    // Clearing must leave the focus in the entry field too, or a scanner's Enter
    // after a clear would land on this button instead of confirming.
    BitBtn2->setFocusPolicy(Qt::NoFocus);
    BitBtn2->setAutoDefault(false);
    connect(BitBtn2, &QPushButton::clicked, this, &TFrmKeyboard::BitBtn2Click);

    setTabOrder(Edit1, BitBtn1);
    Edit1->setFocus();
}

void TFrmKeyboard::setPrompt(const QString &text)
{
    LblPaswoord->setText(text);
}

void TFrmKeyboard::setSubject(const QString &text)
{
    LblUser->setText(text);
}

void TFrmKeyboard::setMasked(bool masked)
{
    Edit1->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
}

void TFrmKeyboard::setPhotoVisible(bool visible)
{
    DbFoto->setVisible(visible);
}

QString TFrmKeyboard::text() const
{
    return Edit1->text();
}

void TFrmKeyboard::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // The outer size includes the frame, which is known only once the window shows.
    resize(outerSize - (frameGeometry().size() - geometry().size()));
    if (const QScreen *desktop = screen())
        move(desktop->geometry().center() - QPoint(outerSize.width() / 2, outerSize.height() / 2));
}

void TFrmKeyboard::keyPressEvent(QKeyEvent *event)
{
    // Only the close box cancels: a stray Esc must not throw away the entry.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFrmKeyboard::keyClick(const QString &characters)
{
    Edit1->setText(Edit1->text() + characters);
}

void TFrmKeyboard::BitBtn2Click()
{
    Edit1->clear();
}

} // namespace tavisko
