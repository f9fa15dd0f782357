#include "game_meshes.h"

#include "mesh_builder.h"
#include "mesh_shapes.h"

#include <functional>

namespace {

struct mesh_recipe {
    std::string name;
    std::string material;
    std::function<void(mesh_builder&)> shape;
};

const Ogre::Vector3 origin = Ogre::Vector3::ZERO;
const Ogre::Quaternion upright = Ogre::Quaternion::IDENTITY;
// Turns a prism's +y axis onto +z, for the coin that faces the camera.
const Ogre::Quaternion facing_z(Ogre::Degree(90), Ogre::Vector3::UNIT_X);

// The target's pad, 12 across and 1 high: all that the ball touches.
void add_finish_pad(mesh_builder& m)
{
    add_prism(m, 6, 1, 8, false, upright, 4);
}

// A chequered flag on a pole in the middle of the pad, as the texts and the
// level previews promise. It stands 12 above the pad's top, a ball and a half:
// the camera looks steeply down on the ball, and a taller flag would stay
// above the picture until the ball was nearly there. The cloth is broadside
// to a ball coming along -z, the way the courses mostly run.
void add_flag(mesh_builder& m)
{
    const float pad_top = 0.5f, pole_top = pad_top + 12, pole_radius = 0.3f;
    m.next_part("finish_pole");
    add_prism(m, pole_radius, pole_top - pad_top, 12, true, upright, 1, {0, (pad_top + pole_top) / 2, 0});
    m.next_part("finish_flag");
    const Ogre::Vector3 cloth(7, 4.5f, 0.25f);
    add_box(m, cloth, {pole_radius + cloth.x / 2, pole_top - 0.5f - cloth.y / 2, 0}, 0);
}

// The start's pad, which checkpoints share: 10 across and 1 high.
void add_start_pad(mesh_builder& m)
{
    add_prism(m, 5, 1, 32, true, upright, 8);
}

// The flag the newest checkpoint raises: a pole at the pad's edge, clear of
// the ball that comes back to the middle, and a pennant flying outwards from
// its top, broadside to a camera behind a ball coming along -z.
void add_checkpoint_flag(mesh_builder& m)
{
    const float pad_top = 0.5f, pole_top = pad_top + 10, pole_radius = 0.3f, pole_x = 4.5f;
    m.next_part("checkpoint_pole");
    add_prism(m, pole_radius, pole_top - pad_top, 12, true, upright, 1, {pole_x, (pad_top + pole_top) / 2, 0});
    m.next_part("checkpoint_flag");
    // A three-sided prism turned onto z: a triangle pointing along +x whose
    // base, at half its radius behind the centre, stands against the pole.
    const float pennant = 2.8f;
    const Ogre::Vector3 centre(pole_x + pole_radius + pennant / 2, pole_top - 0.3f - pennant * 0.866f, 0);
    add_prism(m, pennant, 0.25f, 3, false, facing_z, 1, centre);
}

std::vector<mesh_recipe> recipes()
{
    return {
        {"player.mesh", "player", [](mesh_builder& m) { add_sphere(m, 4, 32, 16); }},
        {"block_10_10.mesh", "block",
         [](mesh_builder& m) { add_box(m, {10, 2, 10}, origin, 10); }},
        {"block_2_2.mesh", "platform",
         [](mesh_builder& m) { add_box(m, {20, 2, 20}, origin, 20); }},
        {"start.mesh", "start", add_start_pad},
        // A checkpoint is touched through the start's pad alone; the flag is
        // drawn only, and only on the newest one reached.
        {"checkpoint.mesh", "checkpoint",
         [](mesh_builder& m) {
             add_start_pad(m);
             add_checkpoint_flag(m);
         }},
        {"finish.mesh", "finish",
         [](mesh_builder& m) {
             add_finish_pad(m);
             add_flag(m);
         }},
        // The target's body is made from the pad alone, so the flag is no
        // obstacle and the goal plays as it always did.
        {"finish_pad.mesh", "finish", add_finish_pad},
        // One texture repeat every 25 units keeps the floor readable from high
        // up; 50-unit cells keep the per-vertex fog smooth across it.
        {"ground.mesh", "ground",
         [](mesh_builder& m) { add_box(m, {1000, 0.5f, 1000}, origin, 25, 50); }},
        {"door.mesh", "door", [](mesh_builder& m) { add_box(m, {0.5f, 15, 10}, origin, 0); }},
        // A beam over an opening, for a level whose door names it as its
        // open_mesh; an open door by itself leaves nothing.
        {"door_open.mesh", "door",
         [](mesh_builder& m) { add_box(m, {0.5f, 0.5f, 10}, {0, 10, 0}, 0); }},
        {"switch.mesh", "white_bars",
         [](mesh_builder& m) { add_box(m, {0.5f, 10, 10}, origin, 0); }},
        {"score.mesh", "score",
         [](mesh_builder& m) { add_prism(m, 2.5f, 2, 32, true, facing_z, 1); }},
        {"infobox.mesh", "infobox", [](mesh_builder& m) { add_box(m, {5, 5, 5}, origin, 0); }},
    };
}

}

std::vector<std::string> game_mesh_names()
{
    std::vector<std::string> names;
    for (const mesh_recipe& recipe : recipes())
        names.push_back(recipe.name);
    return names;
}

void write_game_meshes(const std::string& folder)
{
    for (const mesh_recipe& recipe : recipes()) {
        mesh_builder builder;
        recipe.shape(builder);
        builder.write(folder, recipe.name, recipe.material);
    }
}
