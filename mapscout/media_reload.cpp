#include "media_reload.h"

#include <OgreArchive.h>
#include <OgreEntity.h>
#include <OgreMaterialManager.h>
#include <OgreResourceGroupManager.h>
#include <OgreSceneManager.h>
#include <OgreScriptCompiler.h>
#include <OgreSubEntity.h>

#include <set>

namespace {

// Where `name` of `group` lies on disk; empty for what was made in code.
std::string file_of(const std::string& group, const std::string& name)
{
    if (name.empty())
        return "";
    Ogre::FileInfoListPtr found = Ogre::ResourceGroupManager::getSingleton().findResourceFileInfo(group, name);
    if (found->empty() || !found->front().archive || found->front().archive->getType() != "FileSystem")
        return "";
    return found->front().archive->getName() + "/" + found->front().filename;
}

}

void media_reload::collect(Ogre::SceneManager& scene)
{
    meshes.clear();
    scripts.clear();
    // Thousands of entities share a few meshes and materials: each is looked up once.
    std::set<const Ogre::Resource*> seen;
    for (const auto& named : scene.getMovableObjects("Entity")) {
        auto* entity = static_cast<Ogre::Entity*>(named.second);
        if (seen.insert(entity->getMesh().get()).second)
            add_mesh(entity->getMesh());
        for (unsigned int i = 0; i < entity->getNumSubEntities(); ++i)
            if (seen.insert(entity->getSubEntity(i)->getMaterial().get()).second)
                add_material(entity->getSubEntity(i)->getMaterial());
    }
}

void media_reload::add_mesh(const Ogre::MeshPtr& mesh)
{
    const std::string file = file_of(mesh->getGroup(), mesh->getName());
    if (!file.empty())
        meshes.emplace(file, mesh);
}

void media_reload::add_material(const Ogre::MaterialPtr& material)
{
    if (!material)
        return;
    const std::string file = file_of(material->getGroup(), material->getOrigin());
    if (!file.empty())
        scripts.emplace(file, script{material->getOrigin(), material->getGroup()});
}

std::vector<std::filesystem::path> media_reload::files() const
{
    std::vector<std::filesystem::path> out;
    for (const auto& mesh : meshes)
        out.push_back(mesh.first);
    for (const auto& s : scripts)
        out.push_back(s.first);
    return out;
}

void media_reload::reload(const std::filesystem::path& file)
{
    if (const auto mesh = meshes.find(file.string()); mesh != meshes.end())
        mesh->second->reload();
    const auto found = scripts.find(file.string());
    if (found == scripts.end())
        return;
    // A script defines its materials anew only once the old ones are gone;
    // the level on screen keeps its own until it is built again.
    Ogre::MaterialManager& materials = Ogre::MaterialManager::getSingleton();
    std::vector<std::string> defined;
    for (auto all = materials.getResourceIterator(); all.hasMoreElements();) {
        const Ogre::ResourcePtr material = all.getNext();
        if (material->getOrigin() == found->second.name && material->getGroup() == found->second.group)
            defined.push_back(material->getName());
    }
    for (const std::string& name : defined)
        materials.remove(name, found->second.group);
    Ogre::DataStreamPtr stream =
        Ogre::ResourceGroupManager::getSingleton().openResource(found->second.name, found->second.group);
    Ogre::ScriptCompilerManager::getSingleton().parseScript(stream, found->second.group);
}
