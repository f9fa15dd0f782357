#pragma once

// Walks the start tags of an XML text without building anything and without
// recursion, so that a reader can measure a file before TinyXML parses it:
// TinyXML builds and frees its tree recursively, spends about 220 bytes on
// each element and 130 on each attribute, and compares every new attribute
// with all the others of its element. Comments, CDATA, declarations and
// quoted attribute values are stepped over; closing tags lower the depth.
// The counts err on the high side where the text is not well-formed (TinyXML
// then refuses it anyway). The text must outlive the scan.

#include <string>

class xml_text_scan {
public:
    explicit xml_text_scan(const std::string& text);

    // Moves to the next start tag; false when there is none.
    bool next();

    // Of the start tag moved to: how deep it lies (the outermost element is
    // 1), the line it begins on and how many attributes it has.
    int depth() const { return tag_depth; }
    int line() const { return tag_line; }
    int attributes() const { return tag_attributes; }
    // Start tags and attributes met so far, this tag's included.
    long elements() const { return element_count; }
    long all_attributes() const { return attribute_count; }

private:
    void count_lines_to(size_t position);

    const std::string& text;
    size_t at = 0;
    size_t lines_counted_to = 0;
    int line_number = 1;
    // Elements open around the next tag.
    int open = 0;
    int tag_depth = 0;
    int tag_line = 0;
    int tag_attributes = 0;
    long element_count = 0;
    long attribute_count = 0;
};
