#pragma once

// The player's own files, written so that a crash, a power cut or a full
// disk leaves either the old file or the new one, never half of either; and
// a file the game cannot read moved out of the way rather than overwritten,
// so the player can still recover it by hand.

#include <filesystem>
#include <string>

class safe_file {
public:
    // Writes `text` to `path`, creating missing folders: a new file beside it,
    // flushed to disk, then renamed over the old one. Returns an empty string
    // on success, otherwise one line naming the file and the reason; the old
    // file is then untouched and no new file is left behind. Never throws on
    // a file system error. `mode`: the new file's permissions (0600 for a
    // secret, which is never readable by others, not even for a moment).
    static std::string write(const std::filesystem::path& path, const std::string& text, unsigned mode = 0644);

    // Renames the unreadable `path` to "<name>.broken-YYYYMMDD-HHMMSS" (with
    // "-2", "-3", ... when that is taken) and logs why. Returns the new path,
    // empty when the file could not be renamed (which is logged as well).
    static std::filesystem::path set_aside(const std::filesystem::path& path, const std::string& why);
};
