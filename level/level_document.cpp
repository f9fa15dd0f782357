#include "level_document.h"

#include <tinyxml.h>

level_document::level_document() : document(std::make_unique<TiXmlDocument>()) {}
level_document::~level_document() = default;
level_document::level_document(level_document&&) noexcept = default;
level_document& level_document::operator=(level_document&&) noexcept = default;

level_document level_document::read_file(const std::string& path)
{
    level_document read;
    std::string text;
    switch (read_xml_text(path, level_limits::max_bytes, text)) {
    case xml_result::loaded:
        read.parse(std::move(text));
        break;
    case xml_result::too_large:
        read.result = outcome::refused;
        read.refusals = {level_limits::too_large()};
        break;
    default:
        read.result = outcome::missing;
        break;
    }
    return read;
}

level_document level_document::read_text(const std::string& text)
{
    level_document read;
    read.parse(with_line_feeds(text));
    return read;
}

void level_document::parse(std::string text)
{
    refusals = level_limits::check_text(text);
    if (!refusals.empty()) {
        result = outcome::refused;
        return;
    }
    if (!parse_xml(std::move(text), *document)) {
        result = outcome::broken;
        return;
    }
    level = document->FirstChildElement("Level");
    if (!level) {
        result = outcome::no_level;
        return;
    }
    refusals = level_limits::check_level(level);
    result = refusals.empty() ? outcome::loaded : outcome::refused;
}

xml_problem level_document::problem() const
{
    switch (result) {
    case outcome::loaded:
        return {1, ""};
    case outcome::refused:
        return {refusals.front().line, refusals.front().reason};
    case outcome::no_level: {
        const TiXmlElement* top = document->FirstChildElement();
        return {top ? top->Row() : 1, "no Level element"};
    }
    case outcome::missing:
    case outcome::broken:
        break;
    }
    return describe_xml_problem(xml_result::unreadable, *document);
}
