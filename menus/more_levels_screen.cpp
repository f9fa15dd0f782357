#include "more_levels_screen.h"

#include "app/utf8_text.h"
#include "online/level_sharing.h"

#include <MyGUI.h>

#include <cmath>
#include <cstdio>

namespace {

std::string size_text(long long bytes)
{
    char text[32];
    if (bytes < 1024)
        std::snprintf(text, sizeof text, "%lld bytes", bytes);
    else
        std::snprintf(text, sizeof text, "%.1f KB", double(bytes) / 1024.0);
    return text;
}

std::string time_text(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", seconds);
    return text;
}

// MyGUI reads '#' as the start of a colour.
MyGUI::UString shown(const std::string& text)
{
    return MyGUI::TextIterator::toTagsString(MyGUI::UString(text));
}

}

more_levels_screen::more_levels_screen(MyGUI::Gui& gui, level_sharing& sharing) : gui(gui), sharing(sharing)
{
    MyGUI::LayoutManager::getInstance().loadLayout("more_levels.layout");
    for (const char* name : {"more_levels_newest", "more_levels_played", "more_levels_author", "more_levels_play"})
        if (MyGUI::Widget* button = gui.findWidgetT(name, false))
            button->eventMouseButtonClick += MyGUI::newDelegate(this, &more_levels_screen::on_click);
    if (auto* list = gui.findWidget<MyGUI::ListBox>("more_levels_list", false)) {
        list->eventListChangePosition += MyGUI::newDelegate(this, &more_levels_screen::on_chosen);
        list->eventListSelectAccept += MyGUI::newDelegate(this, &more_levels_screen::on_accepted);
    }
    if (auto* details = gui.findWidget<MyGUI::TextBox>("more_levels_details", false))
        details->getSubWidgetText()->setWordWrap(true);
    press("more_levels_newest");
}

std::string more_levels_screen::line(const shared_level& level)
{
    // The author is in the details; a long name is cut where the list would clip it.
    if (utf8_length(level.name) <= 26)
        return level.name;
    return utf8_prefix(level.name, 24) + "...";
}

std::string more_levels_screen::details(const shared_level& level)
{
    return "By " + level.author + ", " + level.shared.substr(0, 10) + "\n" + size_text(level.size) +
           "  \u00B7  author's time " + time_text(level.time) + "\nPlayed " + std::to_string(level.plays) +
           (level.plays == 1 ? " time" : " times") + "\n" + level.description;
}

void more_levels_screen::press(const std::string& widget)
{
    if (widget == "more_levels_newest")
        sharing.ask("newest");
    else if (widget == "more_levels_played")
        sharing.ask("played");
    else if (widget == "more_levels_author")
        sharing.ask("author");
    else if (widget == "more_levels_play" && chosen < sharing.levels().size() && !sharing.busy())
        sharing.download(sharing.levels()[chosen]);
    frame();
}

void more_levels_screen::on_click(MyGUI::Widget* sender)
{
    press(sender->getName());
}

void more_levels_screen::on_chosen(MyGUI::ListBox*, std::size_t index)
{
    if (index == MyGUI::ITEM_NONE)
        return;
    chosen = index;
    show_chosen();
}

void more_levels_screen::on_accepted(MyGUI::ListBox* list, std::size_t index)
{
    on_chosen(list, index);
    press("more_levels_play");
}

void more_levels_screen::frame()
{
    if (sharing.changes() == shown_changes)
        return;
    shown_changes = sharing.changes();
    set_text("more_levels_status", sharing.status());
    fill();
}

void more_levels_screen::fill()
{
    auto* list = gui.findWidget<MyGUI::ListBox>("more_levels_list", false);
    if (!list)
        return;
    list->removeAllItems();
    for (const shared_level& level : sharing.levels())
        list->addItem(shown(line(level)));
    if (chosen >= sharing.levels().size())
        chosen = 0;
    if (!sharing.levels().empty())
        list->setIndexSelected(chosen);
    show_chosen();
}

void more_levels_screen::show_chosen()
{
    const bool any = chosen < sharing.levels().size();
    set_text("more_levels_name", any ? line(sharing.levels()[chosen]) : "");
    set_text("more_levels_details", any ? details(sharing.levels()[chosen]) : "");
    if (MyGUI::Widget* play = gui.findWidgetT("more_levels_play", false))
        play->setEnabled(any);
}

void more_levels_screen::set_text(const std::string& widget, const std::string& text)
{
    if (auto* box = gui.findWidget<MyGUI::TextBox>(widget, false))
        box->setCaption(shown(text));
}

std::string more_levels_screen::take_level()
{
    return sharing.take_ready();
}
