#include "replay.h"

#include "app/log.h"
#include "replay_text.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// Frame lines are under 100 bytes, so the longest run's file stays well below this.
constexpr std::uintmax_t max_file_bytes = std::uintmax_t(256) << 20;

bool read_file(const fs::path& path, std::string& text, std::string& why)
{
    std::error_code failed;
    const std::uintmax_t size = fs::file_size(path, failed);
    if (failed) {
        why = "it cannot be read (" + failed.message() + ")";
        return false;
    }
    if (size > max_file_bytes) {
        why = "it is too large for a replay";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        why = "it cannot be read (" + std::string(std::strerror(errno)) + ")";
        return false;
    }
    text.resize(std::size_t(size));
    in.read(&text[0], std::streamsize(size));
    if (in.bad()) {
        why = "it cannot be read (read error)";
        return false;
    }
    text.resize(std::size_t(in.gcount()));
    return true;
}

}

std::string replay::to_text() const
{
    return replay_to_text(*this);
}

bool replay::parse(const std::string& text, replay& out, std::string& error)
{
    return replay_from_text(text, out, error);
}

bool replay::position_at(double t, float out[3]) const
{
    if (frames.empty())
        return false;
    if (ends.size() > frames.size())
        ends.clear();
    // The recorder appends frames while the ghost runs: carry the sums on.
    for (std::size_t i = ends.size(); i < frames.size(); ++i)
        ends.push_back((i == 0 ? 0.0 : ends[i - 1]) + frames[i].dt);
    const std::size_t after = std::size_t(std::lower_bound(ends.begin(), ends.end(), t) - ends.begin());
    if (after == 0 || after == frames.size()) {
        const replay_frame& f = after == 0 ? frames.front() : frames.back();
        out[0] = f.x;
        out[1] = f.y;
        out[2] = f.z;
        return true;
    }
    const replay_frame& a = frames[after - 1];
    const replay_frame& b = frames[after];
    const double span = ends[after] - ends[after - 1];
    const double w = span > 0.0 ? (t - ends[after - 1]) / span : 1.0;
    out[0] = float(a.x + (double(b.x) - a.x) * w);
    out[1] = float(a.y + (double(b.y) - a.y) * w);
    out[2] = float(a.z + (double(b.z) - a.z) * w);
    return true;
}

double replay::split_for(const std::string& checkpoint) const
{
    for (const replay_split& split : splits) {
        if (split.checkpoint == checkpoint)
            return split.time;
    }
    return -1.0;
}

bool replay::load_for_level(const fs::path& path, const std::string& level_file, std::uint64_t level_hash,
                            replay& out)
{
    std::error_code failed;
    // No replay yet is the usual case: the level has not been finished.
    if (fs::status(path, failed).type() == fs::file_type::not_found)
        return false;
    const std::string refused = "Replay " + path.string() + " is not played: ";
    std::string text;
    std::string why;
    replay read;
    if (!read_file(path, text, why) || !parse(text, read, why))
        log_line(refused + why);
    else if (read.level_file != level_file)
        log_line(refused + "it is for level " + read.level_file);
    else if (read.level_hash != level_hash)
        log_line(refused + "the level file has changed since it was recorded");
    else {
        out = std::move(read);
        return true;
    }
    return false;
}
