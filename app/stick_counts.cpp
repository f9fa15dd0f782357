#include "stick_counts.h"

int stick_counts::take(float tilt, float per_second, float dt)
{
    const double exact = double(tilt) * per_second * dt + left_over;
    const int whole = int(exact);
    left_over = exact - whole;
    return whole;
}
