#pragma once

#include "db/ConnectionSettings.h"
#include "db/DataSource.h"
#include "db/Database.h"
#include "db/QueryDataset.h"
#include "db/TableDataset.h"

#include <QObject>

namespace tavisko {

// The data module: the one connection of the program and every dataset the screens
// share. Created once at start and handed to the windows that need it; they move,
// read, edit and reload its datasets but never own one. Construction connects and
// opens the nine table datasets in a fixed order and throws DbError when the
// server or a table cannot be opened.
class TDm1 : public QObject {
    Q_OBJECT
public:
    explicit TDm1(const ConnectionSettings &settings, QObject *parent = nullptr);

    static QString DelTekens(const QString &text);

    Database mySQLDatabase1;

    TableDataset TTijdreg;
    TableDataset TTijdreglijn;
    TableDataset TKopieTijdreglijn;
    TableDataset TArtikelen;
    TableDataset TDefault;
    TableDataset TUsers;
    TableDataset TKopieUsers;
    TableDataset TCategorie;
    TableDataset TKopieCategorie;

    QueryDataset QPrinten;
    QueryDataset QOverzichtPerDag;

    DataSource DsTijdreg{&TTijdreg};
    DataSource DsUsers{&TUsers};
    DataSource DsDefault{&TDefault};
    DataSource DsArtikelen{&TArtikelen};
    DataSource DsPrinten{&QPrinten};
    DataSource DsKopieUsers{&TKopieUsers};
    DataSource DsKopieCategorie{&TKopieCategorie};
};

} // namespace tavisko
