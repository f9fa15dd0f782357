#include "http_api.h"

#include "leaderboard.h"
#include "rate_limiter.h"

#include <httplib.h>

#include <cstdio>

namespace {

void send(httplib::Response& res, const api_answer& answer)
{
    res.status = answer.status;
    res.set_content(answer.body, answer.content_type.c_str());
}

}

http_api::http_api(leaderboard& board, rate_limiter& requests, limits limit)
    : board(board), requests(requests), limit(limit), server(std::make_unique<httplib::Server>())
{
    const int threads = limit.threads;
    server->new_task_queue = [threads] { return new httplib::ThreadPool(std::size_t(threads)); };
    server->set_read_timeout(limit.timeout_seconds, 0);
    server->set_write_timeout(limit.timeout_seconds, 0);
    server->set_keep_alive_timeout(5);
    server->set_payload_max_length(limit.max_body);
    route();
}

http_api::~http_api() = default;

int http_api::bind(const std::string& host, int port)
{
    if (port == 0)
        return server->bind_to_any_port(host);
    return server->bind_to_port(host, port) ? port : -1;
}

bool http_api::listen()
{
    return server->listen_after_bind();
}

void http_api::stop()
{
    server->stop();
}

bool http_api::read_body(httplib::Response& res, const httplib::ContentReader& read, const std::string& what,
                         std::string& body) const
{
    bool too_large = false;
    // The reader hands over the body already unpacked when it came gzipped.
    const bool whole = read([&](const char* data, std::size_t length) {
        if (length > limit.max_unpacked - body.size()) {
            too_large = true;
            return false;
        }
        body.append(data, length);
        return true;
    });
    // httplib refuses a body longer than max_body itself, with 413.
    if (too_large || res.status == 413)
        send(res, leaderboard::refusal(413, "too_large", "The " + what + " is larger than this server takes."));
    else if (!whole)
        send(res, leaderboard::refusal(400, "broken", "The request's body cannot be read."));
    return whole && !too_large && res.status != 413;
}

void http_api::route()
{
    // Every request passes the address's rate first; a refused one goes no
    // further. Runs and levels count against the address's rate for runs instead.
    server->set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
        if (req.path == "/api/v1/runs" || req.path == "/api/v1/levels" || requests.allow(req.remote_addr))
            return httplib::Server::HandlerResponse::Unhandled;
        send(res, leaderboard::refusal(429, "rate_limited", "Too many requests from this address; slow down."));
        return httplib::Server::HandlerResponse::Handled;
    });
    server->set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (!res.body.empty())
            return;
        if (res.status == 413)
            send(res, leaderboard::refusal(413, "too_large", "The request is larger than this server takes."));
        else if (res.status == 404)
            send(res, leaderboard::refusal(404, "not_found", "There is no such address in the API."));
        else
            send(res, leaderboard::refusal(res.status, "broken", "The request cannot be read."));
    });
    server->set_exception_handler([](const httplib::Request& req, httplib::Response& res, std::exception_ptr e) {
        std::string what = "unknown";
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& error) {
            what = error.what();
        } catch (...) {
        }
        std::fprintf(stderr, "quillax-server: %s %s failed: %s\n", req.method.c_str(), req.path.c_str(), what.c_str());
        res.status = 500;
        res.set_content("{\"status\":\"error\",\"reason\":\"failed\",\"message\":\"The server failed; try again "
                        "later.\"}\n",
                        "application/json");
    });
    server->Post("/api/v1/runs", [this](const httplib::Request& req, httplib::Response& res,
                                        const httplib::ContentReader& read) {
        std::string body;
        if (read_body(res, read, "run", body))
            send(res, board.submit(body, req.remote_addr));
    });
    server->Post("/api/v1/levels", [this](const httplib::Request& req, httplib::Response& res,
                                          const httplib::ContentReader& read) {
        std::string body;
        if (read_body(res, read, "level", body))
            send(res, board.share(body, req.remote_addr));
    });
    server->Get("/api/v1/shared", [this](const httplib::Request& req, httplib::Response& res) {
        send(res, board.shared(req.get_param_value("order"), req.get_param_value("author"),
                               req.has_param("n") ? req.get_param_value("n") : std::string()));
    });
    server->Get(R"(/api/v1/shared/([^/]+))", [this](const httplib::Request& req, httplib::Response& res) {
        send(res, board.shared_level(req.matches[1]));
    });
    server->Get(R"(/api/v1/levels/([^/]+)/top)", [this](const httplib::Request& req, httplib::Response& res) {
        send(res, board.top(req.matches[1], req.has_param("n") ? req.get_param_value("n") : std::string()));
    });
    server->Get(R"(/api/v1/levels/([^/]+)/rank)", [this](const httplib::Request& req, httplib::Response& res) {
        send(res, board.rank(req.matches[1], req.get_param_value("player")));
    });
    server->Get(R"(/api/v1/runs/([^/]+)/replay)", [this](const httplib::Request& req, httplib::Response& res) {
        send(res, board.replay(req.matches[1]));
    });
    // A name may hold a '/', which arrives decoded.
    server->Get(R"(/api/v1/players/(.+))", [this](const httplib::Request& req, httplib::Response& res) {
        send(res, board.player(req.matches[1]));
    });
    server->Get("/api/v1/health",
                [this](const httplib::Request&, httplib::Response& res) { send(res, board.health()); });
}
