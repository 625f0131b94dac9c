#pragma once

namespace tavisko {

class Dataset;

// What bound controls attach to: one dataset, named after the screens' data sources.
// The data module owns both; a control never owns either.
struct DataSource {
    Dataset *dataset = nullptr;
};

} // namespace tavisko
