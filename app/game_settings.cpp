#include "game_settings.h"

#include "key_names.h"
#include "log.h"
#include "trimmed.h"
#include "window_size.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <istream>
#include <map>
#include <sstream>
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

setter whole_number(int game_settings::*field, int least, int most)
{
    return [field, least, most](game_settings& settings, const std::string& value) {
        if (value.empty() || value.size() > 3 || value.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(value) < least || std::stoi(value) > most)
            return false;
        settings.*field = std::stoi(value);
        return true;
    };
}

setter speed(int game_settings::*field)
{
    return whole_number(field, game_settings::least_speed, game_settings::most_speed);
}

bool window_size_value(game_settings& settings, const std::string& value)
{
    int width = 0, height = 0;
    if (!read_window_size(value, width, height))
        return false;
    settings.window_size = window_size_text(width, height);
    return true;
}

bool fullscreen_value(game_settings& settings, const std::string& value)
{
    if (value != "on" && value != "off")
        return false;
    settings.fullscreen = value == "on";
    return true;
}

// One line per key.
const std::map<std::string, setter>& known_settings()
{
    static const std::map<std::string, setter> known{
        {"shadows", on_off(&game_settings::shadows)},
        {"bloom", on_off(&game_settings::bloom)},
        {"frame_cap", on_off(&game_settings::frame_cap)},
        {"vsync", on_off(&game_settings::vsync)},
        {"title_scenery", on_off(&game_settings::title_scenery)},
        {"ghost", on_off(&game_settings::ghost)},
        {"follow_camera", on_off(&game_settings::follow_camera)},
        {"music_volume", whole_number(&game_settings::music_volume, 0, 100)},
        {"music", on_off(&game_settings::music)},
        {"effects_volume", whole_number(&game_settings::effects_volume, 0, 100)},
        {"mouse_sensitivity", speed(&game_settings::mouse_sensitivity)},
        {"invert_mouse", on_off(&game_settings::invert_mouse)},
        {"wheel_speed", speed(&game_settings::wheel_speed)},
        {"window_size", window_size_value},
        {"fullscreen", fullscreen_value},
    };
    return known;
}

// What `key` stands at in `settings`, as the file would say it; the window
// lines may be unset, which leaves the choice to config.cfg.
std::string value_now(const game_settings& settings, const std::string& key)
{
    std::istringstream lines(settings.to_text());
    const std::string start = key + " = ";
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(start, 0) == 0)
            return line.substr(start.size());
    return "what config.cfg says";
}

// A key line of the file, applied with the others once the file is read.
struct wanted_key {
    key_bindings::action action;
    key_code key;
    std::string where;
};

// Reads a `key_...` line into `wanted`; false when `name` names no action.
// `refused` counts a line that names an action but no key.
bool read_key(const game_settings& settings, const std::string& name, const std::string& value,
              const std::string& where, std::vector<wanted_key>& wanted, int& refused)
{
    for (int a = 0; a < key_bindings::action_count; ++a) {
        const auto action = key_bindings::action(a);
        if (name != key_bindings::setting_name(action))
            continue;
        key_code key;
        if (key_from_name(value, key)) {
            wanted.push_back({action, key, where});
            return true;
        }
        log_line(where + "Unknown key '" + value + "' for " + name + "; using " + key_name(settings.keys.key(action)));
        ++refused;
        return true;
    }
    return false;
}

// All key lines at once, so that a file can swap two keys; a key that another
// action keeps or also wants leaves its action as it was. Returns how many
// lines were refused.
int bind_keys(key_bindings& keys, const std::vector<wanted_key>& wanted)
{
    int refused = 0;
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
                log_line(w.where + key_name(w.key) + " is already used to " +
                         key_bindings::description(key_bindings::action(other)) + "; using " +
                         key_name(keys.key(w.action)) + " for " + key_bindings::setting_name(w.action));
                changed = next[w.action] != keys.key(w.action);
                next[w.action] = keys.key(w.action);
                ++refused;
                break;
            }
        }
    }
    keys.bind_all(next);
    return refused;
}

const char* on_off_text(bool on)
{
    return on ? "on" : "off";
}

}

int game_settings::read(std::istream& in, const std::string& source)
{
    int refused = 0;
    std::vector<wanted_key> wanted;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string text = trimmed(line.substr(0, line.find('#')));
        if (text.empty())
            continue;
        const std::string where = source + ":" + std::to_string(number) + ": ";
        const auto equals = text.find('=');
        if (equals == std::string::npos) {
            log_line(where + "No '=' in '" + text + "'; skipping the line");
            ++refused;
            continue;
        }
        const std::string key = trimmed(text.substr(0, equals));
        const std::string value = trimmed(text.substr(equals + 1));
        if (read_key(*this, key, value, where, wanted, refused))
            continue;
        const auto found = known_settings().find(key);
        if (found == known_settings().end()) {
            log_line(where + "Unknown setting '" + key + "'; skipping the line");
            ++refused;
        } else if (!found->second(*this, value)) {
            log_line(where + "Invalid value '" + value + "' for " + key + "; using " + value_now(*this, key));
            ++refused;
        }
    }
    return refused + bind_keys(keys, wanted);
}

std::string game_settings::to_text() const
{
    std::ostringstream out;
    out << "# Quillax settings, written by the options screen; see the README for every line.\n";
    out << "shadows = " << on_off_text(shadows) << "\n";
    out << "bloom = " << on_off_text(bloom) << "\n";
    out << "frame_cap = " << on_off_text(frame_cap) << "\n";
    out << "vsync = " << on_off_text(vsync) << "\n";
    out << "title_scenery = " << on_off_text(title_scenery) << "\n";
    out << "ghost = " << on_off_text(ghost) << "\n";
    out << "follow_camera = " << on_off_text(follow_camera) << "\n";
    out << "music_volume = " << music_volume << "\n";
    out << "music = " << on_off_text(music) << "\n";
    out << "effects_volume = " << effects_volume << "\n";
    out << "mouse_sensitivity = " << mouse_sensitivity << "\n";
    out << "invert_mouse = " << on_off_text(invert_mouse) << "\n";
    out << "wheel_speed = " << wheel_speed << "\n";
    if (!window_size.empty())
        out << "window_size = " << window_size << "\n";
    if (fullscreen)
        out << "fullscreen = " << on_off_text(*fullscreen) << "\n";
    for (int a = 0; a < key_bindings::action_count; ++a)
        out << key_bindings::setting_name(key_bindings::action(a)) << " = " << key_name(keys.key(key_bindings::action(a)))
            << "\n";
    return out.str();
}

game_settings game_settings::load(const std::filesystem::path& file, std::string* fault)
{
    std::string ignored;
    std::string& why = fault ? *fault : ignored;
    why.clear();
    game_settings settings;
    std::error_code failed;
    const auto status = std::filesystem::status(file, failed);
    // No file yet is the usual case: nobody has changed a setting. A new
    // player gets what a new player is best served by.
    if (status.type() == std::filesystem::file_type::not_found) {
        settings.follow_camera = true;
        return settings;
    }
    const std::string cannot_read = file.string() + ": Cannot read the settings (";
    const std::string instead = "); using the defaults";
    if (failed)
        why = failed.message();
    else if (status.type() != std::filesystem::file_type::regular)
        why = "not a file";
    if (!why.empty()) {
        log_line(cannot_read + why + instead);
        return settings;
    }
    std::ifstream in(file);
    if (!in) {
        why = std::strerror(errno);
        log_line(cannot_read + why + instead);
        return settings;
    }
    game_settings read_in;
    const int refused = read_in.read(in, file.string());
    if (in.bad()) {
        why = "read error";
        log_line(cannot_read + why + instead);
        return settings;
    }
    if (refused > 0)
        why = std::to_string(refused) + (refused == 1 ? " line" : " lines") + " not usable";
    return read_in;
}
