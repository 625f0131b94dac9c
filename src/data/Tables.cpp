#include "data/Tables.h"

namespace tavisko {

namespace {
Field autoInc(const char *name) { return {QString::fromLatin1(name), FieldKind::AutoInc, 0, true}; }
Field integer(const char *name) { return {QString::fromLatin1(name), FieldKind::Integer}; }
Field smallInt(const char *name) { return {QString::fromLatin1(name), FieldKind::SmallInt}; }
Field floating(const char *name) { return {QString::fromLatin1(name), FieldKind::Float}; }
Field text(const char *name, int size) { return {QString::fromLatin1(name), FieldKind::Text, size}; }
Field memo(const char *name) { return {QString::fromLatin1(name), FieldKind::Memo}; }
Field date(const char *name) { return {QString::fromLatin1(name), FieldKind::Date}; }
Field dateTime(const char *name) { return {QString::fromLatin1(name), FieldKind::DateTime}; }
Field blob(const char *name) { return {QString::fromLatin1(name), FieldKind::Blob}; }
}

FieldList usersFields()
{
    return {autoInc("Id"), text("Naam", 25), text("Aanwezig", 5), text("Paswoord", 10),
            smallInt("CatId"), text("Status", 5), dateTime("Start"), dateTime("Stop"),
            memo("Artikelnummer"), text("Projectnummer", 25), text("Projectnaam", 50),
            blob("Foto"), integer("proj_groep_id"), text("Omschrijving", 50)};
}

FieldList tijdregFields()
{
    return {autoInc("id"), text("Nummer", 15), integer("Klantnummer"), text("Klantnaam", 50),
            text("Chassisnummer", 50), text("Gesloten", 5), integer("Wagennummer"),
            text("Nummerplaat", 10), date("Datum"), memo("Omschrijving"), floating("Kostprijs"),
            floating("Verkprijs"), text("Adres", 30), text("Postcode", 8), text("Woonplaats", 30),
            text("Naampure", 40), integer("proj_groep_id")};
}

FieldList tijdreglijnFields()
{
    return {autoInc("id"), text("Ordernummer", 15), smallInt("CatID"), integer("UserID"),
            text("Usernaam", 30), text("Klantnaam", 50), text("Chassisnummer", 50),
            dateTime("Start"), dateTime("Stop"), memo("Artikelnummer"), floating("Tijd"),
            floating("Tijd2")};
}

FieldList categorieFields()
{
    Field id = smallInt("Id");
    id.required = true;
    return {id, text("Categorie", 30), floating("Kostprijs"), floating("Verkprijs")};
}

FieldList defaultFields()
{
    return {autoInc("Id"), text("Naam", 35), text("Adres", 50), text("Postcode", 8),
            text("Woonplaats", 50), text("Telefoon", 35), text("Fax", 35), text("Email", 50),
            text("Website", 50), text("Btw", 15), text("Hr", 10), smallInt("Paswoordcheck"),
            text("Map", 100), text("EmailText", 250), text("Ordertext1", 250),
            text("Ordertext2", 250), smallInt("AantalKassabon"), text("EmailOnderwerp", 30),
            memo("EmailMemo"), smallInt("Vervaldagen"), text("Printlijntotaal", 5),
            text("Printkopgegevens", 5), text("A1_15", 15), text("A1_30", 30), text("A1_50", 50),
            text("A2_50", 50), text("A3_50", 50), text("A4_50", 50), text("A5_50", 50),
            integer("I2"), integer("I3"), integer("I4"), integer("I5"), integer("I1"),
            floating("N1"), floating("N2"), floating("N3"), floating("N4"), floating("N5"),
            text("Banknummer1", 15), text("Banknummer2", 15), text("Handelsregister", 15),
            text("Download", 50), smallInt("AantalWerkfiches"), smallInt("InterneWerken"),
            text("ProjectKlaar", 5)};
}

FieldList partsFields()
{
    Field nummer = text("nummer", 20);
    nummer.required = true;
    return {nummer, text("omschrijving", 35), floating("verkoopprijs"), floating("aankoopprijs"),
            text("lokatie", 15), floating("instock")};
}

} // namespace tavisko
