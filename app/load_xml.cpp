#include "load_xml.h"

#include <tinyxml.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// Where the construct opened at `from` ends (just past `close`), or npos.
size_t skip_past(const std::string& text, size_t from, const char* close)
{
    const size_t end = text.find(close, from);
    return end == std::string::npos ? end : end + std::char_traits<char>::length(close);
}

// The '>' that closes the tag opened at `from`, outside quoted values.
size_t tag_end(const std::string& text, size_t from)
{
    char quote = 0;
    for (size_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i;
        }
    }
    return std::string::npos;
}

// Line ends as TinyXML's own file reading makes them: CR LF and a lone CR
// become LF.
std::string with_line_feeds(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            result += text[i];
        else if (i + 1 >= text.size() || text[i + 1] != '\n')
            result += '\n';
    }
    return result;
}

}

int xml_nesting_depth(const std::string& text)
{
    int depth = 0;
    int deepest = 0;
    size_t i = 0;
    while ((i = text.find('<', i)) != std::string::npos) {
        if (text.compare(i, 4, "<!--") == 0) {
            i = skip_past(text, i + 4, "-->");
        } else if (text.compare(i, 9, "<![CDATA[") == 0) {
            i = skip_past(text, i + 9, "]]>");
        } else if (i + 1 < text.size() && (text[i + 1] == '?' || text[i + 1] == '!')) {
            i = skip_past(text, i + 2, ">");
        } else if (i + 1 < text.size() && text[i + 1] == '/') {
            depth = std::max(0, depth - 1);
            i = skip_past(text, i + 2, ">");
        } else {
            const size_t end = tag_end(text, i + 1);
            if (end == std::string::npos)
                break;
            if (text[end - 1] != '/')
                deepest = std::max(deepest, ++depth);
            i = end + 1;
        }
        if (i == std::string::npos)
            break;
    }
    return deepest;
}

xml_result load_xml(const std::string& path, TiXmlDocument& document)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        return xml_result::unreadable;
    if (size > max_xml_bytes)
        return xml_result::too_large;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return xml_result::unreadable;
    std::stringstream read;
    read << in.rdbuf();
    std::string text = with_line_feeds(read.str());
    if (xml_nesting_depth(text) > max_xml_depth)
        return xml_result::too_deep;
    // TinyXML steps over a multi-byte UTF-8 character by its full length even
    // when the text ends inside it, and reads on past the end; the padding
    // keeps it in the buffer whatever the last bytes are.
    text.append(4, '\0');
    document.Parse(text.c_str());
    return document.Error() ? xml_result::unreadable : xml_result::loaded;
}

std::string refusal_text(xml_result result)
{
    switch (result) {
    case xml_result::too_large:
        return "The file is larger than 64 MB and is not loaded.";
    case xml_result::too_deep:
        return "The elements are nested too deeply; the file is not loaded.";
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
    case xml_result::unreadable:
        break;
    }
    if (!document.Error())
        return {1, "cannot open the file"};
    // TinyXML reports an empty document at line 0.
    return {std::max(1, document.ErrorRow()), std::string("not well-formed XML (") + document.ErrorDesc() + ")"};
}
