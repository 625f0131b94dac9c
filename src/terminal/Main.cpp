#include "terminal/Main.h"

#include "core/Format.h"
#include "core/Text.h"
#include "data/Dm.h"
#include "data/Tables.h"
#include "db/DbError.h"
#include "terminal/Guard.h"
#include "terminal/Pictures.h"
#include "terminal/ZoekPartsUn.h"
#include "terminal/keyboard.h"
#include "widgets/BusyPointer.h"
#include "widgets/TileGrid.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QProxyStyle>
#include <QScopeGuard>
#include <QScreen>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

namespace tavisko {

namespace {
constexpr int tileColumns = 6;
constexpr int employeeRows = 5;
constexpr int gridHeight = 515;

const QColor projectTileColour(185, 200, 187);
const QColor scanFieldColour(255, 255, 128);

// Hints show 100 ms after the pointer rests on a control, for every window.
class HintStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 100;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QToolButton *bigButton(const QString &caption, const QString &hint, const QIcon &picture, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setText(caption);
    button->setToolTip(hint);
    button->setToolTipDuration(2000);
    button->setIcon(picture);
    button->setIconSize(QSize(40, 40));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFixedSize(96, 78);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QString fieldText(const TableDataset &dataset, const QVariantList &record, const char *name)
{
    const QVariant value = record.at(dataset.fieldIndex(QString::fromLatin1(name)));
    return value.isNull() ? QString() : value.toString();
}

QFont sized(const QFont &base, qreal factor, bool bold)
{
    QFont font = base;
    font.setPointSizeF(base.pointSizeF() * factor);
    font.setBold(bold);
    return font;
}

TileGrid *tileGrid(QWidget *parent, TableDataset &dataset, const QString &hint)
{
    auto *grid = new TileGrid(parent);
    grid->setDataset(&dataset);
    grid->setColumnCount(tileColumns);
    grid->setFixedHeight(gridHeight);
    grid->setToolTip(hint);
    grid->setToolTipDuration(2000);
    return grid;
}

void drawTilePanel(QPainter &painter, const QRect &tile, const QColor &fill)
{
    const QRect panel = tile.adjusted(1, 1, -2, -2);
    painter.fillRect(panel, fill);
    painter.setPen(QColor(255, 255, 255));
    painter.drawLine(panel.topLeft(), panel.topRight());
    painter.drawLine(panel.topLeft(), panel.bottomLeft());
    painter.setPen(QColor(96, 96, 96));
    painter.drawLine(panel.bottomLeft(), panel.bottomRight());
    painter.drawLine(panel.topRight(), panel.bottomRight());
}

// One line of a tile: cut with an ellipsis where the tile is too narrow.
int drawTileLine(QPainter &painter, const QRect &area, int top, const QString &text, const QFont &font, const QColor &colour)
{
    painter.setFont(font);
    painter.setPen(colour);
    const QFontMetrics metrics(font);
    const QRect line(area.left(), top, area.width(), metrics.height());
    painter.drawText(line, Qt::AlignHCenter | Qt::AlignVCenter, metrics.elidedText(text, Qt::ElideRight, area.width()));
    return top + metrics.height();
}
}

TFrmMain::TFrmMain(TDm1 &dm, Clock clock, QWidget *parent)
    : QMainWindow(parent),
      m_dm(dm),
      m_clock(clock),
      m_registration(dm, clock,
                     RegistrationUi{[this](const QString &text) { QMessageBox::information(this, windowTitle(), text); },
                                    [this] { visible(); },
                                    [this](bool on) {
                                        if (on)
                                            m_busy.emplace();
                                        else
                                            m_busy.reset();
                                    }})
{
    setWindowTitle(QStringLiteral("Tavisko "));
    resize(964, 695);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    QMenu *pauze = menuBar()->addMenu(QStringLiteral("P&auze"));
    pauze->addAction(QStringLiteral("Alle werken &Stoppen"), this, [this] { guarded(this, [this] { allestoppenClick(); }); });

    auto *central = new QWidget(this);
    setCentralWidget(central);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *header = new QWidget(central);
    header->setFixedHeight(33);
    header->setAutoFillBackground(true);
    QPalette headerPalette = header->palette();
    headerPalette.setColor(QPalette::Window, QColor(166, 202, 240));
    header->setPalette(headerPalette);
    auto *headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(8, 0, 8, 0);
    QFont headerFont(QStringLiteral("Comic Sans MS"), 16, QFont::Bold);
    Label2 = new QLabel(QStringLiteral("datum"), header);
    lblKop = new QLabel(header);
    Label3 = new QLabel(QStringLiteral("tijd"), header);
    for (QLabel *label : {Label2, lblKop, Label3})
        label->setFont(headerFont);
    lblKop->setAlignment(Qt::AlignCenter);
    Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    headerLayout->addWidget(Label2, 1);
    headerLayout->addWidget(lblKop, 1);
    headerLayout->addWidget(Label3, 1);
    layout->addWidget(header);

    auto *mainArea = new QWidget(central);
    QFont bold = mainArea->font();
    bold.setBold(true);
    mainArea->setFont(bold);
    auto *mainLayout = new QVBoxLayout(mainArea);
    mainLayout->setContentsMargins(0, 4, 0, 0);
    mainLayout->setSpacing(4);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 0, 4, 0);
    BtnStart = bigButton(QStringLiteral("F1"), QStringLiteral("Start Project Werk"), picture(Picture::Start), mainArea);
    BtnStop = bigButton(QStringLiteral("F4"), QStringLiteral("Lopend werk Stoppen"), picture(Picture::Stop), mainArea);
    BtnScannen = bigButton(QStringLiteral("Scannen"), QStringLiteral("Artikelen scannen"), picture(Picture::Barcode), mainArea);
    SpeedButton1 = bigButton(QStringLiteral("Refresh"), QStringLiteral("Vernieuw Data"), picture(Picture::Refresh), mainArea);
    BtnEscape = bigButton(QStringLiteral(" Esc"), QStringLiteral("Terug"), picture(Picture::Back), mainArea);
    BtnAfsluiten = bigButton(QStringLiteral("Afsluiten"), QStringLiteral("Programma volledig afsluiten"), picture(Picture::Quit), mainArea);
    BtnEscape->setFocusPolicy(Qt::TabFocus);
    for (QToolButton *button : {BtnStart, BtnStop, BtnScannen, SpeedButton1, BtnEscape})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(BtnAfsluiten);
    mainLayout->addLayout(buttons);

    scanveld = new QLineEdit(mainArea);
    scanveld->setFixedSize(193, 28);
    QPalette scanPalette = scanveld->palette();
    scanPalette.setColor(QPalette::Base, scanFieldColour);
    scanveld->setPalette(scanPalette);
    scanveld->installEventFilter(this);
    auto *scanRow = new QHBoxLayout;
    scanRow->setContentsMargins(4, 0, 4, 0);
    scanRow->addWidget(scanveld);
    scanRow->addStretch(1);
    mainLayout->addLayout(scanRow);
    mainLayout->addStretch(1);

    GridUsers = tileGrid(mainArea, m_dm.TUsers, QStringLiteral("selekteer een werknemer"));
    GridUsers->setRowCount(employeeRows);
    const TableDataset &users = m_dm.TUsers;
    const QFont small = sized(bold, 0.85, false);
    GridUsers->setTilePainter([&users, bold, small](QPainter &painter, const QRect &tile, const QVariantList &record, bool current) {
        drawTilePanel(painter, tile, current ? QColor(255, 236, 160) : QColor(236, 233, 216));
        const QRect area = tile.adjusted(4, 4, -4, -4);
        const QColor blue(0, 0, 255);
        const QVariant start = record.at(users.fieldIndex(QStringLiteral("Start")));
        int top = area.top();
        top = drawTileLine(painter, area, top, fieldText(users, record, "Naam"), bold, Qt::black);
        top = drawTileLine(painter, area, top, start.isNull() ? QString() : formatDateTime(start.toDateTime()), small, blue);
        top = drawTileLine(painter, area, top, fieldText(users, record, "Projectnummer"), bold, blue);
        top = drawTileLine(painter, area, top, fieldText(users, record, "Projectnaam"), small, blue);
        drawTileLine(painter, area, top, fieldText(users, record, "Omschrijving"), small, blue);
    });
    connect(GridUsers, &TileGrid::tileClicked, this, [this] { guarded(this, [this] { GridUsersClick(); }); });

    GridOrders = tileGrid(mainArea, m_dm.TTijdreg, QStringLiteral("Selekteer een project"));
    const TableDataset &projects = m_dm.TTijdreg;
    const QFont large = sized(bold, 1.6, true);
    GridOrders->setTilePainter([&projects, large, small](QPainter &painter, const QRect &tile, const QVariantList &record, bool current) {
        drawTilePanel(painter, tile, current ? QColor(255, 0, 0) : projectTileColour);
        const QRect area = tile.adjusted(4, 2, -4, -2);
        int top = area.top();
        top = drawTileLine(painter, area, top, fieldText(projects, record, "Nummer"), large, Qt::black);
        top = drawTileLine(painter, area, top, fieldText(projects, record, "Klantnaam"), small, Qt::black);
        drawTileLine(painter, area, top, fieldText(projects, record, "Chassisnummer"), small, Qt::black);
    });
    connect(GridOrders, &TileGrid::tileClicked, this, [this] { GridOrdersClick(); });

    mainLayout->addWidget(GridUsers);
    mainLayout->addWidget(GridOrders);
    layout->addWidget(mainArea, 1);

    QWidget::setTabOrder(GridUsers, GridOrders);
    QWidget::setTabOrder(GridOrders, BtnEscape);
    QWidget::setTabOrder(BtnEscape, scanveld);

    connect(BtnStart, &QToolButton::clicked, this, [this] { guarded(this, [this] { BtnStartClick(); }); });
    connect(BtnStop, &QToolButton::clicked, this, [this] { guarded(this, [this] { BtnStopClick(); }); });
    connect(BtnScannen, &QToolButton::clicked, this, [this] { guarded(this, [this] { BtnScannenClick(); }); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { guarded(this, [this] { SpeedButton1Click(); }); });
    connect(BtnEscape, &QToolButton::clicked, this, [this] { BtnEscapeClick(); });
    connect(BtnAfsluiten, &QToolButton::clicked, this, [this] { BtnAfsluitenClick(); });

    // F1, F4 and Esc act in both modes, whatever control has the focus and also
    // while their buttons are hidden: the window sees every key before its controls.
    qApp->installEventFilter(this);

    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &TFrmMain::Timer1Timer);

    const QList<QWidget *> named = {Label2, lblKop, Label3, BtnStart, BtnStop, BtnScannen, SpeedButton1,
                                    BtnEscape, BtnAfsluiten, scanveld, GridUsers, GridOrders};
    const QStringList names = {QStringLiteral("Label2"), QStringLiteral("lblKop"), QStringLiteral("Label3"),
                               QStringLiteral("BtnStart"), QStringLiteral("BtnStop"), QStringLiteral("BtnScannen"),
                               QStringLiteral("SpeedButton1"), QStringLiteral("BtnEscape"), QStringLiteral("BtnAfsluiten"),
                               QStringLiteral("scanveld"), QStringLiteral("GridUsers"), QStringLiteral("GridOrders")};
    for (int i = 0; i < named.size(); ++i)
        named.at(i)->setObjectName(names.at(i));

    FormCreate();
}

void TFrmMain::FormCreate()
{
    if (!dynamic_cast<HintStyle *>(QApplication::style()))
        QApplication::setStyle(new HintStyle);
    QPalette hints = QToolTip::palette();
    hints.setColor(QPalette::ToolTipBase, QColor(255, 255, 0));
    hints.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(hints);

    GridOrders->setRowCount(projectRows(m_dm.TTijdreg.rowCount()));
    visible();
    Timer1.start();
}

int TFrmMain::projectRows(int projectCount)
{
    const int q = projectCount / tileColumns;
    return q > 4 ? q + 1 : 5;
}

QString TFrmMain::dateLabel(const QDate &date)
{
    QString text = formatLongDate(date);
    if (!text.isEmpty() && text.at(0) >= u'a' && text.at(0) <= u'z')
        text[0] = text.at(0).toUpper();
    return text.left(31);
}

void TFrmMain::visible()
{
    // Hide before show: with both grids shown for a moment the window would grow
    // to hold them and keep that height.
    GridOrders->hide();
    GridUsers->show();
    BtnStart->hide();
    BtnStop->hide();
    BtnScannen->hide();
    lblKop->setText(QStringLiteral("Prikmeter"));
    BtnEscape->hide();
}

void TFrmMain::unvisible()
{
    GridUsers->hide();
    GridOrders->show();
    BtnStart->show();
    BtnStop->show();
    BtnScannen->show();
    BtnEscape->show();
}

void TFrmMain::setfocus()
{
    scanveld->setFocus();
    scanveld->selectAll();
}

bool TFrmMain::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(event);
}

void TFrmMain::FormActivate()
{
    Label2->setText(dateLabel(m_clock().date()));
    setfocus();
}

bool TFrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this) {
        if (FormKeyDown(static_cast<QKeyEvent *>(event)))
            return true;
    }
    // A scanner's Enter in the scan field only moves the focus on: the field's text
    // is never used.
    if (watched == scanveld && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            focusNextPrevChild(!(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TFrmMain::FormKeyDown(QKeyEvent *key)
{
    void (TFrmMain::*action)() = nullptr;
    switch (key->key()) {
    case Qt::Key_F1:
        action = &TFrmMain::BtnStartClick;
        break;
    case Qt::Key_F4:
        action = &TFrmMain::BtnStopClick;
        break;
    case Qt::Key_Escape:
        action = &TFrmMain::BtnEscapeClick;
        break;
    default:
        return false;
    }
    // A key held down must not start and stop again and again.
    if (!key->isAutoRepeat())
        guarded(this, [this, action] { (this->*action)(); });
    return true;
}

void TFrmMain::Timer1Timer()
{
    Label3->setText(formatLongTime(m_clock().time()));
    try {
        m_dm.TUsers.refresh();
    } catch (const DbError &error) {
        // The tick goes on under an open message box; an outage must not stack a new
        // box every second. Later ticks retry quietly until the server answers.
        if (m_reloadErrorOpen)
            return;
        m_reloadErrorOpen = true;
        QMessageBox::critical(this, windowTitle(), error.message());
        m_reloadErrorOpen = false;
    }
}

void TFrmMain::GridUsersClick()
{
    setfocus();
    m_dm.TTijdreg.first();
    const auto applyRowRule = qScopeGuard([this] { GridOrders->setRowCount(projectRows(m_dm.TTijdreg.rowCount())); });
    if (m_dm.TDefault.asInteger(QStringLiteral("Paswoordcheck")) == 1) {
        if (passwordAccepted())
            enterProjectGrid();
    } else {
        enterProjectGrid();
    }
}

bool TFrmMain::passwordAccepted()
{
    TFrmKeyboard keyboard(m_dm, this);
    keyboard.setPrompt(QStringLiteral(" Geef het paswoord voor "));
    keyboard.setSubject(m_dm.TUsers.asString(QStringLiteral("Naam")));
    keyboard.setMasked(true);
    keyboard.setPhotoVisible(true);
    if (keyboard.exec() != QDialog::Accepted)
        return false;
    if (m_dm.TUsers.asString(QStringLiteral("Paswoord")) == upperCaseAZ(keyboard.text()))
        return true;
    QMessageBox::information(this, windowTitle(), QStringLiteral("! Verkeerd paswoord...!"));
    return false;
}

void TFrmMain::enterProjectGrid()
{
    lblKop->setText(m_dm.TUsers.asString(QStringLiteral("Naam")));
    unvisible();
    GridOrders->setFixedHeight(GridUsers->height());
    GridOrders->ensureVisible(m_dm.TTijdreg.currentRow());
    GridOrders->viewport()->update();
}

void TFrmMain::GridOrdersClick()
{
    setfocus();
}

void TFrmMain::BtnStartClick()
{
    m_registration.startRequest();
}

void TFrmMain::BtnStopClick()
{
    m_registration.stoppen();
}

void TFrmMain::BtnScannenClick()
{
    TableDataset &users = m_dm.TUsers;
    if (users.asString(QStringLiteral("Status")) != statusWorking)
        return;
    {
        TZkPartsForm search(m_dm, this);
        if (search.exec() == QDialog::Accepted) {
            try {
                users.edit();
                users.setValue(QStringLiteral("Artikelnummer"), users.asString(QStringLiteral("Artikelnummer")) + search.bookingText());
                users.post();
            } catch (const DbError &) {
                users.cancel();
            }
        }
    }
    visible();
}

void TFrmMain::SpeedButton1Click()
{
    m_dm.TUsers.refresh();
    m_dm.TTijdreg.refresh();
    m_dm.TDefault.refresh();
}

void TFrmMain::BtnEscapeClick()
{
    visible();
}

void TFrmMain::BtnAfsluitenClick()
{
    QMessageBox confirm(QMessageBox::Question, windowTitle(),
                        QStringLiteral("Bent je zeker om het programma af te sluiten? ! let op de gestarte tijden blijven doorlopen "),
                        QMessageBox::Yes | QMessageBox::No, this);
    confirm.setDefaultButton(QMessageBox::Yes);
    confirm.setEscapeButton(QMessageBox::No);
    if (confirm.exec() == QMessageBox::No)
        return;
    close();
}

void TFrmMain::allestoppenClick()
{
    m_registration.stopAll();
}

} // namespace tavisko
