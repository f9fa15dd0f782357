#include "world_rank_line.h"

#include "app/log.h"
#include "online/online_service.h"

#include <MyGUI.h>

world_rank_line::world_rank_line(MyGUI::Gui* gui, const online_service& online, std::uint64_t level_hash,
                                 double finish_time)
    : gui(gui), online(online), level_hash(level_hash), finish_time(finish_time)
{
}

void world_rank_line::frame()
{
    if (rank > 0)
        return;
    rank = online.world_rank(level_hash, finish_time);
    if (rank == 0)
        return;
    const std::string text = "World #" + std::to_string(rank);
    log_line("The completed screen shows " + text);
    MyGUI::Widget* panel = gui ? gui->findWidgetT("completed_panel", false) : nullptr;
    if (!panel)
        return;
    auto* line = panel->createWidgetReal<MyGUI::TextBox>("SubheadingText", MyGUI::FloatCoord(0.66f, 0.03f, 0.3f, 0.07f),
                                                         MyGUI::Align::Default, "completed_world_rank");
    line->setTextAlign(MyGUI::Align::Right | MyGUI::Align::VCenter);
    line->setCaption(MyGUI::UString(text));
    line->setNeedMouseFocus(false);
}
