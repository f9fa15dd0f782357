#include "check_report.h"

#include <algorithm>
#include <map>
#include <ostream>

void check_report::add(const std::string& file, int line, severity level, const std::string& message)
{
    // TinyXML has no row for a file it could not open; line 1 still lets an
    // editor jump to the file.
    entries.push_back({file, std::max(line, 1), level, message});
}

void check_report::error(const std::string& file, int line, const std::string& message)
{
    add(file, line, severity::error, message);
}

void check_report::warning(const std::string& file, int line, const std::string& message)
{
    add(file, line, severity::warning, message);
}

int check_report::error_count() const
{
    return int(std::count_if(entries.begin(), entries.end(),
                             [](const entry& e) { return e.level == severity::error; }));
}

int check_report::warning_count() const
{
    return int(entries.size()) - error_count();
}

std::vector<std::string> check_report::lines() const
{
    std::map<std::string, size_t> file_order;
    for (const entry& e : entries)
        file_order.emplace(e.file, file_order.size());
    std::vector<entry> sorted = entries;
    std::stable_sort(sorted.begin(), sorted.end(), [&](const entry& a, const entry& b) {
        const size_t fa = file_order[a.file], fb = file_order[b.file];
        return fa != fb ? fa < fb : a.line < b.line;
    });
    std::vector<std::string> result;
    for (const entry& e : sorted)
        result.push_back(e.file + ":" + std::to_string(e.line) + ": " +
                         (e.level == severity::error ? "error: " : "warning: ") + e.message);
    return result;
}

void check_report::print(std::ostream& out) const
{
    for (const std::string& line : lines())
        out << line << '\n';
}
