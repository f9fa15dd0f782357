#pragma once

// Notices that files changed on disk, by polling their size and time of
// change a few times a second: editors that save by renaming a new file over
// the old one are seen as surely as those that write in place. A change is
// reported once it has held still for one poll, so a file saved in two steps
// is read whole.

#include <cstdint>
#include <filesystem>
#include <vector>

class file_watch {
public:
    // The files as they are now; a missing file counts as a state too.
    void watch(std::vector<std::filesystem::path> files);
    // Called every frame: the files whose change has just settled, usually none.
    std::vector<std::filesystem::path> changed(float dt);

    static constexpr float poll_seconds = 0.25f;

private:
    struct stamp {
        bool exists = false;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type written;
        bool operator==(const stamp& other) const
        {
            return exists == other.exists && size == other.size && written == other.written;
        }
        bool operator!=(const stamp& other) const { return !(*this == other); }
    };
    static stamp stamp_of(const std::filesystem::path& file);
    std::vector<stamp> stamps_now() const;

    std::vector<std::filesystem::path> files;
    std::vector<stamp> known;
    // The files as last polled while a change settles; empty when none does.
    std::vector<stamp> settling;
    float since_poll = 0.0f;
};
