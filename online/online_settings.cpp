#include "online_settings.h"

#include "app/log.h"
#include "app/safe_file.h"
#include "app/trimmed.h"
#include "player_name.h"

#include <fstream>
#include <sstream>

std::string online_settings::to_text() const
{
    return "# Quillax online play, written by the Online page of Options; see the README.\n"
           "online = " + std::string(on ? "on" : "off") + "\n"
           "player_name = " + player_name + "\n"
           "server_address = " + server_address + "\n";
}

online_settings online_settings::load(const std::filesystem::path& file)
{
    online_settings read;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return read;
    std::string fault;
    std::string line;
    for (int number = 1; fault.empty() && std::getline(in, line); ++number) {
        const std::string text = trimmed(line);
        if (text.empty() || text.front() == '#')
            continue;
        const auto equals = text.find('=');
        const std::string key = equals == std::string::npos ? text : trimmed(text.substr(0, equals));
        const std::string value = equals == std::string::npos ? "" : trimmed(text.substr(equals + 1));
        const std::string where = "line " + std::to_string(number) + ": ";
        if (key == "online" && (value == "on" || value == "off"))
            read.on = value == "on";
        else if (key == "player_name" && (value.empty() || player_name::problem(value).empty()))
            read.player_name = value;
        else if (key == "server_address" && (value.empty() || address_problem(value).empty()))
            read.server_address = value;
        else
            fault = where + "'" + text + "' is not an online setting";
    }
    if (fault.empty())
        return read;
    safe_file::set_aside(file, fault);
    return {};
}

std::string online_settings::address_problem(const std::string& address)
{
    if (address.rfind("http://", 0) != 0 && address.rfind("https://", 0) != 0)
        return "The server address begins with http:// or https://.";
    for (const char c : address)
        if (std::uint8_t(c) <= ' ' || std::uint8_t(c) >= 0x7F || c == '?' || c == '#')
            return "The server address holds a character an address cannot have.";
    if (address.size() > 200)
        return "The server address is too long.";
    return "";
}
