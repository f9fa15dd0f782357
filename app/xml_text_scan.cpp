#include "xml_text_scan.h"

#include <algorithm>
#include <cstring>

namespace {

// Where the construct opened at `from` ends (just past `close`), or npos.
size_t skip_past(const std::string& text, size_t from, const char* close)
{
    const size_t end = text.find(close, from);
    return end == std::string::npos ? end : end + std::char_traits<char>::length(close);
}

// The first byte of `set` at or after `from`, or npos. strcspn goes through
// many bytes at a time; a NUL in the text ends its run, not the search.
size_t find_any(const std::string& text, size_t from, const char* set)
{
    while (from < text.size()) {
        from += std::strcspn(text.c_str() + from, set);
        if (from < text.size() && text[from] != '\0')
            return from;
        ++from;
    }
    return std::string::npos;
}

}

xml_text_scan::xml_text_scan(const std::string& text) : text(text) {}

void xml_text_scan::count_lines_to(size_t position)
{
    // memchr goes through many bytes at a time, and no further than the tag:
    // a search to the next line end could cross a whole file written on one
    // line, for each of its tags.
    const char* at = text.data() + lines_counted_to;
    const char* const end = text.data() + position;
    while ((at = static_cast<const char*>(std::memchr(at, '\n', size_t(end - at))))) {
        ++line_number;
        ++at;
    }
    lines_counted_to = position;
}

bool xml_text_scan::next()
{
    while (at < text.size() && (at = text.find('<', at)) != std::string::npos) {
        const size_t start = at;
        if (text.compare(at, 2, "</") == 0) {
            open = std::max(0, open - 1);
            at = skip_past(text, at + 2, ">");
            continue;
        }
        if (text.compare(at, 4, "<!--") == 0)
            at = skip_past(text, at + 4, "-->");
        else if (text.compare(at, 9, "<![CDATA[") == 0)
            at = skip_past(text, at + 9, "]]>");
        else if (text.compare(at, 2, "<?") == 0 || text.compare(at, 2, "<!") == 0)
            at = skip_past(text, at + 2, ">");
        else
            return start_tag(start);
        if (at == std::string::npos)
            return false;
        count_lines_to(start);
        tag_line = line_number;
        element = false;
        ++tag_count;
        return true;
    }
    at = std::string::npos;
    return false;
}

bool xml_text_scan::start_tag(size_t start)
{
    // Its attributes are the '=' outside quoted values.
    int equals = 0;
    for (at = find_any(text, at + 1, "\"'=>"); at != std::string::npos && text[at] != '>';
         at = find_any(text, at + 1, "\"'=>")) {
        if (text[at] == '=')
            ++equals;
        else if ((at = text.find(text[at], at + 1)) == std::string::npos)
            break;
    }
    if (at == std::string::npos)
        return false;
    count_lines_to(start);
    tag_line = line_number;
    element = true;
    tag_depth = open + 1;
    tag_attributes = equals;
    ++tag_count;
    attribute_count += equals;
    if (text[at - 1] != '/')
        ++open;
    ++at;
    return true;
}
