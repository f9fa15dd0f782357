#include "level_review.h"

#include "check_report.h"
#include "level_checker.h"
#include "media_folders.h"

namespace {

void replace_all(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}

level_review::level_review(std::filesystem::path game_data) : game_data(std::move(game_data)) {}

std::vector<std::string> level_review::errors(const std::string& file, const std::string& text,
                                              std::size_t count) const
{
    // Named as if it lay among the shipped levels, so that the media beside
    // it are the game's own and never those of the server's working folder.
    const std::filesystem::path media = (game_data / "media").lexically_normal();
    const std::string path = (media / "levels" / file).string();
    check_report report;
    level_checker(report, media_folders(game_data.string())).check_text(path, text);
    std::vector<std::string> found;
    int more = 0;
    for (std::string line : report.lines()) {
        // path:line: error: message
        const std::size_t colon = line.find(": ", path.size() + 1);
        if (line.compare(0, path.size(), path) != 0 || colon == std::string::npos ||
            line.compare(colon, 9, ": error: ") != 0)
            continue;
        if (found.size() == count) {
            ++more;
            continue;
        }
        line = file + line.substr(path.size(), colon - path.size()) + ": " + line.substr(colon + 9);
        replace_all(line, media.string(), "the game's media");
        found.push_back(line);
    }
    if (more > 0)
        found.push_back("and " + std::to_string(more) + (more == 1 ? " more error" : " more errors"));
    return found;
}
