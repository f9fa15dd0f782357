#pragma once

// The player's mouse settings applied to the mouse's counts before play (and
// its recording) sees them: sensitivity scales the turn, the wheel speed the
// wheel, invert turns the other way. Play works in whole counts, so the
// parts of a count left over are carried into the next frame: slow mouse
// movement at a low sensitivity still turns. At 100 % nothing changes.

class game_settings;

class mouse_feel {
public:
    int turn(int counts, const game_settings& settings);
    int wheel(int counts, const game_settings& settings);

private:
    static int scaled(int counts, int percent, long long& carry);

    // Hundredths of a count not yet passed on.
    long long turn_left_over = 0;
    long long wheel_left_over = 0;
};
