#pragma once

// Encodes a stereo_buffer as an Ogg Vorbis file with libvorbis. The file
// holds exactly the buffer's frames (the last page's granule position marks
// the end), which a loop needs to come round without a gap. Given the same
// samples, quality and serial number, the bytes are the same on every run.
// Throws std::runtime_error when the encoder or the file fails.

#include <string>

class stereo_buffer;

struct ogg_settings {
    int sample_rate = 44100;
    float quality = 0.3f; // libvorbis VBR quality, -0.1 .. 1
    int serial = 1;       // the Ogg stream's serial number
    std::string title;    // written as the TITLE comment when not empty
};

void write_ogg_vorbis(const stereo_buffer& audio, const ogg_settings& settings, const std::string& path);
