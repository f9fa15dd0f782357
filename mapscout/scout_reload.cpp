#include "scout_reload.h"

#include "app/game_context.h"
#include "app/log.h"
#include "level_problems.h"

#include <OgreArchive.h>
#include <OgreEntity.h>
#include <OgreResourceGroupManager.h>
#include <OgreSceneManager.h>

#include <set>

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

    meshes.clear();
    std::vector<std::filesystem::path> files = {path};
    std::set<Ogre::Mesh*> seen;
    auto entities = context.scene_manager->getMovableObjectIterator("Entity");
    while (entities.hasMoreElements()) {
        const Ogre::MeshPtr& mesh = static_cast<Ogre::Entity*>(entities.getNext())->getMesh();
        if (!seen.insert(mesh.get()).second)
            continue;
        Ogre::FileInfoListPtr found = Ogre::ResourceGroupManager::getSingleton().findResourceFileInfo(
            mesh->getGroup(), mesh->getName());
        if (found->empty() || !found->front().archive)
            continue;
        const std::string file = found->front().archive->getName() + "/" + found->front().filename;
        if (meshes.emplace(file, mesh).second)
            files.push_back(file);
    }
    watch.watch(std::move(files));
}

bool scout_reload::update(float dt)
{
    const std::vector<std::filesystem::path> changed = watch.changed(dt);
    if (changed.empty() || !buildable())
        return false;
    // The level built next takes its shapes from the meshes as they are now.
    for (const auto& file : changed) {
        const auto mesh = meshes.find(file.string());
        if (mesh != meshes.end())
            mesh->second->reload();
    }
    return true;
}

bool scout_reload::asked()
{
    return buildable();
}

bool scout_reload::buildable()
{
    const std::string why = level_problems::unbuildable(path);
    if (why.empty())
        return true;
    log_line(why + "; the level on screen stays as it was");
    const std::vector<std::string> problems = level_problems::check(path);
    panel.show(problems.empty() ? std::vector<std::string>{why} : problems);
    return false;
}
