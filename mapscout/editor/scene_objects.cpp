#include "scene_objects.h"

#include "level/game_object.h"
#include "level/level.h"
#include "level_text.h"

#include <OgreSceneNode.h>

#include <algorithm>

namespace {

// Something without a box in the scene (an info box's volume) is picked by
// a cube this wide around its position.
constexpr float bare_size = 6.0f;

Ogre::AxisAlignedBox box_of(const game_object& object)
{
    if (Ogre::SceneNode* node = object.get_scene_node()) {
        node->_update(true, false);
        const Ogre::AxisAlignedBox& box = node->_getWorldAABB();
        if (box.isFinite() && !box.isNull())
            return box;
    }
    const Ogre::Vector3 half(bare_size / 2);
    return {object.get_position() - half, object.get_position() + half};
}

// The text's objects whose element begins on `line`, in order.
std::vector<std::size_t> on_line(const level_text& text, int line)
{
    const auto& objects = text.get_objects();
    auto first = std::lower_bound(objects.begin(), objects.end(), line,
                                  [](const level_text::element& e, int l) { return e.line < l; });
    std::vector<std::size_t> out;
    for (; first != objects.end() && first->line == line; ++first)
        out.push_back(std::size_t(first - objects.begin()));
    return out;
}

}

scene_objects::scene_objects(const level& shown)
{
    for (const auto& entry : shown.get_objects()) {
        game_object* object = entry.second;
        if (object->get_source_line() <= 0 || object->is_removed())
            continue;
        pickable.push_back(object);
        boxes.push_back(box_of(*object));
        by_line[object->get_source_line()].push_back(object);
    }
    for (auto& line : by_line)
        std::sort(line.second.begin(), line.second.end(), [](const game_object* a, const game_object* b) {
            return a->get_source_column() < b->get_source_column();
        });
}

game_object* scene_objects::under(const Ogre::Ray& ray) const
{
    game_object* nearest = nullptr;
    float distance = 0.0f;
    for (std::size_t i = 0; i < pickable.size(); ++i) {
        game_object* object = pickable[i];
        if (object->is_removed())
            continue;
        // What moves by itself (a platform) is measured where it is now.
        const std::pair<bool, Ogre::Real> hit =
            ray.intersects(object->acts_each_frame() ? box_of(*object) : boxes[i]);
        if (hit.first && (!nearest || hit.second < distance)) {
            nearest = object;
            distance = hit.second;
        }
    }
    return nearest;
}

void scene_objects::moved(const game_object* shown)
{
    for (std::size_t i = 0; i < pickable.size(); ++i)
        if (pickable[i] == shown)
            boxes[i] = box_of(*shown);
}

game_object* scene_objects::object_of(std::size_t object, const level_text& text) const
{
    if (object >= text.object_count())
        return nullptr;
    const int line = text.get_objects()[object].line;
    const auto found = by_line.find(line);
    if (found == by_line.end())
        return nullptr;
    const std::vector<std::size_t> same_line = on_line(text, line);
    const std::size_t rank = std::size_t(std::find(same_line.begin(), same_line.end(), object) - same_line.begin());
    return rank < found->second.size() ? found->second[rank] : nullptr;
}

std::optional<std::size_t> scene_objects::index_of(const game_object* shown, const level_text& text) const
{
    if (!shown)
        return std::nullopt;
    const auto found = by_line.find(shown->get_source_line());
    if (found == by_line.end())
        return std::nullopt;
    const std::size_t rank =
        std::size_t(std::find(found->second.begin(), found->second.end(), shown) - found->second.begin());
    const std::vector<std::size_t> same_line = on_line(text, shown->get_source_line());
    if (rank >= same_line.size())
        return std::nullopt;
    return same_line[rank];
}
