#pragma once

// The media files a level on screen shows (its meshes and the material
// scripts of what they wear), and reading one of them again once it changed
// on disk, so the level built next shows it as saved.

#include <OgreMaterial.h>
#include <OgreMesh.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace Ogre {
class SceneManager;
}

class media_reload {
public:
    // Every mesh and material script the entities of `scene` show.
    void collect(Ogre::SceneManager& scene);
    std::vector<std::filesystem::path> files() const;
    // Reads `file` again when it is one of them.
    void reload(const std::filesystem::path& file);

private:
    struct script {
        std::string name;
        std::string group;
    };
    void add_mesh(const Ogre::MeshPtr& mesh);
    void add_material(const Ogre::MaterialPtr& material);

    std::map<std::string, Ogre::MeshPtr> meshes;
    std::map<std::string, script> scripts;
};
