#include "app/null_sound_device.h"
#include "app/sdl_sound_device.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

// A tenth of a second of mono 16-bit wave at 44.1 kHz, silent or an A of
// 441 Hz (ten whole periods, so it loops without a click). SDL2_mixer plays
// WAV without extra codecs.
std::string write_wave(const std::string& path, short amplitude)
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
        u16(static_cast<unsigned short>(short(amplitude * std::sin(2 * M_PI * 441 * i / 44100.0))));
    return path;
}

std::string write_silent_wave(const std::string& path)
{
    return write_wave(path, 0);
}

// SDL's disk driver writes what a speaker would get to a file, in real time:
// 16-bit stereo at 44.1 kHz, four bytes a frame.
class recorded_output {
public:
    // Named after the process: test runs of other checkouts may share the folder.
    recorded_output() : path(::testing::TempDir() + "sound_device_output_" + std::to_string(::getpid()) + ".raw")
    {
        std::filesystem::remove(path);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
    }
    ~recorded_output()
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        std::filesystem::remove(path);
    }

    // Seconds written so far.
    double written() const
    {
        std::error_code error;
        const auto bytes = std::filesystem::file_size(path, error);
        return error ? 0.0 : double(bytes) / frame_bytes / rate;
    }

    // Waits until the file holds `until` seconds (up to 20 s of wall time on
    // a busy machine), then gives the loudest sample between `from` and
    // `until`, as a fraction of full scale.
    double peak(double from, double until) const
    {
        for (int i = 0; i < 2000 && written() < until; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream in(path, std::ios::binary);
        const auto first = std::streamoff(from * rate) * frame_bytes;
        std::vector<std::int16_t> samples(size_t((until - from) * rate) * 2);
        in.seekg(first);
        in.read(reinterpret_cast<char*>(samples.data()), std::streamsize(samples.size() * 2));
        EXPECT_EQ(size_t(in.gcount()), samples.size() * 2) << "the output file is too short";
        int loudest = 0;
        for (std::int16_t s : samples)
            loudest = std::max(loudest, std::abs(int(s)));
        return loudest / 32768.0;
    }

private:
    static constexpr int rate = 44100;
    static constexpr int frame_bytes = 4;
    std::string path;
};

}

TEST(sound_device, sdl_device_plays_a_file_looped_until_stop_all_silences_it)
{
    const std::string tone = "sound_device_tone_" + std::to_string(::getpid()) + ".wav";
    const std::string wave = write_wave(::testing::TempDir() + tone, 16000);
    recorded_output output;
    sdl_sound_device sound;
    EXPECT_LT(output.peak(0.0, 0.2), 0.01) << "sound before anything plays";

    const double started = output.written();
    ASSERT_NE(sound.play_looped(wave), nullptr);
    // The file lasts a tenth of a second: heard half a second later, it loops.
    EXPECT_GT(output.peak(started + 0.5, started + 0.7), 0.3) << "the music is not heard";

    sound.stop_all();
    const double stopped = output.written();
    // What the mixer had already handed over may still follow.
    EXPECT_LT(output.peak(stopped + 0.15, stopped + 0.4), 0.01) << "stop_all left the music playing";
}

TEST(sound_device, sdl_device_rejects_what_it_cannot_play_and_plays_again_after_stop_all)
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
    EXPECT_EQ(log.lines[0].rfind("No sound output available", 0), 0u);

    const std::string wave = write_silent_wave(::testing::TempDir() + "sound_device_silent.wav");
    EXPECT_NE(sound->play_looped(wave), nullptr);
    EXPECT_EQ(sound->play_looped("no/such/file.ogg"), nullptr);
    sound->stop_all();
}
