#pragma once

// The levels the server can verify runs on, known by the hash of their
// file's bytes (replay::hash_text): every .map file in the folders it is
// given (the game's shipped media/levels and any folder of levels an
// operator adds). The same file name may stand for several versions of a
// level, one per hash. Filled at start-up, read-only afterwards.

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>

class level_catalog {
public:
    struct known_level {
        std::string file;
        std::string text;
    };

    // Adds every .map file in `folder`; the number added. Logs and skips
    // what cannot be read.
    std::size_t add_folder(const std::filesystem::path& folder);
    void add(const std::string& file, const std::string& text);

    // The level of `hash`, or null.
    const known_level* find(std::uint64_t hash) const;
    // Whether some level of that file name is known (under any hash).
    bool knows_file(const std::string& file) const { return files.count(file) > 0; }
    std::size_t size() const { return levels.size(); }

    // The game's data folder the shipped levels come from, where the media a
    // shared level names must lie; empty when the game's data were not found.
    void set_game_data(const std::filesystem::path& folder) { game = folder; }
    const std::filesystem::path& game_data() const { return game; }

private:
    std::map<std::uint64_t, known_level> levels;
    std::set<std::string> files;
    std::filesystem::path game;
};
