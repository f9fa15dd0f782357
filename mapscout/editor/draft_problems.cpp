#include "draft_problems.h"

#include "app/log.h"
#include "mapscout/level_problems.h"

#include <algorithm>

void draft_problems::check(const std::string& path, const std::string& text)
{
    const std::vector<std::string> found = level_problems::check_text(path, text);
    for (const std::string& line : found)
        if (std::find(last.begin(), last.end(), line) == last.end())
            log_line(line);
    panel.show(found);
    last = found;
}
