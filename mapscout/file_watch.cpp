#include "file_watch.h"

#include <system_error>

void file_watch::watch(std::vector<std::filesystem::path> watched)
{
    files = std::move(watched);
    known = stamps_now();
    settling.clear();
    since_poll = 0.0f;
}

file_watch::stamp file_watch::stamp_of(const std::filesystem::path& file)
{
    stamp s;
    std::error_code error;
    s.size = std::filesystem::file_size(file, error);
    if (error)
        return {};
    s.written = std::filesystem::last_write_time(file, error);
    s.exists = !error;
    return s;
}

std::vector<file_watch::stamp> file_watch::stamps_now() const
{
    std::vector<stamp> out;
    for (const auto& file : files)
        out.push_back(stamp_of(file));
    return out;
}

std::vector<std::filesystem::path> file_watch::changed(float dt)
{
    since_poll += dt;
    if (since_poll < poll_seconds)
        return {};
    since_poll = 0.0f;
    const std::vector<stamp> now = stamps_now();
    if (now != (settling.empty() ? known : settling)) {
        // Still being written: wait for the next poll.
        settling = now;
        return {};
    }
    if (settling.empty())
        return {};
    std::vector<std::filesystem::path> out;
    for (std::size_t i = 0; i < files.size(); ++i)
        if (now[i] != known[i])
            out.push_back(files[i]);
    known = now;
    settling.clear();
    return out;
}
