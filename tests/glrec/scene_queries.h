// Questions a geometry test asks of what a drawing recorded: where the lines of a
// colour lie, how many batches of a kind were drawn, whether the matrix stack
// came back balanced, how many boxes were counted, which wire boxes, segments and
// spheres it holds, and where a model's lines went in a frame of the whole world.
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
    void add(const Bounds& b);
};

using Batches = std::vector<const Primitive*>;
using BatchTest = std::function<bool(const Primitive&)>;

// One drawing call, captured in world coordinates from a fresh identity matrix.
struct Drawing {
    std::vector<Primitive> primitives;
    std::vector<Shape> shapes;
    std::vector<Text> texts;
    long long boxes = 0;          // growth of nprismas
    bool balanced = false;        // modelling stack back at its depth, no stack errors
    Color finalColor;             // colour left current
    float finalLineWidth = 1.0f;  // line width left current

    // The selections point into this drawing: they are refused on a temporary one,
    // whose batches would be gone before the pointers are read.
    Batches all() const&;
    Batches where(const BatchTest& keep) const&;
    // Primitives whose colour at glBegin equals c (to within tol per channel).
    Batches withColor(Color c, float tol = 1e-6f) const&;
    Batches withMode(GLenum mode) const&;
    std::vector<const Shape*> shapesOf(ShapeKind kind) const&;
    std::vector<const Shape*> spheresOf(double radius) const&;
    Batches all() && = delete;
    Batches where(const BatchTest&) && = delete;
    Batches withColor(Color, float = 1e-6f) && = delete;
    Batches withMode(GLenum) && = delete;
    std::vector<const Shape*> shapesOf(ShapeKind) && = delete;
    std::vector<const Shape*> spheresOf(double) && = delete;

    int count(GLenum mode) const;
    size_t vertexCount() const;
    Bounds bounds() const;                                  // every vertex
    Bounds boundsWhere(const BatchTest& keep) const;
    Bounds boundsOfColor(Color c, float tol = 1e-6f) const;
};

// Every vertex of the batches, world coordinates.
Bounds boundsOf(const Batches& ps);
Bounds boundsOf(const Primitive& p);
// Batches whose every vertex lies inside the box [lo, hi] (world coordinates, with tol).
Batches inside(const Batches& ps, Vec3 lo, Vec3 hi, double tol = 1e-3);

// A wire box as prisma draws it: a loop of four corners, the same loop at the
// other end, and the eight vertices joining them corner by corner. Asked for six
// corners, the same finder gives the six-cornered prisms (the rails' clips).
struct WireBox {
    Bounds bounds;
    Color color;          // at the first loop's glBegin
    float lineWidth = 1.0f;
    size_t first = 0;     // index of its first batch in the drawing
    int sequence = 0;     // the first batch's place among every recorded item
};
std::vector<WireBox> wireBoxes(const Drawing& d, size_t corners = 4);
std::vector<WireBox> wireBoxes(const Drawing& d, Color c);  // the four-cornered ones of colour c

// A segment of a GL_LINES batch, world coordinates.
struct Segment {
    Vec3 a, b;
    Color color;  // the batch's
};
using SegmentTest = std::function<bool(const Segment&)>;
std::vector<Segment> segments(const Batches& ps, const SegmentTest& keep = nullptr);
std::vector<Segment> segments(const Drawing& d, const SegmentTest& keep = nullptr);
// The lines drawn one to a batch, as the grids draw them.
std::vector<Segment> gridLines(const Batches& ps);

// Starts from the identity on both matrices, white, line width 1, and records fn's drawing.
Drawing capture(const std::function<void()>& fn);
// One PLAY frame of the whole world at the current scene state, camera at the identity.
Drawing worldFrame();
// The batches of `model` (drawn on its own) as `world` drew them: the one run of
// consecutive batches with the same modes and the same vertices as given to
// glVertex; their world coordinates show where the composition put the model.
// Empty unless the run is there exactly once.
Drawing pickOut(const Drawing& world, const Drawing& model);

// Index of the first batch of b that is not a's batch moved by `shift`: the same
// mode and number of vertices, each vertex within tol. -1 when there is none; a
// batch that only one of them has counts as different.
int firstDifference(const Drawing& a, const Drawing& b, Vec3 shift = {}, double tol = 1e-9);

// Where the modelling matrix m sends the direction d (its linear part).
Vec3 direction(const Mat4& m, const Vec3& d);

bool near(const Vec3& a, const Vec3& b, double tol = 1e-4);
bool near(Color a, Color b, float tol = 1e-6f);

}  // namespace glrec

// For tests written with gtest. A drawing that counted `boxes` boxes, brought the
// modelling stack back to where it found it, and left `colour` and line width 1 current.
#define EXPECT_DRAWING(drawing, boxes_, colour)                                \
    do {                                                                       \
        const ::glrec::Drawing& ed_ = (drawing);                               \
        EXPECT_EQ(ed_.boxes, (boxes_)) << "boxes";                             \
        EXPECT_TRUE(ed_.balanced) << "modelling stack not balanced";           \
        EXPECT_TRUE(::glrec::near(ed_.finalColor, (colour))) << "colour left"; \
        EXPECT_EQ(ed_.finalLineWidth, 1.0f) << "line width left";              \
    } while (0)

// Bounds compared corner by corner to within tol.
#define EXPECT_BOUNDS(bounds, x0, y0, z0, x1, y1, z1, tol) \
    do {                                                   \
        const ::glrec::Bounds eb_ = (bounds);              \
        EXPECT_FALSE(eb_.empty()) << "nothing to bound";   \
        EXPECT_NEAR(eb_.min.x, (x0), (tol)) << "min x";    \
        EXPECT_NEAR(eb_.min.y, (y0), (tol)) << "min y";    \
        EXPECT_NEAR(eb_.min.z, (z0), (tol)) << "min z";    \
        EXPECT_NEAR(eb_.max.x, (x1), (tol)) << "max x";    \
        EXPECT_NEAR(eb_.max.y, (y1), (tol)) << "max y";    \
        EXPECT_NEAR(eb_.max.z, (z1), (tol)) << "max z";    \
    } while (0)
