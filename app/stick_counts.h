#pragma once

// A stick held at a tilt as the mouse's whole counts a frame, so that the
// camera turns and rises through the same path as with the mouse (and a
// replay records it the same way): `per_second` counts at full tilt, the
// parts of a count left over carried into the next frame, so a slow tilt
// still moves and the speed does not depend on the frame rate.

class stick_counts {
public:
    int take(float tilt, float per_second, float dt);

private:
    double left_over = 0.0;
};
