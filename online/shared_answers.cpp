#include "shared_answers.h"

#include "http_transport.h"
#include "json_fields.h"
#include "level/level_files.h"
#include "player_name.h"

#include <nlohmann/json.hpp>

#include <cstdlib>

using json = nlohmann::json;

namespace {

bool read_hash(const std::string& text, std::uint64_t& out)
{
    if (text.size() != 16)
        return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    out = std::strtoull(text.c_str(), nullptr, 16);
    return true;
}

bool read_entry(const json& each, shared_level& level)
{
    std::string hash;
    if (!each.is_object() || !json_fields::text(each, "level", hash) || !read_hash(hash, level.hash) ||
        !json_fields::text(each, "file", level.file) || !level_files::is_plain_name(level.file) ||
        !json_fields::text(each, "author", level.author) || !player_name::problem(level.author).empty() ||
        !json_fields::whole(each, "size", 1, 1LL << 30, level.size) || !json_fields::time(each, "time", level.time) ||
        !json_fields::whole(each, "plays", 0, 1LL << 50, level.plays))
        return false;
    json_fields::text(each, "name", level.name);
    json_fields::text(each, "description", level.description);
    json_fields::text(each, "shared", level.shared);
    level.name = shared_answers::cleaned(level.name.empty() ? level.file : level.name, 60);
    level.description = shared_answers::cleaned(level.description, 300);
    level.shared = shared_answers::cleaned(level.shared, 20);
    return true;
}

}

std::string shared_answers::cleaned(const std::string& text, std::size_t most)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        // C1 controls are U+0080 to U+009F: 0xC2 0x80 to 0xC2 0x9F in UTF-8.
        const bool c1 = byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) <= 0x9F &&
                        static_cast<unsigned char>(text[i + 1]) >= 0x80;
        if (byte < 0x20 || byte == 0x7F || c1) {
            i += c1;
            out += ' ';
        } else {
            out += text[i];
        }
    }
    const std::size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    out = out.substr(first, out.find_last_not_of(' ') - first + 1);
    if (out.size() > most) {
        std::size_t cut = most;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80)
            --cut;
        out.resize(cut);
    }
    return out;
}

share_answer shared_answers::share(const http_reply& reply)
{
    share_answer answer;
    json body;
    std::string error;
    if (!json_fields::object_of(reply, most_bytes, body, error)) {
        answer.message = error;
        return answer;
    }
    std::string status;
    json_fields::text(body, "status", status);
    if (reply.status == 200 && status == "listed" && json_fields::time(body, "time", answer.time)) {
        answer.outcome = share_answer::listed;
        return answer;
    }
    json_fields::text(body, "reason", answer.reason);
    json_fields::text(body, "message", answer.message);
    answer.message = cleaned(answer.message, 300);
    const bool retry = reply.status == 503 || reply.status == 429 || reply.status == 408 || reply.status >= 500 ||
                       answer.reason == "busy";
    answer.outcome = !retry && reply.status >= 400 ? share_answer::refused : share_answer::later;
    if (answer.message.empty())
        answer.message = "the server answered HTTP " + std::to_string(reply.status);
    return answer;
}

bool shared_answers::list(const http_reply& reply, std::vector<shared_level>& out, std::string& error)
{
    json body;
    if (!json_fields::object_of(reply, most_bytes, body, error))
        return false;
    const auto levels = body.find("levels");
    if (reply.status != 200 || levels == body.end() || !levels->is_array() || levels->size() > 100) {
        error = "the list of shared levels (HTTP " + std::to_string(reply.status) + ") has no list of at most 100";
        return false;
    }
    std::vector<shared_level> read;
    for (const json& each : *levels) {
        shared_level level;
        if (!read_entry(each, level)) {
            error = "shared level " + std::to_string(read.size() + 1) + " lacks a field or has a bad one";
            return false;
        }
        read.push_back(level);
    }
    out = std::move(read);
    return true;
}
