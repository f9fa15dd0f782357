#pragma once

// The level's object factory: builds the object class named by an `Object`
// element's type (exact, case-sensitive), or nothing for an unknown type.

#include <memory>
#include <string>

class TiXmlElement;
class game_object;
class level;

std::unique_ptr<game_object> make_object(const std::string& type, level* owner, const TiXmlElement* element);
