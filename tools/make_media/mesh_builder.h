#pragma once

// Collects the vertices (position, normal, texture coordinate) and triangles
// of one mesh and turns them into an OGRE mesh with 16-bit indices: one
// submesh, or one per part when next_part() starts parts of other materials.
// Triangles are counter-clockwise seen from their front. A headless_ogre (or
// a full root) must exist while build() or write() runs.

#include <OgreMesh.h>
#include <OgreVector.h>

#include <cstdint>
#include <string>
#include <vector>

class mesh_builder {
public:
    // Adds a vertex to the current part and returns its index there; throws
    // past 65536 vertices in one part.
    std::uint16_t vertex(const Ogre::Vector3& position, const Ogre::Vector3& normal,
                         const Ogre::Vector2& uv);
    void triangle(std::uint16_t a, std::uint16_t b, std::uint16_t c);
    // Two triangles over a counter-clockwise corner loop.
    void quad(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d);

    // Vertices in the current part, the index the next one gets.
    std::size_t vertex_count() const { return parts.back().vertices.size(); }

    // What is added from now on goes into a submesh of its own, drawn with
    // material. The first part takes the material build() is given.
    void next_part(const std::string& material);

    // A manual mesh registered in the MeshManager under name; the caller
    // removes it from the manager when done. When no material of a part's
    // name exists yet, a bare one is created so the name is kept.
    Ogre::MeshPtr build(const std::string& name, const std::string& material) const;
    // Builds, writes folder/name and removes the mesh (and any bare materials
    // build made) from the managers again.
    void write(const std::string& folder, const std::string& name,
               const std::string& material) const;

private:
    struct vertex_data {
        Ogre::Vector3 position;
        Ogre::Vector3 normal;
        Ogre::Vector2 uv;
    };
    struct part {
        std::string material;
        std::vector<vertex_data> vertices;
        std::vector<std::uint16_t> indices;
    };

    void add_submesh(Ogre::Mesh& mesh, const part& data, const std::string& material) const;

    std::vector<part> parts{1};
};
