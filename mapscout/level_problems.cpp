#include "level_problems.h"

#include "app/load_xml.h"
#include "check_report.h"
#include "check_run.h"

#include <tinyxml.h>

std::vector<std::string> level_problems::check(const std::string& path)
{
    check_report report;
    check_run(report, media_folders()).check(path);
    return report.lines();
}

std::string level_problems::unbuildable(const std::string& path)
{
    TiXmlDocument document;
    const xml_result read = load_xml(path, document);
    if (read != xml_result::loaded) {
        const xml_problem problem = describe_xml_problem(read, document);
        return path + ":" + std::to_string(problem.line) + ": " + problem.reason;
    }
    if (!document.FirstChildElement("Level"))
        return path + ":1: no Level element";
    return "";
}
