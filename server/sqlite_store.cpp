#include "sqlite_store.h"

#include "sqlite_statement.h"
#include "store_schema.h"

#include <sqlite3.h>

#include <stdexcept>

namespace {

// A listed level's row as every listing reads it; `order` sorts, ending on
// the newest first. An empty author lists everyone's.
std::string listing(const std::string& order)
{
    return "SELECT s.id, s.hash, s.file, s.name, s.description, s.author_id, p.name, s.shared, s.size, r.time, "
           "s.run_id, s.plays FROM shared_levels s JOIN players p ON p.id = s.author_id "
           "JOIN runs r ON r.id = s.run_id WHERE (? = '' OR p.name = ?) ORDER BY " +
           order + "s.shared DESC, s.id DESC LIMIT ?";
}

}

sqlite_store::sqlite_store(const std::filesystem::path& file)
{
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                        nullptr) != SQLITE_OK) {
        const std::string message = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        throw std::runtime_error("Cannot open the database " + file.string() + ": " + message);
    }
    try {
        sqlite3_busy_timeout(db, 10000);
        execute("PRAGMA journal_mode = WAL");
        execute("PRAGMA synchronous = FULL");
        execute("PRAGMA foreign_keys = ON");
        begin_sql = std::make_unique<sqlite_statement>(db, "BEGIN IMMEDIATE");
        commit_sql = std::make_unique<sqlite_statement>(db, "COMMIT");
        rollback_sql = std::make_unique<sqlite_statement>(db, "ROLLBACK");
        migrate(file);
        find_player_sql = std::make_unique<sqlite_statement>(
            db, "SELECT id, name, salt, secret_hash, registered FROM players WHERE name = ?");
        add_player_sql = std::make_unique<sqlite_statement>(
            db, "INSERT INTO players (name, salt, secret_hash, registered) VALUES (?, ?, ?, ?) "
                "ON CONFLICT (name) DO NOTHING RETURNING id");
        add_run_sql = std::make_unique<sqlite_statement>(
            db, "INSERT INTO runs (player_id, level, level_file, time, coins, submitted, replay) "
                "VALUES (?, ?, ?, ?, ?, ?, ?) RETURNING id");
        best_sql = std::make_unique<sqlite_statement>(
            db, "SELECT run_id, time FROM bests WHERE level = ? AND player_id = ?");
        set_best_sql = std::make_unique<sqlite_statement>(
            db, "INSERT INTO bests (level, player_id, run_id, time) VALUES (?, ?, ?, ?) "
                "ON CONFLICT (level, player_id) DO UPDATE SET run_id = excluded.run_id, time = excluded.time "
                "WHERE excluded.time < bests.time");
        ahead_sql = std::make_unique<sqlite_statement>(
            db, "SELECT COUNT(*) FROM bests WHERE level = ? AND (time < ? OR (time = ? AND run_id < ?))");
        count_sql = std::make_unique<sqlite_statement>(db, "SELECT COUNT(*) FROM bests WHERE level = ?");
        top_sql = std::make_unique<sqlite_statement>(
            db, "SELECT p.name, b.time, r.coins, b.run_id, r.submitted, r.level_file FROM bests b "
                "JOIN runs r ON r.id = b.run_id JOIN players p ON p.id = b.player_id "
                "WHERE b.level = ? ORDER BY b.time, b.run_id LIMIT ?");
        player_best_sql = std::make_unique<sqlite_statement>(
            db, "SELECT b.time, b.run_id FROM bests b JOIN players p ON p.id = b.player_id "
                "WHERE b.level = ? AND p.name = ?");
        replay_sql = std::make_unique<sqlite_statement>(db, "SELECT replay FROM runs WHERE id = ?");
        player_bests_sql = std::make_unique<sqlite_statement>(
            db, "SELECT b.level, r.level_file, b.time, r.coins, b.run_id, r.submitted FROM bests b "
                "JOIN runs r ON r.id = b.run_id WHERE b.player_id = ? ORDER BY r.level_file, b.level");
        add_shared_sql = std::make_unique<sqlite_statement>(
            db, "INSERT INTO shared_levels (hash, file, name, description, author_id, shared, size, run_id, text) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (hash) DO NOTHING RETURNING id");
        shared_text_sql = std::make_unique<sqlite_statement>(
            db, "UPDATE shared_levels SET plays = plays + 1 WHERE hash = ? RETURNING text");
        newest_sql = std::make_unique<sqlite_statement>(db, listing(""));
        played_sql = std::make_unique<sqlite_statement>(db, listing("s.plays DESC, "));
        by_author_sql = std::make_unique<sqlite_statement>(db, listing("p.name, "));
        shares_since_sql = std::make_unique<sqlite_statement>(
            db, "SELECT COUNT(*) FROM shared_levels WHERE author_id = ? AND shared >= ?");
        find_shared_sql = std::make_unique<sqlite_statement>(
            db, "SELECT s.id, s.hash, s.file, s.name, s.description, s.author_id, p.name, s.shared, s.size, r.time, "
                "s.run_id, s.plays, s.text FROM shared_levels s JOIN players p ON p.id = s.author_id "
                "JOIN runs r ON r.id = s.run_id WHERE s.hash = ?");
    } catch (...) {
        close();
        throw;
    }
}

sqlite_store::~sqlite_store()
{
    close();
}

void sqlite_store::close()
{
    for (auto* s : {&find_player_sql, &add_player_sql, &add_run_sql, &best_sql, &set_best_sql, &ahead_sql,
                    &count_sql, &top_sql, &player_best_sql, &replay_sql, &player_bests_sql, &begin_sql,
                    &commit_sql, &rollback_sql, &add_shared_sql, &shared_text_sql, &newest_sql, &played_sql,
                    &by_author_sql, &shares_since_sql, &find_shared_sql})
        s->reset();
    sqlite3_close(db);
    db = nullptr;
}

void sqlite_store::execute(const std::string& sql)
{
    sqlite_statement(db, sql).run();
}

void sqlite_store::migrate(const std::filesystem::path& file)
{
    execute("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)");
    const auto& migrations = store_schema::migrations(store_schema::dialect::sqlite);
    for (;;) {
        begin_sql->run();
        try {
            sqlite_statement current(db, "SELECT COALESCE(MAX(version), 0) FROM schema_version");
            current.step();
            const std::int64_t version = current.integer(0);
            current.start();
            if (version > std::int64_t(migrations.size()))
                throw std::runtime_error("The database " + file.string() + " has schema version " +
                                         std::to_string(version) + ", newer than this server's " +
                                         std::to_string(migrations.size()) + "; run a newer quillax-server");
            if (version == std::int64_t(migrations.size())) {
                commit_sql->run();
                return;
            }
            for (const std::string& sql : migrations[std::size_t(version)])
                execute(sql);
            sqlite_statement done(db, "INSERT INTO schema_version (version) VALUES (?)");
            done.start().bind(version + 1).run();
            commit_sql->run();
        } catch (...) {
            rollback_sql->run();
            throw;
        }
    }
}

std::optional<player_record> sqlite_store::find_player(const std::string& name)
{
    std::lock_guard<std::mutex> hold(lock);
    sqlite_statement& q = find_player_sql->start().bind(name);
    if (!q.step())
        return std::nullopt;
    player_record p{q.integer(0), q.text(1), q.text(2), q.text(3), q.text(4)};
    q.start();
    return p;
}

bool sqlite_store::add_player(player_record& player)
{
    std::lock_guard<std::mutex> hold(lock);
    sqlite_statement& q =
        add_player_sql->start().bind(player.name).bind(player.salt).bind(player.secret_hash).bind(player.registered);
    if (!q.step())
        return false;
    player.id = q.integer(0);
    q.run();
    return true;
}

int sqlite_store::rank_of(const std::string& level, double time, std::int64_t run_id)
{
    sqlite_statement& q = ahead_sql->start().bind(level).bind(time).bind(time).bind(run_id);
    q.step();
    const int ahead = int(q.integer(0));
    q.start();
    return ahead + 1;
}

run_receipt sqlite_store::add_run(const new_run& run)
{
    std::lock_guard<std::mutex> hold(lock);
    begin_sql->run();
    try {
        const run_receipt receipt = insert_run(run);
        commit_sql->run();
        return receipt;
    } catch (...) {
        rollback_sql->run();
        throw;
    }
}

run_receipt sqlite_store::insert_run(const new_run& run)
{
    run_receipt receipt;
    sqlite_statement& add = add_run_sql->start()
                                .bind(run.player_id)
                                .bind(run.level)
                                .bind(run.level_file)
                                .bind(run.time)
                                .bind(std::int64_t(run.coins))
                                .bind(run.submitted)
                                .bind(run.replay);
    add.step();
    receipt.run_id = add.integer(0);
    add.run();
    sqlite_statement& best = best_sql->start().bind(run.level).bind(run.player_id);
    std::int64_t best_run = receipt.run_id;
    double best_time = run.time;
    receipt.personal_best = true;
    if (best.step() && best.real(1) <= run.time) {
        best_run = best.integer(0);
        best_time = best.real(1);
        receipt.personal_best = false;
    }
    best.start();
    if (receipt.personal_best)
        set_best_sql->start().bind(run.level).bind(run.player_id).bind(receipt.run_id).bind(run.time).run();
    receipt.rank = rank_of(run.level, best_time, best_run);
    return receipt;
}

std::vector<ranked_run> sqlite_store::top(const std::string& level, int count)
{
    std::lock_guard<std::mutex> hold(lock);
    std::vector<ranked_run> runs;
    sqlite_statement& q = top_sql->start().bind(level).bind(std::int64_t(count));
    while (q.step())
        runs.push_back(ranked_run{int(runs.size()) + 1, q.text(0), level, q.text(5), q.real(1), int(q.integer(2)),
                                  q.integer(3), q.text(4)});
    q.start();
    return runs;
}

std::optional<level_rank> sqlite_store::rank(const std::string& level, const std::string& player)
{
    std::lock_guard<std::mutex> hold(lock);
    sqlite_statement& q = player_best_sql->start().bind(level).bind(player);
    if (!q.step())
        return std::nullopt;
    level_rank found;
    found.time = q.real(0);
    const std::int64_t run_id = q.integer(1);
    q.start();
    found.rank = rank_of(level, found.time, run_id);
    sqlite_statement& all = count_sql->start().bind(level);
    all.step();
    found.of = int(all.integer(0));
    all.start();
    return found;
}

std::optional<std::string> sqlite_store::replay(std::int64_t run_id)
{
    std::lock_guard<std::mutex> hold(lock);
    sqlite_statement& q = replay_sql->start().bind(run_id);
    if (!q.step())
        return std::nullopt;
    std::string text = q.text(0);
    q.start();
    return text;
}

std::vector<ranked_run> sqlite_store::player_bests(std::int64_t player_id)
{
    std::lock_guard<std::mutex> hold(lock);
    std::vector<ranked_run> runs;
    sqlite_statement& q = player_bests_sql->start().bind(player_id);
    while (q.step())
        runs.push_back(ranked_run{0, std::string(), q.text(0), q.text(1), q.real(2), int(q.integer(3)), q.integer(4),
                                  q.text(5)});
    q.start();
    for (ranked_run& r : runs)
        r.rank = rank_of(r.level, r.time, r.run_id);
    return runs;
}

std::optional<run_receipt> sqlite_store::add_shared_level(shared_level& level, const new_run& run)
{
    std::lock_guard<std::mutex> hold(lock);
    begin_sql->run();
    try {
        const run_receipt receipt = insert_run(run);
        sqlite_statement& add = add_shared_sql->start()
                                    .bind(level.level)
                                    .bind(level.file)
                                    .bind(level.name)
                                    .bind(level.description)
                                    .bind(level.author_id)
                                    .bind(level.shared)
                                    .bind(std::int64_t(level.text.size()))
                                    .bind(receipt.run_id)
                                    .bind(level.text);
        if (!add.step()) {
            // Listed already: the author's run goes with it.
            add.start();
            rollback_sql->run();
            return std::nullopt;
        }
        level.id = add.integer(0);
        add.run();
        commit_sql->run();
        level.run_id = receipt.run_id;
        level.size = std::int64_t(level.text.size());
        level.time = run.time;
        return receipt;
    } catch (...) {
        rollback_sql->run();
        throw;
    }
}

std::optional<std::string> sqlite_store::shared_level_text(const std::string& level)
{
    std::lock_guard<std::mutex> hold(lock);
    sqlite_statement& q = shared_text_sql->start().bind(level);
    if (!q.step())
        return std::nullopt;
    std::string text = q.text(0);
    q.run();
    return text;
}

shared_level sqlite_store::listed(const sqlite_statement& row)
{
    shared_level level;
    level.id = row.integer(0);
    level.level = row.text(1);
    level.file = row.text(2);
    level.name = row.text(3);
    level.description = row.text(4);
    level.author_id = row.integer(5);
    level.author = row.text(6);
    level.shared = row.text(7);
    level.size = row.integer(8);
    level.time = row.real(9);
    level.run_id = row.integer(10);
    level.plays = row.integer(11);
    return level;
}

std::vector<shared_level> sqlite_store::list_shared(shared_order order, const std::string& author, int count)
{
    std::lock_guard<std::mutex> hold(lock);
    sqlite_statement& q =
        (order == shared_order::played ? *played_sql : order == shared_order::author ? *by_author_sql : *newest_sql)
            .start()
            .bind(author)
            .bind(author)
            .bind(std::int64_t(count));
    std::vector<shared_level> levels;
    while (q.step())
        levels.push_back(listed(q));
    q.start();
    return levels;
}

int sqlite_store::shares_since(std::int64_t player_id, const std::string& since)
{
    std::lock_guard<std::mutex> hold(lock);
    sqlite_statement& q = shares_since_sql->start().bind(player_id).bind(since);
    q.step();
    const int shares = int(q.integer(0));
    q.start();
    return shares;
}

std::optional<shared_level> sqlite_store::find_shared(const std::string& level)
{
    std::lock_guard<std::mutex> hold(lock);
    sqlite_statement& q = find_shared_sql->start().bind(level);
    if (!q.step())
        return std::nullopt;
    shared_level found = listed(q);
    found.text = q.text(12);
    q.start();
    return found;
}
