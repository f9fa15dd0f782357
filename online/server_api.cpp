#include "server_api.h"

#include <nlohmann/json.hpp>

#include <cctype>
#include <cstdio>

server_api::server_api(std::string address) : base(std::move(address))
{
    while (!base.empty() && base.back() == '/')
        base.pop_back();
    base += "/api/v1/";
}

std::string server_api::level_name(std::uint64_t level_hash)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(level_hash));
    return text;
}

std::string server_api::escaped(const std::string& text)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) && byte < 0x80) {
            out += c;
        } else if (c == '-' || c == '.' || c == '_' || c == '~') {
            out += c;
        } else {
            out += '%';
            out += digits[byte >> 4];
            out += digits[byte & 15];
        }
    }
    return out;
}

http_request server_api::submit(const std::string& player, const std::string& secret,
                                const std::string& replay_text) const
{
    http_request request;
    request.post = true;
    request.url = base + "runs";
    request.body = nlohmann::json{{"player", player}, {"secret", secret}, {"replay", replay_text}}
                       .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    request.gzip = true;
    return request;
}

http_request server_api::top(std::uint64_t level_hash, int count) const
{
    http_request request;
    request.url = base + "levels/" + level_name(level_hash) + "/top?n=" + std::to_string(count);
    return request;
}

http_request server_api::rank(std::uint64_t level_hash, const std::string& player) const
{
    http_request request;
    request.url = base + "levels/" + level_name(level_hash) + "/rank?player=" + escaped(player);
    return request;
}

http_request server_api::replay(long long run_id) const
{
    http_request request;
    request.url = base + "runs/" + std::to_string(run_id) + "/replay";
    request.most_bytes = most_replay_bytes;
    return request;
}

http_request server_api::share(const std::string& player, const std::string& secret, const std::string& file,
                               const std::string& level_text, const std::string& replay_text) const
{
    http_request request;
    request.post = true;
    request.url = base + "levels";
    request.body = nlohmann::json{{"player", player},
                                  {"secret", secret},
                                  {"file", file},
                                  {"level", level_text},
                                  {"replay", replay_text}}
                       .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    request.gzip = true;
    return request;
}

http_request server_api::shared_list(const std::string& order, const std::string& author) const
{
    http_request request;
    request.url = base + "shared?order=" + escaped(order);
    if (!author.empty())
        request.url += "&author=" + escaped(author);
    request.most_bytes = 512 * 1024;
    return request;
}

http_request server_api::shared_level(std::uint64_t level_hash) const
{
    http_request request;
    request.url = base + "shared/" + level_name(level_hash);
    request.most_bytes = most_level_bytes;
    return request;
}
