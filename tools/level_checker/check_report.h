#pragma once

// The problems found in level files and campaign indexes, each tied to a file
// and the line of the XML element or attribute at fault. Errors stop a level
// from loading or make it misbehave; warnings point at something an author
// probably did not mean. Lines print as `file:line: error: message`, grouped
// by file in the order files were first named and sorted by line within one.

#include <iosfwd>
#include <string>
#include <vector>

class check_report {
public:
    enum class severity { error, warning };

    void add(const std::string& file, int line, severity level, const std::string& message);
    void error(const std::string& file, int line, const std::string& message);
    void warning(const std::string& file, int line, const std::string& message);

    int error_count() const;
    int warning_count() const;
    std::vector<std::string> lines() const;
    void print(std::ostream& out) const;

private:
    struct entry {
        std::string file;
        int line;
        severity level;
        std::string message;
    };
    std::vector<entry> entries;
};
