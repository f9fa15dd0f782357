#pragma once

// Reads the game's XML files (levels and the campaign index) with TinyXML,
// refusing first what would exhaust memory or the parser's stack: TinyXML
// builds and frees its tree recursively, so a file of a million opening tags
// would overflow the stack however it ends.

#include <string>

class TiXmlDocument;

enum class xml_result { loaded, unreadable, too_large, too_deep };

// Far above any course the game ships or a benchmark builds (a 50,000-object
// level is a few megabytes; levels nest four elements deep).
constexpr unsigned long long max_xml_bytes = 64ull << 20;
constexpr int max_xml_depth = 256;

// `unreadable` covers a missing file and one that is not well-formed XML.
xml_result load_xml(const std::string& path, TiXmlDocument& document);

// The log text for a refused file (too large or too deep), or empty.
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
