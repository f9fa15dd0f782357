#include "level.h"

#include "app/game_context.h"
#include "app/log.h"
#include "app/physics/physics_body.h"
#include "app/physics/physics_scene.h"
#include "app/physics/physics_world.h"
#include "app/sound_device.h"
#include "game_object.h"
#include "level_document.h"
#include "level_files.h"
#include "level_values.h"
#include "objects/obj_ground.h"
#include "objects/obj_player.h"
#include "objects/object_factory.h"

#include <OgreLight.h>
#include <OgreRoot.h>
#include <OgreSceneManager.h>

#include <tinyxml.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

level::level(const std::string& file_name, game_context* context, MyGUI::Gui* gui)
    : context(context), gui(gui), file_name(file_name)
{
    scene = context->world->create_scene(file_name + "_scene", context->scene_manager);
    build(level_document::read_file(path_of(file_name)));
}

level::level(const std::string& file_name, const std::string& text, game_context* context, MyGUI::Gui* gui)
    : context(context), gui(gui), file_name(file_name)
{
    scene = context->world->create_scene(file_name + "_scene", context->scene_manager);
    build(level_document::read_text(text));
}

void level::build(const level_document& read)
{
    switch (read.get_outcome()) {
    case level_document::outcome::loaded:
        load(read.get_level());
        return;
    case level_document::outcome::missing:
        load_problem = ": kann im Ordner media/levels/ nicht gefunden werden.";
        log(load_problem);
        return;
    case level_document::outcome::broken:
        // The log line stays the same for every file that fails; the author
        // of one that is there learns where and why it cannot be read.
        log(": kann im Ordner media/levels/ nicht gefunden werden.");
        break;
    case level_document::outcome::no_level:
        load_problem = ": Kein gültiges Level. Level-Tag nicht gefunden.";
        log(load_problem);
        return;
    case level_document::outcome::refused:
        for (const level_refusal& refusal : read.get_refusals())
            log(":" + std::to_string(refusal.line) + ": the level is refused: " + refusal.reason);
        break;
    }
    const xml_problem problem = read.problem();
    load_problem = ":" + std::to_string(problem.line) + ": " + problem.reason;
}

level::~level()
{
    player = nullptr;
    for (auto& light : lights) {
        Ogre::SceneNode* node = light.second->getParentSceneNode();
        context->scene_manager->destroyLight(light.first);
        if (node)
            context->scene_manager->destroySceneNode(node);
    }
    lights.clear();
    // Entries leave the registry before their object is freed, so that an
    // object going away later never finds one that is already gone.
    while (!objects.empty()) {
        game_object* object = objects.begin()->second;
        objects.erase(objects.begin());
        delete object;
    }
    retired.clear();
    acting.clear();
    removed_objects.clear();
    camera = nullptr;
    context->sound->stop_all();
    scene->destroy_actors();
    scene->remove_contact_listener();
    context->world->destroy_scene(file_name + "_scene");
}

void level::log(const std::string& text) const
{
    log_line(file_name + text);
}

void level::load(const TiXmlElement* root)
{
    const char* music = root->Attribute("music");
    if (music && !context->scout)
        context->sound->play_looped("media/audio/" + std::string(music));
    setup_scene(root);

    int light_count = 0;
    if (const TiXmlElement* list = root->FirstChildElement("Lights"))
        for (const TiXmlElement* e = list->FirstChildElement("Light"); e; e = e->NextSiblingElement("Light"))
            light_count += create_light(e) != nullptr;
    log(light_count > 0 ? ": Es wurden " + std::to_string(light_count) + " Lichter erstellt."
                        : std::string(": Es wurden keine Lichter erstellt."));

    int object_count = 0;
    if (const TiXmlElement* list = root->FirstChildElement("Objects"))
        for (const TiXmlElement* e = list->FirstChildElement("Object"); e; e = e->NextSiblingElement("Object"))
            object_count += create_object(e) != nullptr;
    log(object_count > 0 ? ": Es wurden " + std::to_string(object_count) + " Objekte erstellt."
                         : std::string(": Es wurden keine Objekte erstellt."));

    add_ground_and_ball();
    scene->set_contact_listener(this);
    for (const auto& entry : get_objects())
        entry.second->on_level_loaded();
    scene->settle();
}

void level::setup_scene(const TiXmlElement* root)
{
    Ogre::SceneManager* scene_manager = context->scene_manager;
    const TiXmlElement* fog = root->FirstChildElement("Fog");
    if (fog && context->scout) {
        // Seen from 300 above, the level's own fog would hide the course.
        scene_manager->setFog(Ogre::FOG_LINEAR, Ogre::ColourValue(0, 0, 0, 1), 0, 300.0f, 500.0f);
    } else if (fog) {
        const char* start = fog->Attribute("start");
        const char* end = fog->Attribute("end");
        const char* colour = fog->Attribute("colour");
        scene_manager->setFog(Ogre::FOG_LINEAR, colour ? parse_colour(colour) : Ogre::ColourValue::ZERO, 0,
                              start ? parse_real(start) : 0.0f, end ? parse_real(end) : 0.0f);
    } else {
        scene_manager->setFog(Ogre::FOG_NONE, Ogre::ColourValue::White, 0.001f, 0, 1);
    }
    Ogre::ColourValue ambient = Ogre::ColourValue::White;
    Ogre::Vector3 gravity = Ogre::Vector3::ZERO;
    if (const TiXmlElement* settings = root->FirstChildElement("Settings")) {
        if (const char* a = settings->Attribute("ambient"))
            ambient = parse_colour(a);
        if (const char* g = settings->Attribute("gravity"))
            gravity = parse_vector(g);
    }
    scene_manager->setAmbientLight(ambient);
    // Stencil shadows ask the renderer what it can do; a headless scene has none.
    const bool renderer = Ogre::Root::getSingletonPtr() && Ogre::Root::getSingleton().getRenderSystem();
    if (renderer && context->settings.shadows)
        scene_manager->setShadowTechnique(Ogre::SHADOWTYPE_STENCIL_ADDITIVE);
    scene->set_gravity(gravity);
}

Ogre::Light* level::create_light(const TiXmlElement* element)
{
    const char* type_attribute = element->Attribute("type");
    const std::string type = type_attribute ? type_attribute : "point";
    // Level files abbreviate the light colours: specular and diffuse.
    const char* specular = element->Attribute("spec");
    const char* dif = element->Attribute("dif");
    const char* pos = element->Attribute("pos");
    const char* dir = element->Attribute("dir");
    const Ogre::Vector3 position = pos ? parse_vector(pos) : Ogre::Vector3::ZERO;
    const Ogre::Vector3 direction = dir ? parse_vector(dir) : Ogre::Vector3::ZERO;

    Ogre::Light* light = context->scene_manager->createLight(make_unique_name());
    // A light takes its place and its direction from a scene node of its own.
    Ogre::SceneNode* node = context->scene_manager->getRootSceneNode()->createChildSceneNode();
    node->attachObject(light);
    if (type == "point") {
        light->setType(Ogre::Light::LT_POINT);
        node->setPosition(position);
    } else if (type == "dir") {
        light->setType(Ogre::Light::LT_DIRECTIONAL);
        node->setDirection(direction, Ogre::Node::TS_WORLD);
    } else if (type == "spot") {
        float inner = 20.0f, outer = 40.0f, falloff = 1.0f;
        element->QueryFloatAttribute("in_ang", &inner);
        element->QueryFloatAttribute("out_ang", &outer);
        element->QueryFloatAttribute("falloff", &falloff);
        if (!std::isfinite(inner) || !std::isfinite(outer) || !std::isfinite(falloff)) {
            log(": " + light->getName() + ": invalid spotlight angles; using 20, 40 and 1");
            inner = 20.0f, outer = 40.0f, falloff = 1.0f;
        }
        light->setType(Ogre::Light::LT_SPOTLIGHT);
        node->setPosition(position);
        node->setDirection(direction, Ogre::Node::TS_WORLD);
        light->setSpotlightRange(Ogre::Degree(inner), Ogre::Degree(outer), falloff);
    }
    light->setSpecularColour(specular ? parse_colour(specular) : Ogre::ColourValue::White);
    light->setDiffuseColour(dif ? parse_colour(dif) : Ogre::ColourValue::White);
    return register_light(light) ? light : nullptr;
}

bool level::register_light(Ogre::Light* light)
{
    const std::string& name = light->getName();
    if (lights.count(name)) {
        log(": " + name + ": Licht mit dieser ID existiert bereits");
        return false;
    }
    lights[name] = light;
    log(": " + name + ": Licht wurde erstellt!");
    return true;
}

game_object* level::create_object(const TiXmlElement* element)
{
    const char* type = element->Attribute("type");
    if (!type) {
        log(": Ein Objekt ohne Type-Attribut wurde gefunden");
        return nullptr;
    }
    std::unique_ptr<game_object> object = make_object(type, this, element);
    if (!object) {
        log(": " + std::string(type) + " Unbekannter Objekttyp!");
        return nullptr;
    }
    // An object whose id is taken is released at once, so its body leaves
    // the scene instead of standing there unregistered.
    if (!register_object(object.get()))
        return nullptr;
    return object.release();
}

void level::add_ground_and_ball()
{
    auto ground = std::make_unique<obj_ground>(this);
    if (find_object("ground") == ground.get())
        ground.release();
    auto ball = std::make_unique<obj_player>(this);
    player = ball.get();
    // The ball is the level's even when a level object took the id "player".
    if (find_object("player") == ball.get())
        ball.release();
    else
        retired.push_back(std::move(ball));
}

bool level::register_object(game_object* object)
{
    const std::string& id = object->get_id();
    if (objects.count(id)) {
        log(": " + id + ": Objekt mit dieser ID existiert bereits!");
        return false;
    }
    objects[id] = object;
    acting_stale = true;
    log(": " + id + ": Objekt wurde erstellt!");
    return true;
}

game_object* level::find_object(const std::string& id) const
{
    const auto found = objects.find(id);
    return found == objects.end() ? nullptr : found->second;
}

std::string level::make_unique_name()
{
    char name[32];
    std::snprintf(name, sizeof name, "obj_%08u", name_counter++);
    return name;
}

void level::ball_put_back()
{
    for (const auto& entry : objects)
        entry.second->on_ball_put_back();
}

void level::update()
{
    // The measured frame times add up to the time played; the window's frame
    // rate, averaged over the last second, lags behind every change of pace.
    elapsed_time += context->frame_time;
    events.clear();
    if (acting_stale) {
        acting.clear();
        for (const auto& entry : objects)
            if (entry.second->acts_each_frame())
                acting.push_back(entry.second);
        acting_stale = false;
    }
    // By index: an update may register an object, which only marks the list.
    for (size_t i = 0; i < acting.size(); ++i)
        if (!acting[i]->is_removed())
            acting[i]->update();
    retire_removed();
}

void level::object_removed(const game_object* object)
{
    removed_objects.emplace_back(object->get_id(), object);
}

void level::retire_removed()
{
    if (removed_objects.empty())
        return;
    for (const auto& [id, object] : removed_objects) {
        const auto found = objects.find(id);
        if (found == objects.end() || found->second != object)
            continue;
        retired.emplace_back(found->second);
        objects.erase(found);
    }
    removed_objects.clear();
    acting.erase(std::remove_if(acting.begin(), acting.end(), [](game_object* o) { return o->is_removed(); }),
                 acting.end());
}

void level::on_contact(physics_body& first_body, physics_body& second_body, int event)
{
    game_object* second = find_object(second_body.get_name());
    game_object* first = find_object(first_body.get_name());
    if (!first || !second)
        return;
    switch (event) {
    case NOTIFY_ON_START_TOUCH:
        second->on_contact_start(first);
        first->on_contact_start(second);
        break;
    case NOTIFY_ON_TOUCH:
        second->on_contact(first);
        first->on_contact(second);
        break;
    case NOTIFY_ON_END_TOUCH:
        second->on_contact_end(first);
        first->on_contact_end(second);
        break;
    }
}

std::string level::path_of(const std::string& file_name)
{
    return level_files::path_of(file_name);
}

void level::read_level_info(const std::string& file_name, std::string& name, std::string& description)
{
    name.clear();
    description.clear();
    const level_document read = level_document::read_file(path_of(file_name));
    const TiXmlElement* root = read.get_outcome() == level_document::outcome::loaded ? read.get_level() : nullptr;
    if (!root)
        return;
    if (const char* n = root->Attribute("name"))
        name = n;
    if (const TiXmlElement* d = root->FirstChildElement("Description"))
        if (const TiXmlNode* text = d->FirstChild(); text && text->ToText())
            description = text->Value();
}
