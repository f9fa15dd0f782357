// The real client against a small HTTP server of the test's own on
// 127.0.0.1: bodies go gzip-compressed, answers longer than asked for are
// cut off, and a request in flight stops at once when the game quits.

#include "online/curl_transport.h"
#include "online/server_api.h"

#include <httplib.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <thread>

namespace {

class local_server : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.Post("/api/v1/runs", [this](const httplib::Request& request, httplib::Response& response) {
            encoding = request.get_header_value("Content-Encoding");
            received = request.body;
            response.set_content(R"({"status":"accepted"})", "application/json");
        });
        server.Get("/big", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(std::string(100000, 'x'), "text/plain");
        });
        server.Get("/slow", [this](const httplib::Request&, httplib::Response& response) {
            for (int i = 0; i < 500 && !released; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            response.set_content("late", "text/plain");
        });
        port = server.bind_to_any_port("127.0.0.1");
        ASSERT_GT(port, 0);
        thread = std::thread([this] { server.listen_after_bind(); });
        for (int i = 0; i < 500 && !server.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    void TearDown() override
    {
        released = true;
        server.stop();
        thread.join();
    }
    std::string address() const { return "http://127.0.0.1:" + std::to_string(port); }

    httplib::Server server;
    std::thread thread;
    int port = 0;
    std::atomic<bool> released{false};
    std::string encoding;
    std::string received;
    const std::atomic<bool> going_on{false};
};

}

TEST_F(local_server, a_run_goes_as_compressed_json_and_the_answer_comes_back)
{
    curl_transport transport;
    const std::string replay_text = "quillax replay 1\n" + std::string(20000, 'f') + "\"end\n";
    const http_reply reply = transport.send(server_api(address() + "/").submit("Ann", "ab12", replay_text), going_on);
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.body, R"({"status":"accepted"})");
    EXPECT_EQ(encoding, "gzip");
    const auto sent = nlohmann::json::parse(received);
    EXPECT_EQ(sent["player"], "Ann");
    EXPECT_EQ(sent["secret"], "ab12");
    EXPECT_EQ(sent["replay"], replay_text);
}

TEST_F(local_server, an_answer_longer_than_allowed_is_refused)
{
    curl_transport transport;
    http_request request;
    request.url = address() + "/big";
    request.most_bytes = 1000;
    const http_reply reply = transport.send(request, going_on);
    EXPECT_EQ(reply.status, 0);
    EXPECT_TRUE(reply.too_large);
    EXPECT_TRUE(reply.body.empty());
    request.most_bytes = 200000;
    EXPECT_EQ(transport.send(request, going_on).body.size(), 100000u);
}

TEST_F(local_server, a_waiting_request_ends_soon_after_the_game_quits)
{
    curl_transport transport;
    http_request request;
    request.url = address() + "/slow";
    std::atomic<bool> quitting{false};
    std::thread quit([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        quitting = true;
    });
    const auto began = std::chrono::steady_clock::now();
    const http_reply reply = transport.send(request, quitting);
    const auto took = std::chrono::steady_clock::now() - began;
    quit.join();
    EXPECT_EQ(reply.status, 0);
    // The server would answer only after ten seconds.
    EXPECT_LT(took, std::chrono::seconds(5));
}

TEST(curl_transport_offline, no_server_is_no_answer_and_other_schemes_are_refused)
{
    const std::atomic<bool> going_on{false};
    curl_transport transport;
    http_request request;
    // Nothing serves the privileged port 1.
    request.url = "http://127.0.0.1:1/api/v1/health";
    EXPECT_EQ(transport.send(request, going_on).status, 0);
    request.url = "file:///etc/passwd";
    const http_reply file = transport.send(request, going_on);
    EXPECT_EQ(file.status, 0);
    EXPECT_TRUE(file.body.empty());
}
