#pragma once

// Where the game finds the media a level or campaign index names: meshes and
// previews in its resource folders, music in media/audio. Two media folders
// are searched: <root>/media, where the build generates meshes, music and
// previews (root is the run folder given with --root), and the media folder
// the named file lies in (…/media/levels/x.map names …/media). The meshes the
// build always generates count as present even before it has run.

#include <string>

class media_folders {
public:
    enum class kind { mesh, music, preview };

    explicit media_folders(std::string root = "");

    bool has_root() const { return !root.empty(); }

    // file: the level or index that names the media.
    bool exists(kind what, const std::string& name, const std::string& file) const;
    // Whether the game's data (the root) hold a level of this file name.
    bool is_shipped_level(const std::string& name) const;
    // The folders searched, for a message; empty when there are none.
    std::string searched(kind what, const std::string& file) const;

private:
    std::string root;
};
