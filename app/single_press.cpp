#include "single_press.h"

bool single_press::pressed()
{
    down_now = true;
    return !down_before;
}

void single_press::next_frame()
{
    down_before = down_now;
    down_now = false;
}
