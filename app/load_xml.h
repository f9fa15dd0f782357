#pragma once

// Reads the game's XML files (levels and the campaign index) with TinyXML,
// refusing first what would exhaust memory, time or the parser's stack:
// TinyXML builds and frees its tree recursively, so a file of a million
// opening tags would overflow the stack however it ends; it spends some 220
// bytes on an element, and it compares each attribute with every other of
// its element, so one element with a hundred thousand attributes takes
// minutes. Level files keep tighter bounds of their own (level/level_limits).

#include <string>

class TiXmlDocument;

enum class xml_result { loaded, unreadable, too_large, too_deep, too_many_parts };

// Far above any file the game ships or a benchmark builds (a 100,000-object
// level is 6 MB with 104,011 tags and 247,008 attributes; levels nest four
// elements deep, the campaign index four).
constexpr unsigned long long max_xml_bytes = 64ull << 20;
constexpr int max_xml_depth = 256;

// What the raw text of a file may hold before it is parsed; tags are the
// elements, comments and the like, each a node of TinyXML's tree.
struct xml_bounds {
    int depth;
    long tags;
    int attributes_per_element;
    long attributes;
};
constexpr xml_bounds game_xml_bounds{max_xml_depth, 1000000, 32, 2000000};

// The first bound a text oversteps, and the line of the start tag where it does.
struct xml_overrun {
    enum kind { none, depth, tags, attributes_per_element, attributes };
    kind what = none;
    int line = 0;
};
xml_overrun find_overrun(const std::string& text, const xml_bounds& bounds);

// `unreadable` covers a missing file and one that is not well-formed XML.
xml_result load_xml(const std::string& path, TiXmlDocument& document);

// The steps of load_xml, for readers with bounds of their own. The text of
// the file with line ends as TinyXML reads them (CR LF and a lone CR become
// LF); `unreadable` when it cannot be opened, `too_large` beyond max_bytes.
xml_result read_xml_text(const std::string& path, unsigned long long max_bytes, std::string& text);
std::string with_line_feeds(const std::string& text);
// Parses a text as read_xml_text gives it; false when it is not well-formed.
bool parse_xml(std::string text, TiXmlDocument& document);

// The log text for a refused file (too large, deep or many-parted), or empty.
std::string refusal_text(xml_result result);

// Why a file that exists was not loaded, in the words level_checker and
// mapscout give authors: the line at fault (1 when the whole file is refused)
// and the reason, such as the parser's own description of broken XML.
struct xml_problem {
    int line = 1;
    std::string reason;
};
xml_problem describe_xml_problem(xml_result result, const TiXmlDocument& document);

// How deeply the elements of an XML text nest, counted on the raw text so it
// never recurses; comments, CDATA and quoted attribute values are skipped.
int xml_nesting_depth(const std::string& text);
