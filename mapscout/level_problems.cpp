#include "level_problems.h"

#include "check_report.h"
#include "check_run.h"
#include "level_checker.h"
#include "level/level_document.h"

std::vector<std::string> level_problems::check(const std::string& path)
{
    check_report report;
    check_run(report, media_folders()).check(path);
    return report.lines();
}

std::vector<std::string> level_problems::check_text(const std::string& path, const std::string& text)
{
    check_report report;
    const media_folders media;
    level_checker(report, media).check_text(path, text);
    return report.lines();
}

std::string level_problems::unbuildable(const std::string& path)
{
    const level_document read = level_document::read_file(path);
    if (read.get_outcome() == level_document::outcome::loaded)
        return "";
    const xml_problem problem = read.problem();
    return path + ":" + std::to_string(problem.line) + ": " + problem.reason;
}
