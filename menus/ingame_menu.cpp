#include "ingame_menu.h"

#include "app/game_context.h"
#include "app/input_manager.h"
#include "menu_keys.h"
#include "menu_navigation.h"
#include "options_screen.h"

#include <MyGUI_Button.h>
#include <MyGUI_Gui.h>
#include <MyGUI_ImageBox.h>
#include <MyGUI_LayoutManager.h>
#include <OgreRenderWindow.h>

#include <algorithm>

ingame_menu::ingame_menu(game_context& context, menu_navigation& navigation, press_handler press)
    : context(context), navigation(navigation), press(std::move(press))
{
}

ingame_menu::~ingame_menu() = default;

void ingame_menu::start(MyGUI::Gui* screen)
{
    gui = screen;
    state = closed;
    loaded = false;
    key_spent = false;
    alpha = 0.0f;
    overlay = nullptr;
    if (!gui || !context.window)
        return;
    overlay = gui->createWidget<MyGUI::ImageBox>(
        "StaticImage", MyGUI::IntCoord(0, 0, int(context.window->getWidth()), int(context.window->getHeight())),
        MyGUI::Align::Left | MyGUI::Align::Top, "Main");
    overlay->setImageTexture("level_back.png");
    show_overlay(0.0f);
}

void ingame_menu::toggle()
{
    if (state == closed) {
        state = fading_in;
        cover.cover(gui, overlay);
    } else if (state & open) {
        state = fading_out;
    }
}

bool ingame_menu::takes_menu_key(bool new_press)
{
    if (!options && !key_spent)
        return false;
    if (options && new_press)
        options->back();
    key_spent = options || !new_press;
    return key_spent;
}

bool ingame_menu::frame(float dt, const std::function<void()>& rebound)
{
    if (state & fading_in) {
        if (alpha <= 1.0f) {
            alpha += 2.0f * dt;
            show_overlay(std::min(alpha, 1.0f));
        } else {
            state = open;
        }
    } else if (state & open) {
        open_frame(rebound);
    } else if (state & fading_out) {
        if (alpha < 0.0f) {
            show_overlay(0.0f);
            state = closed;
            return false;
        }
        alpha -= 3.0f * dt;
        show_overlay(std::max(alpha, 0.0f));
        cover.uncover(gui);
        if (loaded) {
            loaded = false;
            context.input->show_pointer(false);
            hide_buttons();
        }
    }
    return true;
}

void ingame_menu::open_frame(const std::function<void()>& rebound)
{
    show_overlay(1.0f);
    if (options_asked && gui) {
        options_asked = false;
        hide_buttons();
        options = std::make_unique<options_screen>(context, *gui);
        navigation.forget();
    }
    if (options && options->is_closed()) {
        const bool keys_changed = options->keys_changed();
        options.reset();
        loaded = false;
        if (keys_changed)
            rebound();
    }
    if (loaded || options)
        return;
    // The pointer is free while buttons are up; in play it steers the camera.
    context.input->show_pointer(true);
    if (gui) {
        MyGUI::LayoutManager::getInstance().loadLayout("ingame_menu.layout");
        for (const char* name : {"back_main_menu", "resume_game", "restart_game", "menu_options"})
            if (auto* button = gui->findWidget<MyGUI::Button>(name, false))
                button->eventMouseButtonClick += MyGUI::newDelegate(this, &ingame_menu::on_click);
        show_menu_keys(*gui, context.settings.keys, *context.input);
        navigation.forget();
    }
    loaded = true;
}

void ingame_menu::playing()
{
    state = closed;
    alpha = 0.0f;
}

void ingame_menu::forget()
{
    cover.forget();
    options.reset();
    options_asked = false;
    loaded = false;
    state = closed;
}

void ingame_menu::drop()
{
    options.reset();
    overlay = nullptr;
}

bool ingame_menu::takes_keys() const { return options && options->takes_keys(); }

void ingame_menu::show_overlay(float value)
{
    if (!overlay)
        return;
    overlay->setAlpha(value);
    // A clear overlay would still be blended over every pixel each frame.
    overlay->setVisible(value > 0.0f);
}

void ingame_menu::hide_buttons()
{
    for (const char* name : {"back_main_menu", "restart_game", "resume_game", "menu_options", "menu_heading", "menu_keys"})
        if (MyGUI::Widget* found = gui ? gui->findWidgetT(name, false) : nullptr)
            gui->destroyWidget(found);
}

void ingame_menu::on_click(MyGUI::Widget* sender) { press(sender->getName()); }
