#include "campaign_object.h"

#include "app/load_xml.h"
#include "app/log.h"

#include <tinyxml.h>

#include <algorithm>
#include <filesystem>

campaign_object::campaign_object(const TiXmlElement* element)
{
    parse(element);
}

void campaign_object::parse(const TiXmlElement* element)
{
    const char* given = element ? element->Attribute("name") : nullptr;
    name = given ? given : "unnamed campaign";
    const char* look = element ? element->Attribute("ground") : nullptr;
    if (look && course_look::is_known(look))
        ground = look;
    else if (look)
        log_line("campaigns.cmp: campaign \"" + name + "\" names an unknown ground \"" + look +
                 "\"; its levels wear the meadow");
    const TiXmlElement* list = element ? element->FirstChildElement("Levels") : nullptr;
    if (!list)
        return;
    for (const TiXmlElement* e = list->FirstChildElement("Level"); e; e = e->NextSiblingElement("Level"))
        levels.push_back(std::make_unique<level_entry>(e));
}

std::vector<level_entry*> campaign_object::get_levels() const
{
    std::vector<level_entry*> result;
    for (const auto& entry : levels)
        result.push_back(entry.get());
    return result;
}

const level_entry* campaign_object::find(const std::string& file) const
{
    for (const auto& entry : levels)
        if (entry->get_file_name() == file)
            return entry.get();
    return nullptr;
}

const level_entry* campaign_object::next_entry(const std::string& current_file) const
{
    for (size_t i = 0; i < levels.size(); ++i)
        if (levels[i]->get_file_name() == current_file)
            return i + 1 < levels.size() ? levels[i + 1].get() : nullptr;
    return nullptr;
}

std::string campaign_object::next_level_file(const std::string& current_file, const campaign_object* campaign)
{
    const level_entry* next = campaign ? campaign->next_entry(current_file) : nullptr;
    return next ? next->get_file_name() : "";
}

std::string campaign_object::next_level_name(const std::string& current_file, const campaign_object* campaign)
{
    const level_entry* next = campaign ? campaign->next_entry(current_file) : nullptr;
    if (!next)
        return "";
    return next->get_name().empty() ? next->get_file_name() : next->get_name();
}

std::string campaign_object::level_name(const std::string& file, const campaign_object* campaign)
{
    const level_entry* entry = campaign ? campaign->find(file) : nullptr;
    return entry && !entry->get_name().empty() ? entry->get_name() : file;
}

std::vector<std::string> campaign_object::level_files() const
{
    std::vector<std::string> files;
    for (const auto& entry : levels)
        files.push_back(entry->get_file_name());
    return files;
}

medal_times campaign_object::medals_of(const std::string& file, const campaign_object* campaign)
{
    const level_entry* entry = campaign ? campaign->find(file) : nullptr;
    return entry ? entry->get_medals() : medal_times{};
}

std::string campaign_object::ground_of(const std::string& file, const std::string& index_file)
{
    if (!std::filesystem::exists(index_file))
        return course_look::meadow;
    for (const auto& campaign : read_campaigns(index_file))
        if (campaign->lists(file))
            return campaign->get_ground();
    return course_look::meadow;
}

std::vector<std::unique_ptr<campaign_object>> campaign_object::read_campaigns(const std::string& index_file)
{
    std::vector<std::unique_ptr<campaign_object>> campaigns;
    TiXmlDocument document;
    const xml_result read = load_xml(index_file, document);
    if (read != xml_result::loaded) {
        const std::string refused = refusal_text(read);
        log_line(refused.empty() ? "campaigns.cmp: kann im Ordner media/campaigns/ nicht gefunden werden."
                                 : "campaigns.cmp: " + refused);
        return campaigns;
    }
    const TiXmlElement* root = document.FirstChildElement("Campaigns");
    if (!root) {
        log_line("campaigns.cmp: Kein Campaigns-Tag vorhanden");
        return campaigns;
    }
    const TiXmlElement* first = root->FirstChildElement("Campaign");
    if (!first) {
        log_line("campaigns.cmp: Kein Campaign-Tag vorhanden");
        return campaigns;
    }
    for (const TiXmlElement* e = first; e; e = e->NextSiblingElement("Campaign"))
        campaigns.push_back(std::make_unique<campaign_object>(e));
    return campaigns;
}
