#include "menu_navigation.h"

#include "app/input_manager.h"

#include <MyGUI.h>

#include <vector>

namespace {

bool reachable(const MyGUI::Widget* widget)
{
    return widget->getInheritedVisible() && widget->getInheritedEnabled() && widget->getWidth() > 0 &&
           widget->getHeight() > 0 && !widget->getName().empty();
}

// Every button and list a player can reach, in the order they were made. A
// list's own item buttons and scroll bar belong to the list.
void collect(MyGUI::Widget* widget, std::vector<MyGUI::Widget*>& found)
{
    if (!widget->getInheritedVisible())
        return;
    const bool list = widget->castType<MyGUI::ListBox>(false) != nullptr;
    if ((list || widget->castType<MyGUI::Button>(false)) && reachable(widget))
        found.push_back(widget);
    if (list)
        return;
    for (size_t i = 0; i < widget->getChildCount(); ++i)
        collect(widget->getChildAt(i), found);
}

std::vector<MyGUI::Widget*> controls_of(MyGUI::Gui& gui)
{
    std::vector<MyGUI::Widget*> found;
    auto roots = gui.getEnumerator();
    while (roots.next())
        collect(roots.current(), found);
    return found;
}

menu_rect rect_of(const MyGUI::Widget* widget)
{
    const MyGUI::IntCoord at = widget->getAbsoluteCoord();
    return {at.left, at.top, at.width, at.height};
}

}

void menu_navigation::start(MyGUI::Gui* gui)
{
    this->gui = gui;
    current.clear();
}

void menu_navigation::stop()
{
    gui = nullptr;
    current.clear();
}

void menu_navigation::update(bool held, const std::function<void(key_code)>& other)
{
    this->held = held;
    for (const key_code key : input.presses()) {
        if (key == KC_UP)
            step(menu_direction::up);
        else if (key == KC_DOWN)
            step(menu_direction::down);
        else if (key == KC_LEFT)
            step(menu_direction::left);
        else if (key == KC_RIGHT)
            step(menu_direction::right);
        else if (other)
            other(key);
    }
}

void menu_navigation::step(menu_direction direction)
{
    // In play the pointer steers the camera and the arrows may roll the ball.
    if (held || !gui || !MyGUI::PointerManager::getInstance().isVisible())
        return;
    MyGUI::Widget* now = find_current();
    if (now && step_in_list(now, direction))
        return;
    step_from(now, direction);
}

void menu_navigation::step_from(MyGUI::Widget* now, menu_direction direction)
{
    const std::vector<MyGUI::Widget*> controls = controls_of(*gui);
    std::vector<menu_rect> rects;
    int at = -1;
    for (size_t i = 0; i < controls.size(); ++i) {
        rects.push_back(rect_of(controls[i]));
        if (controls[i] == now)
            at = int(i);
    }
    const int next = menu_step(rects, at, direction);
    if (next >= 0)
        highlight(controls[size_t(next)]);
}

bool menu_navigation::step_in_list(MyGUI::Widget* widget, menu_direction direction)
{
    auto* list = widget->castType<MyGUI::ListBox>(false);
    if (!list || (direction != menu_direction::up && direction != menu_direction::down))
        return false;
    const size_t count = list->getItemCount();
    const size_t index = list->getIndexSelected();
    size_t next = index;
    if (index == MyGUI::ITEM_NONE)
        next = 0;
    else if (direction == menu_direction::up && index > 0)
        next = index - 1;
    else if (direction == menu_direction::down && index + 1 < count)
        next = index + 1;
    if (count == 0 || next == index)
        return false;
    list->setIndexSelected(next);
    list->beginToItemSelected();
    list->eventListChangePosition(list, next);
    highlight(list);
    return true;
}

void menu_navigation::highlight(MyGUI::Widget* widget)
{
    current = widget->getName();
    // On a list the pointer rests on the chosen line, so the line the pointer
    // lights is the one Return accepts.
    MyGUI::Widget* target = widget;
    auto* list = widget->castType<MyGUI::ListBox>(false);
    if (list && list->getIndexSelected() != MyGUI::ITEM_NONE)
        if (MyGUI::Widget* line = list->getWidgetByIndex(list->getIndexSelected()))
            target = line;
    const MyGUI::IntCoord at = target->getAbsoluteCoord();
    input.move_pointer(at.left + at.width / 2, at.top + at.height / 2);
}

MyGUI::Widget* menu_navigation::find_current() const
{
    if (!gui || current.empty())
        return nullptr;
    MyGUI::Widget* widget = gui->findWidgetT(current, false);
    return widget && reachable(widget) ? widget : nullptr;
}

bool menu_navigation::press()
{
    MyGUI::Widget* widget = find_current();
    if (held || !widget || !MyGUI::PointerManager::getInstance().isVisible())
        return false;
    // A click may take the button's screen down with it: nothing of it is
    // touched after.
    if (auto* button = widget->castType<MyGUI::Button>(false)) {
        input.button_pressed();
        button->eventMouseButtonClick(button);
        return true;
    }
    auto* list = widget->castType<MyGUI::ListBox>(false);
    if (!list)
        return true;
    // A list whose owner takes a double click on a line takes Return the same
    // way; on any other list Return settles the choice and moves on below.
    if (list->eventListSelectAccept.empty())
        step_from(list, menu_direction::down);
    else if (list->getIndexSelected() != MyGUI::ITEM_NONE)
        list->eventListSelectAccept(list, list->getIndexSelected());
    return true;
}
