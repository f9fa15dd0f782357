#include "value_checks.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

using result = value_checks::result;
using verdict = value_checks::verdict;

// The separators OGRE splits vectors and colours on.
std::vector<std::string> split(const std::string& text)
{
    std::vector<std::string> parts;
    size_t start = text.find_first_not_of(" \t\n");
    while (start != std::string::npos) {
        const size_t end = text.find_first_of(" \t\n", start);
        parts.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? end : text.find_first_not_of(" \t\n", end);
    }
    return parts;
}

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// What is left after the number the game reads from the front of `text`.
result leftover(const std::string& text, const char* end)
{
    const std::string rest = end;
    if (rest.find_first_not_of(" \t\n\r") == std::string::npos)
        return {};
    const std::string read = text.substr(0, text.size() - rest.size());
    return {verdict::doubtful, "only " + quoted(read) + " of " + quoted(text) + " is read"};
}

// The game keeps numbers in floats, so one beyond float range is infinite.
result number(const std::string& text)
{
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    if (end == text.c_str())
        return {verdict::rejected, quoted(text) + " is not a number"};
    if (!std::isfinite(value))
        return {verdict::rejected, quoted(text) + " is not a finite number"};
    return leftover(text, end);
}

// The first problem of the parts, a rejection before a partial read.
result numbers(const std::vector<std::string>& parts)
{
    result found;
    for (const std::string& part : parts) {
        const result r = number(part);
        if (r.kind == verdict::rejected)
            return r;
        if (found.kind == verdict::valid)
            found = r;
    }
    return found;
}

// The game's limit for a position: beyond it the physics has lost all precision.
const float max_coordinate = 1.0e6f;

std::string count(size_t n)
{
    return std::to_string(n) + (n == 1 ? " part" : " parts");
}

}

result value_checks::position(const std::string& text)
{
    const std::vector<std::string> parts = split(text);
    if (parts.size() != 3)
        return {verdict::rejected, "a vector needs three numbers separated by spaces, like \"0 50 -10\", and this has " +
                                       count(parts.size())};
    return numbers(parts);
}

result value_checks::vector(const std::string& text)
{
    const result read = position(text);
    if (read.kind == verdict::rejected)
        return read;
    for (const std::string& part : split(text))
        if (std::fabs(std::strtof(part.c_str(), nullptr)) > max_coordinate)
            return {verdict::rejected, part + " lies beyond 1000000, the largest coordinate the game takes"};
    return read;
}

result value_checks::colour(const std::string& text)
{
    const std::vector<std::string> parts = split(text);
    if (parts.size() != 3 && parts.size() != 4)
        return {verdict::rejected,
                "a colour needs three or four numbers from 0 to 1, like \"0.5 0.6 0.8\", and this has " +
                    count(parts.size())};
    const result read = numbers(parts);
    if (read.kind != verdict::valid)
        return read;
    for (const std::string& part : parts) {
        const float value = std::strtof(part.c_str(), nullptr);
        if (value < 0.0f || value > 1.0f)
            return {verdict::doubtful, "colour parts lie from 0 to 1, and " + part + " does not"};
    }
    return {};
}

result value_checks::real(const std::string& text)
{
    return number(text);
}

result value_checks::integer(const std::string& text)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str())
        return {verdict::rejected, quoted(text) + " is not a whole number"};
    if (errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return {verdict::rejected, quoted(text) + " is too large"};
    return leftover(text, end);
}
