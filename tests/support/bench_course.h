#pragma once

// A generated course of any size for the benchmarks: blocks of every kind,
// moving platforms, doors and switches, teleporters, coins, info boxes,
// checkpoints and a few lights, laid out as lanes the ball can roll.

#include <string>

// The level file's text, holding `object_count` objects with the start and the target.
std::string bench_course(int object_count);
