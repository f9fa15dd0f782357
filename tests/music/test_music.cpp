// The music make_music writes must play as the game plays it: Ogg Vorbis at
// 44.1 kHz stereo that SDL_mixer loops, long enough not to nag, audible but
// never clipping, coming round from its end to its start without a click or
// a gap, in key, and the same bytes on every build.

#include "composer.h"
#include "harmony.h"
#include "ogg_writer.h"
#include "song_renderer.h"
#include "sound_effects.h"
#include "soundtrack.h"
#include "stereo_buffer.h"

#include <vorbis/vorbisfile.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct decoded {
    long rate = 0;
    int channels = 0;
    std::vector<float> left;
    std::vector<float> right;

    double seconds() const { return rate ? double(left.size()) / double(rate) : 0.0; }
};

decoded decode(const std::string& path)
{
    decoded out;
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0)
        return out;
    const vorbis_info* info = ov_info(&file, -1);
    out.rate = info->rate;
    out.channels = info->channels;
    int section = 0;
    for (;;) {
        float** pcm = nullptr;
        const long frames = ov_read_float(&file, &pcm, 4096, &section);
        if (frames <= 0)
            break;
        out.left.insert(out.left.end(), pcm[0], pcm[0] + frames);
        out.right.insert(out.right.end(), pcm[out.channels > 1 ? 1 : 0], pcm[out.channels > 1 ? 1 : 0] + frames);
    }
    ov_clear(&file);
    return out;
}

double rms(const std::vector<float>& samples, std::size_t from, std::size_t count)
{
    double sum = 0.0;
    for (std::size_t i = from; i < from + count; ++i)
        sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(count));
}

std::string read_bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path fresh_folder(const std::string& name)
{
    const fs::path folder = fs::path(::testing::TempDir()) / (name + "_" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

bool holds_every_song(const fs::path& folder)
{
    for (const auto& song : soundtrack().songs())
        if (!fs::is_regular_file(folder / song.file_name))
            return false;
    return true;
}

// Checks the files the build wrote into the runnable folder, the ones the
// game plays. Where the build has not run, the songs are written here once
// for the suite, as rendering is the slow part.
class generated_music : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = QUILLAX_MUSIC_DIR;
        if (!holds_every_song(folder)) {
            folder = fresh_folder("quillax_music");
            written_here = true;
            soundtrack().write_all(folder.string(), 2);
        }
        for (const auto& song : soundtrack().songs())
            tracks.push_back(decode((folder / song.file_name).string()));
    }
    static void TearDownTestSuite()
    {
        if (written_here)
            fs::remove_all(folder);
        tracks.clear();
    }

    static fs::path folder;
    static bool written_here;
    static std::vector<decoded> tracks;
};

fs::path generated_music::folder;
bool generated_music::written_here = false;
std::vector<decoded> generated_music::tracks;

TEST_F(generated_music, the_menu_and_every_level_have_their_track)
{
    std::set<std::string> names;
    for (const auto& song : soundtrack().songs())
        names.insert(song.file_name);
    const std::set<std::string> wanted = {"main_menu_bg.ogg", "level_01.ogg",  "level_02.ogg",  "level_03.ogg",
                                          "level_04.ogg",     "level_05.ogg",  "level_06.ogg",  "foundry_1.ogg",
                                          "foundry_2.ogg",    "foundry_3.ogg", "glacier_1.ogg", "glacier_2.ogg",
                                          "glacier_3.ogg"};
    EXPECT_EQ(names, wanted);
    for (const auto& name : wanted)
        EXPECT_TRUE(fs::is_regular_file(folder / name)) << name;
}

TEST_F(generated_music, every_track_decodes_as_44_1_khz_stereo_lasting_40_to_90_seconds)
{
    const auto songs = soundtrack().songs();
    for (std::size_t i = 0; i < songs.size(); ++i) {
        SCOPED_TRACE(songs[i].file_name);
        EXPECT_EQ(tracks[i].rate, 44100);
        EXPECT_EQ(tracks[i].channels, 2);
        EXPECT_GE(tracks[i].seconds(), 40.0);
        EXPECT_LE(tracks[i].seconds(), 90.0);
    }
}

TEST_F(generated_music, every_track_is_clearly_audible_and_peaks_below_minus_one_dbfs)
{
    const auto songs = soundtrack().songs();
    for (std::size_t i = 0; i < songs.size(); ++i) {
        SCOPED_TRACE(songs[i].file_name);
        const auto& t = tracks[i];
        ASSERT_FALSE(t.left.empty());
        EXPECT_GT(rms(t.left, 0, t.left.size()), 0.05);
        EXPECT_GT(rms(t.right, 0, t.right.size()), 0.05);
        float peak = 0.0f;
        for (std::size_t k = 0; k < t.left.size(); ++k)
            peak = std::max({peak, std::fabs(t.left[k]), std::fabs(t.right[k])});
        EXPECT_LT(peak, 0.89f); // -1 dBFS
    }
}

TEST_F(generated_music, no_stretch_of_a_track_falls_silent)
{
    // A player hears minutes of it: a dead second would sound like a fault.
    const auto songs = soundtrack().songs();
    for (std::size_t i = 0; i < songs.size(); ++i) {
        SCOPED_TRACE(songs[i].file_name);
        const auto& t = tracks[i];
        const std::size_t second = std::size_t(t.rate);
        for (std::size_t at = 0; at + second <= t.left.size(); at += second)
            EXPECT_GT(rms(t.left, at, second) + rms(t.right, at, second), 0.02) << "at " << at / second << " s";
    }
}

TEST_F(generated_music, every_loop_flows_from_its_last_sample_into_its_first)
{
    const auto songs = soundtrack().songs();
    for (std::size_t i = 0; i < songs.size(); ++i) {
        SCOPED_TRACE(songs[i].file_name);
        const auto& t = tracks[i];
        ASSERT_GT(t.left.size(), std::size_t(t.rate));
        const std::size_t window = std::size_t(t.rate / 20); // 50 ms
        const std::size_t bar = song_renderer::frames_per_step(songs[i].tempo) * 4 * std::size_t(songs[i].beats_per_bar);
        for (const auto* channel : {&t.left, &t.right}) {
            // A click is a jump far beyond what neighbouring samples ever do.
            EXPECT_LT(std::fabs(channel->back() - channel->front()), 0.05f);
            const double end = rms(*channel, channel->size() - window, window);
            const double start = rms(*channel, 0, window);
            // A downbeat is up to about 10 dB louder than the 50 ms before
            // it, at every bar line; a fade-out or a gap before the start
            // comes round would be far quieter than that.
            EXPECT_GT(end, start * 0.2);
            EXPECT_LT(end, start * 2.0);
            // And the seam sounds like any other bar line of the song.
            std::vector<double> before_bar_lines;
            for (std::size_t at = bar; at + bar <= channel->size(); at += bar)
                before_bar_lines.push_back(rms(*channel, at - window, window));
            std::nth_element(before_bar_lines.begin(), before_bar_lines.begin() + before_bar_lines.size() / 2,
                             before_bar_lines.end());
            EXPECT_GT(end, before_bar_lines[before_bar_lines.size() / 2] * 0.5);
        }
    }
}

TEST_F(generated_music, building_again_writes_the_same_bytes)
{
    const fs::path again = fresh_folder("quillax_music_again");
    soundtrack().write_all(again.string(), 2);
    for (const auto& song : soundtrack().songs()) {
        SCOPED_TRACE(song.file_name);
        const std::string first = read_bytes(folder / song.file_name);
        EXPECT_FALSE(first.empty());
        EXPECT_TRUE(first == read_bytes(again / song.file_name));
    }
    fs::remove_all(again);
}

TEST(sound_effects, each_is_written_short_below_the_music_s_peaks_and_from_silence_to_silence)
{
    for (const auto& name : sound_effects::names()) {
        SCOPED_TRACE(name);
        const decoded sound = decode((fs::path(QUILLAX_MUSIC_DIR) / "effects" / (name + ".ogg")).string());
        EXPECT_EQ(sound.rate, 44100);
        EXPECT_GT(sound.seconds(), 0.1);
        EXPECT_LE(sound.seconds(), 2.5);
        const stereo_buffer rendered = sound_effects::render(name);
        EXPECT_GT(rendered.peak(), 0.15f);
        EXPECT_LE(rendered.peak(), song_renderer::peak_level);
        EXPECT_LT(std::fabs(rendered.left().front()), 0.01f);
        EXPECT_EQ(rendered.left().back(), 0.0f);
        EXPECT_EQ(rendered.right().back(), 0.0f);
    }
    // Heard whenever the ball leans on a push block: it must stay in the background.
    EXPECT_LT(sound_effects::render("scrape").rms(), 0.5f * sound_effects::render("coin").rms());
}

TEST(music_loop, the_file_holds_exactly_the_rendered_loop_so_it_comes_round_on_the_beat)
{
    const song_style menu = soundtrack().songs().front();
    const stereo_buffer loop = soundtrack::render(menu);
    const fs::path folder = fresh_folder("quillax_music_loop");
    soundtrack::write(menu, 1, folder.string());
    const decoded back = decode((folder / menu.file_name).string());
    EXPECT_EQ(back.left.size(), loop.frames());
    // Whole bars: the loop's length is a whole number of beats at the tempo.
    const double beats = double(loop.frames()) / double(song_renderer::frames_per_step(menu.tempo)) / 4.0;
    EXPECT_DOUBLE_EQ(beats, std::floor(beats));
    EXPECT_EQ(int(beats) % menu.beats_per_bar, 0);
    fs::remove_all(folder);
}

TEST(music_loop, a_note_ringing_past_the_end_sounds_at_the_start_of_the_next_round)
{
    stereo_buffer buffer(10);
    buffer.add_mono(6, std::vector<float>(4, 0.5f), 1.0f, 0.0f);
    buffer.fold_into_loop(8);
    ASSERT_EQ(buffer.frames(), 8u);
    EXPECT_GT(buffer.left()[0], 0.0f);
    EXPECT_GT(buffer.left()[1], 0.0f);
    EXPECT_EQ(buffer.left()[2], 0.0f);
    EXPECT_FLOAT_EQ(buffer.left()[0], buffer.left()[7]);
}

TEST(music_score, every_note_of_every_song_belongs_to_its_key)
{
    for (const auto& style : soundtrack().songs()) {
        SCOPED_TRACE(style.file_name);
        const harmony key(style.home, style.scale);
        const score music = composer(style).compose();
        ASSERT_FALSE(music.parts.empty());
        for (const auto& line : music.parts)
            for (const auto& n : line.notes)
                EXPECT_TRUE(key.in_scale(n.pitch)) << line.name << " note " << n.pitch << " at step " << n.step;
    }
}

TEST(music_score, every_song_has_a_tune_a_bass_line_and_a_beat)
{
    for (const auto& style : soundtrack().songs()) {
        SCOPED_TRACE(style.file_name);
        const score music = composer(style).compose();
        std::set<std::string> lines;
        for (const auto& line : music.parts)
            if (!line.notes.empty())
                lines.insert(line.name);
        EXPECT_TRUE(lines.count("lead"));
        EXPECT_TRUE(lines.count("bass"));
        // At least one hit a beat on average.
        EXPECT_GE(music.drums.size() * 4, std::size_t(music.total_steps) / 4);
    }
}

TEST(music_score, every_track_has_its_own_tempo_and_key)
{
    std::set<double> tempos;
    std::set<std::tuple<int, std::vector<int>>> keys;
    for (const auto& style : soundtrack().songs()) {
        tempos.insert(style.tempo);
        keys.insert({style.home % 12, style.scale});
    }
    EXPECT_EQ(tempos.size(), soundtrack().songs().size());
    EXPECT_EQ(keys.size(), soundtrack().songs().size());
}

TEST(music_writer, an_unwritable_folder_is_reported_not_ignored)
{
    EXPECT_THROW(soundtrack().write_all("/nonexistent/quillax/audio", 2), std::runtime_error);
}

TEST(music_writer, a_written_tone_decodes_to_the_same_length_and_pitch)
{
    const int rate = 44100;
    stereo_buffer tone(std::size_t(rate) + 123);
    for (std::size_t i = 0; i < tone.frames(); ++i) {
        tone.left()[i] = 0.5f * float(std::sin(6.283185307179586 * 440.0 * double(i) / rate));
        tone.right()[i] = -tone.left()[i];
    }
    const fs::path folder = fresh_folder("quillax_music_tone");
    const std::string path = (folder / "tone.ogg").string();
    write_ogg_vorbis(tone, ogg_settings{}, path);
    const decoded back = decode(path);
    ASSERT_EQ(back.left.size(), tone.frames());
    // Same tone: it crosses zero upwards 440 times a second.
    int rising = 0;
    for (std::size_t i = 1; i < std::size_t(rate); ++i)
        rising += back.left[i - 1] < 0.0f && back.left[i] >= 0.0f;
    EXPECT_NEAR(rising, 440, 2);
    EXPECT_LT(back.right[1000] + back.left[1000], 0.05f);
    fs::remove_all(folder);
}

}
