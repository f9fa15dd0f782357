#pragma once

// A level file's text as the editor changes it: every object element of
// <Objects> with the byte spans of its tag, its attributes, its children
// (waypoints) and its text, so that a change replaces only the bytes it
// concerns. Comments, white space, the order of objects and attributes and
// every attribute the editor does not know stay as they were; a file saved
// without a change is the file that was read, byte for byte.
//
// The level's own sections (<Description>, <Fog>, <Settings>, <Lights>) are
// indexed too, so that the level's settings change the same way.
//
// Every change is made through apply() (or the helpers that return a
// text_edit for it) and the objects are indexed again after it; indices of
// objects and pointers to sections are only valid until the next change. The text must be a level
// document's text (it passed the level reader); anything the scan does not
// understand leaves the object list shorter, never a wrong byte written.

#include "text_edit.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class level_text {
public:
    struct attribute {
        std::string name;
        std::size_t name_at = 0;
        // The value's bytes between the quotes, as written (entities undecoded).
        std::size_t value_at = 0;
        std::size_t value_end = 0;
    };
    struct element {
        std::string name;
        std::size_t begin = 0;    // at '<'
        std::size_t tag_end = 0;  // just past the start tag's '>'
        std::size_t end = 0;      // just past the element (its end tag, or the '/>')
        std::size_t content_end = 0; // where its end tag begins (tag_end when empty)
        int line = 1;
        std::vector<attribute> attributes;
        std::vector<element> children;
    };

    explicit level_text(std::string text);

    const std::string& get_text() const { return text; }
    const std::vector<element>& get_objects() const { return objects; }
    std::size_t object_count() const { return objects.size(); }

    // The decoded value of an object's attribute; none when it has none.
    std::optional<std::string> value(std::size_t object, const std::string& name) const;
    // The text inside an object (an info box's words), decoded.
    std::string inner_text(std::size_t object) const;
    // The decoded value of `child`'s attribute of `object` (a waypoint's pos).
    std::optional<std::string> child_value(std::size_t object, std::size_t child, const std::string& name) const;

    // The <Level> element with its sections (an <Objects> child stands
    // there without its objects); null when the text has none.
    const element* get_level() const { return level ? &*level : nullptr; }
    // The first section of <Level> named `name`, or null.
    const element* section(const std::string& name) const;

    // Any element's decoded attribute (none when it has none) and decoded words.
    std::optional<std::string> value_of(const element& e, const std::string& name) const;
    std::string words_of(const element& e) const;

    // The edits for a change, not yet applied.
    text_edit set_attribute(const element& e, const std::string& name, const std::string& value) const;
    text_edit remove_attribute(const element& e, const std::string& name) const;
    // The element's words; nothing for one with child elements.
    text_edit set_words(const element& e, const std::string& words) const;
    // `element_text` as a section of <Level> on a line of its own, after the
    // last section named in `after` that the text has, or else first in <Level>.
    text_edit insert_section(const std::vector<std::string>& after, const std::string& element_text) const;
    text_edit set_value(std::size_t object, const std::string& name, const std::string& value) const;
    text_edit remove_value(std::size_t object, const std::string& name) const;
    text_edit set_child_value(std::size_t object, std::size_t child, const std::string& name,
                              const std::string& value) const;
    text_edit set_inner_text(std::size_t object, const std::string& words) const;
    // The object's whole lines when it stands alone on them, else its bytes.
    text_edit remove_object(std::size_t object) const;
    // `element_text` on a line of its own after `after` (after the last object
    // when `after` is out of range), indented as the objects are.
    text_edit insert_object(std::size_t after, const std::string& element_text) const;
    // The object's own text, from '<' to its end.
    std::string object_source(std::size_t object) const;

    // Makes the change (or takes it back) and indexes the objects again.
    void apply(const text_edit& edit);
    void undo(const text_edit& edit);

    // For attribute values and texts: & < > " escaped.
    static std::string escaped(const std::string& plain);
    static std::string unescaped(const std::string& written);

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    void index();
    // Shifts the offsets for a change within one attribute value; false when
    // the change is another kind and the text must be read again.
    bool shifted(std::size_t at, const std::string& removed, const std::string& inserted);
    std::optional<element> read_element(std::size_t at, int depth);
    std::size_t line_start(std::size_t at) const;
    std::string line_break() const;
    std::string indent_of(const element& e) const;

    std::string text;
    std::vector<element> objects;
    std::optional<element> level;
    // Where </Objects> begins; npos without an <Objects> element.
    std::size_t objects_close = npos;
    std::size_t objects_open_end = npos;
    std::size_t level_close = npos;
};
