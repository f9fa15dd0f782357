#include "game_textures.h"

#include "object_textures.h"
#include "png_writer.h"
#include "surface_textures.h"

#include <functional>
#include <utility>

namespace {

using painter = std::function<rgba_image()>;

std::vector<std::pair<std::string, painter>> textures()
{
    return {
        {"block.png", paint_block},
        {"block_dest.png", paint_block_cracked},
        {"block_speed.png", paint_block_speed},
        {"platform.png", paint_platform},
        {"ground.png", paint_ground},
        {"door.png", paint_door},
        {"bars.png", [] { return paint_bars(false); }},
        {"bars_pressed.png", [] { return paint_bars(true); }},
        {"ball.png", paint_ball},
        {"start.png", paint_start},
        {"finish.png", paint_finish},
        {"flag.png", paint_flag},
        {"teleporter.png", paint_teleporter},
        {"coin.png", [] { return paint_coin({1.0f, 0.76f, 0.2f}); }},
        {"coin_blue.png", [] { return paint_coin({0.3f, 0.55f, 1.0f}); }},
        {"infobox.png", paint_infobox},
        {"level_back.png", paint_level_back},
    };
}

}

std::vector<std::string> game_texture_names()
{
    std::vector<std::string> names;
    for (const auto& texture : textures())
        names.push_back(texture.first);
    return names;
}

void write_game_textures(const std::string& folder)
{
    for (const auto& texture : textures())
        write_png(texture.second(), folder + "/" + texture.first);
}
