// What drawing costs: the real game, in its own window made from config.cfg
// (at the size asked for), plays each level of the campaign index, or the
// levels named, with the title screen's GUI and the heads-up display as in
// play, and rolls the ball along the level's playthrough route. After the
// warm-up frames it times each frame of the main loop and prints a row per
// level: the median and 5th-percentile frames per second (the slow frames),
// the mean milliseconds per frame, and OGRE's batches and triangles per
// frame (the median over the timed frames, every render target counted:
// shadow volumes, compositor passes and the GUI as well as the scene).
//
// The game advances by 1/60 s a frame whatever the frame took, so every run
// draws the same frames: the route plays as in the playthrough test, and the
// screenshots of two runs (taken at the first timed frame) show the same view.
// config.cfg and the settings file are read, never written; --set changes the
// settings for this run only.
//
// Usage: render_bench [--size WxH] [--frames N] [--warmup N] [--set key=value]...
//                     [--screenshot DIR] [level.map...]

#include "app/application.h"
#include "app/input_manager.h"
#include "app/physics/physics_body.h"
#include "app/run_guarded.h"
#include "headless_play/route_bot.h"
#include "level/level.h"
#include "objects/obj_player.h"
#include "states/campaign_object.h"
#include "states/gs_game.h"
#include "states/gs_main_menu.h"
#include "states/level_entry.h"
#include "support/log_capture.h"

#include <OgreControllerManager.h>
#include <OgreRenderSystem.h>
#include <OgreRenderTarget.h>
#include <OgreRenderWindow.h>
#include <OgreRoot.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <numeric>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const usage = "usage: render_bench [--size WxH] [--frames N] [--warmup N] [--set key=value]...\n"
                          "                    [--screenshot DIR] [level.map...]\n";

struct options {
    int width = 800;
    int height = 600;
    int frames = 600;
    int warmup = 120;
    std::vector<std::string> settings;
    std::filesystem::path screenshots;
    std::vector<std::string> levels;
};

bool read_count(const std::string& text, int& count)
{
    std::istringstream in(text);
    char rest = 0;
    return in >> count && !(in >> rest) && count >= 0;
}

bool read_size(const std::string& text, options& o)
{
    std::istringstream in(text);
    char by = 0, rest = 0;
    return in >> o.width >> by >> o.height && by == 'x' && !(in >> rest) && o.width > 0 && o.height > 0;
}

// False, with the reason in `error`, for a command line it cannot use;
// false with no reason for --help.
bool read_options(int argc, char** argv, options& o, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--help" || word == "-h")
            return false;
        if (word.rfind("--", 0) != 0) {
            o.levels.push_back(word);
            continue;
        }
        if (i + 1 == argc) {
            error = word + " needs a value";
            return false;
        }
        const std::string value = argv[++i];
        bool ok = true;
        if (word == "--size")
            ok = read_size(value, o);
        else if (word == "--frames")
            ok = read_count(value, o.frames) && o.frames > 0;
        else if (word == "--warmup")
            ok = read_count(value, o.warmup);
        else if (word == "--set")
            ok = value.find('=') != std::string::npos;
        else if (word == "--screenshot")
            // The game works in its data folder; the folder is the caller's.
            o.screenshots = std::filesystem::absolute(value);
        else
            ok = false;
        if (word == "--set" && ok)
            o.settings.push_back(value.substr(0, value.find('=')) + " = " + value.substr(value.find('=') + 1));
        if (!ok) {
            error = "cannot use " + word + " " + value;
            return false;
        }
    }
    return true;
}

// The --set lines over the settings the game loaded; false, with the
// settings' own complaint, for one they cannot use.
bool apply_settings(game_settings& settings, const std::vector<std::string>& lines, std::string& error)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    log_capture complaints;
    std::istringstream in(text);
    settings.read(in, "--set");
    for (const std::string& line : complaints.lines)
        error += line + "\n";
    return error.empty();
}

const char* on_off(bool on)
{
    return on ? "on" : "off";
}

// A clock for the main loop's frame timer that advances 1/60 s at every
// reading: each frame, timed from one reading to the next, is 1/60 s long.
frame_timer sixtieths()
{
    unsigned long long now = 0;
    return frame_timer([now]() mutable { return now += 16667; });
}

// The game and OGRE's own animations (scrolling textures, particles) advance
// by 1/60 s a frame, whatever the frame took.
void run_on_fixed_steps(application& app)
{
    app.frames = sixtieths();
    Ogre::ControllerManager::getSingleton().setFrameDelay(1.0f / 60.0f);
}

// Batches and triangles of one frame, every render target counted.
struct frame_counts {
    size_t batches = 0;
    size_t triangles = 0;
};

// A target the frame did not draw keeps the counts of the last frame that
// did: every target is set back to none before the frame.
void reset_counts(Ogre::RenderSystem& render_system)
{
    for (auto targets = render_system.getRenderTargetIterator(); targets.hasMoreElements();)
        targets.getNext()->resetStatistics();
}

frame_counts read_counts(Ogre::RenderSystem& render_system)
{
    frame_counts counts;
    for (auto targets = render_system.getRenderTargetIterator(); targets.hasMoreElements();) {
        const Ogre::RenderTarget::FrameStats& stats = targets.getNext()->getStatistics();
        counts.batches += stats.batchCount;
        counts.triangles += stats.triangleCount;
    }
    return counts;
}

template <typename T>
T median(std::vector<T> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

struct level_figures {
    std::vector<double> milliseconds;
    std::vector<size_t> batches;
    std::vector<size_t> triangles;
    // The first timed frame that showed the level completed; -1 when none.
    int completed_at = -1;
};

void print_row(const std::string& file, const level_figures& f)
{
    std::vector<double> sorted = f.milliseconds;
    std::sort(sorted.begin(), sorted.end());
    const double median_ms = sorted[sorted.size() / 2];
    // The 5th percentile of the frame rates is the 95th of the frame times.
    const double slow_ms = sorted[(sorted.size() - 1) * 95 / 100];
    const double mean_ms = std::accumulate(sorted.begin(), sorted.end(), 0.0) / double(sorted.size());
    std::printf("%-16s %10.1f %8.1f %9.2f %8zu %10zu\n", file.c_str(), 1000.0 / median_ms, 1000.0 / slow_ms, mean_ms,
                median(f.batches), median(f.triangles));
    std::fflush(stdout);
}

// Every level of the campaign index, in its order.
std::vector<std::string> campaign_levels()
{
    std::vector<std::string> files;
    for (const auto& campaign : campaign_object::read_campaigns("media/levels/campaigns.cmp"))
        for (const level_entry* entry : campaign->get_levels())
            files.push_back(entry->get_file_name());
    return files;
}

class bench {
public:
    bench(application& app, const options& o) : app(app), o(o), main_menu(app.get_context()), game(app.get_context())
    {
    }

    // Plays `file` from the title screen and back; false when it cannot be played.
    bool play(const std::string& file);

private:
    level_figures run_frames(level& lvl, route_bot& bot, const std::string& file);

    application& app;
    const options& o;
    gs_main_menu main_menu;
    gs_game game;
};

bool bench::play(const std::string& file)
{
    route_bot bot([this](const std::string& id, Ogre::Vector3& at) {
        game_object* object = game.get_level() ? game.get_level()->find_object(id) : nullptr;
        if (object)
            at = object->get_position();
        return object != nullptr;
    });
    std::string error;
    const std::string route = std::string(QUILLAX_ROUTES_DIR) + "/" + std::filesystem::path(file).stem().string() + ".route";
    if (!bot.load(route, error))
        std::cerr << file << ": no route, the ball stands still (" << error << ")" << std::endl;

    // As the title screen's quick start does it.
    state_params params;
    params["level"] = file;
    params["gui"] = main_menu.gui;
    app.push_state("game", params);
    level* lvl = game.get_level();
    const bool playable = lvl && lvl->get_player() && game.running;
    if (playable) {
        const level_figures figures = run_frames(*lvl, bot, file);
        if (figures.milliseconds.empty())
            return false;
        print_row(file, figures);
        if (figures.completed_at >= 0)
            std::cerr << file << ": the ball reached the target at timed frame " << figures.completed_at
                      << "; the frames after it show the completed screen" << std::endl;
    } else {
        std::cerr << file << ": cannot be played (see ogre.log)" << std::endl;
    }
    if (app.get_state_stack().empty())
        return false;
    // Tab: back to the title screen.
    game.end_state(0.0f);
    app.process_requests();
    return playable;
}

level_figures bench::run_frames(level& lvl, route_bot& bot, const std::string& file)
{
    Ogre::RenderSystem& render_system = *app.root->getRenderSystem();
    obj_player& ball = *lvl.get_player();
    level_figures figures;
    for (int frame = 0; frame < o.warmup + o.frames; ++frame) {
        reset_counts(render_system);
        const auto start = std::chrono::steady_clock::now();
        app.run_frame();
        const auto end = std::chrono::steady_clock::now();
        // The window was closed.
        if (app.get_state_stack().empty())
            return {};
        if (frame >= o.warmup) {
            figures.milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
            const frame_counts counts = read_counts(render_system);
            figures.batches.push_back(counts.batches);
            figures.triangles.push_back(counts.triangles);
            if (figures.completed_at < 0 && lvl.is_completed())
                figures.completed_at = frame - o.warmup;
        }
        if (frame == o.warmup && !o.screenshots.empty())
            app.window->writeContentsToFile((o.screenshots / (std::filesystem::path(file).stem().string() + ".png")).string());
        // The route's keys, as if held when the frame's input was read.
        const std::set<key_code> held =
            bot.keys(ball.get_position(), ball.get_actor()->get_linear_velocity(), app.get_context()->frame_time);
        app.input->run_key_bindings([&](key_code key) { return held.count(key) > 0; });
    }
    return figures;
}

// False when a level could not be played or the window was closed.
bool run_bench(application& app, const options& o)
{
    std::ostringstream size;
    size << o.width << " x " << o.height;
    if (!app.start("render_bench", size.str()))
        return false;
    std::string error;
    if (!apply_settings(app.get_context()->settings, o.settings, error)) {
        std::cerr << error;
        return false;
    }
    if (!o.screenshots.empty())
        std::filesystem::create_directories(o.screenshots);
    const std::vector<std::string> levels = o.levels.empty() ? campaign_levels() : o.levels;
    run_on_fixed_steps(app);

    bench runner(app, o);
    // The GUI library greets on the console before the title screen quiets
    // it; the figures are the only output.
    std::streambuf* console = std::cout.rdbuf(nullptr);
    app.push_state("main_menu", state_params());
    std::cout.rdbuf(console);
    app.run_frame();
    const game_settings& settings = app.get_context()->settings;
    std::printf("# render_bench: %dx%d window, %d warm-up and %d timed frames a level, shadows=%s bloom=%s\n",
                o.width, o.height, o.warmup, o.frames, on_off(settings.shadows), on_off(settings.bloom));
    std::printf("%-16s %10s %8s %9s %8s %10s\n", "# level", "median_fps", "p5_fps", "mean_ms", "batches",
                "triangles");
    bool all = !levels.empty();
    for (const std::string& file : levels) {
        all = runner.play(file) && all;
        if (app.get_state_stack().empty())
            return false;
    }
    app.exit_all_states();
    return all;
}

}

int main(int argc, char** argv)
{
    options o;
    std::string error;
    if (!read_options(argc, argv, o, error)) {
        if (error.empty()) {
            std::cout << usage;
            return 0;
        }
        std::cerr << "render_bench: " << error << "\n" << usage;
        return 2;
    }
    bool done = false;
    error = run_guarded([&](application& app) { done = run_bench(app, o); });
    if (!error.empty())
        std::cerr << "ERROR: " << error << std::endl;
    return error.empty() && done ? 0 : 1;
}
