#pragma once

// Walks the tags of an XML text without building anything and without
// recursion, so that a reader can measure a file before TinyXML parses it:
// TinyXML builds and frees its tree recursively, spends about 220 bytes on
// each element, comment or other tag and 130 on each attribute, and compares
// every new attribute with all the others of its element. Quoted attribute
// values are stepped over; closing tags lower the depth and are not counted.
// The counts err on the high side where the text is not well-formed (TinyXML
// then refuses it anyway). The text must outlive the scan.

#include <string>

class xml_text_scan {
public:
    explicit xml_text_scan(const std::string& text);

    // Moves to the next tag that makes a node (a start tag, comment, CDATA
    // section, declaration or the like); false when there is none.
    bool next();

    // Of the tag moved to: whether it starts an element, the line it begins
    // on and, for an element, how deep it lies (the outermost is 1) and how
    // many attributes it has.
    bool is_element() const { return element; }
    int line() const { return tag_line; }
    int depth() const { return tag_depth; }
    int attributes() const { return tag_attributes; }
    // Tags and attributes met so far, this tag's included.
    long tags() const { return tag_count; }
    long all_attributes() const { return attribute_count; }

private:
    bool start_tag(size_t start);
    void count_lines_to(size_t position);

    const std::string& text;
    size_t at = 0;
    size_t lines_counted_to = 0;
    int line_number = 1;
    // Elements open around the next tag.
    int open = 0;
    bool element = false;
    int tag_line = 0;
    int tag_depth = 0;
    int tag_attributes = 0;
    long tag_count = 0;
    long attribute_count = 0;
};
