#include "game_textures.h"

#include "campaign_textures.h"
#include "help_icons.h"
#include "object_textures.h"
#include "png_writer.h"
#include "surface_textures.h"

#include <functional>
#include <utility>

namespace {

using painter = std::function<rgba_image()>;

// One emblem per door colour; a door and its switches share the colour's pair.
const std::pair<const char*, emblem_shape> door_emblems[] = {
    {"red", emblem_shape::circle},
    {"blue", emblem_shape::square},
    {"green", emblem_shape::triangle},
    {"white", emblem_shape::star},
};

// A checkpoint not reached yet is slate grey; reached, it is lit teal.
const pad_colours unreached_pad{{0.36f, 0.38f, 0.4f}, {0.62f, 0.64f, 0.66f}, {0.58f, 0.6f, 0.62f}};
const pad_colours reached_pad{{0.08f, 0.55f, 0.62f}, {0.8f, 1.0f, 1.0f}, {0.95f, 1.0f, 1.0f}};

std::vector<std::pair<std::string, painter>> textures()
{
    std::vector<std::pair<std::string, painter>> list = {
        {"block.png", paint_block},
        {"block_dest.png", paint_block_cracked},
        {"block_speed.png", paint_block_speed},
        {"platform.png", paint_platform},
        {"ground.png", paint_ground},
        {"block_foundry.png", paint_block_foundry},
        {"ground_foundry.png", paint_ground_foundry},
        {"block_glacier.png", paint_block_glacier},
        {"ground_glacier.png", paint_ground_glacier},
        {"block_sandstone.png", paint_block_sandstone},
        {"ground_sandstone.png", paint_ground_sandstone},
        {"door.png", paint_door},
        {"ball.png", paint_ball},
        {"start.png", paint_start},
        {"checkpoint.png", [] { return paint_checkpoint(unreached_pad); }},
        {"checkpoint_reached.png", [] { return paint_checkpoint(reached_pad); }},
        {"checkpoint_glow.png", paint_checkpoint_glow},
        {"finish.png", paint_finish},
        {"flag.png", paint_flag},
        {"teleporter.png", paint_teleporter},
        {"coin.png", [] { return paint_coin({1.0f, 0.76f, 0.2f}); }},
        {"coin_blue.png", [] { return paint_coin({0.3f, 0.55f, 1.0f}); }},
        {"infobox.png", paint_infobox},
        {"level_back.png", paint_level_back},
        {"help_doors.png", paint_help_doors},
        {"help_crate.png", paint_help_crate},
    };
    for (const auto& [name, shape] : door_emblems) {
        const std::string bars = std::string("bars_") + name;
        list.push_back({bars + ".png", [shape = shape] { return paint_bars(false, shape); }});
        list.push_back({bars + "_pressed.png", [shape = shape] { return paint_bars(true, shape); }});
    }
    return list;
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
