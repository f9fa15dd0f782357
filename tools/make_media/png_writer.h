#pragma once

// Writes an rgba_image as an 8-bit RGBA PNG file (the format OGRE's image
// codec reads). The headless tool has no codec plug-in, so it encodes the file
// itself with zlib. Throws std::runtime_error when the file cannot be written.

#include <string>

class rgba_image;

void write_png(const rgba_image& image, const std::string& path);
