#pragma once

// The vocabulary shared by the physics layer and the level objects: flag
// values (those of the physics engine the game was first tuned on), shape
// descriptions, actor parameters and materials.

#include <OgreQuaternion.h>
#include <OgreVector.h>

#include <string>

// Body flags.
constexpr int BF_DISABLE_GRAVITY = 1;
constexpr int BF_FROZEN_POS_X = 2;
constexpr int BF_FROZEN_POS_Y = 4;
constexpr int BF_FROZEN_POS_Z = 8;
constexpr int BF_FROZEN_ROT_X = 16;
constexpr int BF_FROZEN_ROT_Y = 32;
constexpr int BF_FROZEN_ROT_Z = 64;
constexpr int BF_FROZEN_ROT = 112;
constexpr int BF_FROZEN = 126;

// Actor flags; only this one has an effect, others are accepted and kept.
constexpr int AF_DISABLE_COLLISION = 1;

// Contact-pair flags: what a registered pair reports.
constexpr int NOTIFY_ON_START_TOUCH = 2;
constexpr int NOTIFY_ON_END_TOUCH = 4;
constexpr int NOTIFY_ON_TOUCH = 8;

struct shape_desc {
    enum kind_type { sphere, cube, convex };

    kind_type kind = sphere;
    float radius = 1.0f;
    // Full edge lengths of a cube, centred on the pose.
    Ogre::Vector3 size = Ogre::Vector3::UNIT_SCALE;
    // The OGRE mesh a convex hull is built from, and its scale along each axis.
    std::string mesh;
    Ogre::Vector3 scale = Ogre::Vector3::UNIT_SCALE;
    // Material name; empty means the scene's default material.
    std::string material;
    Ogre::Vector3 offset = Ogre::Vector3::ZERO;

    static shape_desc make_sphere(float radius);
    static shape_desc make_cube(float x, float y, float z);
    static shape_desc make_convex(const std::string& mesh,
                                  const Ogre::Vector3& scale = Ogre::Vector3::UNIT_SCALE);
};

// A body is dynamic when its mass or density is non-zero, whatever `is_static`
// says; a non-zero mass wins over density × volume.
struct actor_params {
    bool is_static = false;
    float mass = 0.0f;
    float density = 0.0f;
    float linear_damping = 0.0f;
    float angular_damping = 0.05f;
    bool gravity_disabled = false;
};

struct physics_material {
    float restitution = 0.0f;
    float static_friction = 0.5f;
    float dynamic_friction = 0.5f;
    // Resistance to a ball spinning on the surface; 0 lets balls roll freely.
    float rolling_friction = 0.0f;
};

struct pose {
    Ogre::Vector3 position = Ogre::Vector3::ZERO;
    Ogre::Quaternion orientation = Ogre::Quaternion::IDENTITY;
};
