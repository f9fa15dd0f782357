#include "scout_reload.h"

#include "app/game_context.h"
#include "app/log.h"
#include "level_problems.h"

#include <OgreException.h>
#include <OgreSceneManager.h>

scout_reload::scout_reload(game_context& context, std::string path, MyGUI::Gui* gui)
    : context(context), path(std::move(path)), panel(context, gui)
{
}

void scout_reload::loaded()
{
    const std::vector<std::string> problems = level_problems::check(path);
    for (const std::string& line : problems)
        log_line(line);
    panel.show(problems);

    media.collect(*context.scene_manager);
    std::vector<std::filesystem::path> files = media.files();
    files.push_back(path);
    watch.watch(std::move(files));
}

bool scout_reload::update(float dt)
{
    const std::vector<std::filesystem::path> changed = watch.changed(dt);
    if (changed.empty() || !buildable())
        return false;
    // The level built next takes its shapes and looks from the media as they are now.
    for (const auto& file : changed) {
        try {
            media.reload(file);
        } catch (const Ogre::Exception& e) {
            return keep_level(file.string() + ": cannot be read again: " + e.getDescription(), {});
        }
    }
    return true;
}

bool scout_reload::buildable()
{
    const std::string why = level_problems::unbuildable(path);
    return why.empty() || keep_level(why, level_problems::check(path));
}

bool scout_reload::keep_level(const std::string& why, const std::vector<std::string>& problems)
{
    log_line(why + "; the level on screen stays as it was");
    panel.show(problems.empty() ? std::vector<std::string>{why} : problems);
    return false;
}
