// Helpers shared by the landscape's geometry tests: a frame of the whole world,
// a model's own lines picked out of it, and the grid segments of a drawing.
#pragma once

#include "app/scene_state.h"
#include "glrec/scene_queries.h"
#include "scene/composition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace landscape {

using namespace glrec;

// One PLAY frame of the whole world at the default scene state, camera at the identity.
inline Drawing worldFrame()
{
    inicializarVariablesGlobales();
    modo = 2;
    return capture(display);
}

inline bool sameModelLines(const Primitive& a, const Primitive& b)
{
    if (a.mode != b.mode || a.vertices.size() != b.vertices.size())
        return false;
    for (size_t i = 0; i < a.vertices.size(); i++)
        if (!near(a.vertices[i].model, b.vertices[i].model, 0.0))
            return false;
    return true;
}

// The batches of `model` (drawn on its own) as the world frame drew them: the one
// run of consecutive batches of the world with the same modes and the same
// vertices as given to glVertex. Their world coordinates show where the
// composition put the model. Empty (and a test failure) if the run is not there
// exactly once.
inline Drawing pickOut(const Drawing& world, const Drawing& model)
{
    Drawing found;
    const size_t n = model.primitives.size();
    int runs = 0;
    for (size_t start = 0; n > 0 && start + n <= world.primitives.size(); start++) {
        bool same = true;
        for (size_t k = 0; k < n && same; k++)
            same = sameModelLines(world.primitives[start + k], model.primitives[k]);
        if (same) {
            runs++;
            found.primitives.assign(world.primitives.begin() + start, world.primitives.begin() + start + n);
        }
    }
    EXPECT_EQ(runs, 1) << "the model's batches appear " << runs << " times in the world frame";
    if (runs != 1)
        found.primitives.clear();
    return found;
}

struct Segment {
    Vec3 a, b;
};

// Every two-vertex batch of lines (grid lines are drawn one per batch), in world coordinates.
inline std::vector<Segment> gridSegments(const std::vector<const Primitive*>& ps)
{
    std::vector<Segment> r;
    for (const auto* p : ps)
        if (p->mode == GL_LINES && p->vertices.size() == 2)
            r.push_back({p->vertices[0].world, p->vertices[1].world});
    return r;
}

inline std::vector<const Primitive*> all(const Drawing& d)
{
    std::vector<const Primitive*> r;
    for (const auto& p : d.primitives)
        r.push_back(&p);
    return r;
}

// Batches whose every vertex lies inside the box [lo, hi] (world coordinates, with tol).
inline std::vector<const Primitive*> inside(const std::vector<const Primitive*>& ps, Vec3 lo, Vec3 hi,
                                            double tol = 1e-3)
{
    std::vector<const Primitive*> r;
    for (const auto* p : ps) {
        bool in = !p->vertices.empty();
        for (const auto& v : p->vertices)
            in = in && v.world.x >= lo.x - tol && v.world.x <= hi.x + tol && v.world.y >= lo.y - tol &&
                 v.world.y <= hi.y + tol && v.world.z >= lo.z - tol && v.world.z <= hi.z + tol;
        if (in)
            r.push_back(p);
    }
    return r;
}

inline Bounds boundsOf(const std::vector<const Primitive*>& ps)
{
    Bounds b;
    for (const auto* p : ps)
        for (const auto& v : p->vertices)
            b.add(v.world);
    return b;
}

inline void expectBounds(const Bounds& b, Vec3 lo, Vec3 hi, double tol = 1e-3)
{
    ASSERT_FALSE(b.empty());
    EXPECT_TRUE(near(b.min, lo, tol)) << "min " << b.min.x << ", " << b.min.y << ", " << b.min.z;
    EXPECT_TRUE(near(b.max, hi, tol)) << "max " << b.max.x << ", " << b.max.y << ", " << b.max.z;
}

}  // namespace landscape
