#include "level_settings.h"

#include "level_text.h"

#include <algorithm>

namespace {

// Each row's section of <Level> (empty: <Level> itself) and attribute
// (empty: the section's words).
struct place {
    const char* name;
    const char* section;
    const char* attribute;
};

const place places[] = {
    {"name", "", "name"},
    {"music", "", "music"},
    {"description", "Description", ""},
    {"fog start", "Fog", "start"},
    {"fog end", "Fog", "end"},
    {"fog colour", "Fog", "colour"},
    {"ambient", "Settings", "ambient"},
    {"gravity", "Settings", "gravity"},
};

// The order the sections stand in, which a new section keeps.
const std::vector<std::string> section_order = {"Description", "Fog", "Settings"};

const place* place_of(const std::string& name)
{
    for (const place& p : places)
        if (name == p.name)
            return &p;
    return nullptr;
}

const level_text::element* element_of(const level_text& text, const place& p)
{
    return *p.section ? text.section(p.section) : text.get_level();
}

// The light the row "light N attribute" names, and the attribute.
const level_text::element* light_of(const level_text& text, const std::string& name, std::string& attribute)
{
    const level_text::element* lights = text.section("Lights");
    if (!lights || name.rfind("light ", 0) != 0)
        return nullptr;
    const std::size_t space = name.find(' ', 6);
    if (space == std::string::npos)
        return nullptr;
    std::size_t number = 0;
    for (std::size_t i = 6; i < space; ++i) {
        if (name[i] < '0' || name[i] > '9')
            return nullptr;
        number = number * 10 + std::size_t(name[i] - '0');
    }
    attribute = name.substr(space + 1);
    std::size_t seen = 0;
    for (const level_text::element& light : lights->children)
        if (light.name == "Light" && ++seen == number)
            return &light;
    return nullptr;
}

std::optional<text_edit> attribute_edit(const level_text& text, const level_text::element& e,
                                        const std::string& attribute, const std::string& value)
{
    const std::optional<std::string> now = text.value_of(e, attribute);
    if (value.empty())
        return now ? std::optional<text_edit>(text.remove_attribute(e, attribute)) : std::nullopt;
    if (now == value)
        return std::nullopt;
    return text.set_attribute(e, attribute, value);
}

}

std::vector<level_settings::row> level_settings::rows(const level_text& text)
{
    std::vector<row> out;
    if (!text.get_level())
        return out;
    for (const place& p : places) {
        const level_text::element* e = element_of(text, p);
        std::string value;
        if (e)
            value = *p.attribute ? text.value_of(*e, p.attribute).value_or("") : text.words_of(*e);
        out.push_back({p.name, value});
    }
    if (const level_text::element* lights = text.section("Lights")) {
        int number = 0;
        for (const level_text::element& light : lights->children) {
            if (light.name != "Light")
                continue;
            ++number;
            for (const level_text::attribute& a : light.attributes)
                out.push_back({"light " + std::to_string(number) + " " + a.name,
                               text.value_of(light, a.name).value_or("")});
        }
    }
    return out;
}

std::optional<text_edit> level_settings::edit(const level_text& text, const std::string& name,
                                              const std::string& value)
{
    if (!text.get_level())
        return std::nullopt;
    std::string attribute;
    if (const level_text::element* light = light_of(text, name, attribute))
        return attribute.empty() ? std::nullopt : attribute_edit(text, *light, attribute, value);
    const place* p = place_of(name);
    if (!p)
        return std::nullopt;
    const level_text::element* e = element_of(text, *p);
    if (e && *p->attribute)
        return attribute_edit(text, *e, p->attribute, value);
    if (e) {
        if (text.words_of(*e) == value || !e->children.empty())
            return std::nullopt;
        return text.set_words(*e, value);
    }
    if (value.empty())
        return std::nullopt;
    // The level has no such section yet: it is put in where its order has it.
    const std::string section = p->section;
    const std::vector<std::string> before(section_order.begin(),
                                          std::find(section_order.begin(), section_order.end(), section));
    const std::string element_text =
        *p->attribute ? "<" + section + " " + p->attribute + "=\"" + level_text::escaped(value) + "\"/>"
                      : "<" + section + ">" + level_text::escaped(value) + "</" + section + ">";
    const text_edit made = text.insert_section(before, element_text);
    if (made.inserted.empty())
        return std::nullopt;
    return made;
}
