#include "level_checker.h"

#include "check_report.h"
#include "element_checks.h"
#include "level/level_document.h"
#include "media_folders.h"
#include "object_list_checker.h"

#include <tinyxml.h>

level_checker::level_checker(check_report& report, const media_folders& media) : report(report), media(media) {}

void level_checker::check(const std::string& path)
{
    check_document(path, level_document::read_file(path));
}

void level_checker::check_text(const std::string& file, const std::string& text)
{
    check_document(file, level_document::read_text(text));
}

void level_checker::check_document(const std::string& path, const level_document& read)
{
    element_checks checks(report, path);
    const std::string consequence = "the game cannot load this level";
    switch (read.get_outcome()) {
    case level_document::outcome::missing:
        checks.not_loaded(read.problem(), consequence, "; check the path");
        return;
    case level_document::outcome::broken:
        checks.not_loaded(read.problem(), consequence, "; fix the XML here or just before");
        return;
    case level_document::outcome::no_level:
        checks.no_root(read.problem().line, "Level", consequence);
        return;
    case level_document::outcome::refused:
        for (const level_refusal& refusal : read.get_refusals())
            report.error(path, refusal.line, refusal.reason + ", so the game refuses the level");
        break;
    case level_document::outcome::loaded:
        break;
    }
    // A level refused for its limits is checked on, so that its author sees everything at once.
    if (read.get_level())
        check_level(checks, read.get_level());
}

void level_checker::check_level(element_checks& checks, const TiXmlElement* level)
{
    checks.unused_attributes(level, {"name", "music"}, "<Level>");
    checks.unused_children(level, {"Description", "Fog", "Settings", "Lights", "Objects"});
    for (const char* section : {"Description", "Fog", "Settings", "Lights", "Objects"}) {
        const TiXmlElement* first = level->FirstChildElement(section);
        if (const TiXmlElement* again = first ? first->NextSiblingElement(section) : nullptr)
            checks.warning(again, nullptr,
                           std::string("only the first <") + section + "> (line " + std::to_string(first->Row()) +
                               ") is read; merge this one into it");
    }
    if (!level->Attribute("name"))
        checks.warning(level, nullptr,
                       "the level has no name, so the level selection shows none; add name=\"...\" to <Level>");
    if (!level->FirstChildElement("Description"))
        checks.warning(level, nullptr,
                       "the level has no <Description>, so the level selection shows none; add "
                       "<Description>...</Description> inside <Level>");
    checks.media_file(level, "music", media, media_folders::kind::music);
    if (const TiXmlElement* fog = level->FirstChildElement("Fog")) {
        checks.unused_attributes(fog, {"start", "end", "colour"}, "<Fog>");
        checks.real(fog, "start");
        checks.real(fog, "end");
        checks.colour(fog, "colour");
    }
    check_settings(checks, level);
    check_lights(checks, level);
    object_list_checker(checks, media).check(level);
}

void level_checker::check_settings(element_checks& checks, const TiXmlElement* level)
{
    const TiXmlElement* settings = level->FirstChildElement("Settings");
    if (settings) {
        checks.unused_attributes(settings, {"ambient", "gravity"}, "<Settings>");
        checks.colour(settings, "ambient");
        checks.vector(settings, "gravity");
    }
    if (!settings || !settings->Attribute("gravity"))
        checks.warning(settings ? settings : level, nullptr,
                       "the level has no gravity, so nothing falls; add <Settings gravity=\"0 -100 0\"/>");
}

void level_checker::check_lights(element_checks& checks, const TiXmlElement* level)
{
    const TiXmlElement* list = level->FirstChildElement("Lights");
    if (!list)
        return;
    checks.unused_children(list, {"Light"});
    checks.unused_attributes(list, {}, "<Lights>");
    for (const TiXmlElement* light = list->FirstChildElement("Light"); light;
         light = light->NextSiblingElement("Light")) {
        checks.unused_attributes(light, {"type", "pos", "dir", "spec", "dif", "in_ang", "out_ang", "falloff"},
                                 "a <Light>");
        const char* type = light->Attribute("type");
        if (type && std::string(type) != "point" && std::string(type) != "dir" && std::string(type) != "spot")
            checks.warning(light, "type",
                           std::string("unknown light type \"") + type +
                               "\", so the light has neither position nor direction; use point, dir or spot");
        checks.position(light, "pos");
        checks.vector(light, "dir");
        checks.colour(light, "spec");
        checks.colour(light, "dif");
        checks.real(light, "in_ang");
        checks.real(light, "out_ang");
        checks.real(light, "falloff");
    }
}
