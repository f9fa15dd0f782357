#pragma once

// One page of the options screen, on the layout's page widget of its name:
// the settings it lists, one to a row (eight rows fill a page), each with its
// label and either - and + round its value or one button showing it. A press
// changes the context's settings at once. The screen around the page hears
// of every click on its buttons first (so that a click can end the wait for a
// key), and answers with press; it hears of every change, to save it. A page
// is made with the screen's layout and goes with it: its widgets belong to
// the layout.

#include <MyGUI_Types.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

struct game_context;
namespace MyGUI {
class Button;
class Gui;
class Widget;
}

class options_page {
public:
    // What a page tells the screen around it.
    struct screen_calls {
        // A click on one of the page's buttons, by the widget's name.
        std::function<void(const std::string& widget)> click;
        // A press changed a setting; `applies` says when it takes effect.
        std::function<void(const std::string& applies)> changed;
    };

    // `columns`: how many rows stand side by side.
    options_page(game_context& context, MyGUI::Gui& gui, const std::string& name, int columns, screen_calls calls);
    virtual ~options_page() = default;
    options_page(const options_page&) = delete;
    options_page& operator=(const options_page&) = delete;

    const std::string& get_name() const { return name; }
    // Does what the page's button of that name does; false for a widget not on the page.
    bool press(const std::string& widget);
    // Every row's value, beside its buttons or on its button.
    void show_values() const;

protected:
    // One setting: its name and value and how a press changes it (step -1
    // or +1 for - and +, 0 for the value's own button).
    struct row {
        std::string name;
        std::string label;
        std::function<std::string()> value;
        std::function<void(int step)> change;
        bool stepped;
        // Said on the notice line once it has changed.
        std::string applies;
        // False for a button that only asks for something (a key's button
        // waits for the key): nothing has changed yet.
        bool changes_at_once = true;
    };

    static const std::string from_next_level;

    static std::string on_off(bool on);
    // A setting switched on and off by its button; one in percent, moved by ten with - and +.
    static row switch_row(const std::string& name, const std::string& label, bool& value, const std::string& applies);
    static row percent_row(const std::string& name, const std::string& label, int& value, int least, int most,
                           const std::string& applies);
    void add_row(int column, int line, const row& r);
    // A button on the page, with its font for a row.
    MyGUI::Button* add_button(const std::string& button_name, const MyGUI::IntCoord& at, const std::string& caption,
                              std::function<void()> action);
    int row_height() const;
    // Tells the screen that a setting changed.
    void changed(const std::string& applies) const { calls.changed(applies); }

    game_context& context;
    MyGUI::Gui& gui;
    // Null when the layout has no such page: then the page lists nothing.
    MyGUI::Widget* const page;

private:
    void on_click(MyGUI::Widget* sender);

    const std::string name;
    const int columns;
    const screen_calls calls;
    std::vector<row> rows;
    std::map<std::string, std::function<void()>> actions;
};
