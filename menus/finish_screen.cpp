#include "finish_screen.h"

#include "play/completed_record.h"

#include <MyGUI_Button.h>
#include <MyGUI_Gui.h>
#include <MyGUI_LayoutManager.h>
#include <MyGUI_RenderManager.h>
#include <MyGUI_TextBox.h>

void finish_screen::show(MyGUI::Gui& gui, const std::string& next_level, const run_outcome& result,
                            bool offer_race)
{
    gui.destroyAllChildWidget();
    MyGUI::LayoutManager::getInstance().loadLayout("ingame_completed.layout");
    if (auto* name = gui.findWidget<MyGUI::TextBox>("next_level_name", false))
        name->setCaption(MyGUI::UString(next_level));
    for (const char* button : {"back_main_menu", "next_level_start", "race_ghost"})
        if (auto* found = gui.findWidget<MyGUI::Button>(button, false))
            found->eventMouseButtonClick += MyGUI::newDelegate(this, &finish_screen::on_click);
    show_completed_record(gui, result, offer_race);
    MyGUI::Widget* done = gui.findWidgetT("campaign_complete", false);
    const bool last = next_level.empty();
    if (done)
        done->setVisible(last);
    if (!last)
        return;
    for (const char* name : {"next_level_name", "next_level", "next_level_start"})
        if (MyGUI::Widget* found = gui.findWidgetT(name, false))
            gui.destroyWidget(found);
    // The way back is the only button left: centre it.
    if (MyGUI::Widget* back = gui.findWidgetT("back_main_menu", false)) {
        const int room = back->getParent() ? back->getParent()->getWidth()
                                           : MyGUI::RenderManager::getInstance().getViewSize().width;
        back->setPosition((room - back->getWidth()) / 2, back->getTop());
    }
}

void finish_screen::on_click(MyGUI::Widget* sender) { press(sender->getName()); }
