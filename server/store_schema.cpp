#include "store_schema.h"

namespace {

// Ranking reads bests alone: one row per player and level, kept by add_run.
std::vector<std::vector<std::string>> written_for(const std::string& id_column, const std::string& id_type)
{
    return {{
        "CREATE TABLE players (id " + id_column +
            ", name TEXT NOT NULL UNIQUE, salt TEXT NOT NULL, secret_hash TEXT NOT NULL, registered TEXT NOT NULL)",
        "CREATE TABLE runs (id " + id_column + ", player_id " + id_type +
            " NOT NULL REFERENCES players (id), level TEXT NOT NULL, level_file TEXT NOT NULL, "
            "time DOUBLE PRECISION NOT NULL, coins INTEGER NOT NULL, submitted TEXT NOT NULL, replay TEXT NOT NULL)",
        "CREATE TABLE bests (level TEXT NOT NULL, player_id " + id_type + " NOT NULL REFERENCES players (id), run_id " +
            id_type + " NOT NULL REFERENCES runs (id), time DOUBLE PRECISION NOT NULL, PRIMARY KEY (level, player_id))",
        "CREATE INDEX bests_ranking ON bests (level, time, run_id)",
        "CREATE INDEX bests_of_player ON bests (player_id)",
    }, {
        // Levels authors shared, each with the run that finished it; the
        // text is kept byte for byte, since its hash names the level.
        "CREATE TABLE shared_levels (id " + id_column + ", hash TEXT NOT NULL UNIQUE, file TEXT NOT NULL, "
            "name TEXT NOT NULL, description TEXT NOT NULL, author_id " + id_type +
            " NOT NULL REFERENCES players (id), shared TEXT NOT NULL, size INTEGER NOT NULL, run_id " + id_type +
            " NOT NULL REFERENCES runs (id), plays " + id_type + " NOT NULL DEFAULT 0, text TEXT NOT NULL)",
        "CREATE INDEX shared_levels_of_author ON shared_levels (author_id, shared)",
        "CREATE INDEX shared_levels_newest ON shared_levels (shared, id)",
    }};
}

}

const std::vector<std::vector<std::string>>& store_schema::migrations(dialect d)
{
    static const auto sqlite = written_for("INTEGER PRIMARY KEY", "INTEGER");
    static const auto postgresql = written_for("BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY", "BIGINT");
    return d == dialect::sqlite ? sqlite : postgresql;
}
