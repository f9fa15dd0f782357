#include "level_draft.h"

#include "level_settings.h"

#include "app/safe_file.h"
#include "level/level_limits.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

namespace {

// The file's bytes as they are, CR LF and all: a save must give them back unchanged.
bool read_bytes(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<unsigned long long>(size) > level_limits::max_bytes)
        return false;
    in.seekg(0);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

constexpr std::size_t none = static_cast<std::size_t>(-1);

Ogre::Vector3 read_vector(const std::optional<std::string>& written)
{
    if (!written)
        return Ogre::Vector3::ZERO;
    std::istringstream in(*written);
    float x = 0, y = 0, z = 0;
    if (!(in >> x >> y >> z))
        return Ogre::Vector3::ZERO;
    return {x, y, z};
}

// Short and exact for grid values: 5, 51.5, -0.25; never "1e+06".
std::string number(float value)
{
    if (std::fabs(value) < 0.00005f)
        value = 0.0f;
    char out[64];
    std::snprintf(out, sizeof out, "%.4f", double(value));
    std::string s = out;
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string vector_text(const Ogre::Vector3& v)
{
    return number(v.x) + " " + number(v.y) + " " + number(v.z);
}

float snapped(float value, float step)
{
    return std::round(value / step) * step;
}

// Degrees kept within [0, 360).
float turned(float degrees)
{
    degrees = std::fmod(degrees, 360.0f);
    return degrees < 0.0f ? degrees + 360.0f : degrees;
}

std::string new_element(const std::string& type, const Ogre::Vector3& p)
{
    const std::string pos = "pos=\"" + vector_text(p) + "\"";
    if (type == "platform")
        return "<Object type=\"platform\" " + pos + "><Waypoint " + pos + "/><Waypoint pos=\"" +
               vector_text(p + Ogre::Vector3(30, 0, 0)) + "\"/></Object>";
    if (type == "door" || type == "switch")
        return "<Object type=\"" + type + "\" " + pos + " colour=\"red\"/>";
    if (type == "teleporter")
        return "<Object type=\"teleporter\" " + pos + " target_pos=\"" +
               vector_text(p + Ogre::Vector3(0, 0, -30)) + "\"/>";
    if (type == "infobox")
        return "<Object type=\"infobox\" " + pos + ">Your words here.</Object>";
    return "<Object type=\"" + type + "\" " + pos + "/>";
}

}

level_draft::level_draft(std::string file, std::string read, bool from_file)
    : path(std::move(file)), text(read), on_disk(from_file ? std::move(read) : std::string()), file_exists(from_file)
{
    if (!file_exists)
        history.forget_saved();
}

level_draft level_draft::open(const std::string& path)
{
    std::string text;
    if (read_bytes(path, text))
        return level_draft(path, std::move(text), true);
    // There, but too large or unreadable: nothing to edit, and never a template over it.
    std::error_code error;
    if (std::filesystem::exists(path, error) || error)
        return level_draft(path, "", true);
    std::string name = path.substr(path.find_last_of('/') + 1);
    name = name.substr(0, name.rfind(".map"));
    return level_draft(path, template_text(name), false);
}

std::string level_draft::template_text(const std::string& name)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<Level name=\"" + level_text::escaped(name) + "\">\n"
           "  <Description>A new level.</Description>\n"
           "  <Settings ambient=\"0.5 0.5 0.55\" gravity=\"0 -100 0\"/>\n"
           "  <Lights>\n"
           "    <Light type=\"dir\" dir=\"-0.4 -1 -0.3\" dif=\"0.9 0.85 0.75\" spec=\"0.5 0.5 0.5\"/>\n"
           "  </Lights>\n"
           "  <Objects>\n"
           "    <Object type=\"start\" pos=\"0 51.5 0\"/>\n"
           "    <Object type=\"block\" pos=\"0 50 0\"/>\n"
           "    <Object type=\"block\" pos=\"0 50 -10\"/>\n"
           "    <Object type=\"block\" pos=\"0 50 -20\"/>\n"
           "    <Object type=\"block\" pos=\"0 50 -30\"/>\n"
           "    <Object type=\"target\" pos=\"0 51.5 -30\"/>\n"
           "  </Objects>\n"
           "</Level>\n";
}

const std::vector<std::string>& level_draft::palette()
{
    static const std::vector<std::string> types = {"block",      "platform", "door",       "switch",
                                                   "teleporter", "score",    "checkpoint", "infobox",
                                                   "start",      "target"};
    return types;
}

void level_draft::pick(std::optional<std::size_t> object)
{
    picked = object && *object < text.object_count() ? object : std::nullopt;
}

Ogre::Vector3 level_draft::position_of(std::size_t object) const
{
    return read_vector(text.value(object, "pos"));
}

Ogre::Vector3 level_draft::rotation_of(std::size_t object) const
{
    return read_vector(text.value(object, "rot"));
}

level_draft::outcome level_draft::change(edit_history::change made, outcome what)
{
    made.picked_before = picked ? *picked : none;
    for (const text_edit& e : made.edits)
        text.apply(e);
    made.picked_after = picked ? *picked : none;
    history.record(std::move(made));
    return what;
}

level_draft::outcome level_draft::move(const Ogre::Vector3& steps)
{
    if (!picked)
        return outcome::none;
    const Ogre::Vector3 from = position_of(*picked);
    const Ogre::Vector3 to = from + steps * step;
    for (int axis = 0; axis < 3; ++axis)
        if (std::fabs(to[axis]) > level_limits::world_bound)
            return outcome::none;
    moved_by = to - from;
    moved_object = *picked;
    return change({"move", {text.set_value(*picked, "pos", vector_text(to))}}, outcome::moved);
}

level_draft::outcome level_draft::turn(float degrees)
{
    if (!picked)
        return outcome::none;
    Ogre::Vector3 r = rotation_of(*picked);
    r.y = turned(r.y + degrees);
    return change({"turn", {text.set_value(*picked, "rot", vector_text(r))}}, outcome::rebuild);
}

level_draft::outcome level_draft::scale(int steps, bool height)
{
    if (!picked || text.value(*picked, "type").value_or("") != "block")
        return outcome::none;
    const std::optional<std::string> written = text.value(*picked, "scale");
    Ogre::Vector3 s = written ? read_vector(written) : Ogre::Vector3::UNIT_SCALE;
    const auto stepped = [steps](float along) {
        return std::clamp(along + 0.5f * float(steps), level_limits::min_block_scale, level_limits::max_block_scale);
    };
    if (height) {
        s.y = stepped(s.y);
    } else {
        s.x = stepped(s.x);
        s.z = stepped(s.z);
    }
    return change({"scale", {text.set_value(*picked, "scale", vector_text(s))}}, outcome::rebuild);
}

std::string level_draft::unused_id(const std::string& wanted) const
{
    std::set<std::string> taken = {"start", "target", "ground", "player"};
    for (std::size_t i = 0; i < text.object_count(); ++i)
        if (const auto id = text.value(i, "id"))
            taken.insert(*id);
    if (!taken.count(wanted))
        return wanted;
    for (int n = 2;; ++n)
        if (!taken.count(wanted + "_" + std::to_string(n)))
            return wanted + "_" + std::to_string(n);
}

level_draft::outcome level_draft::duplicate()
{
    if (!picked)
        return outcome::none;
    const std::size_t original = *picked;
    edit_history::change made{"duplicate", {}};
    made.picked_before = original;
    made.edits.push_back(text.insert_object(original, text.object_source(original)));
    text.apply(made.edits.back());
    const std::size_t copy = original + 1;
    // The copy stands one grid step aside, under an id of its own.
    made.edits.push_back(
        text.set_value(copy, "pos", vector_text(position_of(copy) + Ogre::Vector3(step, 0, 0))));
    text.apply(made.edits.back());
    if (const auto id = text.value(copy, "id")) {
        made.edits.push_back(text.set_value(copy, "id", unused_id(*id)));
        text.apply(made.edits.back());
    }
    picked = copy;
    made.picked_after = copy;
    history.record(std::move(made));
    return outcome::rebuild;
}

level_draft::outcome level_draft::remove()
{
    if (!picked)
        return outcome::none;
    edit_history::change made{"delete", {text.remove_object(*picked)}};
    made.picked_before = *picked;
    text.apply(made.edits.back());
    picked.reset();
    history.record(std::move(made));
    return outcome::rebuild;
}

level_draft::outcome level_draft::add(const std::string& type, const Ogre::Vector3& where)
{
    const Ogre::Vector3 at(snapped(where.x, step), snapped(where.y, 0.5f), snapped(where.z, step));
    const std::size_t after = picked ? *picked : text.object_count();
    edit_history::change made{"add " + type, {text.insert_object(after, new_element(type, at))}};
    made.picked_before = picked ? *picked : none;
    const std::size_t inserted_at = made.edits.back().at;
    text.apply(made.edits.back());
    // The new element begins after the line break and indent it brought.
    picked.reset();
    for (std::size_t i = 0; i < text.object_count(); ++i)
        if (text.get_objects()[i].begin >= inserted_at) {
            picked = i;
            break;
        }
    made.picked_after = picked ? *picked : none;
    history.record(std::move(made));
    return outcome::rebuild;
}

level_draft::outcome level_draft::set_value(const std::string& name, const std::string& value)
{
    if (!picked || name.empty())
        return outcome::none;
    if (value.empty()) {
        if (!text.value(*picked, name))
            return outcome::none;
        return change({"remove " + name, {text.remove_value(*picked, name)}}, outcome::rebuild);
    }
    if (text.value(*picked, name) == value)
        return outcome::none;
    return change({"set " + name, {text.set_value(*picked, name, value)}}, outcome::rebuild);
}

level_draft::outcome level_draft::set_waypoint(std::size_t child, const std::string& pos)
{
    if (!picked || child >= text.get_objects()[*picked].children.size())
        return outcome::none;
    return change({"set waypoint", {text.set_child_value(*picked, child, "pos", pos)}}, outcome::rebuild);
}

level_draft::outcome level_draft::set_words(const std::string& words)
{
    if (!picked || !text.get_objects()[*picked].children.empty())
        return outcome::none;
    return change({"set text", {text.set_inner_text(*picked, words)}}, outcome::rebuild);
}

level_draft::outcome level_draft::set_setting(const std::string& name, const std::string& value)
{
    const std::optional<text_edit> edit = level_settings::edit(text, name, value);
    if (!edit)
        return outcome::none;
    return change({"set the level's " + name, {*edit}}, outcome::rebuild);
}

level_draft::outcome level_draft::link(std::size_t target)
{
    if (!picked || target >= text.object_count() || target == *picked)
        return outcome::none;
    const std::string type = text.value(*picked, "type").value_or("");
    const std::string target_type = text.value(target, "type").value_or("");
    if ((type == "switch" || type == "door") && (target_type == "door" || target_type == "switch"))
        return set_value("colour", text.value(target, "colour").value_or("red"));
    if (type != "teleporter")
        return outcome::none;
    edit_history::change made{"link", {}};
    made.picked_before = made.picked_after = *picked;
    std::string id = text.value(target, "id").value_or("");
    if (id.empty()) {
        id = unused_id(target_type.empty() ? "object" : target_type);
        made.edits.push_back(text.set_value(target, "id", id));
        text.apply(made.edits.back());
    }
    made.edits.push_back(text.set_value(*picked, "target_id", id));
    text.apply(made.edits.back());
    history.record(std::move(made));
    return outcome::rebuild;
}

level_draft::outcome level_draft::replay(const edit_history::change& c, bool forward)
{
    const std::size_t before = forward ? c.picked_before : c.picked_after;
    const Ogre::Vector3 from = before != none && before < text.object_count() ? position_of(before) : Ogre::Vector3::ZERO;
    if (forward)
        for (const text_edit& e : c.edits)
            text.apply(e);
    else
        for (auto e = c.edits.rbegin(); e != c.edits.rend(); ++e)
            text.undo(*e);
    pick((forward ? c.picked_after : c.picked_before) == none
             ? std::nullopt
             : std::optional<std::size_t>(forward ? c.picked_after : c.picked_before));
    if (c.what != "move" || !picked)
        return outcome::rebuild;
    moved_by = position_of(*picked) - from;
    moved_object = *picked;
    return outcome::moved;
}

level_draft::outcome level_draft::undo()
{
    const edit_history::change* c = history.undo();
    return c ? replay(*c, false) : outcome::none;
}

level_draft::outcome level_draft::redo()
{
    const edit_history::change* c = history.redo();
    return c ? replay(*c, true) : outcome::none;
}

std::string level_draft::save()
{
    if (text.get_text().empty())
        return path + ": nothing to save";
    const std::string problem = safe_file::write(path, text.get_text());
    if (!problem.empty())
        return problem;
    on_disk = text.get_text();
    file_exists = true;
    history.mark_saved();
    return "";
}

bool level_draft::changed_outside() const
{
    std::string now;
    const bool exists = read_bytes(path, now);
    return exists != file_exists || (exists && now != on_disk);
}

void level_draft::take_file()
{
    std::string now;
    if (!read_bytes(path, now))
        return;
    on_disk = now;
    file_exists = true;
    if (now != text.get_text()) {
        // One change that replaces the whole text: the history before it
        // still applies to the text it had, and undoing it brings the draft back.
        edit_history::change made{"take the file", {{0, text.get_text(), now}}};
        made.picked_before = picked ? *picked : none;
        picked.reset();
        text.apply(made.edits.back());
        history.record(std::move(made));
    }
    history.mark_saved();
}

void level_draft::keep_mine()
{
    std::string now;
    file_exists = read_bytes(path, now);
    on_disk = now;
    history.forget_saved();
}
