#include "app/null_sound_device.h"
#include "app/sdl_sound_device.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

// A short silent RIFF wave: SDL2_mixer plays WAV without extra codecs.
std::string write_silent_wave(const std::string& path)
{
    const int samples = 4410;
    const int data_bytes = samples * 2;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](unsigned v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](unsigned short v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + data_bytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(44100);
    u32(44100 * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(data_bytes);
    for (int i = 0; i < samples; ++i)
        u16(0);
    return path;
}

}

TEST(sound_device, sdl_device_plays_a_file_looped_and_rejects_what_it_cannot_play)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const std::string wave = write_silent_wave(::testing::TempDir() + "sound_device_test.wav");
    sdl_sound_device sound;
    EXPECT_NE(sound.play_looped(wave), nullptr);
    EXPECT_EQ(sound.play_looped("no/such/file.ogg"), nullptr);
    const std::string not_audio = ::testing::TempDir() + "not_audio.ogg";
    std::ofstream(not_audio) << "plain text, not audio";
    EXPECT_EQ(sound.play_looped(not_audio), nullptr);
    sound.stop_all();
    EXPECT_NE(sound.play_looped(wave), nullptr);
}

TEST(sound_device, without_audio_output_the_game_runs_silently_with_one_log_line)
{
    log_capture log;
    setenv("SDL_AUDIODRIVER", "no_such_driver", 1);
    const std::unique_ptr<sound_device> sound = sound_device::create();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_NE(dynamic_cast<null_sound_device*>(sound.get()), nullptr);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0].rfind("Keine Tonausgabe verfügbar", 0), 0u);

    const std::string wave = write_silent_wave(::testing::TempDir() + "sound_device_silent.wav");
    EXPECT_NE(sound->play_looped(wave), nullptr);
    EXPECT_EQ(sound->play_looped("no/such/file.ogg"), nullptr);
    sound->stop_all();
}
