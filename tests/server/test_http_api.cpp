// The API over real HTTP on 127.0.0.1 with a free port: JSON answers, gzip
// bodies, the body limits both as sent and unpacked, and the request rate.

#include "http_api.h"

#include "server_fixture.h"

#include <httplib.h>
#include <zlib.h>

#include <thread>

using nlohmann::json;

namespace {

std::string gzipped(const std::string& text)
{
    z_stream z{};
    deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, uLong(text.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = uInt(text.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

class http : public server_fixture {
public:
    void start(double request_rate = 0)
    {
        requests = std::make_unique<rate_limiter>(request_rate, request_rate);
        http_api::limits limit;
        limit.max_body = 256 * 1024;
        limit.max_unpacked = 1024 * 1024;
        limit.timeout_seconds = 10;
        limit.threads = 8;
        api = std::make_unique<http_api>(*board, *requests, limit);
        port = api->bind("127.0.0.1", 0);
        ASSERT_GT(port, 0);
        serving = std::thread([this] { api->listen(); });
        client = std::make_unique<httplib::Client>("127.0.0.1", port);
        client->set_read_timeout(60, 0);
    }
    void TearDown() override
    {
        if (api) {
            api->stop();
            serving.join();
        }
    }

    httplib::Result post(const std::string& body, bool gzip = false, const std::string& path = "/api/v1/runs")
    {
        httplib::Headers headers;
        if (gzip)
            headers.emplace("Content-Encoding", "gzip");
        return client->Post(path, headers, gzip ? gzipped(body) : body, "application/json");
    }

    std::unique_ptr<rate_limiter> requests;
    std::unique_ptr<http_api> api;
    std::unique_ptr<httplib::Client> client;
    std::thread serving;
    int port = 0;
};

}

TEST_F(http, a_gzipped_run_is_accepted_and_shows_in_the_top_list_and_the_replay_downloads)
{
    start();
    const replay run = author_run("level_01.map");
    const httplib::Result sent = post(body("Ada", secret(1), run.to_text()), true);
    ASSERT_TRUE(sent);
    ASSERT_EQ(sent->status, 200) << sent->body;
    const json accepted = json::parse(sent->body);
    const std::string level = accepted["level"];

    const httplib::Result top = client->Get(("/api/v1/levels/" + level + "/top?n=10").c_str());
    ASSERT_TRUE(top);
    EXPECT_EQ(top->get_header_value("Content-Type"), "application/json");
    const json list = json::parse(top->body);
    ASSERT_EQ(list["runs"].size(), 1u);
    EXPECT_EQ(list["runs"][0]["player"], "Ada");
    EXPECT_EQ(list["runs"][0]["run_id"], accepted["run_id"]);

    const httplib::Result rank = client->Get(("/api/v1/levels/" + level + "/rank?player=Ada").c_str());
    EXPECT_EQ(json::parse(rank->body)["rank"], 1);
    const httplib::Result file =
        client->Get(("/api/v1/runs/" + std::to_string(accepted["run_id"].get<long long>()) + "/replay").c_str());
    EXPECT_EQ(file->body, run.to_text());
    EXPECT_EQ(client->Get("/api/v1/players/Ada")->status, 200);
    ASSERT_EQ(post(body("A/B c", secret(2), run.to_text()))->status, 200);
    const httplib::Result slashed = client->Get("/api/v1/players/A%2FB%20c");
    ASSERT_EQ(slashed->status, 200);
    EXPECT_EQ(json::parse(slashed->body)["name"], "A/B c");
    EXPECT_EQ(client->Get("/api/v1/players/Nobody")->status, 404);
    EXPECT_EQ(client->Get("/api/v1/runs/999/replay")->status, 404);
    EXPECT_EQ(client->Get("/api/v1/nothing")->status, 404);
    EXPECT_EQ(json::parse(client->Get("/api/v1/health")->body)["status"], "ok");
}

TEST_F(http, a_gzipped_level_is_listed_and_downloads_as_sent)
{
    start();
    std::string text = read_text(shipped_media() / "levels" / "level_01.map");
    text.insert(text.find("?>") + 2, "\r\n<!-- over HTTP -->");
    replay run = author_run("level_01.map");
    run.level_file = "over_http.map";
    run.level_hash = replay::hash_text(text);
    const json request{{"player", "Ada"},
                       {"secret", secret(1)},
                       {"file", "over_http.map"},
                       {"level", text},
                       {"replay", run.to_text()}};
    const httplib::Result sent = post(request.dump(), true, "/api/v1/levels");
    ASSERT_TRUE(sent);
    ASSERT_EQ(sent->status, 200) << sent->body;
    const std::string level = json::parse(sent->body)["level"];

    const httplib::Result list = client->Get("/api/v1/shared?order=played&author=Ada&n=5");
    ASSERT_TRUE(list);
    ASSERT_EQ(list->status, 200) << list->body;
    EXPECT_EQ(json::parse(list->body)["levels"].at(0)["level"], level);
    const httplib::Result file = client->Get(("/api/v1/shared/" + level).c_str());
    ASSERT_TRUE(file);
    EXPECT_EQ(file->status, 200);
    EXPECT_EQ(file->get_header_value("Content-Type"), "text/plain");
    EXPECT_EQ(file->body, text);
    EXPECT_EQ(client->Get("/api/v1/shared/0000000000000000")->status, 404);
    EXPECT_EQ(client->Get("/api/v1/shared?n=x")->status, 400);

    const httplib::Result bomb = post(std::string(2 << 20, ' '), true, "/api/v1/levels");
    ASSERT_TRUE(bomb);
    EXPECT_EQ(bomb->status, 413);
    EXPECT_EQ(json::parse(bomb->body)["reason"], "too_large");
}

TEST_F(http, bodies_over_the_limit_are_too_large_as_sent_and_unpacked)
{
    start();
    const std::string huge(300 * 1024, 'x');
    const httplib::Result plain = post(body("Ada", secret(1), huge));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->status, 413);
    EXPECT_EQ(json::parse(plain->body)["reason"], "too_large");

    // A few kilobytes that unpack to two megabytes.
    const httplib::Result bomb = post(body("Ada", secret(1), std::string(2 << 20, 'x')), true);
    ASSERT_TRUE(bomb);
    EXPECT_EQ(bomb->status, 413);
    EXPECT_EQ(json::parse(bomb->body)["reason"], "too_large");

    const httplib::Result garbage = client->Post("/api/v1/runs", {{"Content-Encoding", "gzip"}}, "not gzip",
                                                 "application/json");
    ASSERT_TRUE(garbage);
    EXPECT_EQ(garbage->status, 400);
}

TEST_F(http, an_address_over_its_request_rate_is_told_to_slow_down)
{
    start(3);
    int refused = 0;
    for (int i = 0; i < 4; ++i) {
        const httplib::Result answer = client->Get("/api/v1/health");
        ASSERT_TRUE(answer);
        if (answer->status == 429) {
            ++refused;
            EXPECT_EQ(json::parse(answer->body)["reason"], "rate_limited");
        }
    }
    EXPECT_EQ(refused, 1);
}
