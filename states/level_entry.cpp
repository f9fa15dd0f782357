#include "level_entry.h"

#include "app/log.h"
#include "app/utf8_text.h"
#include "level/level.h"

#include <tinyxml.h>

level_entry::level_entry(const TiXmlElement* element)
{
    if (!element) {
        log_line("Level-Objekt kann nicht erstellt werden - Übergebener Typ ungültig");
        return;
    }
    const char* file = element->Attribute("filename");
    if (!file) {
        log_line("Level-Objekt kann nicht erstellt werden - Dateiname fehlt");
        return;
    }
    file_name = file;
    const char* preview = element->Attribute("preview_file");
    preview_file = preview ? preview : default_preview;
    const char* lock = element->Attribute("locked");
    locked = lock && lock[0] == 't';
    read_medals(element);
    level::read_level_info(file_name, name, description);
    short_name = shorten(name);
}

void level_entry::read_medals(const TiXmlElement* element)
{
    const char* gold = element->Attribute("gold");
    const char* silver = element->Attribute("silver");
    const char* bronze = element->Attribute("bronze");
    if (!gold && !silver && !bronze)
        return;
    medal_times read;
    if (medal_times::parse_time(gold, read.gold_ms) && medal_times::parse_time(silver, read.silver_ms) &&
        medal_times::parse_time(bronze, read.bronze_ms) && read.gold_ms < read.silver_ms &&
        read.silver_ms < read.bronze_ms)
        medals = read;
    else
        log_line("Level " + file_name + " has no medals: gold, silver and bronze must be rising times in seconds");
}

std::string level_entry::shorten(const std::string& name)
{
    if (utf8_length(name) <= 16)
        return name;
    const size_t blank = name.find(' ');
    if (blank != std::string::npos) {
        const std::string first_word = name.substr(0, blank);
        const size_t length = utf8_length(first_word);
        if (length >= 5 && length <= 12)
            return first_word + "...";
    }
    return utf8_prefix(name, 10) + "...";
}
