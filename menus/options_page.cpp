#include "options_page.h"

#include <MyGUI.h>

#include <algorithm>

const std::string options_page::from_next_level = "Takes effect from the next level on.";

options_page::options_page(game_context& context, MyGUI::Gui& gui, const std::string& name, int columns,
                           screen_calls calls)
    : context(context), gui(gui), page(gui.findWidgetT(name, false)), name(name), columns(columns),
      calls(std::move(calls))
{
}

std::string options_page::on_off(bool on)
{
    return on ? "On" : "Off";
}

int options_page::row_height() const
{
    // Eight rows fill a page, and never fewer than 34 pixels each.
    return std::max(34, page->getHeight() / 8);
}

options_page::row options_page::switch_row(const std::string& name, const std::string& label, bool& value,
                                           const std::string& applies)
{
    return {name, label, [&value] { return on_off(value); }, [&value](int) { value = !value; }, false, applies};
}

options_page::row options_page::percent_row(const std::string& name, const std::string& label, int& value, int least,
                                            int most, const std::string& applies)
{
    return {name, label, [&value] { return std::to_string(value) + " %"; },
            [&value, least, most](int step) { value = std::clamp(value + step * 10, least, most); }, true, applies};
}

MyGUI::Button* options_page::add_button(const std::string& button_name, const MyGUI::IntCoord& at,
                                        const std::string& caption, std::function<void()> action)
{
    auto* button = page->createWidget<MyGUI::Button>("Button", at, MyGUI::Align::Default, button_name);
    button->setCaption(MyGUI::UString(caption));
    // A row is too low for the button font in a small window.
    button->setFontName("Quillax_Label");
    button->eventMouseButtonClick += MyGUI::newDelegate(this, &options_page::on_click);
    // A quick second click on - or + counts as a click of its own.
    button->eventMouseButtonDoubleClick += MyGUI::newDelegate(this, &options_page::on_click);
    actions[button_name] = std::move(action);
    return button;
}

void options_page::add_row(int column, int line, const row& r)
{
    if (!page)
        return;
    rows.push_back(r);
    const int width = page->getWidth() / columns, left = column * width, top = line * row_height();
    const int height = row_height() - 10;
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
        add_button("option_" + r.name, {controls, top, room, height}, "", [this, index] {
            rows[index].change(0);
            if (rows[index].changes_at_once)
                changed(rows[index].applies);
        });
        return;
    }
    const int step_width = std::max(40, height);
    for (const int step : {-1, 1})
        add_button("option_" + r.name + (step < 0 ? "_less" : "_more"),
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

bool options_page::press(const std::string& widget)
{
    const auto found = actions.find(widget);
    if (found == actions.end())
        return false;
    found->second();
    return true;
}

void options_page::show_values() const
{
    for (const row& r : rows)
        if (auto* value = gui.findWidget<MyGUI::TextBox>("option_" + r.name, false))
            value->setCaption(MyGUI::UString(r.value()));
}

void options_page::on_click(MyGUI::Widget* sender)
{
    calls.click(sender->getName());
}
