#pragma once

// The captions of the heads-up display and of the completed screen, filled
// in from the running level: the score (the coins' points), the coins taken
// and how many the level holds, and the play time as minutes and seconds.
// Each caption is written only when the GUI's current layout has it. On a
// level with medals the display adds the medal to aim for: the one above
// the best the player has (gold once they have it), with its time, greyed
// once the clock has passed it.

#include "records/medal_times.h"

#include <string>

class challenge_run;
class level;
namespace MyGUI {
class Gui;
}

class game_hud {
public:
    static void show_captions(MyGUI::Gui* gui, const level& current, unsigned int total_seconds);
    static void show_medal_target(MyGUI::Gui* gui, const medal_times& medals, medal best, double play_time);
    // In a challenge, bottom left: the level of the campaign, the balls left
    // and the clock over the whole challenge.
    static void show_challenge(MyGUI::Gui* gui, const challenge_run& challenge, double play_time);
    // "Level 2/8 · 3 balls · 04:12.25"
    static std::string challenge_line(const challenge_run& challenge, double play_time);
    // The skin that draws `which` ("MedalGold" and so on); empty for none.
    static std::string medal_skin(medal which);

private:
    // "07" for 7, "42" for 42, "100" for 100.
    static std::string two_digits(unsigned int value);
    static void set_caption(MyGUI::Gui* gui, const std::string& widget, const std::string& text);
};
