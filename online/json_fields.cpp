#include "json_fields.h"

#include "http_transport.h"

#include <cmath>

using json = nlohmann::json;

bool json_fields::object_of(const http_reply& reply, std::size_t most_bytes, json& out, std::string& error)
{
    if (reply.status == 0) {
        error = reply.error.empty() ? "no answer" : reply.error;
        return false;
    }
    if (reply.body.size() > most_bytes) {
        error = "the answer is longer than " + std::to_string(most_bytes) + " bytes";
        return false;
    }
    out = json::parse(reply.body, nullptr, false);
    if (out.is_discarded() || !out.is_object()) {
        error = "the answer (HTTP " + std::to_string(reply.status) + ") is no JSON object";
        return false;
    }
    return true;
}

bool json_fields::text(const json& object, const char* name, std::string& out)
{
    const auto found = object.find(name);
    if (found == object.end() || !found->is_string())
        return false;
    out = found->get<std::string>();
    return true;
}

bool json_fields::whole(const json& object, const char* name, long long least, long long most, long long& out)
{
    const auto found = object.find(name);
    if (found == object.end() || !found->is_number_integer())
        return false;
    out = found->get<long long>();
    return out >= least && out <= most;
}

bool json_fields::time(const json& object, const char* name, double& out)
{
    const auto found = object.find(name);
    if (found == object.end() || !found->is_number())
        return false;
    out = found->get<double>();
    return std::isfinite(out) && out >= 0.0 && out <= longest_time;
}
