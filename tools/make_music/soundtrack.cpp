#include "soundtrack.h"

#include "campaign_songs.h"
#include "composer.h"
#include "ogg_writer.h"
#include "song_renderer.h"
#include "stereo_buffer.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace {

// Chord roots count from 0 (the home chord); 4 is the dominant that leads
// back home, and every verse ends away from home so the loop pulls onwards.
std::vector<song_style> the_songs()
{
    std::vector<song_style> songs;
    song_style s;

    s = {};
    s.file_name = "main_menu_bg.ogg";
    s.seed = 11;
    s.tempo = 76;
    s.home = 65; // F major, unhurried
    s.scale = scales::major;
    s.verse = {0, 5, 3, 4};
    s.bridge = {3, 4, 2, 5};
    s.sevenths = true;
    s.melody_density = 0.2;
    s.lead = timbre::electric_piano;
    s.chord_sound = timbre::pluck;
    s.chords = chord_style::arpeggio_updown;
    s.pad = true;
    s.bass_sound = timbre::soft_bass;
    s.bass = bass_style::roots;
    s.drums = drum_style::shaker_only;
    s.room = 0.8f;
    s.lead_echo = 0.25f;
    songs.push_back(s);

    s = {};
    s.file_name = "level_01.ogg";
    s.seed = 101;
    s.tempo = 112;
    s.home = 72; // C major, bright and bouncy
    s.scale = scales::major;
    s.verse = {0, 4, 5, 3, 0, 4, 3, 4};
    s.bridge = {3, 4, 2, 5, 3, 4, 1, 4};
    s.melody_density = 0.55;
    s.lead = timbre::pluck;
    s.chord_sound = timbre::electric_piano;
    s.chords = chord_style::offbeat_stabs;
    s.bass = bass_style::pop;
    s.drums = drum_style::pop;
    s.room = 0.45f;
    s.lead_echo = 0.3f;
    songs.push_back(s);

    s = {};
    s.file_name = "level_02.ogg";
    s.seed = 202;
    s.tempo = 124;
    s.home = 67; // G mixolydian, a busy workshop
    s.scale = scales::mixolydian;
    s.verse = {0, 6, 3, 0, 0, 6, 4, 6};
    s.bridge = {3, 3, 0, 0, 3, 3, 4, 6};
    s.melody_density = 0.7;
    s.lead = timbre::square_lead;
    s.chord_sound = timbre::marimba;
    s.chords = chord_style::arpeggio_up;
    s.bass = bass_style::octaves;
    s.drums = drum_style::drive;
    s.room = 0.35f;
    songs.push_back(s);

    s = {};
    s.file_name = "level_03.ogg";
    s.seed = 303;
    s.tempo = 84;
    s.home = 74; // D dorian, floating
    s.scale = scales::dorian;
    s.verse = {0, 3, 0, 6};
    s.bridge = {2, 3, 4, 6};
    s.sevenths = true;
    s.melody_density = 0.3;
    s.lead = timbre::bell;
    s.chord_sound = timbre::pluck;
    s.chords = chord_style::arpeggio_up;
    s.pad = true;
    s.bass_sound = timbre::soft_bass;
    s.bass = bass_style::roots;
    s.drums = drum_style::halftime;
    s.room = 0.85f;
    s.lead_echo = 0.35f;
    songs.push_back(s);

    s = {};
    s.file_name = "level_04.ogg";
    s.seed = 404;
    s.tempo = 132;
    s.home = 69; // A minor, on an adventure
    s.scale = scales::minor;
    s.verse = {0, 5, 2, 6, 0, 5, 2, 6};
    s.bridge = {3, 3, 4, 4, 5, 5, 6, 6};
    s.melody_density = 0.6;
    s.lead = timbre::flute;
    s.chord_sound = timbre::pluck;
    s.chords = chord_style::offbeat_stabs;
    s.pad = true;
    s.bass = bass_style::octaves;
    s.drums = drum_style::pop;
    s.room = 0.55f;
    s.lead_echo = 0.2f;
    songs.push_back(s);

    s = {};
    s.file_name = "level_05.ogg";
    s.seed = 505;
    s.tempo = 104;
    s.swing = 0.3;
    s.home = 70; // B flat major, swung
    s.scale = scales::major;
    s.verse = {1, 4, 0, 5, 1, 4, 0, 4};
    s.bridge = {3, 3, 0, 5, 1, 1, 4, 4};
    s.sevenths = true;
    s.melody_density = 0.5;
    s.lead = timbre::marimba;
    s.chord_sound = timbre::electric_piano;
    s.chords = chord_style::offbeat_stabs;
    s.bass = bass_style::walking;
    s.drums = drum_style::swing;
    s.room = 0.5f;
    songs.push_back(s);

    s = {};
    s.file_name = "level_06.ogg";
    s.seed = 606;
    s.tempo = 126;
    s.beats_per_bar = 3;
    s.home = 63; // E flat major waltz
    s.scale = scales::major;
    s.verse = {0, 0, 3, 4, 0, 5, 1, 4};
    s.bridge = {5, 5, 1, 4, 3, 3, 1, 4};
    s.melody_density = 0.4;
    s.lead = timbre::electric_piano;
    s.chord_sound = timbre::pluck;
    s.chords = chord_style::waltz_comp;
    s.pad = true;
    s.bass_sound = timbre::soft_bass;
    s.bass = bass_style::waltz;
    s.drums = drum_style::waltz;
    s.room = 0.6f;
    s.lead_echo = 0.15f;
    songs.push_back(s);

    for (const song_style& campaign_song : campaign_songs())
        songs.push_back(campaign_song);
    return songs;
}

}

soundtrack::soundtrack() : list(the_songs()) {}

stereo_buffer soundtrack::render(const song_style& song)
{
    composer writer(song);
    return song_renderer().render(writer.compose(), song.seed);
}

void soundtrack::write(const song_style& song, int serial, const std::string& folder)
{
    ogg_settings settings;
    settings.sample_rate = int(song_renderer::sample_rate);
    settings.serial = serial;
    settings.title = song.file_name.substr(0, song.file_name.rfind('.'));
    write_ogg_vorbis(render(song), settings, folder + "/" + song.file_name);
}

void soundtrack::write_all(const std::string& folder, unsigned threads) const
{
    // Fail before minutes of music are rendered for nothing.
    if (!std::filesystem::is_directory(folder))
        throw std::runtime_error("no folder " + folder + " to write the music into");
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failure_lock;
    auto work = [&] {
        for (std::size_t i = next++; i < list.size(); i = next++) {
            try {
                write(list[i], int(i) + 1, folder);
            } catch (...) {
                std::lock_guard<std::mutex> guard(failure_lock);
                if (!failure)
                    failure = std::current_exception();
            }
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < std::clamp(threads, 1u, unsigned(list.size())); ++t)
        pool.emplace_back(work);
    work();
    for (auto& t : pool)
        t.join();
    if (failure)
        std::rethrow_exception(failure);
}
