// Questions the railway's geometry tests share: the wire boxes of a drawing with
// their world extents, the L-section rail clips, and extents compared at a
// tolerance that allows for single-precision arithmetic.
#pragma once

#include "glrec/scene_queries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace railway {

using glrec::Bounds;
using glrec::Color;
using glrec::Drawing;
using glrec::Primitive;
using glrec::Vec3;

inline const Color SLEEPER{1.0f, 0.5f, 0.0f};
inline const Color CLIP{0.2f, 0.2f, 0.3f};
inline const Color RAIL{0.3f, 0.3f, 0.3f};
inline const Color GEAR{0.7f, 0.7f, 0.7f};
inline const Color BODY{0.0f, 0.0f, 1.0f};
inline const Color DOOR{1.0f, 1.0f, 0.0f};
inline const Color SEAT{0.0f, 1.0f, 0.0f};
inline const Color WHITE{1.0f, 1.0f, 1.0f};
inline const Color RED{1.0f, 0.0f, 0.0f};

// A group of batches recognised as one solid: a wire box or a clip.
struct Solid {
    Bounds bounds;
    Color color;
    size_t first = 0;  // index of its first batch in the drawing
};

inline bool sameModel(const glrec::Vertex& a, const glrec::Vertex& b)
{
    return a.model.x == b.model.x && a.model.y == b.model.y && a.model.z == b.model.z;
}

// Groups of a loop of n, the same loop again, and the n segments joining them
// vertex by vertex: a wire box when n is 4, a rail clip when n is 6.
inline std::vector<Solid> solids(const Drawing& d, size_t n)
{
    std::vector<Solid> r;
    const auto& p = d.primitives;
    for (size_t i = 0; i + 2 < p.size(); i++) {
        const Primitive& a = p[i];
        const Primitive& b = p[i + 1];
        const Primitive& l = p[i + 2];
        if (a.mode != GL_LINE_LOOP || b.mode != GL_LINE_LOOP || l.mode != GL_LINES)
            continue;
        if (a.vertices.size() != n || b.vertices.size() != n || l.vertices.size() != 2 * n)
            continue;
        bool joined = true;
        for (size_t k = 0; k < n; k++)
            joined = joined && sameModel(l.vertices[2 * k], a.vertices[k]) &&
                     sameModel(l.vertices[2 * k + 1], b.vertices[k]);
        if (!joined)
            continue;
        Solid s;
        for (const Primitive* q : {&a, &b, &l})
            for (const auto& v : q->vertices)
                s.bounds.add(v.world);
        s.color = a.color;
        s.first = i;
        r.push_back(s);
        i += 2;
    }
    return r;
}

inline std::vector<Solid> wireBoxes(const Drawing& d) { return solids(d, 4); }

inline std::vector<Solid> ofColor(const std::vector<Solid>& all, Color c)
{
    std::vector<Solid> r;
    for (const auto& s : all)
        if (glrec::near(s.color, c))
            r.push_back(s);
    return r;
}

// Extents of every vertex of the primitives that pass the test.
inline Bounds boundsWhere(const Drawing& d, const std::function<bool(const Primitive&)>& keep)
{
    Bounds b;
    for (const auto& p : d.primitives)
        if (keep(p))
            for (const auto& v : p.vertices)
                b.add(v.world);
    return b;
}

#define EXPECT_BOUNDS(b, x0, y0, z0, x1, y1, z1, tol)  \
    do {                                               \
        const ::glrec::Bounds bb_ = (b);               \
        EXPECT_FALSE(bb_.empty());                     \
        EXPECT_NEAR(bb_.min.x, (x0), (tol)) << "min x"; \
        EXPECT_NEAR(bb_.min.y, (y0), (tol)) << "min y"; \
        EXPECT_NEAR(bb_.min.z, (z0), (tol)) << "min z"; \
        EXPECT_NEAR(bb_.max.x, (x1), (tol)) << "max x"; \
        EXPECT_NEAR(bb_.max.y, (y1), (tol)) << "max y"; \
        EXPECT_NEAR(bb_.max.z, (z1), (tol)) << "max z"; \
    } while (0)

}  // namespace railway
