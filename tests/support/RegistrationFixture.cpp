#include "support/RegistrationFixture.h"

namespace tavisko {

RegistrationTest::RegistrationTest()
    : now(QDate(2026, 3, 2), QTime(8, 0))
{
    db.sql().exec(QStringLiteral("INSERT INTO Categorie (Id, Categorie) VALUES (1, 'Montage'), (2, 'Onderhoud')"));
    db.sql().exec(QStringLiteral("INSERT INTO Tijdreg (Nummer, Klantnaam, Naampure, Chassisnummer) VALUES "
                                 "('P1', 'Garage De Smet', 'GarageDeSmet', 'Laadbak'), "
                                 "('P2', 'Taxi Élise', 'TaxiÉlise', 'Remmen')"));
    db.sql().exec(QStringLiteral("INSERT INTO Users (Naam, Paswoord, Status) VALUES ('Jan', 'A1', 'False'), "
                                 "('Piet', 'B2', 'False'), ('Joris', 'C3', NULL)"));
    Terminal t = terminal();
    dm = std::move(t.dm);
    core = std::move(t.core);
}

RegistrationTest::Terminal RegistrationTest::terminal()
{
    Terminal t;
    t.dm = std::make_unique<TDm1>(db.settings());
    RegistrationUi ui;
    ui.showMessage = [this](const QString &text) { messages << text; };
    ui.visible = [this] { ++visibleCalls; };
    ui.busy = [](bool) {};
    t.core = std::make_unique<Registration>(*t.dm, [this] {
        if (onClock)
            onClock();
        return now;
    }, ui);
    return t;
}

void RegistrationTest::chooseEmployee(const QString &name, TDm1 &on)
{
    on.TUsers.refresh();
    if (!on.TUsers.locate(QStringLiteral("Naam"), name))
        throw std::runtime_error("no such employee");
}

void RegistrationTest::chooseProject(const QString &nummer, TDm1 &on)
{
    if (!on.TTijdreg.locate(QStringLiteral("Nummer"), nummer))
        throw std::runtime_error("no such project");
}

QVariant RegistrationTest::user(const QString &name, const QString &column)
{
    return scalar(QStringLiteral("SELECT `%1` FROM Users WHERE Naam = ?").arg(column), {name});
}

} // namespace tavisko
