#pragma once

// Every texture the material scripts and the Help page name, by file name,
// and a writer that paints them all as PNG files into one folder.

#include <string>
#include <vector>

std::vector<std::string> game_texture_names();
// Throws std::runtime_error when a file cannot be written.
void write_game_textures(const std::string& folder);
