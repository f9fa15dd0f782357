#pragma once

// The version of the game's physics, as far as a recorded run depends on it:
// the same frames played on the same version roll the same way. Raise it
// whenever a change to the physics, the objects or the way a frame is played
// makes an old run roll otherwise; replays carry the version that recorded
// them, and the leaderboard server verifies only the versions it runs.

// Runs recorded before replays named their version are version 1.
constexpr int current_physics_version = 1;
