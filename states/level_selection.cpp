#include "level_selection.h"

#include "addon_campaigns.h"
#include "app/log.h"
#include "level/level_files.h"
#include "online/online_service.h"

#include <MyGUI.h>
#include <OgreMaterialManager.h>
#include <OgrePass.h>
#include <OgreResourceGroupManager.h>
#include <OgreTechnique.h>
#include <OgreTextureManager.h>
#include <OgreTextureUnitState.h>

#include <algorithm>

namespace {

const std::string group = Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME;

}

level_selection::level_selection()
{
    preview_material = Ogre::MaterialManager::getSingleton().create("level_preview", group);
    Ogre::Pass* pass = preview_material->getTechnique(0)->getPass(0);
    pass->setLightingEnabled(false);
    pass->setSceneBlending(Ogre::SBT_TRANSPARENT_ALPHA);
    pass->setDepthCheckEnabled(false);
    pass->createTextureUnitState();
}

level_selection::~level_selection()
{
    preview_material.reset();
    Ogre::MaterialManager::getSingleton().remove("level_preview", group);
}

void level_selection::show(MyGUI::Gui& gui, const std::string& progress_folder, const campaign_object* in_play,
                           const std::string& campaign_name, const std::string& level_file,
                           std::function<void()> accepted)
{
    this->gui = &gui;
    this->accepted = std::move(accepted);
    // A description is a paragraph: it wraps at the box's edge, whatever the window's width.
    if (auto* description = gui.findWidget<MyGUI::TextBox>("level_description", false))
        description->getSubWidgetText()->setWordWrap(true);
    this->progress_folder = progress_folder;
    records = std::make_unique<selection_records>(progress_folder);
    marks = std::make_unique<difficulty_marks>(gui);
    campaigns.clear();
    selected_campaign = nullptr;
    selected_level = nullptr;

    // Keep the campaign handed to a level (it plays on with it); every
    // other earlier reading can go.
    std::vector<std::unique_ptr<campaign_object>> kept;
    for (auto& campaign : campaign_pool)
        if (campaign.get() == in_play)
            kept.push_back(std::move(campaign));
    campaign_pool = std::move(kept);

    auto listed = campaign_object::read_campaigns("media/levels/campaigns.cmp");
    // The log says what is wrong with the index; the player learns that it
    // is why the game's own campaigns are missing.
    if (listed.empty())
        if (MyGUI::Widget* problem = gui.findWidgetT("campaign_index_problem", false))
            problem->setVisible(true);
    for (auto& addon : addon_campaigns::read(level_files::addon_folder()))
        listed.push_back(std::move(addon));
    for (auto& campaign : listed) {
        campaigns.push_back(campaign.get());
        campaign_pool.push_back(std::move(campaign));
    }
    if (campaigns.empty())
        return;

    if (auto* levels = gui.findWidget<MyGUI::ListBox>("level_list", false)) {
        levels->eventListChangePosition += MyGUI::newDelegate(this, &level_selection::on_level_selected);
        levels->eventListSelectAccept += MyGUI::newDelegate(this, &level_selection::on_level_accepted);
    }
    if (auto* list = gui.findWidget<MyGUI::ListBox>("campaign_list", false)) {
        for (campaign_object* campaign : campaigns)
            list->addItem(MyGUI::UString(campaign->get_name()));
        list->eventListChangePosition += MyGUI::newDelegate(this, &level_selection::on_campaign_selected);
        list->setIndexSelected(0);
    }
    selected_campaign = campaigns.front();
    list_levels();
    choose(campaign_name, level_file);
}

void level_selection::choose(const std::string& campaign_name, const std::string& level_file)
{
    const auto campaign = std::find_if(campaigns.begin(), campaigns.end(),
                                       [&](const campaign_object* c) { return c->get_name() == campaign_name; });
    if (campaign == campaigns.end())
        return;
    if (auto* list = gui->findWidget<MyGUI::ListBox>("campaign_list", false))
        list->setIndexSelected(size_t(campaign - campaigns.begin()));
    on_campaign_selected(nullptr, size_t(campaign - campaigns.begin()));
    const std::vector<level_entry*> levels = selected_campaign->get_levels();
    const auto entry = std::find_if(levels.begin(), levels.end(),
                                    [&](const level_entry* e) { return e->get_file_name() == level_file; });
    if (entry == levels.end())
        return;
    if (auto* list = gui->findWidget<MyGUI::ListBox>("level_list", false))
        list->setIndexSelected(size_t(entry - levels.begin()));
    on_level_selected(nullptr, size_t(entry - levels.begin()));
}

void level_selection::list_levels()
{
    records->show_challenge(*gui, selected_campaign->get_name());
    auto* list = gui->findWidget<MyGUI::ListBox>("level_list", false);
    const std::vector<level_entry*> levels = selected_campaign->get_levels();
    if (list) {
        list->removeAllItems();
        for (level_entry* entry : levels)
            list->addItem(MyGUI::UString(records->list_line(entry->get_file_name(), entry->get_short_name())));
        if (!levels.empty())
            list->setIndexSelected(0);
    }
    selected_level = levels.empty() ? nullptr : levels.front();
    show_level_details();
}

void level_selection::show_level_details()
{
    if (!selected_level)
        return;
    if (auto* name = gui->findWidget<MyGUI::TextBox>("level_name", false))
        name->setCaption(MyGUI::UString(selected_level->get_name()));
    records->show(*gui, selected_level->get_file_name(), selected_level->get_medals(), race_gold);
    marks->show(selected_level->get_file_name());
    board.show(*gui, online, selected_level->get_file_name(), race_world);
    share_level.show(*gui, online && online->active() ? sharing : nullptr, selected_level->get_file_name(),
                     progress_folder);
    if (auto* description = gui->findWidget<MyGUI::TextBox>("level_description", false))
        description->setCaption(MyGUI::UString(selected_level->get_description()));
    const std::string picture = loadable_preview(selected_level->get_preview_file());
    preview_material->getTechnique(0)->getPass(0)->getTextureUnitState(0)->setTextureName(picture,
                                                                                          Ogre::TEX_TYPE_2D);
    // MyGUI images show textures: the picture itself goes to the widget.
    if (auto* preview = gui->findWidget<MyGUI::ImageBox>("level_preview", false))
        preview->setImageTexture(picture);
}

void level_selection::toggle_ghost()
{
    // Your best, the gold run, the world record when it has come, and round again;
    // without a best of one's own the gold run stands for it.
    const bool own = selected_level && records->has_best_run(selected_level->get_file_name());
    if (race_world) {
        race_world = false;
        race_gold = false;
    } else if (race_gold || !own) {
        race_gold = false;
        race_world = board.has_world_record();
    } else {
        race_gold = true;
    }
    show_level_details();
}

std::string level_selection::loadable_preview(const std::string& file)
{
    // The index names any file; one that is missing or no image would end the
    // game at the next frame, when the renderer first needs it.
    try {
        Ogre::TextureManager::getSingleton().load(file, Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME);
        return file;
    } catch (const Ogre::Exception&) {
        log_line(file + ": the preview picture is missing or is no picture; the default picture is shown");
        return level_entry::default_preview;
    }
}

void level_selection::on_campaign_selected(MyGUI::ListBox*, size_t index)
{
    if (index >= campaigns.size())
        return;
    selected_campaign = campaigns[index];
    list_levels();
}

void level_selection::on_level_selected(MyGUI::ListBox*, size_t index)
{
    if (!selected_campaign)
        return;
    const std::vector<level_entry*> levels = selected_campaign->get_levels();
    if (index >= levels.size())
        return;
    selected_level = levels[index];
    show_level_details();
}

void level_selection::on_level_accepted(MyGUI::ListBox*, size_t)
{
    if (accepted)
        accepted();
}

campaign_object* level_selection::campaign_listing(const std::string& file)
{
    for (auto& campaign : campaign_object::read_campaigns("media/levels/campaigns.cmp"))
        if (campaign->lists(file)) {
            campaign_pool.push_back(std::move(campaign));
            return campaign_pool.back().get();
        }
    return nullptr;
}
