#pragma once

// The start of a level as a race: the start card (start_card) for a few
// seconds, then "Ready" for a second, then "Go!". The level waits until Go:
// the in-game state asks frame() before each frame of play and plays the
// level only when it says so, so the clock, the recorder and the ghost all
// begin at Go. During Ready the player may look around (the state turns the
// camera only). Any key or click skips the card to Ready. "Go!" stays a
// moment and fades while play runs. frame() is called only while the game
// is not paused, so the countdown freezes behind the in-game menu.
//
// The words stand on their own widgets from race_start.layout, looked up by
// name each frame because a screen may replace every widget; they are made
// again while they are still needed. A start that begins at `racing` (a
// watched run, mapscout, a level without a GUI) shows nothing.

#include "start_card.h"

#include <string>

namespace MyGUI {
class Gui;
}

class race_start {
public:
    enum phase { card, ready, racing };
    // What a frame may do: nothing moves, the camera turns, or the level plays.
    enum class step { wait, look, play };

    race_start(MyGUI::Gui* gui, phase first, start_card shown, std::string level_file);

    // Once a frame that is not paused, with its time step.
    step frame(float dt);
    // Any key or click: the card gives way to Ready; later it changes nothing.
    void skip();

    phase get_phase() const { return current; }
    // "Ready", "Go!", or empty while neither is on screen.
    const std::string& get_word() const { return word; }

private:
    void begin(phase next);
    void show_words();
    void remove_words();

    MyGUI::Gui* gui;
    start_card shown;
    std::string level_file;
    phase current;
    float time_in_phase = 0.0f;
    std::string word;
    // The words of a start that began racing, or whose "Go!" has faded.
    bool words_done;
    bool go_logged = false;
};
