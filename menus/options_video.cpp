#include "options_video.h"

#include "app/game_context.h"
#include "app/window_mode.h"

#include <MyGUI.h>
#include <OgreRenderWindow.h>

#include <algorithm>

namespace {

const std::string at_restart = "Takes effect when the game is started again.";
// One line even in a small window: the page has room for one below its rows.
const std::string restart_note = "The render system and anti-aliasing (config.cfg) change at the next start.";

// The size `step` places from `now` in `sizes` (the first when `now` is not
// among them), kept within the list.
std::string next_size(const std::vector<std::string>& sizes, const std::string& now, int step)
{
    if (sizes.empty())
        return now;
    const auto at = std::find(sizes.begin(), sizes.end(), now);
    const long index = at == sizes.end() ? 0 : long(at - sizes.begin()) + step;
    return sizes[size_t(std::clamp(index, 0L, long(sizes.size()) - 1))];
}

}

options_video::options_video(game_context& context, MyGUI::Gui& gui, screen_calls calls)
    : options_page(context, gui, "options_video", 1, std::move(calls))
{
    game_settings& s = context.settings;
    add_row(0, 0,
            {"window_size", "Window size", [this] { return size_now(); }, [this](int step) { step_size(step); }, true,
             ""});
    add_row(0, 1,
            {"fullscreen", "Full screen", [this] { return on_off(fullscreen_now()); },
             [this](int) { switch_fullscreen(); }, false, ""});
    add_row(0, 2, switch_row("shadows", "Shadows", s.shadows, from_next_level));
    add_row(0, 3, switch_row("bloom", "Bloom", s.bloom, from_next_level));
    row vsync = switch_row("vsync", "Wait for the display", s.vsync, "");
    vsync.change = [this](int) { switch_vsync(); };
    add_row(0, 4, vsync);
    add_row(0, 5, switch_row("frame_cap", "Frame cap", s.frame_cap, at_restart));
    add_row(0, 6, switch_row("title_scenery", "Level behind menus", s.title_scenery, ""));
    if (page) {
        const int height = row_height();
        auto* note = page->createWidget<MyGUI::TextBox>("LabelText",
                                                        MyGUI::IntCoord(0, height * 7, page->getWidth(), height - 10),
                                                        MyGUI::Align::Default, "options_restart_note");
        note->setCaption(MyGUI::UString(restart_note));
        note->setNeedMouseFocus(false);
    }
}

std::string options_video::size_now() const
{
    return context.settings.window_size.empty() ? context.window_size_now : context.settings.window_size;
}

bool options_video::fullscreen_now() const
{
    return context.settings.fullscreen.value_or(context.fullscreen_now);
}

void options_video::step_size(int step)
{
    context.settings.window_size = next_size(context.window_sizes, size_now(), step);
    apply_window();
}

void options_video::switch_fullscreen()
{
    context.settings.fullscreen = !fullscreen_now();
    apply_window();
}

void options_video::apply_window() const
{
    if (context.window_changer)
        context.window_changer->apply(size_now(), fullscreen_now());
}

void options_video::switch_vsync()
{
    context.settings.vsync = !context.settings.vsync;
    if (context.window)
        context.window->setVSyncEnabled(context.settings.vsync);
}
