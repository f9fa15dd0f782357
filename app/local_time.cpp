#include "local_time.h"

#include <ctime>

std::string local_time(const char* format)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    return std::strftime(text, sizeof text, format, &local) ? text : "";
}
