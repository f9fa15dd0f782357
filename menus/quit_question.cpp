#include "quit_question.h"

#include "app/log.h"

#include <MyGUI.h>

quit_question::quit_question(MyGUI::Gui& gui) : gui(gui)
{
    title.cover(&gui, nullptr);
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
    title.uncover(&gui);
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
