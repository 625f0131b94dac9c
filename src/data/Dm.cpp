#include "data/Dm.h"

#include "core/Text.h"
#include "data/Tables.h"

namespace tavisko {

namespace {
using Fetch = TableDataset::Fetch;

FieldList kopieUsersFields()
{
    FieldList fields = usersFields();
    fields[0].kind = FieldKind::Integer;
    fields[0].required = true;
    return fields;
}

FieldList overzichtFields()
{
    return {{QStringLiteral("UserId"), FieldKind::Integer},
            {QStringLiteral("Usernaam"), FieldKind::Text, 30},
            {QStringLiteral("Dagtotaal"), FieldKind::Float}};
}
}

TDm1::TDm1(const ConnectionSettings &settings, QObject *parent)
    : QObject(parent),
      mySQLDatabase1(settings),
      TTijdreg(mySQLDatabase1, QStringLiteral("Tijdreg"), tijdregFields(), QStringLiteral("id"), Fetch::Whole, this),
      // Time lines and articles grow without end: only the records looked at are read.
      TTijdreglijn(mySQLDatabase1, QStringLiteral("Tijdreglijn"), tijdreglijnFields(), QStringLiteral("id"), Fetch::OnDemand, this),
      TKopieTijdreglijn(mySQLDatabase1, QStringLiteral("Tijdreglijn"), tijdreglijnFields(), QStringLiteral("id"), Fetch::OnDemand, this),
      TArtikelen(mySQLDatabase1, QStringLiteral("parts"), partsFields(), QStringLiteral("nummer"), Fetch::OnDemand, this),
      TDefault(mySQLDatabase1, QStringLiteral("Default"), defaultFields(), QStringLiteral("Id"), Fetch::Whole, this),
      TUsers(mySQLDatabase1, QStringLiteral("Users"), usersFields(), QStringLiteral("Id"), Fetch::Whole, this),
      TKopieUsers(mySQLDatabase1, QStringLiteral("Users"), kopieUsersFields(), QStringLiteral("Id"), Fetch::Whole, this),
      TCategorie(mySQLDatabase1, QStringLiteral("Categorie"), categorieFields(), QStringLiteral("Id"), Fetch::Whole, this),
      TKopieCategorie(mySQLDatabase1, QStringLiteral("Categorie"), categorieFields(), QStringLiteral("Id"), Fetch::Whole, this),
      QPrinten(mySQLDatabase1, tijdreglijnFields(), {QStringLiteral("select * from Tijdreglijn")}, this),
      QOverzichtPerDag(mySQLDatabase1, overzichtFields(),
                       {QStringLiteral("Select UserId, Usernaam,Sum(Tijd)  as Dagtotaal from Tijdreglijn"),
                        QStringLiteral("Group by UserId,Usernaam")},
                       this)
{
    mySQLDatabase1.open();
    for (TableDataset *dataset : {&TTijdreg, &TTijdreglijn, &TKopieTijdreglijn, &TArtikelen, &TDefault,
                                  &TUsers, &TKopieUsers, &TCategorie, &TKopieCategorie})
        dataset->open();
}

QString TDm1::DelTekens(const QString &text)
{
    return tavisko::DelTekens(text);
}

} // namespace tavisko
