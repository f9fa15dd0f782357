#pragma once

// The game's music: the menu theme and one track per level, each described
// by a song_style, composed, rendered and written as a looping Ogg Vorbis
// file named as the levels and the menu ask for it.

#include "song_style.h"

#include <string>
#include <vector>

class stereo_buffer;

class soundtrack {
public:
    soundtrack();

    // A copy, so a loop over soundtrack().songs() stays valid.
    std::vector<song_style> songs() const { return list; }

    // One song's loop, ready to encode.
    static stereo_buffer render(const song_style& song);
    // Renders and writes one song into `folder` under its file name.
    static void write(const song_style& song, int serial, const std::string& folder);
    // Writes every song into `folder`, using up to `threads` at once; the
    // files do not depend on the thread count. Throws on the first failure.
    void write_all(const std::string& folder, unsigned threads) const;

private:
    std::vector<song_style> list;
};
