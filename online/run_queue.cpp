#include "run_queue.h"

#include "app/safe_file.h"
#include "records/replay.h"

#include <fstream>
#include <sstream>

namespace {

const std::string heading = "quillax online queue 1\n";

}

run_queue::run_queue(std::filesystem::path file) : file(std::move(file))
{
    std::ifstream in(this->file, std::ios::binary);
    if (!in)
        return;
    std::ostringstream text;
    text << in.rdbuf();
    std::string error;
    if (!parse(text.str(), waiting, error))
        safe_file::set_aside(this->file, error);
}

std::string run_queue::add(queued_run run)
{
    for (queued_run& each : waiting)
        if (each.level_hash == run.level_hash) {
            each = std::move(run);
            return save();
        }
    waiting.push_back(std::move(run));
    return save();
}

std::string run_queue::remove(std::uint64_t level_hash, const std::string& replay_text)
{
    for (auto each = waiting.begin(); each != waiting.end(); ++each)
        if (each->level_hash == level_hash && each->replay_text == replay_text) {
            waiting.erase(each);
            return save();
        }
    return "";
}

std::string run_queue::save() const
{
    return safe_file::write(file, to_text());
}

// Each run: "run <bytes> <level file>", then its replay's text of that many bytes.
std::string run_queue::to_text() const
{
    std::string text = heading;
    for (const queued_run& run : waiting)
        text += "run " + std::to_string(run.replay_text.size()) + " " + run.level_file + "\n" + run.replay_text;
    return text;
}

bool run_queue::parse(const std::string& text, std::vector<queued_run>& out, std::string& error)
{
    if (text.compare(0, heading.size(), heading) != 0) {
        error = "it does not begin with '" + heading.substr(0, heading.size() - 1) + "'";
        return false;
    }
    std::vector<queued_run> read;
    for (size_t at = heading.size(); at < text.size();) {
        const size_t line_end = text.find('\n', at);
        const std::string line = text.substr(at, line_end == std::string::npos ? std::string::npos : line_end - at);
        const size_t space = line.find(' ', 4);
        const std::string count = space == std::string::npos ? "" : line.substr(4, space - 4);
        const std::string where = "run " + std::to_string(read.size() + 1) + ": ";
        if (line_end == std::string::npos || line.compare(0, 4, "run ") != 0 || count.empty() || count.size() > 9 ||
            count.find_first_not_of("0123456789") != std::string::npos) {
            error = where + "no 'run <bytes> <level>' line";
            return false;
        }
        const size_t bytes = std::stoul(count);
        if (bytes > text.size() - line_end - 1) {
            error = where + "the file is cut short";
            return false;
        }
        queued_run run;
        run.level_file = line.substr(space + 1);
        run.replay_text = text.substr(line_end + 1, bytes);
        replay parsed;
        std::string why;
        if (!replay::parse(run.replay_text, parsed, why)) {
            error = where + "its replay is broken (" + why + ")";
            return false;
        }
        run.level_hash = parsed.level_hash;
        read.push_back(std::move(run));
        at = line_end + 1 + bytes;
    }
    out = std::move(read);
    return true;
}
