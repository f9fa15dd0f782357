#pragma once

// Print Screen for a state: one picture per press, however many frames the
// key is held, written to the next free number (screenshot.h); then "Saved
// <folder>/screenshot_<N>.png" shows for two seconds (printed on stdout
// when there is no GUI). The picture is written in the frame after the press,
// and only once a notice still showing from an earlier picture has been drawn
// away, so that no picture shows a notice.

#include "app/single_press.h"
#include "menus/screen_notice.h"

#include <functional>
#include <string>

struct game_context;

class screenshot_key {
public:
    // Writes the picture and returns its name, or an empty string when
    // nothing was written.
    using writer = std::function<std::string()>;

    static constexpr float notice_seconds = 2.0f;

    // Pictures of the context's render window.
    explicit screenshot_key(game_context* context);
    explicit screenshot_key(writer write);

    // The held-key binding: runs in every frame the key is down.
    void held();
    // Once a frame from the state's update, before the keys are read.
    void update(MyGUI::Gui* gui, float frame_time);

    const screen_notice& get_notice() const { return notice; }

private:
    writer write;
    screen_notice notice;
    single_press press;
    bool picture_wanted = false;
};
