#include "game_settings.h"

#include "key_names.h"
#include "log.h"
#include "trimmed.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <istream>
#include <map>
#include <system_error>
#include <vector>

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

setter percent(int game_settings::*field)
{
    return [field](game_settings& settings, const std::string& value) {
        if (value.empty() || value.size() > 3 || value.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(value) > 100)
            return false;
        settings.*field = std::stoi(value);
        return true;
    };
}

// One line per key.
const std::map<std::string, setter>& known_settings()
{
    static const std::map<std::string, setter> known{
        {"shadows", on_off(&game_settings::shadows)},
        {"bloom", on_off(&game_settings::bloom)},
        {"frame_cap", on_off(&game_settings::frame_cap)},
        {"vsync", on_off(&game_settings::vsync)},
        {"ghost", on_off(&game_settings::ghost)},
        {"music_volume", percent(&game_settings::music_volume)},
        {"music", on_off(&game_settings::music)},
    };
    return known;
}

// A key line of the file, applied with the others once the file is read.
struct wanted_key {
    key_bindings::action action;
    key_code key;
    std::string where;
};

// Reads a `key_...` line into `wanted`; false when `name` names no action.
bool read_key(const std::string& name, const std::string& value, const std::string& where,
              std::vector<wanted_key>& wanted)
{
    for (int a = 0; a < key_bindings::action_count; ++a) {
        const auto action = key_bindings::action(a);
        if (name != key_bindings::setting_name(action))
            continue;
        key_code key;
        if (key_from_name(value, key))
            wanted.push_back({action, key, where});
        else
            log_line(where + "Unbekannte Taste \"" + value + "\" für " + name + ", die Einstellung bleibt unverändert");
        return true;
    }
    return false;
}

// All key lines at once, so that a file can swap two keys; a key that another
// action keeps or also wants leaves its action as it was.
void bind_keys(key_bindings& keys, const std::vector<wanted_key>& wanted)
{
    auto next = keys.all();
    for (const wanted_key& w : wanted)
        next[w.action] = w.key;
    for (bool changed = true; changed;) {
        changed = false;
        for (const wanted_key& w : wanted) {
            if (next[w.action] != w.key)
                continue;
            for (int other = 0; other < key_bindings::action_count; ++other) {
                if (other == w.action || next[other] != w.key)
                    continue;
                log_line(w.where + "Die Taste " + key_name(w.key) + " gehört schon zu \"" +
                         key_bindings::description(key_bindings::action(other)) + "\", " +
                         key_bindings::setting_name(w.action) + " bleibt " + key_name(keys.key(w.action)));
                changed = next[w.action] != keys.key(w.action);
                next[w.action] = keys.key(w.action);
                break;
            }
        }
    }
    keys.bind_all(next);
}

}

void game_settings::read(std::istream& in, const std::string& source)
{
    std::vector<wanted_key> wanted;
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
        if (read_key(key, value, where, wanted))
            continue;
        const auto found = known_settings().find(key);
        if (found == known_settings().end())
            log_line(where + "Unbekannte Einstellung \"" + key + "\" wird übergangen");
        else if (!found->second(*this, value))
            log_line(where + "Ungültiger Wert \"" + value + "\" für " + key + ", die Einstellung bleibt unverändert");
    }
    bind_keys(keys, wanted);
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
