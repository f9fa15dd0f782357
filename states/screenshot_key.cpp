#include "screenshot_key.h"

#include "app/game_context.h"
#include "screenshot.h"

screenshot_key::screenshot_key(game_context* context)
    : write([context] { return write_screenshot(context->window, context->screenshot_folder); })
{
}

screenshot_key::screenshot_key(writer write) : write(std::move(write)) {}

void screenshot_key::held()
{
    if (press.pressed())
        picture_wanted = true;
}

void screenshot_key::update(MyGUI::Gui* gui, float frame_time)
{
    press.next_frame();
    if (!picture_wanted) {
        notice.update(gui, frame_time);
        return;
    }
    if (notice.is_shown()) {
        notice.hide(gui);
        return;
    }
    picture_wanted = false;
    const std::string name = write();
    if (!name.empty())
        notice.show(gui, "Saved " + name, notice_seconds);
}
