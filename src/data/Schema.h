#pragma once

namespace tavisko {

class Database;

// Creates the six tables where they are absent; changes nothing that exists.
void applySchema(Database &db);

} // namespace tavisko
