#include "object_factory.h"

#include "obj_block.h"
#include "obj_checkpoint.h"
#include "obj_door.h"
#include "obj_info.h"
#include "obj_platform.h"
#include "obj_score.h"
#include "obj_start.h"
#include "obj_switch.h"
#include "obj_target.h"
#include "obj_teleporter.h"

std::unique_ptr<game_object> make_object(const std::string& type, level* owner, const TiXmlElement* element)
{
    if (type == "block")
        return std::make_unique<obj_block>(owner, element);
    if (type == "start")
        return std::make_unique<obj_start>(owner, element);
    if (type == "target")
        return std::make_unique<obj_target>(owner, element);
    if (type == "score")
        return std::make_unique<obj_score>(owner, element);
    if (type == "platform")
        return std::make_unique<obj_platform>(owner, element);
    if (type == "checkpoint")
        return std::make_unique<obj_checkpoint>(owner, element);
    if (type == "infobox")
        return std::make_unique<obj_info>(owner, element);
    if (type == "door")
        return std::make_unique<obj_door>(owner, element);
    if (type == "switch")
        return std::make_unique<obj_switch>(owner, element);
    if (type == "teleporter")
        return std::make_unique<obj_teleporter>(owner, element);
    return nullptr;
}
