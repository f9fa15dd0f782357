#include "mesh_builder.h"

#include <OgreHardwareBufferManager.h>
#include <OgreMaterialManager.h>
#include <OgreMeshManager.h>
#include <OgreMeshSerializer.h>
#include <OgreSubMesh.h>

#include <algorithm>
#include <limits>
#include <stdexcept>

std::uint16_t mesh_builder::vertex(const Ogre::Vector3& position, const Ogre::Vector3& normal,
                                   const Ogre::Vector2& uv)
{
    std::vector<vertex_data>& vertices = parts.back().vertices;
    if (vertices.size() > std::numeric_limits<std::uint16_t>::max())
        throw std::length_error("mesh_builder: more vertices than 16-bit indices reach");
    vertices.push_back({position, normal.normalisedCopy(), uv});
    return std::uint16_t(vertices.size() - 1);
}

void mesh_builder::triangle(std::uint16_t a, std::uint16_t b, std::uint16_t c)
{
    parts.back().indices.insert(parts.back().indices.end(), {a, b, c});
}

void mesh_builder::quad(std::uint16_t a, std::uint16_t b, std::uint16_t c, std::uint16_t d)
{
    triangle(a, b, c);
    triangle(a, c, d);
}

void mesh_builder::next_part(const std::string& material)
{
    parts.push_back({material, {}, {}});
}

Ogre::MeshPtr mesh_builder::build(const std::string& name, const std::string& material) const
{
    Ogre::MeshPtr mesh = Ogre::MeshManager::getSingleton().createManual(
        name, Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME);
    Ogre::AxisAlignedBox box;
    float radius = 0;
    for (const part& p : parts) {
        add_submesh(*mesh, p, &p == &parts.front() ? material : p.material);
        for (const vertex_data& v : p.vertices) {
            box.merge(v.position);
            radius = std::max(radius, v.position.length());
        }
    }
    // Exact bounds: the physics shapes are sized from the same numbers.
    mesh->_setBounds(box, false);
    mesh->_setBoundingSphereRadius(radius);
    mesh->load();
    return mesh;
}

void mesh_builder::add_submesh(Ogre::Mesh& mesh, const part& data, const std::string& material) const
{
    Ogre::SubMesh* sub = mesh.createSubMesh();
    // A submesh keeps only a material that exists, and the tool parses no
    // scripts: a bare stand-in carries the name into the file.
    auto& materials = Ogre::MaterialManager::getSingleton();
    if (!materials.resourceExists(material))
        materials.create(material, Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME);
    sub->setMaterialName(material);
    sub->useSharedVertices = false;
    sub->vertexData = new Ogre::VertexData();
    sub->vertexData->vertexCount = data.vertices.size();

    Ogre::VertexDeclaration* decl = sub->vertexData->vertexDeclaration;
    std::size_t offset = 0;
    offset += decl->addElement(0, offset, Ogre::VET_FLOAT3, Ogre::VES_POSITION).getSize();
    offset += decl->addElement(0, offset, Ogre::VET_FLOAT3, Ogre::VES_NORMAL).getSize();
    decl->addElement(0, offset, Ogre::VET_FLOAT2, Ogre::VES_TEXTURE_COORDINATES, 0);

    auto& buffers = Ogre::HardwareBufferManager::getSingleton();
    Ogre::HardwareVertexBufferSharedPtr vbuf = buffers.createVertexBuffer(
        decl->getVertexSize(0), data.vertices.size(), Ogre::HardwareBuffer::HBU_STATIC_WRITE_ONLY);
    std::vector<float> packed;
    packed.reserve(data.vertices.size() * 8);
    for (const vertex_data& v : data.vertices)
        packed.insert(packed.end(), {v.position.x, v.position.y, v.position.z, v.normal.x,
                                     v.normal.y, v.normal.z, v.uv.x, v.uv.y});
    vbuf->writeData(0, vbuf->getSizeInBytes(), packed.data(), true);
    sub->vertexData->vertexBufferBinding->setBinding(0, vbuf);

    Ogre::HardwareIndexBufferSharedPtr ibuf = buffers.createIndexBuffer(
        Ogre::HardwareIndexBuffer::IT_16BIT, data.indices.size(),
        Ogre::HardwareBuffer::HBU_STATIC_WRITE_ONLY);
    ibuf->writeData(0, ibuf->getSizeInBytes(), data.indices.data(), true);
    sub->indexData->indexBuffer = ibuf;
    sub->indexData->indexCount = data.indices.size();
    sub->indexData->indexStart = 0;
}

void mesh_builder::write(const std::string& folder, const std::string& name,
                         const std::string& material) const
{
    std::vector<std::string> stand_ins;
    auto& materials = Ogre::MaterialManager::getSingleton();
    for (const part& p : parts) {
        const std::string& wanted = &p == &parts.front() ? material : p.material;
        if (!materials.resourceExists(wanted))
            stand_ins.push_back(wanted);
    }
    Ogre::MeshPtr mesh = build(name, material);
    Ogre::MeshSerializer().exportMesh(mesh.get(), folder + "/" + name);
    Ogre::MeshManager::getSingleton().remove(mesh);
    for (const std::string& stand_in : stand_ins)
        if (materials.resourceExists(stand_in))
            materials.remove(stand_in, Ogre::ResourceGroupManager::DEFAULT_RESOURCE_GROUP_NAME);
}
