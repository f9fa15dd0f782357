#pragma once

// The level checker as the server runs it on a level someone shares: the
// media it names are looked for in the game's data alone (so a mesh or
// music the game does not ship is an error), and the errors are worded
// without the server's folders.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

class level_review {
public:
    // game_data: the folder the game's media/ lie in.
    explicit level_review(std::filesystem::path game_data);

    // The first `count` errors in `text`, the level `file`, each as
    // `file:line: message`; then, when there are more, how many more.
    std::vector<std::string> errors(const std::string& file, const std::string& text, std::size_t count) const;

private:
    std::filesystem::path game_data;
};
