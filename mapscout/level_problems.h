#pragma once

// What is wrong with a level file, for mapscout to show while the author
// edits it: the same checks level_checker runs, and whether the file can be
// built into a level at all (well-formed XML with a Level element, within
// the limits every level keeps; anything less keeps the last good level on
// screen).

#include <string>
#include <vector>

class level_problems {
public:
    // Every problem of the level file at `path`, as `file:line: error: message`.
    static std::vector<std::string> check(const std::string& path);
    // The same for `text`, as the file at `path` would hold it (an unsaved draft).
    static std::vector<std::string> check_text(const std::string& path, const std::string& text);
    // Why the file cannot be built into a level (`file:line: reason`); empty when it can.
    static std::string unbuildable(const std::string& path);
};
