#include "sdl_sound_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

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
}

sdl_sound_device::~sdl_sound_device()
{
    stop_all();
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

void sdl_sound_device::stop_all()
{
    Mix_HaltMusic();
    tracks.clear();
}

void sdl_sound_device::set_music_volume(float volume)
{
    Mix_VolumeMusic(int(std::lround(std::clamp(volume, 0.0f, 1.0f) * MIX_MAX_VOLUME)));
}
