#include "game_settings.h"

#include "log.h"
#include "trimmed.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <istream>
#include <map>
#include <system_error>

namespace {

// Stores a line's value; false when the value does not suit the key.
using setter = std::function<bool(game_settings&, const std::string& value)>;

setter on_off(bool game_settings::*field)
{
    return [field](game_settings& settings, const std::string& value) {
        if (value != "on" && value != "off")
            return false;
        settings.*field = value == "on";
        return true;
    };
}

// One line per key.
const std::map<std::string, setter>& keys()
{
    static const std::map<std::string, setter> known{
        {"shadows", on_off(&game_settings::shadows)},
        {"bloom", on_off(&game_settings::bloom)},
        {"frame_cap", on_off(&game_settings::frame_cap)},
        {"vsync", on_off(&game_settings::vsync)},
        {"ghost", on_off(&game_settings::ghost)},
    };
    return known;
}

}

void game_settings::read(std::istream& in, const std::string& source)
{
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string text = trimmed(line.substr(0, line.find('#')));
        if (text.empty())
            continue;
        const std::string where = source + ":" + std::to_string(number) + ": ";
        const auto equals = text.find('=');
        if (equals == std::string::npos) {
            log_line(where + "Zeile ohne \"=\" wird übergangen: \"" + text + "\"");
            continue;
        }
        const std::string key = trimmed(text.substr(0, equals));
        const std::string value = trimmed(text.substr(equals + 1));
        const auto found = keys().find(key);
        if (found == keys().end())
            log_line(where + "Unbekannte Einstellung \"" + key + "\" wird übergangen");
        else if (!found->second(*this, value))
            log_line(where + "Ungültiger Wert \"" + value + "\" für " + key + ", die Einstellung bleibt unverändert");
    }
}

game_settings game_settings::load(const std::filesystem::path& file)
{
    game_settings settings;
    std::error_code failed;
    const auto status = std::filesystem::status(file, failed);
    // No file yet is the usual case: nobody has changed a setting.
    if (status.type() == std::filesystem::file_type::not_found)
        return settings;
    const std::string cannot_read = file.string() + ": Die Einstellungen können nicht gelesen werden (";
    const std::string instead = "), es gelten die Standardwerte";
    if (failed) {
        log_line(cannot_read + failed.message() + instead);
        return settings;
    }
    if (status.type() != std::filesystem::file_type::regular) {
        log_line(cannot_read + "keine Datei" + instead);
        return settings;
    }
    std::ifstream in(file);
    if (!in) {
        log_line(cannot_read + std::strerror(errno) + instead);
        return settings;
    }
    game_settings read_in;
    read_in.read(in, file.string());
    if (in.bad()) {
        log_line(cannot_read + "Lesefehler" + instead);
        return settings;
    }
    return read_in;
}
