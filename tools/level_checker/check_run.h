#pragma once

// One run of the checker over the files named on the command line: a campaign
// index (*.cmp) is checked as such and then every level it lists; any other
// file is checked as a level. A file reached twice, named directly and
// through an index, is checked once. The report must outlive the run.

#include "media_folders.h"

#include <set>
#include <string>

class check_report;

class check_run {
public:
    check_run(check_report& report, media_folders media);

    void check(const std::string& path);
    int files_checked() const { return int(checked.size()); }

private:
    void check_level(const std::string& path);
    bool first_visit(const std::string& path);

    check_report& report;
    media_folders media;
    std::set<std::string> checked;
};
