// Questions the town's geometry tests share: a drawing's wire boxes with their
// world extents and colours, its line segments, and extents compared at a
// tolerance that allows for single-precision arithmetic.
#pragma once

#include "glrec/scene_queries.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace town {

using glrec::Bounds;
using glrec::Color;
using glrec::Drawing;
using glrec::Primitive;
using glrec::Shape;
using glrec::Vec3;

// One wire box as prisma draws it: two loops of four and the four segments joining them.
struct Box {
    Bounds bounds;
    Color color;
    float lineWidth = 1.0f;
    int sequence = 0;
};

inline std::vector<Box> wireBoxes(const Drawing& d)
{
    std::vector<Box> r;
    const auto& p = d.primitives;
    for (size_t i = 0; i + 2 < p.size(); i++) {
        if (p[i].mode != GL_LINE_LOOP || p[i + 1].mode != GL_LINE_LOOP || p[i + 2].mode != GL_LINES ||
            p[i].vertices.size() != 4 || p[i + 1].vertices.size() != 4 || p[i + 2].vertices.size() != 8)
            continue;
        Box b;
        for (size_t k = i; k < i + 3; k++)
            for (const auto& v : p[k].vertices)
                b.bounds.add(v.world);
        b.color = p[i].color;
        b.lineWidth = p[i].lineWidth;
        b.sequence = p[i].sequence;
        r.push_back(b);
        i += 2;
    }
    return r;
}

inline std::vector<Box> boxesOfColor(const Drawing& d, Color c)
{
    std::vector<Box> r;
    for (const auto& b : wireBoxes(d))
        if (glrec::near(b.color, c))
            r.push_back(b);
    return r;
}

// Every segment of the GL_LINES batches, in world coordinates.
struct Segment {
    Vec3 a, b;
    Color color;
};

inline std::vector<Segment> segments(const Drawing& d, const std::function<bool(const Segment&)>& keep)
{
    std::vector<Segment> r;
    for (const auto& p : d.primitives) {
        if (p.mode != GL_LINES)
            continue;
        for (size_t k = 0; k + 1 < p.vertices.size(); k += 2) {
            const Segment s{p.vertices[k].world, p.vertices[k + 1].world, p.color};
            if (keep(s))
                r.push_back(s);
        }
    }
    return r;
}

inline std::vector<const Shape*> spheresOfRadius(const Drawing& d, double radius)
{
    std::vector<const Shape*> r;
    for (const Shape* s : d.shapesOf(glrec::ShapeKind::WireSphere))
        if (s->size[0] == radius)
            r.push_back(s);
    return r;
}

#define EXPECT_EXTENT(bounds, x0, y0, z0, x1, y1, z1)                  \
    do {                                                               \
        const ::glrec::Bounds b_ = (bounds);                           \
        ASSERT_FALSE(b_.empty());                                      \
        EXPECT_NEAR(b_.min.x, (x0), 1e-4) << "min x";                  \
        EXPECT_NEAR(b_.min.y, (y0), 1e-4) << "min y";                  \
        EXPECT_NEAR(b_.min.z, (z0), 1e-4) << "min z";                  \
        EXPECT_NEAR(b_.max.x, (x1), 1e-4) << "max x";                  \
        EXPECT_NEAR(b_.max.y, (y1), 1e-4) << "max y";                  \
        EXPECT_NEAR(b_.max.z, (z1), 1e-4) << "max z";                  \
    } while (0)

}  // namespace town
