#include "level_limits.h"

#include <tinyxml.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {

// The object types the game builds; only they take an id.
const char* const object_types[] = {"block", "platform", "door",       "switch", "teleporter",
                                    "score", "start",    "checkpoint", "target", "infobox"};

bool is_object_type(const char* type)
{
    return std::any_of(std::begin(object_types), std::end(object_types),
                       [type](const char* known) { return std::strcmp(type, known) == 0; });
}

// A value as a message may quote it: short, and without control characters
// that would reach a terminal or a log viewer.
std::string shown(const std::string& value)
{
    std::string text = value.size() > 40 ? value.substr(0, 40) + "..." : value;
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    return "\"" + text + "\"";
}

std::string quoted(const TiXmlAttribute* attribute)
{
    return attribute->NameTStr() + "=" + shown(attribute->ValueStr());
}

// The element's attribute of that name, or null; it knows its own line.
const TiXmlAttribute* attribute_of(const TiXmlElement* element, const char* name)
{
    for (const TiXmlAttribute* a = element->FirstAttribute(); a; a = a->Next())
        if (std::strcmp(a->Name(), name) == 0)
            return a;
    return nullptr;
}

// The node after `node` in document order, within `top`.
const TiXmlNode* next_node(const TiXmlNode* node, const TiXmlNode* top)
{
    if (const TiXmlNode* child = node->FirstChild())
        return child;
    while (node != top && !node->NextSibling())
        node = node->Parent();
    return node == top ? nullptr : node->NextSibling();
}

// The numbers of a vector as the game reads them, each from the front of a
// part; false unless there are three parts (split, as the game splits them,
// on spaces, tabs and line breaks).
bool read_vector(const char* text, float (&numbers)[3], bool (&read)[3])
{
    int parts = 0;
    for (const char* at = text;; ++parts) {
        at += std::strspn(at, " \t\n");
        if (!*at)
            return parts == 3;
        if (parts == 3)
            return false;
        char* end = nullptr;
        numbers[parts] = std::strtof(at, &end);
        read[parts] = end != at;
        at += std::strcspn(at, " \t\n");
    }
}

// A name that reaches nothing but a file in the folders the game looks in.
bool is_plain_file_name(const std::string& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
    });
}

}

level_refusal level_limits::too_large()
{
    return {1, "the file is larger than " + std::to_string(max_bytes >> 20) + " MB, the most a level may be"};
}

std::vector<level_refusal> level_limits::check_text(const std::string& text)
{
    if (text.size() > max_bytes)
        return {too_large()};
    const xml_overrun overrun = find_overrun(text, text_bounds);
    switch (overrun.what) {
    case xml_overrun::none:
        return {};
    case xml_overrun::depth:
        return {{overrun.line, "elements nest more than " + std::to_string(text_bounds.depth) +
                                   " deep here; a level needs 4 (Level, Objects, Object, Waypoint)"}};
    case xml_overrun::tags:
        return {{overrun.line, "the file holds more than " + std::to_string(text_bounds.tags) +
                                   " tags (elements, comments and the like); this is the first beyond them"}};
    case xml_overrun::attributes_per_element:
        return {{overrun.line, "this element has more than " + std::to_string(text_bounds.attributes_per_element) +
                                   " attributes"}};
    case xml_overrun::attributes:
        return {{overrun.line, "the file holds more than " + std::to_string(text_bounds.attributes) +
                                   " attributes; this element's go beyond them"}};
    }
    return {};
}

std::vector<level_refusal> level_limits::check_level(const TiXmlElement* level)
{
    level_limits limits;
    limits.check_lengths(level);
    limits.check_file_name(level, "music");
    limits.check_lights(level->FirstChildElement("Lights"));
    limits.check_objects(level->FirstChildElement("Objects"));
    limits.check_targets();
    std::stable_sort(limits.refusals.begin(), limits.refusals.end(),
                     [](const level_refusal& a, const level_refusal& b) { return a.line < b.line; });
    return limits.refusals;
}

void level_limits::refuse(int line, std::string reason)
{
    if (!done())
        refusals.push_back({line, std::move(reason)});
}

void level_limits::check_lengths(const TiXmlElement* level)
{
    for (const TiXmlNode* node = level; node && !done(); node = next_node(node, level)) {
        if (const TiXmlText* text = node->ToText()) {
            if (text->ValueStr().size() > max_text_bytes)
                refuse(text->Row(), "a text of " + std::to_string(text->ValueStr().size()) + " bytes, more than the " +
                                        std::to_string(max_text_bytes) + " a text may have");
            continue;
        }
        const TiXmlElement* element = node->ToElement();
        if (!element)
            continue;
        if (element->ValueStr().size() > max_value_bytes)
            refuse(element->Row(), "an element name longer than " + std::to_string(max_value_bytes) + " bytes");
        for (const TiXmlAttribute* a = element->FirstAttribute(); a; a = a->Next()) {
            if (a->NameTStr().size() > max_value_bytes)
                refuse(a->Row(), "an attribute name longer than " + std::to_string(max_value_bytes) + " bytes");
            else if (a->ValueStr().size() > max_value_bytes)
                refuse(a->Row(), "the value of " + a->NameTStr() + " is " + std::to_string(a->ValueStr().size()) +
                                     " bytes long, more than the " + std::to_string(max_value_bytes) +
                                     " a value may have");
        }
    }
}

void level_limits::check_lights(const TiXmlElement* lights)
{
    int light_count = 0;
    for (const TiXmlElement* e = lights ? lights->FirstChildElement("Light") : nullptr; e && !done();
         e = e->NextSiblingElement("Light")) {
        if (++light_count > max_lights) {
            refuse(e->Row(), "a light beyond the " + std::to_string(max_lights) + " a level may have");
            return;
        }
        // Every light takes a generated name, as objects without an id do.
        next_generated_id();
        check_position(e, "pos");
    }
}

void level_limits::check_objects(const TiXmlElement* objects)
{
    int object_count = 0;
    for (const TiXmlElement* e = objects ? objects->FirstChildElement("Object") : nullptr; e && !done();
         e = e->NextSiblingElement("Object")) {
        if (++object_count > max_objects) {
            refuse(e->Row(), "an object beyond the " + std::to_string(max_objects) + " a level may have");
            return;
        }
        check_object(e);
    }
}

void level_limits::check_object(const TiXmlElement* object)
{
    check_position(object, "pos");
    check_position(object, "target_pos");
    check_file_name(object, "mesh");
    check_file_name(object, "open_mesh");
    for (const TiXmlElement* w = object->FirstChildElement("Waypoint"); w; w = w->NextSiblingElement("Waypoint"))
        check_position(w, "pos");

    const char* type = object->Attribute("type");
    if (!type || !is_object_type(type))
        return;
    const std::string kind = type;
    const char* id = object->Attribute("id");
    ids.insert(kind == "start" || kind == "target" ? kind : id ? std::string(id) : next_generated_id());
    // An open door's body takes the next generated name after the door's own.
    if (kind == "door" && object->Attribute("open_mesh"))
        next_generated_id();
    // A teleporter reads target_id only without a target_pos.
    const TiXmlAttribute* target = attribute_of(object, "target_id");
    if (kind == "teleporter" && target && !object->Attribute("target_pos"))
        targets.emplace_back(target->ValueStr(), target->Row());
}

void level_limits::check_position(const TiXmlElement* element, const char* name)
{
    const TiXmlAttribute* attribute = attribute_of(element, name);
    if (!attribute)
        return;
    // What is not three finite numbers the game replaces with its default
    // (it keeps them in floats); only numbers it would take are bounded here.
    float numbers[3];
    bool read[3];
    if (!read_vector(attribute->Value(), numbers, read))
        return;
    for (int i = 0; i < 3; ++i) {
        if (read[i] && std::isfinite(numbers[i]) && std::fabs(numbers[i]) > world_bound) {
            refuse(attribute->Row(), quoted(attribute) + " lies beyond " + std::to_string(long(world_bound)) +
                                         " from the origin, outside the world a level may fill");
            return;
        }
    }
}

void level_limits::check_file_name(const TiXmlElement* element, const char* name)
{
    const TiXmlAttribute* attribute = attribute_of(element, name);
    if (attribute && !is_plain_file_name(attribute->ValueStr()))
        refuse(attribute->Row(),
               quoted(attribute) + " is not a plain file name; a level names the game's media by file name alone");
}

void level_limits::check_targets()
{
    for (const auto& [target, line] : targets)
        if (!ids.count(target) && target != "ground" && target != "player")
            refuse(line, "target_id " + shown(target) + " names no object of this level");
}

std::string level_limits::next_generated_id()
{
    // The game's "obj_%08u", written by hand: printf's formatting was a fifth
    // of the time checking the largest course took.
    std::string name = "obj_00000000";
    for (unsigned n = generated++, i = 11; n > 0 && i >= 4; n /= 10, --i)
        name[i] = char('0' + n % 10);
    return name;
}
