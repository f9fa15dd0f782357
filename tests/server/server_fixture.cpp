#include "server_fixture.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

server_fixture::server_fixture()
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = fs::temp_directory_path() /
             ("quillax_server_" + std::to_string(::getpid()) + "_" + test->test_suite_name() + "_" + test->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    store = std::make_unique<sqlite_store>(folder / "quillax.sqlite");
    levels.add_folder(shipped_media() / "levels");
    // The program's runnable folder, with the media the build generates.
    levels.set_game_data(fs::path(QUILLAX_SERVER_PROGRAM).parent_path());
    pool = std::make_unique<verify_pool>(QUILLAX_SERVER_PROGRAM, 2, 16, std::chrono::seconds(60));
    board = std::make_unique<leaderboard>(*store, levels, *pool, per_player, per_address, limit);
}

server_fixture::~server_fixture()
{
    board.reset();
    pool.reset();
    store.reset();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

fs::path server_fixture::shipped_media()
{
    return fs::path(QUILLAX_MATERIALS_DIR).parent_path();
}

std::string server_fixture::read_text(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

replay server_fixture::author_run(const std::string& level_file)
{
    replay run;
    std::string error;
    EXPECT_TRUE(replay::parse(read_text(shipped_media() / "runs" / (level_file + ".replay")), run, error)) << error;
    return run;
}

std::string server_fixture::secret(int seed)
{
    std::string text;
    for (int i = 0; i < 64; ++i)
        text += "0123456789abcdef"[(seed * 7 + i * 13) % 16];
    return text;
}

std::string server_fixture::body(const std::string& player, const std::string& secret, const std::string& replay_text)
{
    return nlohmann::json{{"player", player}, {"secret", secret}, {"replay", replay_text}}.dump();
}

nlohmann::json server_fixture::parsed(const api_answer& answer)
{
    return nlohmann::json::parse(answer.body);
}

nlohmann::json server_fixture::submit(const std::string& player, const std::string& secret, const replay& run,
                                      int& status)
{
    const api_answer answer = board->submit(body(player, secret, run.to_text()), "127.0.0.1");
    status = answer.status;
    return parsed(answer);
}
