#pragma once

// Turns level files into preview pictures: level_01.map becomes
// level_01_pre.png in the output folder. A level that cannot be read, or
// holds nothing to draw, still gets a picture (the plain background), so the
// level selection never shows a stale one; only a picture that cannot be
// written counts as a failure.

#include <ostream>
#include <string>

class preview_maker {
public:
    // The picture's file name for a level file path.
    static std::string preview_name(const std::string& level_path);

    // Writes the preview of one level into folder. Every problem with the
    // level goes to warnings as one line naming the file. Returns false when
    // the picture could not be written.
    bool make(const std::string& level_path, const std::string& folder, std::ostream& warnings) const;
};
