#include "physics_types.h"

shape_desc shape_desc::make_sphere(float radius)
{
    shape_desc shape;
    shape.kind = sphere;
    shape.radius = radius;
    return shape;
}

shape_desc shape_desc::make_cube(float x, float y, float z)
{
    shape_desc shape;
    shape.kind = cube;
    shape.size = Ogre::Vector3(x, y, z);
    return shape;
}

shape_desc shape_desc::make_convex(const std::string& mesh, const Ogre::Vector3& scale)
{
    shape_desc shape;
    shape.kind = convex;
    shape.mesh = mesh;
    shape.scale = scale;
    return shape;
}
