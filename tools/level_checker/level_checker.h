#pragma once

// Checks one level file (*.map) against what the game accepts and reports
// every problem to the report, at the line of the element or attribute at
// fault: XML the game refuses, a missing <Level>, values it cannot read,
// missing music, and (through object_list_checker) every problem in
// <Objects>. The report and media must outlive the checker.

#include <string>

class TiXmlElement;
class check_report;
class element_checks;
class level_document;
class media_folders;

class level_checker {
public:
    level_checker(check_report& report, const media_folders& media);

    // path: the file to read, also the name the messages carry.
    void check(const std::string& path);
    // A level's text as read from `file`, which only names it in the
    // messages and for the media beside it.
    void check_text(const std::string& file, const std::string& text);

private:
    void check_document(const std::string& file, const level_document& read);
    void check_level(element_checks& checks, const TiXmlElement* level);
    void check_settings(element_checks& checks, const TiXmlElement* level);
    void check_lights(element_checks& checks, const TiXmlElement* level);

    check_report& report;
    const media_folders& media;
};
