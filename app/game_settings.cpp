#include "game_settings.h"

#include "log.h"

#include <fstream>
#include <map>

namespace {

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}

void game_settings::read(std::istream& in, const std::string& source)
{
    const std::map<std::string, bool*> switches = {
        {"shadows", &shadows}, {"bloom", &bloom}, {"frame_cap", &frame_cap}, {"vsync", &vsync}};
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        line = trimmed(line.substr(0, line.find('#')));
        if (line.empty())
            continue;
        const auto equals = line.find('=');
        const auto found = equals == std::string::npos ? switches.end() : switches.find(trimmed(line.substr(0, equals)));
        const std::string value = equals == std::string::npos ? "" : trimmed(line.substr(equals + 1));
        if (found == switches.end() || (value != "on" && value != "off")) {
            log_line(source + ":" + std::to_string(number) + ": " + line + " cannot be used");
            continue;
        }
        *found->second = value == "on";
    }
}

game_settings game_settings::load(const std::filesystem::path& file)
{
    game_settings settings;
    if (!std::filesystem::exists(file))
        return settings;
    std::ifstream in(file);
    if (!in) {
        log_line(file.string() + " cannot be read: the default settings apply");
        return settings;
    }
    settings.read(in, file.string());
    return settings;
}
