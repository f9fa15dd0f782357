#pragma once

// The solids the game's meshes are made of, added to a mesh_builder. Every
// solid is closed and convex (the physics layer builds convex hulls from some
// of them), has outward normals and counter-clockwise front faces.

#include <OgreQuaternion.h>
#include <OgreVector.h>

class mesh_builder;

// An axis-aligned box of full edge lengths size around centre, one flat
// normal per face. texture_span is the world length one texture repeat
// covers; zero stretches the whole texture over each face. Side faces keep
// the image upright (+y is the image's top). A positive max_cell splits each
// face into cells no longer than that: fixed-function fog and lighting are
// worked out per vertex, so a huge face would take its corners' values.
void add_box(mesh_builder& mesh, const Ogre::Vector3& size, const Ogre::Vector3& centre,
             float texture_span, float max_cell = 0);

// A smooth sphere around the origin; u wraps once around the equator, v runs
// from the north pole (0) to the south pole (1).
void add_sphere(mesh_builder& mesh, float radius, int segments, int rings);

// A prism of the given number of sides (a cylinder when smooth) around
// centre with its axis along +y before orientation turns it. Corners start at
// angle 0, so with a side count divisible by four the outline spans exactly
// 2 * radius on both axes. Caps map the texture's full square onto the
// circle; the side wraps it side_repeats times.
void add_prism(mesh_builder& mesh, float radius, float height, int sides, bool smooth,
               const Ogre::Quaternion& orientation, float side_repeats,
               const Ogre::Vector3& centre = Ogre::Vector3::ZERO);
