#pragma once

// The level on screen seen from the editor: which object lies under a ray
// from the camera, and which element of the level's text each object was
// built from (by the line and column its element begins on, which the level
// keeps for every object). Made anew after every build of the level; it holds
// plain pointers into the level and must not outlive it.

#include <OgreAxisAlignedBox.h>
#include <OgreRay.h>

#include <cstddef>
#include <map>
#include <optional>
#include <vector>

class game_object;
class level;
class level_text;

class scene_objects {
public:
    explicit scene_objects(const level& shown);

    // The nearest object the ray meets (its box in the scene), not the ball
    // or the ground; null when it meets none.
    game_object* under(const Ogre::Ray& ray) const;
    // The object built from the text's `object`, or null.
    game_object* object_of(std::size_t object, const level_text& text) const;
    // The text's object `shown` was built from.
    std::optional<std::size_t> index_of(const game_object* shown, const level_text& text) const;
    // `shown` was moved: its box is measured again.
    void moved(const game_object* shown);

private:
    std::vector<game_object*> pickable;
    // Each pickable object's box, measured once: what stands still (nearly
    // everything) is not measured again at every click.
    std::vector<Ogre::AxisAlignedBox> boxes;
    // By the line their element begins on, in the order of their columns.
    std::map<int, std::vector<game_object*>> by_line;
};
