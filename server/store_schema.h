#pragma once

// The leaderboard's schema as numbered migrations, in each database's own
// words for the same tables. A store applies, each in a transaction of its
// own, every migration above the number in its schema_version table, and
// records the number with it; a database already newer than the server is
// refused rather than written.

#include <string>
#include <vector>

class store_schema {
public:
    enum class dialect { sqlite, postgresql };

    // The statements of migration 1, 2, ... in order; each entry one migration.
    static const std::vector<std::vector<std::string>>& migrations(dialect d);
};
