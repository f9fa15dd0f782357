// A replay file is text, one record per line, tokens separated by blanks;
// blank lines are skipped:
//
//   quillax replay 2                       format version (1 without a pad's stick)
//   physics 2                              the physics version that recorded the run;
//                                          only there when it is not 1
//   level level_01.map                     the level's file name
//   hash 0123456789abcdef                  hash_text of the level file, 16 hex digits
//   time 42.516666666666666                play clock at the finish, seconds
//   coins 7
//   checkpoint cp_1 12.25                  0 to 10000 lines: id, first touch in play time
//   frames 2550                            the number of f lines, at most 2000000
//   f 0.0166666675 1 0 0 12.5 5 -3.25      dt, moves, turn, wheel, x, y, z after the frame
//   f 0.0166666675 0 0 0 12.5 5 -3.5 0.5 -1  the same, then a pad stick's forward and right tilt
//   ...
//   end
//
// Floats are written with 9 significant digits and doubles with 17, which
// reads back every value bit for bit. Names are single tokens: each byte
// outside [A-Za-z0-9._-] is written as %XX, and the empty name as a lone %.
// A frame without a stick's tilt has no tilt tokens, and a replay with no
// tilt at all is version 1, as the game wrote before it knew pads. A run of
// physics version 1 has no physics line, so its file reads in every game that
// knew replays before the line came. Every
// number must be finite and in range, and nothing may follow "end",

#include "replay_text.h"

#include "replay.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

constexpr long long format_version = 2;
constexpr float max_frame_time = 3600.0f;
// The shortest frame line, "f 1 0 0 0 0 0 0\n": a declared count is never
// trusted for more frames than the text can hold.
constexpr std::size_t shortest_frame_line = 16;
constexpr long long max_mouse_counts = 1000000;
constexpr long long max_moves = 63;

// Whether a frame carries a stick's tilt; a tilt of -0 is kept too, so
// that every frame read writes back bit for bit.
bool tilted(const replay_frame& f)
{
    return f.roll_forward != 0.0f || f.roll_right != 0.0f || std::signbit(f.roll_forward) ||
           std::signbit(f.roll_right);
}

bool safe_byte(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_' ||
           c == '-';
}

std::string escaped(const std::string& text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (safe_byte(c)) {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

int hex_value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A lone % cannot come from escaping, which leaves the empty name free for it.
std::string name_token(const std::string& name)
{
    return name.empty() ? "%" : escaped(name);
}

bool read_name(std::string_view token, std::string& name)
{
    name.clear();
    if (token == "%")
        return true;
    for (std::size_t i = 0; i < token.size(); ++i) {
        if (token[i] != '%') {
            name += token[i];
            continue;
        }
        if (token.size() - i < 3 || hex_value(token[i + 1]) < 0 || hex_value(token[i + 2]) < 0)
            return false;
        name += char(hex_value(token[i + 1]) * 16 + hex_value(token[i + 2]));
        i += 2;
    }
    return true;
}

// Tokens end at a blank, a line end or the end of the text, all of which stop
// strtod too, so a number is whole when the parse ends at the token's end.
bool read_double(std::string_view token, double& value)
{
    char* end = nullptr;
    value = std::strtod(token.data(), &end);
    return end == token.data() + token.size() && std::isfinite(value);
}

bool read_float(std::string_view token, float& value)
{
    char* end = nullptr;
    value = std::strtof(token.data(), &end);
    return end == token.data() + token.size() && std::isfinite(value);
}

bool read_integer(std::string_view token, long long low, long long high, long long& value)
{
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(token.data(), &end, 10);
    return end == token.data() + token.size() && errno != ERANGE && value >= low && value <= high;
}

bool read_hash(std::string_view token, std::uint64_t& hash)
{
    if (token.size() != 16)
        return false;
    hash = 0;
    for (char c : token) {
        if (hex_value(c) < 0)
            return false;
        hash = hash << 4 | std::uint64_t(hex_value(c));
    }
    return true;
}

// Walks the text a line at a time, skipping blank lines, and words errors
// with the line they are on (the line after the last at the end of the text).
class reader {
public:
    explicit reader(const std::string& text) : text(text) {}

    // Splits the next line that is not blank into `tokens`; false at the end.
    bool next()
    {
        tokens.clear();
        while (tokens.empty()) {
            ++number;
            if (pos >= text.size())
                return false;
            const std::size_t end = std::min(text.find('\n', pos), text.size());
            split(std::string_view(text).substr(pos, end - pos));
            pos = end + 1;
        }
        return true;
    }

    bool fail(const std::string& why)
    {
        error = "line " + std::to_string(number) + ": " + why;
        return false;
    }

    // How many bytes are left to read.
    std::size_t rest() const { return pos < text.size() ? text.size() - pos : 0; }

    // No line holds more than 10 tokens; an 11th only marks a line as too long.
    std::vector<std::string_view> tokens;
    std::string error;

private:
    void split(std::string_view line)
    {
        const char* blanks = " \t\r\v\f";
        std::size_t start = line.find_first_not_of(blanks);
        while (start != std::string_view::npos && tokens.size() < 11) {
            const std::size_t end = std::min(line.find_first_of(blanks, start), line.size());
            tokens.push_back(line.substr(start, end - start));
            start = line.find_first_not_of(blanks, end);
        }
    }

    const std::string& text;
    std::size_t pos = 0;
    int number = 0;
};

// The next line, which must be `key` and one value.
bool expect(reader& in, const std::string& key)
{
    if (!in.next())
        return in.fail("the file ends before \"" + key + "\"");
    if (in.tokens[0] != key || in.tokens.size() != 2)
        return in.fail("expected \"" + key + "\" and a value");
    return true;
}

bool read_header(reader& in)
{
    long long version = 0;
    if (!in.next() || in.tokens.size() != 3 || in.tokens[0] != "quillax" || in.tokens[1] != "replay" ||
        !read_integer(in.tokens[2], 1, LLONG_MAX, version))
        return in.fail("not a replay file");
    if (version > format_version)
        return in.fail("made by a newer version of the game");
    return true;
}

// The physics line, when there is one, and the level line after it.
bool read_physics(reader& in, replay& out)
{
    if (!in.next())
        return in.fail("the file ends before \"level\"");
    if (in.tokens[0] != "physics") {
        out.physics = 1;
        return true;
    }
    long long physics = 0;
    if (in.tokens.size() != 2 || !read_integer(in.tokens[1], 1, INT_MAX, physics))
        return in.fail("the physics version is not a whole number, 1 or more");
    out.physics = int(physics);
    return in.next() || in.fail("the file ends before \"level\"");
}

// From the level line, which `in` holds, on.
bool read_fields(reader& in, replay& out)
{
    long long coins = 0;
    if (in.tokens[0] != "level" || in.tokens.size() != 2)
        return in.fail("expected \"level\" and a value");
    if (!read_name(in.tokens[1], out.level_file))
        return in.fail("the level name has a malformed %XX");
    if (!expect(in, "hash"))
        return false;
    if (!read_hash(in.tokens[1], out.level_hash))
        return in.fail("the level hash is not 16 hex digits");
    if (!expect(in, "time"))
        return false;
    if (!read_double(in.tokens[1], out.finish_time) || out.finish_time < 0.0)
        return in.fail("the finish time is not a number of seconds, 0 or more");
    if (!expect(in, "coins"))
        return false;
    if (!read_integer(in.tokens[1], 0, INT_MAX, coins))
        return in.fail("the coin count is not a whole number, 0 or more");
    out.coins = int(coins);
    return true;
}

// The checkpoint lines and the "frames" line after them.
bool read_splits(reader& in, replay& out, std::size_t& frame_count)
{
    while (in.next() && in.tokens[0] == "checkpoint") {
        if (out.splits.size() == replay::max_checkpoints)
            return in.fail("more than " + std::to_string(replay::max_checkpoints) + " checkpoints");
        replay_split split;
        if (in.tokens.size() != 3 || !read_name(in.tokens[1], split.checkpoint))
            return in.fail("expected \"checkpoint\", an id and a time");
        if (!read_double(in.tokens[2], split.time) || split.time < 0.0)
            return in.fail("the checkpoint time is not a number of seconds, 0 or more");
        out.splits.push_back(std::move(split));
    }
    long long count = 0;
    if (in.tokens.empty())
        return in.fail("the file ends before \"frames\"");
    if (in.tokens[0] != "frames" || in.tokens.size() != 2)
        return in.fail("expected \"checkpoint\" or \"frames\"");
    if (!read_integer(in.tokens[1], 0, replay::max_frames, count))
        return in.fail("the frame count is not a whole number from 0 to " + std::to_string(replay::max_frames));
    frame_count = std::size_t(count);
    return true;
}

bool read_frame(reader& in, replay_frame& frame)
{
    long long moves = 0;
    long long turn = 0;
    long long wheel = 0;
    if (in.tokens.size() != 8 && in.tokens.size() != 10)
        return in.fail("expected \"f\" and 7 values, or 9 with a stick's tilt");
    // The still frames a level starts with take no time; a machine that
    // stalled may give one frame many seconds.
    if (!read_float(in.tokens[1], frame.dt) || !(frame.dt >= 0.0f && frame.dt <= max_frame_time))
        return in.fail("the time step is not a number of seconds from 0 to 3600");
    if (!read_integer(in.tokens[2], 0, max_moves, moves))
        return in.fail("the held keys are not a mask from 0 to 63");
    if (!read_integer(in.tokens[3], -max_mouse_counts, max_mouse_counts, turn) ||
        !read_integer(in.tokens[4], -max_mouse_counts, max_mouse_counts, wheel))
        return in.fail("the mouse movement is not a whole number within 1000000 either way");
    if (!read_float(in.tokens[5], frame.x) || !read_float(in.tokens[6], frame.y) ||
        !read_float(in.tokens[7], frame.z))
        return in.fail("the position is not three finite numbers");
    if (in.tokens.size() == 10 &&
        (!read_float(in.tokens[8], frame.roll_forward) || !read_float(in.tokens[9], frame.roll_right) ||
         std::fabs(frame.roll_forward) > 1.0f || std::fabs(frame.roll_right) > 1.0f))
        return in.fail("the stick's tilt is not two numbers from -1 to 1");
    frame.moves = unsigned(moves);
    frame.turn = int(turn);
    frame.wheel = int(wheel);
    return true;
}

bool read_frames(reader& in, std::size_t count, std::vector<replay_frame>& frames)
{
    frames.reserve(std::min(count, in.rest() / shortest_frame_line));
    while (frames.size() < count) {
        if (!in.next() || in.tokens[0] != "f")
            return in.fail("frame " + std::to_string(frames.size() + 1) + " of " + std::to_string(count) +
                           " is missing");
        replay_frame frame;
        if (!read_frame(in, frame))
            return false;
        frames.push_back(frame);
    }
    return true;
}

bool read_end(reader& in)
{
    if (!in.next())
        return in.fail("the file ends before \"end\"");
    if (in.tokens[0] == "f")
        return in.fail("more frames than the declared count");
    if (in.tokens[0] != "end" || in.tokens.size() != 1)
        return in.fail("expected \"end\"");
    if (in.next())
        return in.fail("text after \"end\"");
    return true;
}

}

// The file's name and the level's hash are here with the text form, so the
// level checker can find and check a level's runs without the rest of the game.
std::uint64_t replay::hash_text(const std::string& bytes)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string replay::file_name_for(const std::string& level_file)
{
    const std::string name = escaped(level_file);
    // A leading dot would hide the file.
    if (!name.empty() && name[0] == '.')
        return "%2E" + name.substr(1) + ".replay";
    return name + ".replay";
}

std::string replay_to_text(const replay& r)
{
    // Longer than any line. The game never leaves the C locale, so the decimal point is a point.
    char line[192];
    std::snprintf(line, sizeof line, "hash %016llx\ntime %.17g\ncoins %d\n", (unsigned long long)r.level_hash,
                  r.finish_time, r.coins);
    const bool any_tilt = std::any_of(r.frames.begin(), r.frames.end(), tilted);
    std::string text = std::string(any_tilt ? "quillax replay 2" : "quillax replay 1") + "\n";
    if (r.physics != 1)
        text += "physics " + std::to_string(r.physics) + "\n";
    text += "level " + name_token(r.level_file) + "\n" + line;
    for (const replay_split& split : r.splits) {
        std::snprintf(line, sizeof line, " %.17g\n", split.time);
        text += "checkpoint " + name_token(split.checkpoint) + line;
    }
    std::snprintf(line, sizeof line, "frames %zu\n", r.frames.size());
    text += line;
    text.reserve(text.size() + r.frames.size() * 48);
    for (const replay_frame& f : r.frames) {
        std::snprintf(line, sizeof line, "f %.9g %u %d %d %.9g %.9g %.9g", double(f.dt), f.moves, f.turn, f.wheel,
                      double(f.x), double(f.y), double(f.z));
        text += line;
        if (tilted(f)) {
            std::snprintf(line, sizeof line, " %.9g %.9g", double(f.roll_forward), double(f.roll_right));
            text += line;
        }
        text += '\n';
    }
    return text + "end\n";
}

bool replay_from_text(const std::string& text, replay& out, std::string& error)
{
    reader in(text);
    replay read;
    std::size_t frame_count = 0;
    if (!read_header(in) || !read_physics(in, read) || !read_fields(in, read) || !read_splits(in, read, frame_count) ||
        !read_frames(in, frame_count, read.frames) || !read_end(in)) {
        error = in.error;
        return false;
    }
    out = std::move(read);
    return true;
}
