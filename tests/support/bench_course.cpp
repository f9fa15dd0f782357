#include "bench_course.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <vector>

namespace {

// The course is a row of lanes, each three blocks wide and `lane_rows` long,
// run in turn away from and towards the camera; platforms shuttle over the
// gaps between lanes, half a unit clear of the blocks at either end as the
// shipped levels have them. Every section of 27 rows holds 100 objects: 81
// floor blocks (up to 8 falling and 4 speed blocks, some turned), 3 crates
// (push blocks) hovering over the floor as in the shipped levels, 6 coins,
// an info box, two checkpoints, a switch with two doors of its colour, a
// teleporter pair and two platforms.
constexpr int lane_rows = 200;
constexpr int section_rows = 27;
constexpr float lane_pitch = 70.0f;
constexpr float course_height = 50.0f;

struct cell {
    float x, z;
    bool away; // the lane runs towards -z, the way the ball first rolls
};

cell cell_at(int row, int column)
{
    const int lane = row / lane_rows;
    const int along = row % lane_rows;
    const bool away = lane % 2 == 0;
    const float z = -10.0f * float(away ? along : lane_rows - 1 - along);
    return {lane * lane_pitch + 10.0f * float(column), z, away};
}

std::string vec(float x, float y, float z)
{
    std::ostringstream out;
    out << x << ' ' << y << ' ' << z;
    return out.str();
}

std::string on_top(int row, int column, float above)
{
    const cell c = cell_at(row, column);
    return vec(c.x, course_height + above, c.z);
}

// Cells (row in the section, column) that carry something: they stay plain
// blocks, so no pad sits on a block that falls away or a trigger on one that
// it would teleport.
bool carries_something(int i, int column)
{
    static const std::set<std::pair<int, int>> cells = {
        {0, 1}, {2, 1}, {3, 0}, {4, 0}, {6, 1}, {8, 2}, {10, 1}, {11, 0}, {13, 1},
        {14, 1}, {16, 1}, {18, 1}, {20, 2}, {22, 1}, {23, 2}, {24, 2}, {26, 1}};
    return cells.count({i, column}) > 0;
}

std::string block(int row, int column, int cell_index, bool plain)
{
    const cell c = cell_at(row, column);
    // 37 is prime to 81, so this spreads the special kinds over the section.
    const int pick = cell_index * 37 % 81;
    const int kind = plain ? 0 : pick < 8 ? 1 : pick < 12 ? 2 : 0;
    std::string xml = "<Object type=\"block\" pos=\"" + vec(c.x, course_height, c.z) + "\"";
    if (kind != 0)
        xml += " block_type=\"" + std::to_string(kind) + "\"";
    if (kind == 2 && !c.away)
        xml += " rot=\"0 180 0\"";
    else if (kind == 0 && cell_index % 10 == 3)
        xml += " rot=\"0 90 0\"";
    return xml + "/>";
}

void add_section(int section, std::vector<std::string>& objects)
{
    static const char* colours[] = {"red", "blue", "green", "white"};
    const int first = section * section_rows;
    const std::string tag = std::to_string(section);
    const std::string colour = colours[section % 4];
    for (int i = 0; i < section_rows; ++i) {
        const int row = first + i;
        for (int column = 0; column < 3; ++column)
            objects.push_back(block(row, column, i * 3 + column, carries_something(i, column)));
        if (i % 4 == 2 && i < 26)
            objects.push_back("<Object type=\"score\" pos=\"" + on_top(row, 1, 1) + "\"" +
                              (i == 10 ? " score_type=\"1\"" : "") + " rot_speed=\"" + std::to_string(1 + i % 3) +
                              "\"/>");
        if (i == 3 || i == 13 || i == 23)
            objects.push_back("<Object type=\"block\" block_type=\"3\" mesh=\"infobox.mesh\" pos=\"" +
                              on_top(row, i == 13 ? 1 : i == 3 ? 0 : 2, 4) + "\"/>");
        if (i == 4)
            objects.push_back("<Object type=\"infobox\" pos=\"" + on_top(row, 0, 1) +
                              "\">Section " + tag +
                              ": falling blocks give way a moment after the ball rests on them, speed blocks "
                              "shove it along, and the teleporter ahead sends it further down the course. "
                              "Touch the switch to close the gates of its colour.</Object>");
        if (i == 8 || i == 20)
            objects.push_back("<Object type=\"checkpoint\" pos=\"" + on_top(row, 2, 1.5f) + "\"/>");
        if (i == 12) {
            const cell c = cell_at(row, 0);
            objects.push_back("<Object type=\"switch\" colour=\"" + colour + "\" pos=\"" +
                              vec(c.x - 5.5f, course_height + 6, c.z) + "\"/>");
        }
        if (i == 16 || i == 26)
            objects.push_back("<Object type=\"door\" colour=\"" + colour + "\" open=\"1\" rot=\"0 90 0\" pos=\"" +
                              on_top(row, 1, 8.5f) + "\"/>");
        if (i == 11)
            objects.push_back("<Object type=\"teleporter\" id=\"gate_" + tag + "\" target_id=\"exit_" + tag +
                              "\" pos=\"" + on_top(row, 0, 1.5f) + "\"/>");
        if (i == 24)
            objects.push_back("<Object type=\"teleporter\" id=\"exit_" + tag + "\" target_pos=\"" +
                              on_top(first + section_rows + 1, 1, 1) + "\" pos=\"" + on_top(row, 2, 1.5f) + "\"/>");
        if (i == 5 || i == 19) {
            const cell c = cell_at(row, 2);
            objects.push_back("<Object type=\"platform\" platform_type=\"" + std::to_string(i == 5 ? 0 : 1) +
                              "\" speed=\"150\"><Waypoint pos=\"" + vec(c.x + 15.5f, course_height, c.z) +
                              "\"/><Waypoint pos=\"" + vec(c.x + 34.5f, course_height, c.z) + "\"/></Object>");
        }
    }
}

}

std::string bench_course(int object_count)
{
    std::vector<std::string> objects;
    for (int section = 0; int(objects.size()) < object_count - 2; ++section)
        add_section(section, objects);
    objects.resize(size_t(std::max(object_count - 2, 0)));
    const int last_row = (object_count - 2) * section_rows / 100;
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<Level name=\"Bench course\">\n"
                      "  <Description>A generated course for the level benchmark.</Description>\n"
                      "  <Fog start=\"250\" end=\"700\" colour=\"0.55 0.65 0.8\"/>\n"
                      "  <Settings ambient=\"0.45 0.45 0.5\" gravity=\"0 -100 0\"/>\n"
                      "  <Lights>\n"
                      "    <Light type=\"dir\" dir=\"-0.4 -1 -0.3\" dif=\"0.9 0.85 0.75\"/>\n"
                      "    <Light type=\"point\" pos=\"35 90 -100\" dif=\"0.5 0.55 0.7\"/>\n"
                      "    <Light type=\"point\" pos=\"300 90 -500\"/>\n"
                      "    <Light type=\"spot\" pos=\"0 120 0\" dir=\"0 -1 0\"/>\n"
                      "  </Lights>\n"
                      "  <Objects>\n";
    xml += "    <Object type=\"start\" pos=\"" + on_top(0, 1, 1.5f) + "\"/>\n";
    for (const std::string& object : objects)
        xml += "    " + object + "\n";
    xml += "    <Object type=\"target\" pos=\"" + on_top(last_row, 1, 1.5f) + "\"/>\n";
    return xml + "  </Objects>\n</Level>\n";
}
