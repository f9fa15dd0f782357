// What large levels cost: a generated course of N objects (blocks of every
// kind, moving platforms, doors and switches, teleporters, coins, info boxes,
// checkpoints, a few lights) is written as a level file and loaded headless
// on a real OGRE scene manager. For each size it prints the load time (the
// level's constructor), the first play frame, the mean and 99th-percentile
// cost of one play frame as the in-game state runs it (level update, camera,
// physics simulate and render sync; no drawing) while the ball rolls, in
// wall time and in this thread's processor time, the resident memory per
// object and the unload time (the level's destructor).
// Each size runs in its own process so the memory figure is its own. The OGRE
// log goes to a file, as in the game, one line per object created.
//
// Usage: level_bench [frames [objects]]

#include "app/game_camera.h"
#include "objects/obj_player.h"
#include "support/level_world.h"

#include <OgreLogManager.h>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using clock_type = std::chrono::steady_clock;

double milliseconds_since(clock_type::time_point start)
{
    return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

// The time this thread has run, so that the figures hold on a machine whose
// cores are shared: wall time there also counts the time others ran.
double cpu_milliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

double resident_kib()
{
    long pages_total = 0, pages_resident = 0;
    std::ifstream("/proc/self/statm") >> pages_total >> pages_resident;
    return double(pages_resident) * double(sysconf(_SC_PAGESIZE)) / 1024.0;
}

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

std::string course(int object_count)
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

double mean(const std::vector<double>& values)
{
    double sum = 0.0;
    for (double v : values)
        sum += v;
    return sum / double(values.size());
}

double p99(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[size_t(double(values.size()) * 0.99)];
}

void measure(int object_count, int frames)
{
    // The game's log is a file, written line by line; so is this one.
    Ogre::LogManager log_manager;
    const auto log_file =
        std::filesystem::temp_directory_path() / ("quillax_level_bench_" + std::to_string(::getpid()) + ".log");
    log_manager.createLog(log_file.string(), true, false, false);
    {
        level_world setup("bench");
        setup.write_level("bench.map", course(object_count));

        const double resident_before = resident_kib();
        const auto load_start = clock_type::now();
        auto lvl = std::make_unique<level>("bench.map", &setup.context, nullptr);
        const double load_ms = milliseconds_since(load_start);
        const double resident_after = resident_kib();
        auto camera = std::make_unique<game_camera>("bench_cam", lvl.get(), lvl->get_player()->get_scene_node());

        const float dt = 1.0f / 60.0f;
        setup.context.frame_time = dt;
        const auto hold_w = [](key_code key) { return key == KC_W; };
        std::vector<double> costs, cpu_costs;
        double first_frame_ms = 0.0;
        const int warm_up = 120;
        for (int f = -warm_up; f < frames; ++f) {
            const auto start = clock_type::now();
            const double cpu_start = cpu_milliseconds();
            if (!lvl->is_completed()) {
                lvl->update();
                camera->update();
                setup.world.simulate(dt);
                setup.world.render(dt);
            }
            const double cost = milliseconds_since(start);
            const double cpu_cost = cpu_milliseconds() - cpu_start;
            if (f == -warm_up)
                first_frame_ms = cost;
            if (f >= 0) {
                costs.push_back(cost);
                cpu_costs.push_back(cpu_cost);
            }
            setup.input.capture(dt);
            setup.input.run_key_bindings(hold_w);
        }
        camera.reset();
        const auto unload_start = clock_type::now();
        lvl.reset();
        const double unload_ms = milliseconds_since(unload_start);

        std::printf("%8d %10.1f %10.2f %10.3f %10.3f %10.3f %10.3f %10.2f %10.1f\n", object_count, load_ms,
                    first_frame_ms, mean(costs), p99(costs), mean(cpu_costs), p99(cpu_costs),
                    (resident_after - resident_before) / object_count, unload_ms);
        std::fflush(stdout);
    }
    log_manager.destroyLog(log_file.string());
    std::filesystem::remove(log_file);
}

}

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 600;
    if (argc > 2) {
        measure(std::max(2, std::atoi(argv[2])), frames);
        return 0;
    }
    std::printf("%8s %10s %10s %10s %10s %10s %10s %10s %10s\n", "objects", "load ms", "first ms", "mean ms",
                "p99 ms", "cpu mean", "cpu p99", "KiB/obj", "unload ms");
    std::fflush(stdout);
    for (int objects : {100, 1000, 10000, 50000}) {
        const pid_t child = fork();
        if (child == 0) {
            measure(objects, frames);
            std::_Exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
    }
    return 0;
}
