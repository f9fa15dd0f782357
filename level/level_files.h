#pragma once

// Where the level file of a name is: in the game's own media/levels/, or
// else in the player's add-on folder (levels/ in the player's data folder),
// which holds the levels and campaign indexes players add. A shipped level
// always wins over an add-on of the same name. Only a plain file name is
// looked up among the add-ons, so no name reaches outside that folder by way
// of it. The programs set the add-on folder once at start-up.

#include <filesystem>
#include <string>

class level_files {
public:
    static constexpr const char* shipped_folder = "media/levels/";

    // Empty: no add-on folder (tests, and until a program sets it).
    static void set_addon_folder(const std::filesystem::path& folder);
    static const std::filesystem::path& addon_folder();

    // The path the loader reads for `file_name`: the shipped file when there
    // is one, else the add-on of that name when there is one, else the
    // shipped path (so that a missing file is reported as it always was).
    static std::string path_of(const std::string& file_name);
    static bool is_shipped(const std::string& file_name);
    // A name without folders: not empty, no '/', not "." or "..".
    static bool is_plain_name(const std::string& name);
};
