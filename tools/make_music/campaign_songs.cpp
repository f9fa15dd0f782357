#include "campaign_songs.h"

namespace {

// The foundry: low minor keys, marimba and pulse leads over driving drums,
// like machines keeping time.
void add_foundry(std::vector<song_style>& songs)
{
    song_style s;
    s.file_name = "foundry_1.ogg";
    s.seed = 1301;
    s.tempo = 118;
    s.home = 62; // D minor, the works starting up
    s.scale = scales::minor;
    s.verse = {0, 0, 5, 6, 0, 0, 3, 4};
    s.bridge = {5, 5, 3, 3, 1, 1, 4, 4};
    s.melody_density = 0.55;
    s.lead = timbre::marimba;
    s.chord_sound = timbre::square_lead;
    s.chords = chord_style::offbeat_stabs;
    s.bass = bass_style::octaves;
    s.drums = drum_style::drive;
    s.room = 0.4f;
    s.lead_echo = 0.2f;
    songs.push_back(s);

    s = {};
    s.file_name = "foundry_2.ogg";
    s.seed = 1302;
    s.tempo = 96;
    s.swing = 0.25;
    s.home = 65; // F dorian, a heavy swung shuffle
    s.scale = scales::dorian;
    s.verse = {0, 3, 0, 4, 0, 3, 6, 4};
    s.bridge = {3, 3, 0, 0, 5, 5, 4, 4};
    s.sevenths = true;
    s.melody_density = 0.45;
    s.lead = timbre::square_lead;
    s.chord_sound = timbre::electric_piano;
    s.chords = chord_style::offbeat_stabs;
    s.bass = bass_style::walking;
    s.drums = drum_style::swing;
    s.room = 0.5f;
    songs.push_back(s);

    s = {};
    s.file_name = "foundry_3.ogg";
    s.seed = 1303;
    s.tempo = 136;
    s.home = 64; // E minor, the furnace at full blast
    s.scale = scales::minor;
    s.verse = {0, 5, 6, 4, 0, 5, 6, 4};
    s.bridge = {3, 4, 5, 6, 3, 4, 2, 4};
    s.melody_density = 0.7;
    s.lead = timbre::pluck;
    s.chord_sound = timbre::marimba;
    s.chords = chord_style::arpeggio_up;
    s.pad = true;
    s.bass = bass_style::octaves;
    s.drums = drum_style::drive;
    s.room = 0.35f;
    s.lead_echo = 0.15f;
    songs.push_back(s);
}

// The glacier: bright, open keys, bells and flutes in big cold rooms, drums
// held back.
void add_glacier(std::vector<song_style>& songs)
{
    song_style s;
    s.file_name = "glacier_1.ogg";
    s.seed = 2501;
    s.tempo = 88;
    s.home = 76; // E lydian, thin clear air
    s.scale = scales::lydian;
    s.verse = {0, 1, 0, 4, 0, 1, 5, 4};
    s.bridge = {3, 1, 5, 4, 3, 1, 2, 4};
    s.sevenths = true;
    s.melody_density = 0.3;
    s.lead = timbre::bell;
    s.chord_sound = timbre::pluck;
    s.chords = chord_style::arpeggio_updown;
    s.pad = true;
    s.bass_sound = timbre::soft_bass;
    s.bass = bass_style::roots;
    s.drums = drum_style::halftime;
    s.room = 0.9f;
    s.lead_echo = 0.4f;
    songs.push_back(s);

    s = {};
    s.file_name = "glacier_2.ogg";
    s.seed = 2502;
    s.tempo = 128;
    s.home = 71; // B minor, racing down the ridge
    s.scale = scales::minor;
    s.verse = {0, 5, 2, 6, 0, 5, 3, 4};
    s.bridge = {5, 6, 0, 0, 5, 6, 4, 4};
    s.melody_density = 0.6;
    s.lead = timbre::flute;
    s.chord_sound = timbre::bell;
    s.chords = chord_style::arpeggio_up;
    s.pad = true;
    s.bass = bass_style::pop;
    s.drums = drum_style::pop;
    s.room = 0.7f;
    s.lead_echo = 0.3f;
    songs.push_back(s);

    s = {};
    s.file_name = "glacier_3.ogg";
    s.seed = 2503;
    s.tempo = 108;
    s.beats_per_bar = 3;
    s.home = 74; // D major waltz over the summit
    s.scale = scales::major;
    s.verse = {0, 4, 5, 3, 0, 4, 1, 4};
    s.bridge = {5, 3, 0, 4, 5, 3, 1, 4};
    s.melody_density = 0.4;
    s.lead = timbre::bell;
    s.chord_sound = timbre::electric_piano;
    s.chords = chord_style::waltz_comp;
    s.pad = true;
    s.bass_sound = timbre::soft_bass;
    s.bass = bass_style::waltz;
    s.drums = drum_style::waltz;
    s.room = 0.85f;
    s.lead_echo = 0.25f;
    songs.push_back(s);
}

}

std::vector<song_style> campaign_songs()
{
    std::vector<song_style> songs;
    add_foundry(songs);
    add_glacier(songs);
    return songs;
}
