#include "mesh_points.h"

#include <OgreHardwareBuffer.h>
#include <OgreMesh.h>
#include <OgreMeshManager.h>
#include <OgreResourceGroupManager.h>
#include <OgreSubMesh.h>

#include <algorithm>
#include <tuple>

namespace {

void append_positions(const Ogre::VertexData* data, std::vector<Ogre::Vector3>& out)
{
    if (!data)
        return;
    const Ogre::VertexElement* element = data->vertexDeclaration->findElementBySemantic(Ogre::VES_POSITION);
    if (!element || element->getType() != Ogre::VET_FLOAT3)
        return;
    const Ogre::HardwareVertexBufferSharedPtr buffer = data->vertexBufferBinding->getBuffer(element->getSource());
    const auto* base = static_cast<const unsigned char*>(buffer->lock(Ogre::HardwareBuffer::HBL_READ_ONLY));
    for (size_t i = 0; i < data->vertexCount; ++i) {
        float* p = nullptr;
        element->baseVertexPointerToElement(const_cast<unsigned char*>(base + (data->vertexStart + i) * buffer->getVertexSize()), &p);
        out.emplace_back(p[0], p[1], p[2]);
    }
    buffer->unlock();
}

}

std::vector<Ogre::Vector3> mesh_points(const std::string& name)
{
    std::vector<Ogre::Vector3> points;
    if (!Ogre::MeshManager::getSingletonPtr())
        return points;
    try {
        const Ogre::MeshPtr mesh = Ogre::MeshManager::getSingleton().load(
            name, Ogre::ResourceGroupManager::AUTODETECT_RESOURCE_GROUP_NAME);
        append_positions(mesh->sharedVertexData, points);
        for (const Ogre::SubMesh* sub : mesh->getSubMeshes())
            if (!sub->useSharedVertices)
                append_positions(sub->vertexData, points);
    } catch (const Ogre::Exception&) {
        points.clear();
        return points;
    }
    const auto less = [](const Ogre::Vector3& a, const Ogre::Vector3& b) {
        return std::tie(a.x, a.y, a.z) < std::tie(b.x, b.y, b.z);
    };
    std::sort(points.begin(), points.end(), less);
    points.erase(std::unique(points.begin(), points.end()), points.end());
    return points;
}
