#include "campaign_object.h"

#include "app/load_xml.h"
#include "app/log.h"

#include <tinyxml.h>

#include <algorithm>

campaign_object::campaign_object(const TiXmlElement* element)
{
    parse(element);
}

void campaign_object::parse(const TiXmlElement* element)
{
    const char* given = element ? element->Attribute("name") : nullptr;
    name = given ? given : "unnamed campaign";
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

bool campaign_object::lists(const std::string& file) const
{
    return std::any_of(levels.begin(), levels.end(), [&](const auto& entry) { return entry->get_file_name() == file; });
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

medal_times campaign_object::medals_of(const std::string& file, const campaign_object* campaign)
{
    for (const level_entry* entry : campaign ? campaign->get_levels() : std::vector<level_entry*>())
        if (entry->get_file_name() == file)
            return entry->get_medals();
    return {};
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
