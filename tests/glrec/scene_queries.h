// Questions a geometry test asks of what a drawing recorded: where the lines of a
// colour lie, how many batches of a kind were drawn, whether the matrix stack
// came back balanced, how many boxes were counted.
#pragma once

#include "glrec/recording_gl.h"

#include <functional>
#include <limits>

namespace glrec {

struct Bounds {
    Vec3 min{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
             std::numeric_limits<double>::infinity()};
    Vec3 max{-std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
             -std::numeric_limits<double>::infinity()};
    bool empty() const { return min.x > max.x; }
    void add(const Vec3& p);
};

// One drawing call, captured in world coordinates from a fresh identity matrix.
struct Drawing {
    std::vector<Primitive> primitives;
    std::vector<Shape> shapes;
    std::vector<Text> texts;
    long long boxes = 0;          // growth of nprismas
    bool balanced = false;        // modelling stack back at its depth, no stack errors
    Color finalColor;             // colour left current
    float finalLineWidth = 1.0f;  // line width left current

    // Primitives whose colour at glBegin equals c (to within tol per channel).
    std::vector<const Primitive*> withColor(Color c, float tol = 1e-6f) const;
    std::vector<const Primitive*> withMode(GLenum mode) const;
    int count(GLenum mode) const;
    size_t vertexCount() const;
    Bounds bounds() const;                                  // every vertex
    Bounds boundsOf(const std::vector<const Primitive*>& ps) const;
    Bounds boundsOfColor(Color c, float tol = 1e-6f) const;
    std::vector<const Shape*> shapesOf(ShapeKind kind) const;
};

// Starts from the identity on both matrices, white, line width 1, and records fn's drawing.
Drawing capture(const std::function<void()>& fn);

bool near(const Vec3& a, const Vec3& b, double tol = 1e-4);
bool near(Color a, Color b, float tol = 1e-6f);

}  // namespace glrec
