#include "mouse_feel.h"

#include "game_settings.h"

int mouse_feel::turn(int counts, const game_settings& settings)
{
    const int turned = scaled(counts, settings.mouse_sensitivity, turn_left_over);
    return settings.invert_mouse ? -turned : turned;
}

int mouse_feel::wheel(int counts, const game_settings& settings)
{
    return scaled(counts, settings.wheel_speed, wheel_left_over);
}

int mouse_feel::scaled(int counts, int percent, long long& carry)
{
    // In hundredths of a count, so that nothing is lost to rounding.
    const long long exact = (long long)counts * percent + carry;
    carry = exact % 100;
    return int(exact / 100);
}
