#include "mesh_shapes.h"

#include "mesh_builder.h"

#include <OgreMath.h>

#include <algorithm>
#include <cmath>

namespace {

void add_face(mesh_builder& mesh, const Ogre::Vector3& centre, const Ogre::Vector3& normal,
              const Ogre::Vector3& half_u, const Ogre::Vector3& half_v, float texture_span,
              float max_cell)
{
    // half_u x half_v points along normal, so corners taken in (u, v) order
    // are counter-clockwise from outside.
    const float span_u = texture_span > 0 ? 2 * half_u.length() / texture_span : 1.0f;
    const float span_v = texture_span > 0 ? 2 * half_v.length() / texture_span : 1.0f;
    auto cells = [max_cell](const Ogre::Vector3& half) {
        return max_cell > 0 ? std::max(1, int(std::ceil(2 * half.length() / max_cell - 1e-4f))) : 1;
    };
    const int nu = cells(half_u), nv = cells(half_v);
    const int first = int(mesh.vertex_count());
    for (int j = 0; j <= nv; ++j) {
        for (int i = 0; i <= nu; ++i) {
            const float su = 2.0f * i / nu - 1, sv = 2.0f * j / nv - 1;
            // Texture v grows downwards in the image, world +v is its top.
            mesh.vertex(centre + half_u * su + half_v * sv, normal,
                        Ogre::Vector2((su + 1) * 0.5f * span_u, (1 - sv) * 0.5f * span_v));
        }
    }
    for (int j = 0; j < nv; ++j) {
        for (int i = 0; i < nu; ++i) {
            const auto at = [&](int a, int b) { return std::uint16_t(first + b * (nu + 1) + a); };
            mesh.quad(at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
        }
    }
}

}

void add_box(mesh_builder& mesh, const Ogre::Vector3& size, const Ogre::Vector3& centre,
             float texture_span, float max_cell)
{
    const Ogre::Vector3 h = size * 0.5f;
    const Ogre::Vector3 x(h.x, 0, 0), y(0, h.y, 0), z(0, 0, h.z);
    add_face(mesh, centre + y, Ogre::Vector3::UNIT_Y, x, -z, texture_span, max_cell);
    add_face(mesh, centre - y, Ogre::Vector3::NEGATIVE_UNIT_Y, x, z, texture_span, max_cell);
    add_face(mesh, centre + x, Ogre::Vector3::UNIT_X, -z, y, texture_span, max_cell);
    add_face(mesh, centre - x, Ogre::Vector3::NEGATIVE_UNIT_X, z, y, texture_span, max_cell);
    add_face(mesh, centre + z, Ogre::Vector3::UNIT_Z, x, y, texture_span, max_cell);
    add_face(mesh, centre - z, Ogre::Vector3::NEGATIVE_UNIT_Z, -x, y, texture_span, max_cell);
}

void add_sphere(mesh_builder& mesh, float radius, int segments, int rings)
{
    // The seam column is doubled so u can run from 0 to 1 without wrapping.
    const int first = int(mesh.vertex_count());
    for (int ring = 0; ring <= rings; ++ring) {
        const float phi = Ogre::Math::PI * ring / rings;
        for (int seg = 0; seg <= segments; ++seg) {
            const float theta = Ogre::Math::TWO_PI * seg / segments;
            const Ogre::Vector3 dir(std::sin(phi) * std::cos(theta), std::cos(phi),
                                    -std::sin(phi) * std::sin(theta));
            mesh.vertex(dir * radius, dir, Ogre::Vector2(float(seg) / segments, float(ring) / rings));
        }
    }
    const int row = segments + 1;
    for (int ring = 0; ring < rings; ++ring) {
        for (int seg = 0; seg < segments; ++seg) {
            const auto at = [&](int r, int s) { return std::uint16_t(first + r * row + s); };
            // The pole rows collapse to a point; skip their empty triangles.
            if (ring != 0)
                mesh.triangle(at(ring, seg), at(ring + 1, seg), at(ring, seg + 1));
            if (ring != rings - 1)
                mesh.triangle(at(ring, seg + 1), at(ring + 1, seg), at(ring + 1, seg + 1));
        }
    }
}

void add_prism(mesh_builder& mesh, float radius, float height, int sides, bool smooth,
               const Ogre::Quaternion& orientation, float side_repeats, const Ogre::Vector3& centre)
{
    const float half = height * 0.5f;
    auto corner = [&](int k) {
        const float a = Ogre::Math::TWO_PI * k / sides;
        return Ogre::Vector3(std::cos(a), 0, -std::sin(a));
    };
    auto add = [&](const Ogre::Vector3& p, const Ogre::Vector3& n, const Ogre::Vector2& uv) {
        return mesh.vertex(centre + orientation * p, orientation * n, uv);
    };

    for (int cap = 0; cap < 2; ++cap) {
        const float sign = cap == 0 ? 1.0f : -1.0f;
        const Ogre::Vector3 normal(0, sign, 0);
        const std::uint16_t middle = add(normal * half, normal, Ogre::Vector2(0.5f, 0.5f));
        std::vector<std::uint16_t> rim;
        for (int k = 0; k <= sides; ++k) {
            const Ogre::Vector3 c = corner(k);
            // Mirrored on the bottom so the image reads the right way round
            // from below too.
            rim.push_back(add(c * radius + normal * half, normal,
                              Ogre::Vector2(0.5f + 0.5f * c.x * sign, 0.5f + 0.5f * c.z)));
        }
        for (int k = 0; k < sides; ++k) {
            if (cap == 0)
                mesh.triangle(middle, rim[k], rim[k + 1]);
            else
                mesh.triangle(middle, rim[k + 1], rim[k]);
        }
    }

    for (int k = 0; k < sides; ++k) {
        const Ogre::Vector3 a = corner(k), b = corner(k + 1);
        const Ogre::Vector3 flat = (a + b).normalisedCopy();
        const Ogre::Vector3 na = smooth ? a : flat, nb = smooth ? b : flat;
        const float ua = side_repeats * k / sides, ub = side_repeats * (k + 1) / sides;
        const Ogre::Vector3 up(0, half, 0);
        mesh.quad(add(a * radius - up, na, Ogre::Vector2(ua, 1)),
                  add(b * radius - up, nb, Ogre::Vector2(ub, 1)),
                  add(b * radius + up, nb, Ogre::Vector2(ub, 0)),
                  add(a * radius + up, na, Ogre::Vector2(ua, 0)));
    }
}
