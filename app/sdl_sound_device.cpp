#include "sdl_sound_device.h"

#include "log.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

// Enough for a burst of coins, a door and a fall at once.
constexpr int effect_channels = 12;

class sdl_track : public sound_device::track {
public:
    explicit sdl_track(Mix_Music* music) : music(music) {}
    ~sdl_track() override { Mix_FreeMusic(music); }

    Mix_Music* const music;
};

}

sdl_sound_device::sdl_sound_device()
{
    // SDL would otherwise turn SIGINT and SIGTERM into events nobody reads,
    // leaving the game impossible to stop from outside.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        throw std::runtime_error(SDL_GetError());
    Mix_Init(MIX_INIT_OGG);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        const std::string error = Mix_GetError();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        throw std::runtime_error(error);
    }
    Mix_AllocateChannels(effect_channels);
}

sdl_sound_device::~sdl_sound_device()
{
    stop_all();
    for (const auto& loaded : effects)
        Mix_FreeChunk(loaded.second);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

sound_device::track* sdl_sound_device::play_looped(const std::string& path)
{
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (!music)
        return nullptr;
    if (Mix_PlayMusic(music, -1) != 0) {
        Mix_FreeMusic(music);
        return nullptr;
    }
    tracks.push_back(std::make_unique<sdl_track>(music));
    return tracks.back().get();
}

Mix_Chunk* sdl_sound_device::effect(const std::string& path)
{
    const auto known = effects.find(path);
    if (known != effects.end())
        return known->second;
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (!chunk)
        log_line("The sound effect " + path + " cannot be played: " + Mix_GetError());
    effects.emplace(path, chunk);
    return chunk;
}

void sdl_sound_device::play_effect(const std::string& path, float gain, float pan)
{
    Mix_Chunk* chunk = effect(path);
    if (!chunk)
        return;
    const int channel = Mix_PlayChannel(-1, chunk, 0);
    if (channel < 0)
        return;
    Mix_Volume(channel, int(std::lround(std::clamp(gain * effects_volume, 0.0f, 1.0f) * MIX_MAX_VOLUME)));
    // Equal power, so a sound keeps its loudness as it moves across.
    const float angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0f) * 0.25f * float(M_PI);
    const auto side = [](float g) { return Uint8(std::lround(std::min(g * float(M_SQRT2), 1.0f) * 255.0f)); };
    Mix_SetPanning(channel, side(std::cos(angle)), side(std::sin(angle)));
}

void sdl_sound_device::stop_all()
{
    Mix_HaltMusic();
    tracks.clear();
}

void sdl_sound_device::set_music_volume(float volume)
{
    Mix_VolumeMusic(int(std::lround(std::clamp(volume, 0.0f, 1.0f) * MIX_MAX_VOLUME)));
}

void sdl_sound_device::set_effects_volume(float volume)
{
    effects_volume = std::clamp(volume, 0.0f, 1.0f);
}
