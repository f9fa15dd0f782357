#pragma once

// Every mesh the game loads by name, sized to the physics shapes the objects
// give their bodies (the ball's radius is 4, a block's top is 10 by 10), and
// a writer that builds them all and serialises them into one folder. A
// headless_ogre (or a full root) must exist while write_game_meshes runs.

#include <string>
#include <vector>

std::vector<std::string> game_mesh_names();
// Throws when a file cannot be written.
void write_game_meshes(const std::string& folder);
