#pragma once

// A level file read as every program reads one, the game, mapscout and
// level_checker alike: its size before it is read, the shape of its text
// before TinyXML parses it, then the XML, then the limits of the level
// itself (level_limits), all before anything is built. Nothing is logged:
// each caller says what it makes of the outcome.

#include "app/load_xml.h"
#include "level_limits.h"

#include <memory>
#include <string>
#include <vector>

class TiXmlDocument;
class TiXmlElement;

class level_document {
public:
    enum class outcome {
        loaded,
        missing,  // no such file, or it cannot be opened
        broken,   // not well-formed XML
        no_level, // well-formed, without a <Level> element
        refused,  // beyond a limit: see refusals
    };

    static level_document read_file(const std::string& path);
    // `text` as read from a file, CR LF line ends and all.
    static level_document read_text(const std::string& text);

    ~level_document();
    level_document(level_document&&) noexcept;
    level_document& operator=(level_document&&) noexcept;

    outcome get_outcome() const { return result; }
    // The <Level> element when the file was parsed and has one, refused by
    // the limits of the level or not; it lives as long as this document.
    const TiXmlElement* get_level() const { return level; }
    const std::vector<level_refusal>& get_refusals() const { return refusals; }
    // Why the file was not loaded, at the line at fault: the first refusal,
    // or the XML parser's own reason ({1, ""} once loaded).
    xml_problem problem() const;

private:
    level_document();
    void parse(std::string text);

    std::unique_ptr<TiXmlDocument> document;
    const TiXmlElement* level = nullptr;
    outcome result = outcome::missing;
    std::vector<level_refusal> refusals;
};
