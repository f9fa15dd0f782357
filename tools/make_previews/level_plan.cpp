#include "level_plan.h"

#include "level/level_limits.h"
#include "load_xml.h"

#include <tinyxml.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

const float pi = 3.14159265f;
// Courses are a few hundred units across; anything this far out is a typo,
// and would shrink the rest of the course to a dot.
const float reach = 1e6f;

// Exactly three finite reals within reach, or false.
bool read_vector(const char* text, world_point& out)
{
    std::istringstream in(text ? text : "");
    float x, y, z;
    if (!(in >> x >> y >> z) || !(in >> std::ws).eof())
        return false;
    for (float v : {x, y, z})
        if (!std::isfinite(v) || std::fabs(v) > reach)
            return false;
    out = {x, y, z};
    return true;
}

// An absent attribute leaves `out` as it is; a present one must be readable.
bool read_attribute(const TiXmlElement* e, const char* name, world_point& out)
{
    const char* text = e->Attribute(name);
    return !text || read_vector(text, out);
}

int read_int(const TiXmlElement* e, const char* name)
{
    int value = 0;
    e->QueryIntAttribute(name, &value);
    return value;
}

void multiply(const float a[3][3], const float b[3][3], float out[3][3])
{
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            out[r][c] = a[r][0] * b[0][c] + a[r][1] * b[1][c] + a[r][2] * b[2][c];
}

// Turning about X, then the turned Y, then the turned Z is Rx * Ry * Rz.
void set_turn(plan_item& item, const world_point& degrees)
{
    const float a = degrees.x * pi / 180, b = degrees.y * pi / 180, c = degrees.z * pi / 180;
    const float rx[3][3] = {{1, 0, 0}, {0, std::cos(a), -std::sin(a)}, {0, std::sin(a), std::cos(a)}};
    const float ry[3][3] = {{std::cos(b), 0, std::sin(b)}, {0, 1, 0}, {-std::sin(b), 0, std::cos(b)}};
    const float rz[3][3] = {{std::cos(c), -std::sin(c), 0}, {std::sin(c), std::cos(c), 0}, {0, 0, 1}};
    float rxy[3][3];
    multiply(rx, ry, rxy);
    multiply(rxy, rz, item.turn);
}

// The colour names doors and switches accept, Latin-1 and UTF-8 alike;
// anything else is white, which opens every door.
int colour_index(const char* name)
{
    static const std::map<std::string, int> names{
        {"red", 0}, {"rot", 0}, {"r", 0}, {"1", 0},
        {"blue", 1}, {"blau", 1}, {"b", 1}, {"2", 1},
        {"green", 2}, {"gr\xfcn", 2}, {"gr\xc3\xbcn", 2}, {"gruen", 2}, {"g", 2}, {"3", 2}};
    const auto found = names.find(name ? name : "");
    return found == names.end() ? 3 : found->second;
}

struct kind_info {
    item_kind kind;
    const char* default_mesh;
};

bool kind_from_type(const char* type, kind_info& info)
{
    static const std::map<std::string, kind_info> kinds{
        {"block", {item_kind::block, "block_10_10.mesh"}},
        {"platform", {item_kind::platform, "block_2_2.mesh"}},
        {"door", {item_kind::door, "door.mesh"}},
        {"switch", {item_kind::switch_panel, "switch.mesh"}},
        {"teleporter", {item_kind::teleporter, "start.mesh"}},
        {"score", {item_kind::coin, "score.mesh"}},
        {"start", {item_kind::start, "start.mesh"}},
        {"checkpoint", {item_kind::checkpoint, "start.mesh"}},
        {"target", {item_kind::target, "finish.mesh"}},
        {"infobox", {item_kind::info, "infobox.mesh"}}};
    const auto found = kinds.find(type ? type : "");
    if (found == kinds.end())
        return false;
    info = found->second;
    return true;
}

// Width (X) and depth (Z) of the game's meshes seen from above; a mesh the
// preview does not know gets the footprint of its kind's own mesh.
void set_footprint(plan_item& item, const char* mesh, const char* default_mesh)
{
    static const std::map<std::string, std::pair<float, float>> sizes{
        {"block_10_10.mesh", {10, 10}}, {"block_2_2.mesh", {20, 20}}, {"ground.mesh", {1000, 1000}},
        {"door.mesh", {0.5f, 10}},      {"door_open.mesh", {0.5f, 10}}, {"switch.mesh", {0.5f, 10}},
        {"start.mesh", {10, 10}},       {"finish.mesh", {12, 12}},      {"score.mesh", {5, 5}},
        {"infobox.mesh", {5, 5}}};
    // The target always wears its flag, whatever the file says.
    const bool own_mesh = mesh && item.kind != item_kind::target && sizes.count(mesh);
    const auto& size = sizes.at(own_mesh ? mesh : default_mesh);
    item.width = size.first;
    item.depth = size.second;
    if (item.kind == item_kind::block && own_mesh && std::strcmp(mesh, "ground.mesh") == 0)
        item.kind = item_kind::ground;
}

// A block's scale as the game takes it: three numbers from 0.1 to 20, else none.
void scale_footprint(plan_item& item, const TiXmlElement* e)
{
    world_point scale;
    if (!e->Attribute("scale") || !read_attribute(e, "scale", scale))
        return;
    for (float along : {scale.x, scale.y, scale.z})
        if (!(along >= level_limits::min_block_scale && along <= level_limits::max_block_scale))
            return;
    item.width *= scale.x;
    item.depth *= scale.z;
}

std::string describe(int number, const char* type)
{
    return "object " + std::to_string(number) + " (" + (type ? type : "no type") + ")";
}

// One object as the preview needs it; false when it is left out.
bool read_item(const TiXmlElement* e, const std::string& name, plan_item& item, std::vector<std::string>& problems)
{
    kind_info info;
    if (!kind_from_type(e->Attribute("type"), info)) {
        problems.push_back(name + ": unknown type, left out");
        return false;
    }
    item.kind = info.kind;
    const std::string unreadable = " is not three numbers within ±1e6";
    if (!read_attribute(e, "pos", item.pos)) {
        problems.push_back(name + ": pos" + unreadable + ", left out");
        return false;
    }
    world_point degrees;
    if (!read_attribute(e, "rot", degrees))
        problems.push_back(name + ": rot" + unreadable + ", drawn unturned");
    set_turn(item, degrees);
    set_footprint(item, e->Attribute("mesh"), info.default_mesh);
    if (item.kind == item_kind::block) {
        item.style = read_int(e, "block_type");
        scale_footprint(item, e);
    }
    else if (item.kind == item_kind::coin)
        item.style = read_int(e, "score_type");
    else if (item.kind == item_kind::door || item.kind == item_kind::switch_panel) {
        item.style = colour_index(e->Attribute("colour"));
        item.active = read_int(e, item.kind == item_kind::door ? "open" : "pressed") != 0;
    } else if (item.kind == item_kind::teleporter) {
        item.has_link = e->Attribute("target_pos") != nullptr;
        if (!read_attribute(e, "target_pos", item.link)) {
            item.has_link = false;
            problems.push_back(name + ": target_pos" + unreadable + ", drawn without its line");
        }
    } else if (item.kind == item_kind::platform) {
        for (const TiXmlElement* w = e->FirstChildElement("Waypoint"); w; w = w->NextSiblingElement("Waypoint")) {
            world_point stop;
            if (read_vector(w->Attribute("pos"), stop))
                item.waypoints.push_back(stop);
            else
                problems.push_back(name + ": a waypoint's pos" + unreadable + ", left out");
        }
        // The game builds no platform without a stop to stand on.
        if (item.waypoints.empty()) {
            problems.push_back(name + ": no waypoints, left out");
            return false;
        }
        item.pos = item.waypoints.front();
    }
    return true;
}

}

level_plan level_plan::from_file(const std::string& path, std::vector<std::string>& problems)
{
    std::error_code error;
    if (std::filesystem::file_size(path, error) > max_xml_bytes && !error) {
        problems.push_back("larger than the game reads");
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problems.push_back("cannot be opened");
        return {};
    }
    std::stringstream text;
    text << in.rdbuf();
    return from_text(text.str(), problems);
}

level_plan level_plan::from_text(const std::string& text, std::vector<std::string>& problems)
{
    level_plan plan;
    if (xml_nesting_depth(text) > max_xml_depth) {
        problems.push_back("nested deeper than the game reads");
        return plan;
    }
    TiXmlDocument document;
    document.Parse(text.c_str());
    if (document.Error()) {
        problems.push_back(std::string("not readable XML (") + document.ErrorDesc() + ")");
        return plan;
    }
    const TiXmlElement* root = document.RootElement();
    if (!root || std::strcmp(root->Value(), "Level") != 0) {
        problems.push_back("no <Level> element");
        return plan;
    }
    plan.read_objects(root->FirstChildElement("Objects"), problems);
    if (plan.empty())
        problems.push_back("no object to draw");
    return plan;
}

void level_plan::read_objects(const TiXmlElement* objects, std::vector<std::string>& problems)
{
    std::map<std::string, world_point> places;
    std::vector<std::pair<std::size_t, std::string>> wanted_links;
    int number = 0;
    for (const TiXmlElement* e = objects ? objects->FirstChildElement("Object") : nullptr; e;
         e = e->NextSiblingElement("Object")) {
        plan_item item;
        if (!read_item(e, describe(++number, e->Attribute("type")), item, problems))
            continue;
        if (item.kind == item_kind::teleporter && !e->Attribute("target_pos"))
            if (const char* id = e->Attribute("target_id"))
                wanted_links.emplace_back(contents.size(), id);
        // The start and the target always go by their reserved ids.
        const char* id = item.kind == item_kind::start    ? "start"
                         : item.kind == item_kind::target ? "target"
                                                          : e->Attribute("id");
        if (id)
            places.emplace(id, item.pos);
        contents.push_back(item);
    }
    for (const auto& [index, id] : wanted_links) {
        const auto found = places.find(id);
        contents[index].has_link = found != places.end();
        if (contents[index].has_link)
            contents[index].link = found->second;
    }
}
