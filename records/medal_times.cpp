#include "medal_times.h"

#include <cctype>
#include <cmath>

namespace {

long round_up_to_tenth(double ms) { return long(std::ceil(ms / 100.0 - 1e-9)) * 100; }

} // namespace

medal medal_times::earned(long time_ms) const
{
    if (!known() || time_ms < 0)
        return medal::none;
    if (time_ms <= gold_ms)
        return medal::gold;
    if (time_ms <= silver_ms)
        return medal::silver;
    return time_ms <= bronze_ms ? medal::bronze : medal::none;
}

long medal_times::time_of(medal which) const
{
    switch (which) {
    case medal::gold: return gold_ms;
    case medal::silver: return silver_ms;
    case medal::bronze: return bronze_ms;
    case medal::none: break;
    }
    return 0;
}

medal medal_times::next(medal have)
{
    switch (have) {
    case medal::none: return medal::bronze;
    case medal::bronze: return medal::silver;
    case medal::silver:
    case medal::gold: break;
    }
    return medal::gold;
}

medal_times medal_times::from_author_run(long author_ms)
{
    medal_times times;
    times.gold_ms = round_up_to_tenth(double(author_ms));
    times.silver_ms = round_up_to_tenth(times.gold_ms * silver_factor);
    times.bronze_ms = round_up_to_tenth(times.gold_ms * bronze_factor + bronze_margin_ms);
    return times;
}

bool medal_times::parse_time(const char* text, long& ms)
{
    if (!text || !std::isdigit(static_cast<unsigned char>(*text)))
        return false;
    long whole = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)); ++text) {
        if (whole > 100000)
            return false;
        whole = whole * 10 + (*text - '0');
    }
    long part = 0;
    if (*text == '.') {
        ++text;
        long scale = 100;
        if (!std::isdigit(static_cast<unsigned char>(*text)))
            return false;
        for (; std::isdigit(static_cast<unsigned char>(*text)); ++text, scale /= 10) {
            if (scale == 0)
                return false;
            part += (*text - '0') * scale;
        }
    }
    if (*text != '\0' || whole * 1000 + part <= 0)
        return false;
    ms = whole * 1000 + part;
    return true;
}

std::string medal_times::format_time(long ms)
{
    const long tenths = (ms + 99) / 100;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

const char* medal_times::name(medal which)
{
    switch (which) {
    case medal::gold: return "gold";
    case medal::silver: return "silver";
    case medal::bronze: return "bronze";
    case medal::none: break;
    }
    return "none";
}
