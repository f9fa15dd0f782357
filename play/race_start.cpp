#include "race_start.h"

#include "app/log.h"

#include <MyGUI_Gui.h>
#include <MyGUI_LayoutManager.h>
#include <MyGUI_TextBox.h>

#include <algorithm>

namespace {

constexpr float card_seconds = 2.5f;
constexpr float ready_seconds = 1.0f;
// "Go!" stands whole for a moment, then fades until it is gone.
constexpr float go_whole_seconds = 0.2f;
constexpr float go_seconds = 0.7f;

const MyGUI::Colour ready_colour(1.0f, 0.78f, 0.3f);
const MyGUI::Colour go_colour(0.45f, 0.95f, 0.45f);

}

race_start::race_start(MyGUI::Gui* gui, phase first, start_card shown, std::string level_file)
    : gui(gui), shown(std::move(shown)), level_file(std::move(level_file)), current(first),
      words_done(first == racing)
{
    begin(first);
}

race_start::step race_start::frame(float dt)
{
    time_in_phase += dt;
    if (current == card && time_in_phase >= card_seconds)
        begin(ready);
    else if (current == ready && time_in_phase >= ready_seconds)
        begin(racing);
    if (current == racing && !go_logged) {
        go_logged = true;
        log_line("Go: " + level_file);
    }
    show_words();
    if (current == racing)
        return step::play;
    return current == ready ? step::look : step::wait;
}

void race_start::skip()
{
    if (current == card)
        begin(ready);
}

void race_start::begin(phase next)
{
    current = next;
    time_in_phase = 0.0f;
    if (next == ready)
        log_line("Ready: " + level_file);
    if (!words_done)
        word = next == ready ? "Ready" : next == racing ? "Go!" : "";
    show_words();
}

void race_start::show_words()
{
    if (!words_done && current == racing && time_in_phase >= go_seconds) {
        words_done = true;
        word.clear();
        remove_words();
    }
    if (words_done || !gui)
        return;
    if (!gui->findWidgetT("start_word", false)) {
        MyGUI::LayoutManager::getInstance().loadLayout("race_start.layout");
        shown.show(*gui);
    }
    if (MyGUI::Widget* panel = gui->findWidgetT("start_card", false))
        panel->setVisible(current == card);
    auto* big = gui->findWidget<MyGUI::TextBox>("start_word", false);
    if (!big)
        return;
    big->setVisible(!word.empty());
    big->setCaption(MyGUI::UString(word));
    big->setTextColour(current == racing ? go_colour : ready_colour);
    const float fading = (go_seconds - time_in_phase) / (go_seconds - go_whole_seconds);
    big->setAlpha(current == racing ? std::clamp(fading, 0.0f, 1.0f) : 1.0f);
}

void race_start::remove_words()
{
    if (!gui)
        return;
    for (const char* name : {"start_card", "start_word"})
        if (MyGUI::Widget* found = gui->findWidgetT(name, false))
            gui->destroyWidget(found);
}
