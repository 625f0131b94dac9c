#pragma once

#include "db/Field.h"

namespace tavisko {

// The declared columns of the six tables, in the order the schema creates them.
FieldList usersFields();
FieldList tijdregFields();
FieldList tijdreglijnFields();
FieldList categorieFields();
FieldList defaultFields();
FieldList partsFields();

// Work status texts stored in Users.Status; only the exact text "True" is working.
inline const QString statusWorking = QStringLiteral("True");
inline const QString statusStopped = QStringLiteral("False");

} // namespace tavisko
