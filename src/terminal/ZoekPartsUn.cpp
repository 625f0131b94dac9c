#include "terminal/ZoekPartsUn.h"

#include "core/BookingText.h"
#include "data/Dm.h"
#include "terminal/Fonts.h"
#include "terminal/Guard.h"
#include "terminal/Pictures.h"
#include "terminal/keyboard.h"
#include "widgets/BusyPointer.h"
#include "widgets/DbGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavisko {

namespace {

const QString nummer = QStringLiteral("nummer");
const QString omschrijving = QStringLiteral("omschrijving");

} // namespace

TZkPartsForm::TZkPartsForm(TDm1 &dm, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_dm(dm)
{
    setWindowTitle(QStringLiteral("Tavisko Artikelen Zoeken"));
    setFixedSize(960, 499);

    auto *strip = new QFrame(this);
    strip->setFrameStyle(QFrame::Panel | QFrame::Raised);
    strip->setGeometry(0, 0, 960, 105);

    EditZoek = new QLineEdit(strip);
    EditZoek->setObjectName(QStringLiteral("EditZoek"));
    EditZoek->setFont(boldFont(20));
    EditZoek->setStyleSheet(QStringLiteral("QLineEdit { background-color: yellow; }"));
    EditZoek->setGeometry(8, 8, 360, 34);
    connect(EditZoek, &QLineEdit::textChanged, this, &TZkPartsForm::EditZoekChange);
    EditZoek->installEventFilter(this);

    EditAantal = new QLineEdit(QStringLiteral("1"), strip);
    EditAantal->setObjectName(QStringLiteral("EditAantal"));
    EditAantal->setFont(boldFont(36));
    EditAantal->setGeometry(8, 48, 110, 50);

    UpDown1 = new QWidget(strip);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setGeometry(118, 48, 24, 50);
    auto *arrows = new QVBoxLayout(UpDown1);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    for (const auto &[arrow, delta] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
        auto *button = new QToolButton(UpDown1);
        button->setObjectName(arrow == Qt::UpArrow ? QStringLiteral("UpDown1Up") : QStringLiteral("UpDown1Down"));
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        arrows->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, delta = delta] { stepQuantity(delta); });
    }

    auto addSpeedButton = [strip](const QString &name, Picture which, int x) {
        auto *button = new QToolButton(strip);
        button->setObjectName(name);
        button->setIcon(picture(which));
        button->setIconSize(QSize(64, 64));
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(x, 8, 90, 89);
        return button;
    };
    SpeedButton2 = addSpeedButton(QStringLiteral("SpeedButton2"), Picture::AddDown, 390);
    connect(SpeedButton2, &QToolButton::clicked, this, &TZkPartsForm::SpeedButton2Click);
    SpeedButton1 = addSpeedButton(QStringLiteral("SpeedButton1"), Picture::Keyboard, 490);
    connect(SpeedButton1, &QToolButton::clicked, this, &TZkPartsForm::SpeedButton1Click);

    BitBtn1 = new QPushButton(picture(Picture::Cancel), QStringLiteral("Cancel"), strip);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setIconSize(QSize(24, 24));
    BitBtn1->setGeometry(700, 28, 110, 50);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);

    BitBtnOK = new QPushButton(picture(Picture::Ok), QString(), strip);
    BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
    BitBtnOK->setIconSize(QSize(48, 48));
    BitBtnOK->setGeometry(830, 8, 120, 89);
    BitBtnOK->setDefault(true);
    connect(BitBtnOK, &QPushButton::clicked, this, &TZkPartsForm::BitBtnOKClick);

    memo1 = new QPlainTextEdit(this);
    memo1->setObjectName(QStringLiteral("memo1"));
    memo1->setFont(boldFont(22));
    memo1->setGeometry(0, 105, 960, 113);
    // One empty line, so that the first added article is the second line and the
    // booking text of added articles starts with the comma that separates it from
    // what the employee's record already holds.
    memo1->setPlainText(QStringLiteral("\n"));

    DBGrid3 = new DbGrid(m_dm.DsArtikelen, {nummer, omschrijving, QStringLiteral("verkoopprijs"), QStringLiteral("lokatie")}, this);
    DBGrid3->setObjectName(QStringLiteral("DBGrid3"));
    DBGrid3->setGeometry(0, 218, 960, 281);
    DBGrid3->setFieldWidth(nummer, 230);
    DBGrid3->setFieldWidth(omschrijving, 380);
    DBGrid3->setFieldWidth(QStringLiteral("verkoopprijs"), 90);
    DBGrid3->setFieldWidth(QStringLiteral("lokatie"), 180);
    DBGrid3->setToolTip(QStringLiteral("Klik op de kolomtitels om op meerdere velden te zoeken"));
    connect(DBGrid3, &DbGrid::doubleClicked, this, &TZkPartsForm::BitBtnOKClick);

    setTabOrder(EditZoek, EditAantal);
    setTabOrder(EditAantal, BitBtn1);
    setTabOrder(BitBtn1, BitBtnOK);
    setTabOrder(BitBtnOK, memo1);
    setTabOrder(memo1, DBGrid3);
    EditZoek->setFocus();

    if (const QScreen *desktop = screen())
        move(desktop->geometry().left() + 239, desktop->geometry().top() + 2);
}

QString TZkPartsForm::bookingText() const
{
    return tavisko::bookingText(memo1->toPlainText());
}

bool TZkPartsForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(event);
}

bool TZkPartsForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == EditZoek && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            EditZoekKeyDown(key);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TZkPartsForm::keyPressEvent(QKeyEvent *event)
{
    // Esc in the booked list must not throw the list away.
    if (event->matches(QKeySequence::Cancel) && memo1->hasFocus()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TZkPartsForm::EditZoekChange()
{
    const BusyPointer busy;
    try {
        m_dm.TArtikelen.findNearest(EditZoek->text());
    } catch (const std::exception &) {
        // The next character typed or scanned searches again; a message box here
        // would swallow the rest of a scanned code.
    }
}

void TZkPartsForm::EditZoekKeyDown(int key)
{
    guarded(this, [this, key] {
        if (key == Qt::Key_Up)
            m_dm.TArtikelen.prior();
        else
            m_dm.TArtikelen.next();
    });
}

void TZkPartsForm::SpeedButton2Click()
{
    const TableDataset &articles = m_dm.TArtikelen;
    const QString line = EditAantal->text() + u';' + articles.asString(nummer) + u';' + articles.asString(omschrijving);

    // Lines go after the last line as it stands, also when the user typed one
    // without ending it.
    const QString list = memo1->toPlainText();
    QTextCursor end(memo1->document());
    end.movePosition(QTextCursor::End);
    end.insertText((list.isEmpty() || list.endsWith(u'\n') ? QString() : QStringLiteral("\n")) + line + u'\n');
    memo1->setTextCursor(end);
    memo1->ensureCursorVisible();

    EditZoek->setFocus();
    EditZoek->selectAll();
    EditAantal->setText(QStringLiteral("1"));
}

void TZkPartsForm::SpeedButton1Click()
{
    {
        TFrmKeyboard keyboard(m_dm, this);
        keyboard.setPrompt(QString());
        keyboard.setSubject(QStringLiteral("Artikelnummer "));
        keyboard.setMasked(false);
        keyboard.setPhotoVisible(false);
        if (keyboard.exec() == QDialog::Accepted)
            EditZoek->setText(keyboard.text());
    }
    // Not every platform hands the activation back to the window under a closed
    // modal one; the search field must get the focus again either way.
    activateWindow();
}

void TZkPartsForm::BitBtnOKClick()
{
    accept();
}

void TZkPartsForm::FormActivate()
{
    if (const QScreen *desktop = screen())
        move(x(), desktop->geometry().top() + 2);
    EditZoek->setFocus();
}

void TZkPartsForm::stepQuantity(int delta)
{
    bool shown = false;
    const int number = EditAantal->text().toInt(&shown);
    if (shown)
        m_quantity = number;
    m_quantity = qBound(0, m_quantity + delta, 100);
    EditAantal->setText(QString::number(m_quantity));
}

} // namespace tavisko
