#include "options_screen.h"

#include "app/game_context.h"
#include "app/input_manager.h"
#include "app/key_names.h"
#include "app/settings_store.h"
#include "app/sound_device.h"
#include "app/window_mode.h"

#include <MyGUI.h>
#include <OgreRenderWindow.h>

#include <algorithm>
#include <cctype>

namespace {

const char* const pages[] = {"options_controls", "options_sound", "options_video", "options_gameplay"};

const std::string at_restart = "Takes effect when the game is started again.";
const std::string restart_note =
    "The render system and anti-aliasing (config.cfg) change when the game is started again.";
const std::string next_level = "Takes effect from the next level on.";

std::string on_off(bool on)
{
    return on ? "On" : "Off";
}

// Eight rows fill a page, and never fewer than 34 pixels each.
int row_height(const MyGUI::Widget& page)
{
    return std::max(34, page.getHeight() / 8);
}

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

options_screen::options_screen(game_context& context, MyGUI::Gui& gui)
    : context(context), gui(gui)
{
    build(pages[0]);
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

void options_screen::fill_pages()
{
    fill_controls();
    game_settings& s = context.settings;
    add_row("options_sound", 0, 0, percent_row("music_volume", "Music volume", s.music_volume, 0, 100, ""));
    add_row("options_sound", 0, 1, switch_row("music", "Music", s.music, ""));
    add_row("options_sound", 0, 2, percent_row("effects_volume", "Effects volume", s.effects_volume, 0, 100, ""));
    fill_video();
    add_row("options_gameplay", 0, 0, switch_row("ghost", "Ghost ball", s.ghost, next_level));
}

void options_screen::fill_controls()
{
    game_settings& s = context.settings;
    for (int a = 0; a < key_bindings::action_count; ++a)
        add_key_row(0, a, key_bindings::action(a));
    const int least = game_settings::least_speed, most = game_settings::most_speed;
    add_row("options_controls", 1, 0,
            percent_row("mouse_sensitivity", "Mouse turning", s.mouse_sensitivity, least, most, ""));
    add_row("options_controls", 1, 1, switch_row("invert_mouse", "Invert turning", s.invert_mouse, ""));
    add_row("options_controls", 1, 2, percent_row("wheel_speed", "Wheel speed", s.wheel_speed, least, most, ""));
    if (MyGUI::Widget* page = gui.findWidgetT("options_controls", false)) {
        const int height = row_height(*page);
        add_button(page, "options_reset_controls",
                   {page->getWidth() * 5 / 8, height * 4, page->getWidth() * 5 / 16, height - 10},
                   "Reset to defaults", [this] { reset_controls(); });
    }
}

void options_screen::fill_video()
{
    game_settings& s = context.settings;
    const auto size_now = [this] {
        return context.settings.window_size.empty() ? context.window_size_now : context.settings.window_size;
    };
    const auto fullscreen_now = [this] { return context.settings.fullscreen.value_or(context.fullscreen_now); };
    const auto apply = [this, size_now, fullscreen_now] {
        if (context.window_changer)
            context.window_changer->apply(size_now(), fullscreen_now());
    };
    add_row("options_video", 0, 0,
            {"window_size", "Window size", size_now,
             [this, size_now, apply](int step) {
                 context.settings.window_size = next_size(context.window_sizes, size_now(), step);
                 apply();
             },
             true, ""});
    add_row("options_video", 0, 1,
            {"fullscreen", "Full screen", [fullscreen_now] { return on_off(fullscreen_now()); },
             [this, fullscreen_now, apply](int) {
                 context.settings.fullscreen = !fullscreen_now();
                 apply();
             },
             false, ""});
    add_row("options_video", 0, 2, switch_row("shadows", "Shadows", s.shadows, next_level));
    add_row("options_video", 0, 3, switch_row("bloom", "Bloom", s.bloom, next_level));
    row vsync = switch_row("vsync", "Wait for the display", s.vsync, "");
    vsync.change = [this](int) {
        context.settings.vsync = !context.settings.vsync;
        if (context.window)
            context.window->setVSyncEnabled(context.settings.vsync);
    };
    add_row("options_video", 0, 4, vsync);
    add_row("options_video", 0, 5, switch_row("frame_cap", "Frame cap", s.frame_cap, at_restart));
    if (MyGUI::Widget* page = gui.findWidgetT("options_video", false)) {
        const int height = row_height(*page);
        auto* note = page->createWidget<MyGUI::TextBox>("LabelText",
                                                        MyGUI::IntCoord(0, height * 6, page->getWidth(), 2 * height - 10),
                                                        MyGUI::Align::Default, "options_restart_note");
        // Two lines where a small window needs them.
        note->getSubWidgetText()->setWordWrap(true);
        note->setCaption(MyGUI::UString(restart_note));
        note->setNeedMouseFocus(false);
    }
}

options_screen::row options_screen::switch_row(const std::string& name, const std::string& label, bool& value,
                                               const std::string& applies)
{
    return {name, label, [&value] { return on_off(value); }, [&value](int) { value = !value; }, false, applies};
}

options_screen::row options_screen::percent_row(const std::string& name, const std::string& label, int& value,
                                                int least, int most, const std::string& applies)
{
    return {name, label, [&value] { return std::to_string(value) + " %"; },
            [&value, least, most](int step) { value = std::clamp(value + step * 10, least, most); }, true, applies};
}

MyGUI::Button* options_screen::add_button(MyGUI::Widget* page, const std::string& name, const MyGUI::IntCoord& at,
                                          const std::string& caption, std::function<void()> action)
{
    auto* button = page ? page->createWidget<MyGUI::Button>("Button", at, MyGUI::Align::Default, name)
                        : gui.findWidget<MyGUI::Button>(name, false);
    if (!button)
        return nullptr;
    if (page) {
        button->setCaption(MyGUI::UString(caption));
        // A row is too low for the button font in a small window.
        button->setFontName("Quillax_Label");
    }
    button->eventMouseButtonClick += MyGUI::newDelegate(this, &options_screen::on_click);
    // A quick second click on - or + counts as a click of its own.
    button->eventMouseButtonDoubleClick += MyGUI::newDelegate(this, &options_screen::on_click);
    actions[name] = std::move(action);
    return button;
}

void options_screen::add_row(const std::string& page_name, int column, int line, const row& r)
{
    MyGUI::Widget* page = gui.findWidgetT(page_name, false);
    if (!page)
        return;
    rows.push_back(r);
    // The controls page has two columns; the others one, as wide as the page.
    const int columns = page_name == pages[0] ? 2 : 1;
    const int width = page->getWidth() / columns, left = column * width, top = line * row_height(*page);
    const int height = row_height(*page) - 10;
    // The names are short; the keys' names and the window sizes need the room.
    const int label_width = width * 9 / 20;
    auto* label = page->createWidget<MyGUI::TextBox>("LabelText", MyGUI::IntCoord(left, top, label_width, height),
                                                     MyGUI::Align::Default, "option_" + r.name + "_label");
    label->setCaption(MyGUI::UString(r.label));
    label->setTextAlign(MyGUI::Align::Left | MyGUI::Align::VCenter);
    label->setNeedMouseFocus(false);
    const int controls = left + label_width, room = width - label_width - 16;
    const size_t index = rows.size() - 1;
    if (!r.stepped) {
        add_button(page, "option_" + r.name, {controls, top, room, height}, "", [this, index] {
            rows[index].change(0);
            changed(rows[index].applies);
        });
        return;
    }
    const int step_width = std::max(40, height);
    for (const int step : {-1, 1})
        add_button(page, "option_" + r.name + (step < 0 ? "_less" : "_more"),
                   {step < 0 ? controls : controls + room - step_width, top, step_width, height}, step < 0 ? "-" : "+",
                   [this, index, step] {
                       rows[index].change(step);
                       changed(rows[index].applies);
                   });
    auto* value = page->createWidget<MyGUI::TextBox>(
        "LabelText", MyGUI::IntCoord(controls + step_width, top, room - 2 * step_width, height), MyGUI::Align::Default,
        "option_" + r.name);
    value->setTextAlign(MyGUI::Align::Center);
    value->setNeedMouseFocus(false);
}

void options_screen::add_key_row(int column, int line, key_bindings::action action)
{
    const std::string setting = key_bindings::setting_name(action);
    std::string label = key_bindings::description(action);
    label[0] = char(std::toupper(static_cast<unsigned char>(label[0])));
    add_row("options_controls", column, line,
            {setting, label, [this, action] { return key_name(context.settings.keys.key(action)); },
             [this, action](int) { await_key(action); }, false, ""});
    // The key's button waits for the key instead of changing a value.
    auto* button = gui.findWidget<MyGUI::Button>("option_" + setting, false);
    if (!button)
        return;
    actions["option_" + setting] = [this, action] { await_key(action); };
    button->setNeedKeyFocus(true);
    button->eventKeyButtonPressed += MyGUI::newDelegate(this, &options_screen::on_key_pressed);
    button->eventKeyButtonReleased += MyGUI::newDelegate(this, &options_screen::on_key_released);
    button->eventKeyLostFocus += MyGUI::newDelegate(this, &options_screen::on_key_focus_lost);
}

void options_screen::build(const std::string& page)
{
    built_for = MyGUI::RenderManager::getInstance().getViewSize();
    MyGUI::LayoutManager::getInstance().loadLayout("options.layout");
    panel = gui.findWidgetT("options_panel", false);
    // A failed save names its file: the notice may need a second line.
    if (auto* line = gui.findWidget<MyGUI::TextBox>("options_notice", false))
        line->getSubWidgetText()->setWordWrap(true);
    for (const char* each : pages) {
        const std::string tab = std::string("options_tab_") + (each + std::string("options_").size());
        add_button(nullptr, tab, {}, "", [this, each] { show_page(each); });
    }
    add_button(nullptr, "options_back", {}, "", [this] { back(); });
    fill_pages();
    show_values();
    show_page(page);
}

void options_screen::on_frame(float)
{
    // The layout is placed in pixels for the window's size when it is loaded,
    // so a new size loads it anew; here, between frames, widgets may go.
    if (MyGUI::RenderManager::getInstance().getViewSize() == built_for || takes_keys())
        return;
    std::string shown = pages[0];
    for (const char* page : pages)
        if (const MyGUI::Widget* widget = gui.findWidgetT(page, false); widget && widget->getVisible())
            shown = page;
    const auto* line = gui.findWidget<MyGUI::TextBox>("options_notice", false);
    const std::string said = line ? line->getCaption().asUTF8() : "";
    if (panel)
        gui.destroyWidget(panel);
    rows.clear();
    actions.clear();
    build(shown);
    notice(said);
}

void options_screen::show_page(const std::string& shown)
{
    // What the notice says belongs to the page it came from.
    notice("");
    for (const char* page : pages) {
        if (MyGUI::Widget* widget = gui.findWidgetT(page, false))
            widget->setVisible(page == shown);
        const std::string tab = std::string("options_tab_") + (page + std::string("options_").size());
        if (auto* button = gui.findWidget<MyGUI::Button>(tab, false))
            button->setStateSelected(page == shown);
    }
}

void options_screen::show_values()
{
    for (const row& r : rows)
        if (auto* value = gui.findWidget<MyGUI::TextBox>("option_" + r.name, false))
            value->setCaption(MyGUI::UString(r.value()));
    if (awaited != key_bindings::action_count)
        if (auto* button =
                gui.findWidget<MyGUI::TextBox>(std::string("option_") + key_bindings::setting_name(awaited), false))
            button->setCaption(MyGUI::UString("Press a key"));
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

void options_screen::await_key(key_bindings::action action)
{
    // Focus first: the button that loses it would end the wait.
    const std::string name = std::string("option_") + key_bindings::setting_name(action);
    MyGUI::InputManager::getInstance().setKeyFocusWidget(gui.findWidgetT(name, false));
    awaited = action;
    show_values();
    notice(std::string("Press the new key ") + key_bindings::purpose(action) + ".");
}

void options_screen::on_click(MyGUI::Widget* sender)
{
    press(sender->getName());
}

void options_screen::press(const std::string& widget)
{
    // A click ends the wait for a key; a click on the key's own button starts it again.
    awaited = key_bindings::action_count;
    const auto found = actions.find(widget);
    if (found != actions.end())
        found->second();
    else
        show_values();
}

void options_screen::on_key_pressed(MyGUI::Widget*, MyGUI::KeyCode key, MyGUI::Char)
{
    take_key(key.getValue());
}

void options_screen::take_key(int key)
{
    if (awaited == key_bindings::action_count)
        return;
    const key_bindings::action action = awaited;
    awaited = key_bindings::action_count;
    held = key;
    key_bindings& keys = context.settings.keys;
    const key_code code = key_code(key);
    // The key answered the question: an arrow or Return must not also move
    // or press the menu's highlight.
    if (context.input)
        context.input->consume_press(code);
    key_code named;
    if (!key_from_name(key_name(code), named) || named != code) {
        show_values();
        notice("That key cannot be bound.");
        return;
    }
    const key_bindings::action owner = keys.bound_to(code);
    if (owner != key_bindings::action_count && owner != action) {
        show_values();
        notice(key_name(code) + " is already used " + key_bindings::purpose(owner) + ".");
        return;
    }
    rebound = rebound || keys.key(action) != code;
    keys.bind(action, code);
    changed("");
}

void options_screen::on_key_released(MyGUI::Widget*, MyGUI::KeyCode key)
{
    if (key.getValue() == held)
        held = 0;
}

void options_screen::on_key_focus_lost(MyGUI::Widget*, MyGUI::Widget*)
{
    // The key may be let go where nobody hears it.
    held = 0;
    if (awaited == key_bindings::action_count)
        return;
    awaited = key_bindings::action_count;
    show_values();
    notice("");
}

void options_screen::reset_controls()
{
    const game_settings defaults;
    game_settings& s = context.settings;
    rebound = rebound || s.keys.all() != defaults.keys.all();
    s.keys = defaults.keys;
    s.mouse_sensitivity = defaults.mouse_sensitivity;
    s.invert_mouse = defaults.invert_mouse;
    s.wheel_speed = defaults.wheel_speed;
    changed("The keys and the mouse are as they first were.");
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
