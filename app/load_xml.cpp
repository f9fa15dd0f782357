#include "load_xml.h"

#include "xml_text_scan.h"

#include <tinyxml.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

xml_overrun find_overrun(const std::string& text, const xml_bounds& bounds)
{
    xml_text_scan scan(text);
    while (scan.next()) {
        if (scan.tags() > bounds.tags)
            return {xml_overrun::tags, scan.line()};
        if (!scan.is_element())
            continue;
        if (scan.depth() > bounds.depth)
            return {xml_overrun::depth, scan.line()};
        if (scan.attributes() > bounds.attributes_per_element)
            return {xml_overrun::attributes_per_element, scan.line()};
        if (scan.all_attributes() > bounds.attributes)
            return {xml_overrun::attributes, scan.line()};
    }
    return {};
}

int xml_nesting_depth(const std::string& text)
{
    int deepest = 0;
    xml_text_scan scan(text);
    while (scan.next())
        if (scan.is_element())
            deepest = std::max(deepest, scan.depth());
    return deepest;
}

std::string with_line_feeds(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    size_t from = 0;
    for (size_t cr = text.find('\r'); cr != std::string::npos; cr = text.find('\r', from)) {
        result.append(text, from, cr - from) += '\n';
        from = cr + 1 < text.size() && text[cr + 1] == '\n' ? cr + 2 : cr + 1;
    }
    return result.append(text, from, std::string::npos);
}

xml_result read_xml_text(const std::string& path, unsigned long long max_bytes, std::string& text)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        return xml_result::unreadable;
    if (size > max_bytes)
        return xml_result::too_large;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return xml_result::unreadable;
    std::stringstream read;
    read << in.rdbuf();
    text = with_line_feeds(read.str());
    return xml_result::loaded;
}

bool parse_xml(std::string text, TiXmlDocument& document)
{
    // TinyXML steps over a multi-byte UTF-8 character by its full length even
    // when the text ends inside it, and reads on past the end; the padding
    // keeps it in the buffer whatever the last bytes are.
    text.append(4, '\0');
    document.Parse(text.c_str());
    return !document.Error();
}

xml_result load_xml(const std::string& path, TiXmlDocument& document)
{
    std::string text;
    const xml_result read = read_xml_text(path, max_xml_bytes, text);
    if (read != xml_result::loaded)
        return read;
    switch (find_overrun(text, game_xml_bounds).what) {
    case xml_overrun::none:
        break;
    case xml_overrun::depth:
        return xml_result::too_deep;
    default:
        return xml_result::too_many_parts;
    }
    return parse_xml(std::move(text), document) ? xml_result::loaded : xml_result::unreadable;
}

std::string refusal_text(xml_result result)
{
    switch (result) {
    case xml_result::too_large:
        return "The file is larger than 64 MB and is not loaded.";
    case xml_result::too_deep:
        return "The elements are nested too deeply; the file is not loaded.";
    case xml_result::too_many_parts:
        return "The file holds more elements or attributes than the game reads; it is not loaded.";
    default:
        return "";
    }
}

xml_problem describe_xml_problem(xml_result result, const TiXmlDocument& document)
{
    switch (result) {
    case xml_result::loaded:
        return {1, ""};
    case xml_result::too_large:
        return {1, "larger than 64 MB"};
    case xml_result::too_deep:
        return {1, "nested too deeply"};
    case xml_result::too_many_parts:
        return {1, "more elements or attributes than the game reads"};
    case xml_result::unreadable:
        break;
    }
    if (!document.Error())
        return {1, "cannot open the file"};
    // TinyXML reports an empty document at line 0.
    return {std::max(1, document.ErrorRow()), std::string("not well-formed XML (") + document.ErrorDesc() + ")"};
}
