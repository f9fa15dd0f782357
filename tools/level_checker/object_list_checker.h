#pragma once

// Checks the <Objects> list of one level the way the game builds it: every
// object needs a known type (exact and case-sensitive); every registered id
// must be unique, since the game skips an object whose id is taken, and that
// includes the names "obj_" + eight digits it gives objects without an id;
// "start" and "target" are the fixed ids of those objects and "ground" and
// "player" belong to the game; each type's own attributes must hold values
// the game takes; doors and switches need a known colour, platforms a usable
// waypoint; the level needs a start and a target; a teleporter needs a
// destination (level_limits refuses a target_id that names no object); a
// respawn point (start or checkpoint) more than 30 below a block is worth a
// warning, since a ball falling from that block is sent back there. One
// checker serves one level; the checks and media must outlive it.

#include <map>
#include <string>
#include <utility>
#include <vector>

class TiXmlElement;
class element_checks;
class media_folders;

class object_list_checker {
public:
    object_list_checker(element_checks& checks, const media_folders& media);

    // level: the <Level> element.
    void check(const TiXmlElement* level);

private:
    struct registered {
        int line;
        bool generated;
    };

    void check_object(const TiXmlElement* object);
    // A block's scale within the game's bounds.
    void check_block_scale(const TiXmlElement* block);
    void check_type_attributes(const TiXmlElement* object, const std::string& type);
    void check_id(const TiXmlElement* object, const std::string& type);
    std::string next_generated_name();
    void check_colour_name(const TiXmlElement* object, const std::string& type);
    void check_platform(const TiXmlElement* platform);
    void check_teleporter(const TiXmlElement* teleporter);
    void check_respawn_heights();

    element_checks& checks;
    const media_folders& media;
    // Every id the game registers, with the object holding it.
    std::map<std::string, registered> ids;
    // The game's counter for generated names; lights take the first numbers.
    unsigned name_counter = 0;
    std::vector<const TiXmlElement*> teleporters;
    std::vector<const TiXmlElement*> blocks;
    // Starts and checkpoints, with the height at which they put the ball back.
    std::vector<std::pair<const TiXmlElement*, float>> respawn_points;
};
