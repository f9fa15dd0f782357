#include "postgres_store.h"

#include "store_schema.h"

#include <pqxx/pqxx>

#include <stdexcept>

namespace {

// What ranks ahead of a best run: faster, or as fast and accepted earlier.
const char* const ahead_sql =
    "SELECT COUNT(*) FROM bests WHERE level = $1 AND (time < $2 OR (time = $2 AND run_id < $3))";

int rank_of(pqxx::transaction_base& t, const std::string& level, double time, std::int64_t run_id)
{
    return t.exec_prepared1("ahead", level, time, run_id)[0].as<int>() + 1;
}

// add_run's work, inside the caller's transaction.
run_receipt insert_run(pqxx::transaction_base& t, const new_run& run)
{
    run_receipt receipt;
    // Two runs of one player on one level queue on this lock, so the
    // better one always ends up as the best.
    t.exec_prepared("best", run.level, run.player_id);
    receipt.run_id = t.exec_prepared1("add_run", run.player_id, run.level, run.level_file, run.time, run.coins,
                                      run.submitted, run.replay)[0]
                         .as<std::int64_t>();
    const pqxx::result best = t.exec_prepared("best", run.level, run.player_id);
    std::int64_t best_run = receipt.run_id;
    double best_time = run.time;
    receipt.personal_best = best.empty() || best[0][1].as<double>() > run.time;
    if (receipt.personal_best) {
        t.exec_prepared("set_best", run.level, run.player_id, receipt.run_id, run.time);
    } else {
        best_run = best[0][0].as<std::int64_t>();
        best_time = best[0][1].as<double>();
    }
    receipt.rank = rank_of(t, run.level, best_time, best_run);
    return receipt;
}

// A listed level's row as every listing reads it; `order` sorts, ending on
// the newest first. Names sort byte for byte, as in SQLite.
std::string listing(const std::string& order)
{
    return "SELECT s.id, s.hash, s.file, s.name, s.description, s.author_id, p.name, s.shared, s.size, r.time, "
           "s.run_id, s.plays FROM shared_levels s JOIN players p ON p.id = s.author_id "
           "JOIN runs r ON r.id = s.run_id WHERE ($1 = '' OR p.name = $1) ORDER BY " +
           order + "s.shared DESC, s.id DESC LIMIT $2";
}

shared_level listed(const pqxx::row& row)
{
    shared_level level;
    level.id = row[0].as<std::int64_t>();
    level.level = row[1].as<std::string>();
    level.file = row[2].as<std::string>();
    level.name = row[3].as<std::string>();
    level.description = row[4].as<std::string>();
    level.author_id = row[5].as<std::int64_t>();
    level.author = row[6].as<std::string>();
    level.shared = row[7].as<std::string>();
    level.size = row[8].as<std::int64_t>();
    level.time = row[9].as<double>();
    level.run_id = row[10].as<std::int64_t>();
    level.plays = row[11].as<std::int64_t>();
    return level;
}

}

postgres_store::postgres_store(const std::string& address, int connections)
{
    try {
        for (int i = 0; i < connections; ++i) {
            auto c = std::make_unique<pqxx::connection>(address);
            if (i == 0)
                migrate(*c);
            prepare(*c);
            idle.push_back(std::move(c));
        }
    } catch (const pqxx::failure& e) {
        throw std::runtime_error(std::string("PostgreSQL: ") + e.what());
    }
}

postgres_store::~postgres_store() = default;

void postgres_store::migrate(pqxx::connection& c)
{
    const auto& migrations = store_schema::migrations(store_schema::dialect::postgresql);
    {
        pqxx::work t(c);
        t.exec("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)");
        t.commit();
    }
    for (;;) {
        pqxx::work t(c);
        // Servers starting together migrate one after the other.
        t.exec("LOCK TABLE schema_version IN EXCLUSIVE MODE");
        const long version = t.exec1("SELECT COALESCE(MAX(version), 0) FROM schema_version")[0].as<long>();
        if (version > long(migrations.size()))
            throw std::runtime_error("the database has schema version " + std::to_string(version) +
                                     ", newer than this server's " + std::to_string(migrations.size()) +
                                     "; run a newer quillax-server");
        if (version == long(migrations.size()))
            return;
        for (const std::string& sql : migrations[std::size_t(version)])
            t.exec(sql);
        t.exec("INSERT INTO schema_version (version) VALUES (" + std::to_string(version + 1) + ")");
        t.commit();
    }
}

void postgres_store::prepare(pqxx::connection& c)
{
    c.prepare("find_player", "SELECT id, name, salt, secret_hash, registered FROM players WHERE name = $1");
    c.prepare("add_player", "INSERT INTO players (name, salt, secret_hash, registered) VALUES ($1, $2, $3, $4) "
                            "ON CONFLICT (name) DO NOTHING RETURNING id");
    c.prepare("add_run", "INSERT INTO runs (player_id, level, level_file, time, coins, submitted, replay) "
                         "VALUES ($1, $2, $3, $4, $5, $6, $7) RETURNING id");
    c.prepare("best", "SELECT run_id, time FROM bests WHERE level = $1 AND player_id = $2 FOR UPDATE");
    c.prepare("set_best", "INSERT INTO bests (level, player_id, run_id, time) VALUES ($1, $2, $3, $4) "
                          "ON CONFLICT (level, player_id) DO UPDATE SET run_id = excluded.run_id, time = excluded.time "
                "WHERE excluded.time < bests.time");
    c.prepare("ahead", ahead_sql);
    c.prepare("count", "SELECT COUNT(*) FROM bests WHERE level = $1");
    c.prepare("top", "SELECT p.name, b.time, r.coins, b.run_id, r.submitted, r.level_file FROM bests b "
                     "JOIN runs r ON r.id = b.run_id JOIN players p ON p.id = b.player_id "
                     "WHERE b.level = $1 ORDER BY b.time, b.run_id LIMIT $2");
    c.prepare("player_best", "SELECT b.time, b.run_id FROM bests b JOIN players p ON p.id = b.player_id "
                             "WHERE b.level = $1 AND p.name = $2");
    c.prepare("replay", "SELECT replay FROM runs WHERE id = $1");
    c.prepare("player_bests", "SELECT b.level, r.level_file, b.time, r.coins, b.run_id, r.submitted FROM bests b "
                              "JOIN runs r ON r.id = b.run_id WHERE b.player_id = $1 ORDER BY r.level_file, b.level");
    c.prepare("add_shared",
              "INSERT INTO shared_levels (hash, file, name, description, author_id, shared, size, run_id, text) "
              "VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9) ON CONFLICT (hash) DO NOTHING RETURNING id");
    c.prepare("shared_text", "UPDATE shared_levels SET plays = plays + 1 WHERE hash = $1 RETURNING text");
    c.prepare("newest", listing(""));
    c.prepare("played", listing("s.plays DESC, "));
    c.prepare("by_author", listing("p.name COLLATE \"C\", "));
    c.prepare("shares_since", "SELECT COUNT(*) FROM shared_levels WHERE author_id = $1 AND shared >= $2");
    c.prepare("find_shared",
              "SELECT s.id, s.hash, s.file, s.name, s.description, s.author_id, p.name, s.shared, s.size, r.time, "
              "s.run_id, s.plays, s.text FROM shared_levels s JOIN players p ON p.id = s.author_id "
              "JOIN runs r ON r.id = s.run_id WHERE s.hash = $1");
}

void postgres_store::with_connection(const std::function<void(pqxx::connection&)>& work)
{
    std::unique_ptr<pqxx::connection> c;
    {
        std::unique_lock<std::mutex> hold(lock);
        freed.wait(hold, [this] { return !idle.empty(); });
        c = std::move(idle.back());
        idle.pop_back();
    }
    struct giving_back {
        postgres_store& store;
        std::unique_ptr<pqxx::connection>& c;
        ~giving_back()
        {
            {
                std::lock_guard<std::mutex> hold(store.lock);
                store.idle.push_back(std::move(c));
            }
            store.freed.notify_one();
        }
    } give_back{*this, c};
    // libpqxx opens a connection the database dropped again on its next use.
    work(*c);
}

std::optional<player_record> postgres_store::find_player(const std::string& name)
{
    std::optional<player_record> found;
    with_connection([&](pqxx::connection& c) {
        pqxx::read_transaction t(c);
        const pqxx::result r = t.exec_prepared("find_player", name);
        if (!r.empty())
            found = player_record{r[0][0].as<std::int64_t>(), r[0][1].as<std::string>(), r[0][2].as<std::string>(),
                                  r[0][3].as<std::string>(), r[0][4].as<std::string>()};
    });
    return found;
}

bool postgres_store::add_player(player_record& player)
{
    bool added = false;
    with_connection([&](pqxx::connection& c) {
        pqxx::work t(c);
        const pqxx::result r =
            t.exec_prepared("add_player", player.name, player.salt, player.secret_hash, player.registered);
        t.commit();
        if (!r.empty()) {
            player.id = r[0][0].as<std::int64_t>();
            added = true;
        }
    });
    return added;
}

run_receipt postgres_store::add_run(const new_run& run)
{
    run_receipt receipt;
    with_connection([&](pqxx::connection& c) {
        pqxx::work t(c);
        receipt = insert_run(t, run);
        t.commit();
    });
    return receipt;
}

std::vector<ranked_run> postgres_store::top(const std::string& level, int count)
{
    std::vector<ranked_run> runs;
    with_connection([&](pqxx::connection& c) {
        pqxx::read_transaction t(c);
        for (const auto& row : t.exec_prepared("top", level, count))
            runs.push_back(ranked_run{int(runs.size()) + 1, row[0].as<std::string>(), level, row[5].as<std::string>(),
                                      row[1].as<double>(), row[2].as<int>(), row[3].as<std::int64_t>(),
                                      row[4].as<std::string>()});
    });
    return runs;
}

std::optional<level_rank> postgres_store::rank(const std::string& level, const std::string& player)
{
    std::optional<level_rank> found;
    with_connection([&](pqxx::connection& c) {
        pqxx::read_transaction t(c);
        const pqxx::result best = t.exec_prepared("player_best", level, player);
        if (best.empty())
            return;
        level_rank r;
        r.time = best[0][0].as<double>();
        r.rank = rank_of(t, level, r.time, best[0][1].as<std::int64_t>());
        r.of = t.exec_prepared1("count", level)[0].as<int>();
        found = r;
    });
    return found;
}

std::optional<std::string> postgres_store::replay(std::int64_t run_id)
{
    std::optional<std::string> text;
    with_connection([&](pqxx::connection& c) {
        pqxx::read_transaction t(c);
        const pqxx::result r = t.exec_prepared("replay", run_id);
        if (!r.empty())
            text = r[0][0].as<std::string>();
    });
    return text;
}

std::vector<ranked_run> postgres_store::player_bests(std::int64_t player_id)
{
    std::vector<ranked_run> runs;
    with_connection([&](pqxx::connection& c) {
        pqxx::read_transaction t(c);
        for (const auto& row : t.exec_prepared("player_bests", player_id))
            runs.push_back(ranked_run{0, std::string(), row[0].as<std::string>(), row[1].as<std::string>(),
                                      row[2].as<double>(), row[3].as<int>(), row[4].as<std::int64_t>(),
                                      row[5].as<std::string>()});
        for (ranked_run& r : runs)
            r.rank = rank_of(t, r.level, r.time, r.run_id);
    });
    return runs;
}

std::optional<run_receipt> postgres_store::add_shared_level(shared_level& level, const new_run& run)
{
    std::optional<run_receipt> receipt;
    with_connection([&](pqxx::connection& c) {
        pqxx::work t(c);
        const run_receipt added = insert_run(t, run);
        const pqxx::result r =
            t.exec_prepared("add_shared", level.level, level.file, level.name, level.description, level.author_id,
                            level.shared, std::int64_t(level.text.size()), added.run_id, level.text);
        // Listed already: the author's run goes with it, as the transaction is dropped.
        if (r.empty())
            return;
        t.commit();
        level.id = r[0][0].as<std::int64_t>();
        level.run_id = added.run_id;
        level.size = std::int64_t(level.text.size());
        level.time = run.time;
        receipt = added;
    });
    return receipt;
}

std::optional<std::string> postgres_store::shared_level_text(const std::string& level)
{
    std::optional<std::string> text;
    with_connection([&](pqxx::connection& c) {
        pqxx::work t(c);
        const pqxx::result r = t.exec_prepared("shared_text", level);
        t.commit();
        if (!r.empty())
            text = r[0][0].as<std::string>();
    });
    return text;
}

std::vector<shared_level> postgres_store::list_shared(shared_order order, const std::string& author, int count)
{
    std::vector<shared_level> levels;
    const char* statement =
        order == shared_order::played ? "played" : order == shared_order::author ? "by_author" : "newest";
    with_connection([&](pqxx::connection& c) {
        pqxx::read_transaction t(c);
        for (const auto& row : t.exec_prepared(statement, author, count))
            levels.push_back(listed(row));
    });
    return levels;
}

int postgres_store::shares_since(std::int64_t player_id, const std::string& since)
{
    int shares = 0;
    with_connection([&](pqxx::connection& c) {
        pqxx::read_transaction t(c);
        shares = t.exec_prepared1("shares_since", player_id, since)[0].as<int>();
    });
    return shares;
}

std::optional<shared_level> postgres_store::find_shared(const std::string& level)
{
    std::optional<shared_level> found;
    with_connection([&](pqxx::connection& c) {
        pqxx::read_transaction t(c);
        const pqxx::result r = t.exec_prepared("find_shared", level);
        if (r.empty())
            return;
        found = listed(r[0]);
        found->text = r[0][12].as<std::string>();
    });
    return found;
}
