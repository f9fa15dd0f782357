#include "object_list_checker.h"

#include "colour_names.h"
#include "element_checks.h"
#include "level/level_limits.h"
#include "media_folders.h"
#include "value_checks.h"

#include <tinyxml.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace {

const char* const object_types[] = {"block", "platform", "door",   "switch", "teleporter",
                                    "score", "start",    "checkpoint", "target", "infobox"};

bool is_object_type(const std::string& type)
{
    return std::find(std::begin(object_types), std::end(object_types), type) != std::end(object_types);
}

std::string type_list()
{
    std::string list;
    for (const char* type : object_types)
        list += (list.empty() ? "" : ", ") + std::string(type);
    return list;
}

std::string lower(std::string text)
{
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string on_line(int line)
{
    return "the object on line " + std::to_string(line);
}

// The height of an object's pos as the game reads it; 0 when it cannot.
float height_of(const TiXmlElement* object)
{
    const char* pos = object->Attribute("pos");
    if (!pos || value_checks::vector(pos).kind == value_checks::verdict::rejected)
        return 0.0f;
    float x = 0.0f, y = 0.0f;
    std::istringstream(pos) >> x >> y;
    return y;
}

// How far a ball may fall below the last block it touched before the game
// puts it back.
constexpr float fall_limit = 30.0f;

}

object_list_checker::object_list_checker(element_checks& checks, const media_folders& media)
    : checks(checks), media(media)
{
}

void object_list_checker::check(const TiXmlElement* level)
{
    if (const TiXmlElement* lights = level->FirstChildElement("Lights"))
        for (const TiXmlElement* l = lights->FirstChildElement("Light"); l; l = l->NextSiblingElement("Light"))
            ++name_counter;
    const TiXmlElement* list = level->FirstChildElement("Objects");
    if (list) {
        checks.unused_children(list, {"Object"});
        checks.unused_attributes(list, {}, "<Objects>");
        for (const TiXmlElement* e = list->FirstChildElement("Object"); e; e = e->NextSiblingElement("Object"))
            check_object(e);
    }
    const TiXmlElement* where = list ? list : level;
    if (!ids.count("start"))
        checks.error(where, nullptr,
                     "the level has no object of type \"start\", so the game has nowhere to put the ball; add "
                     "<Object type=\"start\" pos=\"x y z\"/>");
    if (!ids.count("target"))
        checks.error(where, nullptr,
                     "the level has no object of type \"target\", so it cannot be finished; add "
                     "<Object type=\"target\" pos=\"x y z\"/>");
    for (const TiXmlElement* teleporter : teleporters)
        check_teleporter(teleporter);
    check_respawn_heights();
}

void object_list_checker::check_respawn_heights()
{
    // The highest block, once: every respawn point is measured against it.
    const TiXmlElement* highest = nullptr;
    float highest_height = 0.0f;
    for (const TiXmlElement* block : blocks) {
        const float height = height_of(block);
        if (!highest || height > highest_height) {
            highest = block;
            highest_height = height;
        }
    }
    for (const auto& point : respawn_points) {
        if (!highest || highest_height - point.second <= fall_limit)
            continue;
        std::ostringstream message;
        message << "the ball is put back here at height " << point.second << ", more than " << fall_limit
                << " below " << on_line(element_checks::row_of(highest)) << " (height " << highest_height
                << "); a ball that falls from there before it touches a nearer checkpoint is sent all the "
                   "way back here";
        checks.warning(point.first, "pos", message.str());
    }
}

void object_list_checker::check_object(const TiXmlElement* object)
{
    const char* type_attribute = object->Attribute("type");
    if (!type_attribute) {
        checks.error(object, nullptr, "<Object> has no type, so the game skips it; add type=\"...\" with one of " +
                                          type_list());
        return;
    }
    const std::string type = type_attribute;
    if (!is_object_type(type)) {
        const std::string hint = is_object_type(lower(type)) ? " (types are lower case: " + lower(type) + ")" : "";
        checks.error(object, "type",
                     "unknown object type " + quoted(type) + hint + ", so the game skips it; use one of " +
                         type_list());
        return;
    }
    check_id(object, type);
    check_type_attributes(object, type);
    if (type == "block")
        blocks.push_back(object);
    else if (type == "start")
        respawn_points.emplace_back(object, height_of(object) + 5.0f);
    else if (type == "checkpoint")
        respawn_points.emplace_back(object, height_of(object) + 10.0f);
    checks.position(object, "pos");
    checks.vector(object, "rot");
    for (const char* attribute : {"mass", "density"}) {
        checks.real(object, attribute);
        float value = 0.0f;
        if (object->QueryFloatAttribute(attribute, &value) == TIXML_SUCCESS && value < 0.0f && std::isfinite(value))
            checks.error(object, attribute,
                         std::string(attribute) + " is negative, so the game makes the object static");
    }
    if (type == "target" && object->Attribute("mesh"))
        checks.warning(object, "mesh", "a target always shows finish.mesh; its mesh attribute is ignored");
    else
        checks.media_file(object, "mesh", media, media_folders::kind::mesh);
    if (type == "platform")
        check_platform(object);
    else
        checks.unused_children(object, {});
}

void object_list_checker::check_block_scale(const TiXmlElement* block)
{
    const char* written = block->Attribute("scale");
    float x = 0.0f, y = 0.0f, z = 0.0f;
    char rest = 0;
    if (!written)
        return;
    const bool read = std::sscanf(written, "%f %f %f %c", &x, &y, &z, &rest) == 3;
    for (float along : {x, y, z})
        if (!read || !(along >= level_limits::min_block_scale && along <= level_limits::max_block_scale)) {
            checks.error(block, "scale",
                         std::string("scale=\"") + written +
                             "\" must be three numbers from 0.1 to 20, so the game keeps the block's own size");
            return;
        }
}

void object_list_checker::check_type_attributes(const TiXmlElement* object, const std::string& type)
{
    const std::string what = "a " + type + " object";
    if (type == "block") {
        checks.unused_attributes(object, {"type", "id", "mesh", "pos", "rot", "scale", "mass", "density", "block_type"},
                                 what);
        checks.integer(object, "block_type");
        check_block_scale(object);
    } else if (type == "platform") {
        checks.unused_attributes(
            object, {"type", "id", "mesh", "pos", "rot", "mass", "density", "speed", "platform_type"}, what);
        checks.real(object, "speed");
        checks.integer(object, "platform_type");
        // Beyond this the game's push overflows, so it takes its default instead.
        float speed = 0.0f;
        if (object->QueryFloatAttribute("speed", &speed) == TIXML_SUCCESS && std::isfinite(speed) &&
            std::fabs(speed) > 100000.0f)
            checks.error(object, "speed", "a speed beyond 100000 is too fast, so the game uses 150");
    } else if (type == "door") {
        checks.unused_attributes(
            object, {"type", "id", "mesh", "pos", "rot", "mass", "density", "colour", "open", "open_mesh"}, what);
        check_colour_name(object, type);
        checks.integer(object, "open");
        checks.media_file(object, "open_mesh", media, media_folders::kind::mesh);
    } else if (type == "switch") {
        checks.unused_attributes(object, {"type", "id", "mesh", "pos", "rot", "mass", "density", "colour", "pressed"},
                                 what);
        check_colour_name(object, type);
        checks.integer(object, "pressed");
    } else if (type == "teleporter") {
        checks.unused_attributes(
            object, {"type", "id", "mesh", "pos", "rot", "mass", "density", "target_pos", "target_id"}, what);
        teleporters.push_back(object);
    } else if (type == "score") {
        checks.unused_attributes(
            object, {"type", "id", "mesh", "pos", "rot", "mass", "density", "score_type", "rot_speed"}, what);
        checks.integer(object, "score_type");
        checks.real(object, "rot_speed");
    } else {
        checks.unused_attributes(object, {"type", "id", "mesh", "pos", "rot", "mass", "density"}, what);
    }
    const char* text = object->GetText();
    if (type == "infobox" && (!text || !*text))
        checks.warning(object, nullptr, "the infobox has no text, so it shows nothing; write its text between "
                                        "<Object type=\"infobox\" ...> and </Object>");
}

void object_list_checker::check_id(const TiXmlElement* object, const std::string& type)
{
    const char* given = object->Attribute("id");
    const bool fixed = type == "start" || type == "target";
    const std::string id = fixed ? type : given ? given : next_generated_name();
    // The open door's body takes the next generated name after the door's own.
    if (type == "door")
        next_generated_name();
    if (fixed && given && id != given)
        checks.warning(object, "id", "a " + type + " object's id is always " + quoted(type) +
                                         ", so this id is ignored; remove it");
    if (!fixed && (id == "ground" || id == "player" || id == "start" || id == "target")) {
        checks.error(object, "id",
                     "the id " + quoted(id) + " is reserved for the " +
                         (id == "ground" ? std::string("ground") : id == "player" ? "ball" : id + " object") +
                         ", and using it makes the game skip or misplace one of them; choose another id");
        return;
    }
    const auto first = ids.find(id);
    if (first == ids.end()) {
        ids.emplace(id, registered{object->Row(), !fixed && !given});
        return;
    }
    if (id == "start" || id == "target")
        checks.error(object, nullptr,
                     "a second " + type + " object (the first is " + on_line(first->second.line) +
                         "), so the game skips this one; keep only one");
    else if (!given)
        checks.error(object, nullptr,
                     "this object has no id, so the game names it " + quoted(id) + ", but " +
                         on_line(first->second.line) + " already uses that id; the game skips this one, so give "
                                                       "it an id");
    else
        checks.error(object, "id",
                     "the id " + quoted(id) + " is already taken by " + on_line(first->second.line) +
                         (first->second.generated ? " (the game's name for it, as it has no id)" : "") +
                         ", so the game skips this object; give every object its own id");
}

std::string object_list_checker::next_generated_name()
{
    char name[32];
    std::snprintf(name, sizeof name, "obj_%08u", name_counter++);
    return name;
}

void object_list_checker::check_colour_name(const TiXmlElement* object, const std::string& type)
{
    const char* colour = object->Attribute("colour");
    if (!colour)
        checks.error(object, nullptr,
                     "the " + type + " has no colour, so the game makes it white, which every switch opens; add "
                                     "colour=\"...\" with " + colour_names::accepted());
    else if (!colour_names::is_known(colour))
        checks.error(object, "colour",
                     "unknown colour " + quoted(colour) + ", so the game makes the " + type +
                         " white, which every switch opens; use " + colour_names::accepted());
}

void object_list_checker::check_platform(const TiXmlElement* platform)
{
    checks.unused_children(platform, {"Waypoint"});
    int usable = 0;
    for (const TiXmlElement* w = platform->FirstChildElement("Waypoint"); w; w = w->NextSiblingElement("Waypoint")) {
        checks.unused_attributes(w, {"pos"}, "a <Waypoint>");
        const char* pos = w->Attribute("pos");
        if (!pos)
            checks.error(w, nullptr, "<Waypoint> has no pos, so the game skips it; add pos=\"x y z\"");
        else if (value_checks::vector(pos).kind != value_checks::verdict::rejected)
            ++usable;
        checks.position(w, "pos");
    }
    if (usable == 0)
        checks.error(platform, nullptr,
                     "the platform has no usable <Waypoint pos=\"x y z\"/>, so the game does not build it; add "
                     "two or more");
    else if (usable == 1)
        checks.warning(platform, nullptr, "the platform has a single waypoint, so it never moves; add another");
}

void object_list_checker::check_teleporter(const TiXmlElement* teleporter)
{
    const char* target_pos = teleporter->Attribute("target_pos");
    const char* target_id = teleporter->Attribute("target_id");
    if (target_pos) {
        checks.position(teleporter, "target_pos");
        if (target_id)
            checks.warning(teleporter, "target_id", "target_pos wins over target_id, which is ignored; remove one");
    } else if (!target_id) {
        checks.error(teleporter, nullptr,
                     "the teleporter has neither target_pos nor target_id, so it sends everything to the origin; "
                     "add one");
    }
}
