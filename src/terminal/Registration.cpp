#include "terminal/Registration.h"

#include "core/DayNumber.h"
#include "core/WorkedTime.h"
#include "data/Dm.h"
#include "data/Tables.h"
#include "db/DbError.h"

#include <QScopeGuard>

namespace tavisko {

namespace {
bool isWorking(const TableDataset &users)
{
    return users.asString(QStringLiteral("Status")) == statusWorking;
}
}

Registration::Registration(TDm1 &dm, Clock clock, RegistrationUi ui)
    : m_dm(dm), m_clock(std::move(clock)), m_ui(std::move(ui))
{
}

void Registration::starten()
{
    TableDataset &users = m_dm.TUsers;
    users.disableControls();
    const auto done = qScopeGuard([&] {
        users.enableControls();
        m_ui.visible();
    });
    try {
        users.edit();
        users.setValue(QStringLiteral("Start"), m_clock());
        users.setValue(QStringLiteral("Status"), statusWorking);
        users.setValue(QStringLiteral("Projectnummer"), m_dm.TTijdreg.asString(QStringLiteral("Nummer")));
        users.setValue(QStringLiteral("Projectnaam"), m_dm.TTijdreg.asString(QStringLiteral("Naampure")));
        users.setValue(QStringLiteral("Omschrijving"), m_dm.TTijdreg.asString(QStringLiteral("Chassisnummer")));
        users.setValue(QStringLiteral("CatId"), m_dm.TCategorie.asInteger(QStringLiteral("Id")));
        users.post();
    } catch (const DbError &) {
        users.cancel();
        m_ui.showMessage(QStringLiteral("Kon niet starten"));
    }
    users.refresh();
}

bool Registration::stoppen()
{
    TableDataset &users = m_dm.TUsers;
    TableDataset &lines = m_dm.TTijdreglijn;
    if (!isWorking(users)) {
        m_ui.visible();
        return true;
    }
    lines.disableControls();
    users.disableControls();
    const auto done = qScopeGuard([&] {
        users.enableControls();
        lines.enableControls();
        m_ui.visible();
    });
    const bool stopped = writeStop();
    users.refresh();
    lines.refresh();
    return stopped;
}

bool Registration::writeStop()
{
    TableDataset &users = m_dm.TUsers;
    TableDataset &lines = m_dm.TTijdreglijn;
    try {
        // The reset comes first and only matches the stint this terminal read, so
        // that two terminals stopping one stint write one time line: the second
        // finds no working row, rolls back and writes nothing. Reset and time line
        // commit together or not at all.
        m_dm.mySQLDatabase1.transaction([&](int attempt) {
            if (attempt > 0) {
                lines.cancel();
                users.cancel();
                users.refresh();
                if (!isWorking(users))
                    return;
            }
            const QDateTime start = users.asDateTime(QStringLiteral("Start"));
            const QVariant storedStart = users.value(QStringLiteral("Start"));
            const QVariantList stint = {users.value(QStringLiteral("Projectnummer")), users.value(QStringLiteral("CatId")),
                                        users.value(QStringLiteral("Id")), users.value(QStringLiteral("Naam")),
                                        users.value(QStringLiteral("Projectnaam")), users.value(QStringLiteral("Omschrijving")),
                                        users.value(QStringLiteral("Artikelnummer"))};
            const QDateTime stop = m_clock();

            users.edit();
            users.setValue(QStringLiteral("Status"), statusStopped);
            users.setValue(QStringLiteral("Start"), QVariant());
            users.setValue(QStringLiteral("Projectnummer"), QString());
            users.setValue(QStringLiteral("Artikelnummer"), QString());
            users.setValue(QStringLiteral("Projectnaam"), QString());
            users.setValue(QStringLiteral("Omschrijving"), QString());
            if (!users.post({{QStringLiteral("Status"), statusWorking}, {QStringLiteral("Start"), storedStart}}))
                return;

            lines.append();
            lines.setValue(QStringLiteral("Stop"), stop);
            lines.setValue(QStringLiteral("Ordernummer"), stint.at(0));
            lines.setValue(QStringLiteral("CatID"), stint.at(1).isNull() ? QVariant() : QVariant(stint.at(1).toInt()));
            lines.setValue(QStringLiteral("UserID"), stint.at(2));
            lines.setValue(QStringLiteral("Usernaam"), stint.at(3));
            lines.setValue(QStringLiteral("Start"), storedStart);
            lines.setValue(QStringLiteral("Klantnaam"), stint.at(4));
            lines.setValue(QStringLiteral("Chassisnummer"), stint.at(5));
            lines.setValue(QStringLiteral("Artikelnummer"), stint.at(6));
            const QDateTime end = m_clock();
            lines.setValue(QStringLiteral("Tijd"), workedSeconds(toDayNumber(start), toDayNumber(end)));
            lines.setValue(QStringLiteral("Tijd2"), workedHours(lines.asFloat(QStringLiteral("Tijd"))));
            lines.post();
        });
        return true;
    } catch (const DbError &) {
        // A time line still pending here was never saved: it is discarded, not
        // left for the reload to meet.
        lines.cancel();
        users.cancel();
        m_ui.showMessage(QStringLiteral("Kan niet stoppen "));
        return false;
    }
}

void Registration::startRequest()
{
    const TableDataset &users = m_dm.TUsers;
    if (!isWorking(users)) {
        starten();
    } else if (users.asString(QStringLiteral("Projectnummer")) != m_dm.TTijdreg.asString(QStringLiteral("Nummer"))) {
        // A switch starts the new stint only when the old one got its time line.
        if (stoppen())
            starten();
    } else {
        starten();
    }
}

void Registration::stopAll()
{
    TableDataset &users = m_dm.TUsers;
    m_ui.busy(true);
    users.disableControls();
    const auto done = qScopeGuard([&] {
        users.enableControls();
        m_ui.busy(false);
    });
    users.first();
    while (!users.eof()) {
        stoppen();
        users.next();
    }
}

} // namespace tavisko
