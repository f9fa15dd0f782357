#include "check_run.h"

#include "campaign_checker.h"
#include "check_report.h"
#include "level_checker.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

check_run::check_run(check_report& report, media_folders media) : report(report), media(std::move(media)) {}

bool check_run::first_visit(const std::string& path)
{
    std::error_code error;
    fs::path key = fs::weakly_canonical(path, error);
    if (error)
        key = fs::path(path).lexically_normal();
    return checked.insert(key.string()).second;
}

void check_run::check(const std::string& path)
{
    if (fs::path(path).extension() != ".cmp") {
        check_level(path);
        return;
    }
    if (!first_visit(path))
        return;
    for (const std::string& level : campaign_checker(report, media).check(path))
        check_level(level);
}

void check_run::check_level(const std::string& path)
{
    if (first_visit(path))
        level_checker(report, media).check(path);
}
