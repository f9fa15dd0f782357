#include "options_screen.h"

#include "app/game_context.h"
#include "app/settings_store.h"
#include "app/sound_device.h"
#include "options_controls.h"
#include "options_gameplay.h"
#include "options_online.h"
#include "options_sound.h"
#include "options_video.h"

#include <MyGUI.h>

options_screen::options_screen(game_context& context, MyGUI::Gui& gui)
    : context(context), gui(gui),
      keys(context, gui,
           {[this](const std::string& text) {
                show_values();
                notice(text);
            },
            [this] { changed(""); }})
{
    build("options_controls");
    gui.eventFrameStart += MyGUI::newDelegate(this, &options_screen::on_frame);
}

options_screen::~options_screen()
{
    gui.eventFrameStart -= MyGUI::newDelegate(this, &options_screen::on_frame);
    if (MyGUI::InputManager::getInstancePtr())
        MyGUI::InputManager::getInstance().resetKeyFocusWidget();
    if (panel)
        gui.destroyWidget(panel);
}

void options_screen::build(const std::string& page)
{
    built_for = MyGUI::RenderManager::getInstance().getViewSize();
    MyGUI::LayoutManager::getInstance().loadLayout("options.layout");
    panel = gui.findWidgetT("options_panel", false);
    // A failed save names its file: the notice may need a second line.
    if (auto* line = gui.findWidget<MyGUI::TextBox>("options_notice", false))
        line->getSubWidgetText()->setWordWrap(true);
    const options_page::screen_calls calls{[this](const std::string& widget) { press(widget); },
                                           [this](const std::string& applies) { changed(applies); }};
    pages.push_back(std::make_unique<options_controls>(context, gui, calls, keys));
    pages.push_back(std::make_unique<options_sound>(context, gui, calls));
    pages.push_back(std::make_unique<options_video>(context, gui, calls));
    pages.push_back(std::make_unique<options_gameplay>(context, gui, calls));
    pages.push_back(std::make_unique<options_online>(context, gui, calls));
    for (const auto& each : pages) {
        const std::string shown = each->get_name();
        hook_button("options_tab_" + shown.substr(std::string("options_").size()), [this, shown] { show_page(shown); });
    }
    hook_button("options_back", [this] { back(); });
    show_values();
    show_page(page);
}

void options_screen::hook_button(const std::string& name, std::function<void()> action)
{
    auto* button = gui.findWidget<MyGUI::Button>(name, false);
    if (!button)
        return;
    button->eventMouseButtonClick += MyGUI::newDelegate(this, &options_screen::on_click);
    button->eventMouseButtonDoubleClick += MyGUI::newDelegate(this, &options_screen::on_click);
    actions[name] = std::move(action);
}

void options_screen::on_frame(float)
{
    // The layout is placed in pixels for the window's size when it is loaded,
    // so a new size loads it anew; here, between frames, widgets may go.
    if (MyGUI::RenderManager::getInstance().getViewSize() == built_for || takes_keys())
        return;
    std::string shown = pages.front()->get_name();
    for (const auto& page : pages)
        if (const MyGUI::Widget* widget = gui.findWidgetT(page->get_name(), false); widget && widget->getVisible())
            shown = page->get_name();
    const auto* line = gui.findWidget<MyGUI::TextBox>("options_notice", false);
    const std::string said = line ? line->getCaption().asUTF8() : "";
    if (panel)
        gui.destroyWidget(panel);
    pages.clear();
    actions.clear();
    build(shown);
    notice(said);
}

void options_screen::show_page(const std::string& shown)
{
    // What the notice says belongs to the page it came from.
    notice("");
    for (const auto& page : pages) {
        const std::string& name = page->get_name();
        if (MyGUI::Widget* widget = gui.findWidgetT(name, false))
            widget->setVisible(name == shown);
        const std::string tab = "options_tab_" + name.substr(std::string("options_").size());
        if (auto* button = gui.findWidget<MyGUI::Button>(tab, false))
            button->setStateSelected(name == shown);
    }
}

void options_screen::show_values()
{
    for (const auto& page : pages)
        page->show_values();
    keys.show_waiting();
}

void options_screen::changed(const std::string& applies)
{
    show_values();
    if (context.sound)
        context.sound->set_music_volume(context.settings.music_gain());
    if (context.sound)
        context.sound->set_effects_volume(context.settings.effects_gain());
    const std::string failed = context.settings_file ? context.settings_file->save(context.settings) : "";
    notice(failed.empty() ? applies : "The settings could not be saved: " + failed);
}

void options_screen::on_click(MyGUI::Widget* sender)
{
    press(sender->getName());
}

void options_screen::press(const std::string& widget)
{
    // A click ends the wait for a key; a click on the key's own button starts it again.
    keys.stop();
    if (const auto found = actions.find(widget); found != actions.end()) {
        found->second();
        return;
    }
    for (const auto& page : pages)
        if (page->press(widget))
            return;
    show_values();
}

void options_screen::notice(const std::string& text)
{
    if (auto* line = gui.findWidget<MyGUI::TextBox>("options_notice", false))
        line->setCaption(MyGUI::UString(text));
}

void options_screen::back()
{
    if (!takes_keys())
        closed = true;
}
