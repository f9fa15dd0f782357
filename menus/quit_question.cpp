#include "quit_question.h"

#include "app/log.h"

#include <MyGUI.h>

quit_question::quit_question(MyGUI::Gui& gui) : gui(gui)
{
    rest_the_screen_below(true);
    MyGUI::LayoutManager::getInstance().loadLayout("quit_question.layout");
    log_line("The title screen asks whether to quit");
    for (const char* name : {"quit_confirm", "quit_stay"})
        if (auto* button = gui.findWidget<MyGUI::Button>(name, false))
            button->eventMouseButtonClick += MyGUI::newDelegate(this, &quit_question::on_click);
}

quit_question::~quit_question()
{
    if (MyGUI::Widget* panel = gui.findWidgetT("quit_question", false))
        gui.destroyWidget(panel);
    rest_the_screen_below(false);
}

void quit_question::key(key_code key)
{
    if (key == KC_RETURN || key == KC_NUMPADENTER || key == KC_Y)
        given = answer::quit;
    else if (key == KC_ESCAPE)
        given = answer::stay;
}

void quit_question::on_click(MyGUI::Widget* sender)
{
    given = sender->getName() == "quit_confirm" ? answer::quit : answer::stay;
}

void quit_question::rest_the_screen_below(bool resting)
{
    auto roots = gui.getEnumerator();
    while (roots.next())
        if (roots.current()->getName() != "quit_question")
            roots.current()->setVisible(!resting);
}
