// The recording stand-in for GL, GLU and GLUT. It defines the entry points the
// program uses, keeps its own matrix stacks, and records every primitive (its
// vertices in model and world coordinates, its colours and line width), every
// GLU/GLUT shape call, the bitmap text, and the toolkit's callback registrations
// and requests. "World" is the modelling matrix applied to a vertex: a test that
// loads the identity on the modelling matrix before drawing reads world
// coordinates directly.
#pragma once

#include "math/matrix.h"

#include <GL/glut.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace glrec {

using math::Mat4;
using math::Vec3;

struct Color {
    float r = 1.0f, g = 1.0f, b = 1.0f;
    bool operator==(const Color& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Color& o) const { return !(*this == o); }
};

struct Vertex {
    Vec3 model;   // as passed to glVertex
    Vec3 world;   // the modelling matrix applied
    Color color;  // current colour when the vertex was given
};

// One glBegin ... glEnd batch.
struct Primitive {
    GLenum mode = GL_LINES;
    std::vector<Vertex> vertices;
    Color color;            // colour at glBegin
    float lineWidth = 1.0f; // line width at glBegin
    Mat4 modelview;         // modelling matrix at glBegin
    int sequence = 0;       // order among every recorded item
};

enum class ShapeKind { WireSphere, WireTorus, Cylinder };

// A ready-made shape: glutWireSphere(radius, slices, stacks),
// glutWireTorus(inner, outer, sides, rings) or gluCylinder(base, top, height, slices, stacks).
struct Shape {
    ShapeKind kind = ShapeKind::WireSphere;
    std::array<double, 3> size{};  // sphere: radius; torus: inner, outer; cylinder: base, top, height
    std::array<int, 2> count{};    // sphere: slices, stacks; torus: sides, rings; cylinder: slices, stacks
    int drawStyle = 0;             // cylinder: the quadric's draw style
    Mat4 modelview;
    Color color;
    float lineWidth = 1.0f;
    int sequence = 0;
    Vec3 origin() const;           // the shape's centre (sphere, torus) or base centre (cylinder), world
};

// Bitmap text drawn from one raster position.
struct Text {
    std::string text;
    int x = 0, y = 0;   // raster position as given to glRasterPos
    Color color;        // colour current when the raster position was set
    void* font = nullptr;
    int sequence = 0;
};

struct Callbacks {
    void (*display)() = nullptr;
    void (*reshape)(int, int) = nullptr;
    void (*keyboard)(unsigned char, int, int) = nullptr;
    void (*special)(int, int, int) = nullptr;
    void (*mouse)(int, int, int, int) = nullptr;
    void (*idle)() = nullptr;
};

struct Recorder {
    // What was drawn.
    std::vector<Primitive> primitives;
    std::vector<Shape> shapes;
    std::vector<Text> texts;
    int clears = 0;
    Color clearColor{0.0f, 0.0f, 0.0f};
    std::vector<std::array<int, 4>> viewports;  // every glViewport, in order

    // What the toolkit was asked.
    Callbacks callbacks;
    int redisplays = 0;
    int swaps = 0;
    int fullScreenRequests = 0;
    std::vector<std::pair<int, int>> windowResizes;
    std::string windowTitle;
    std::pair<int, int> initialWindowSize{0, 0};
    std::pair<int, int> initialWindowPosition{-1, -1};
    unsigned int displayMode = 0;
    int mainLoops = 0;

    // Current GL state.
    Color color;
    float lineWidth = 1.0f;
    GLenum matrixMode = GL_MODELVIEW;
    std::vector<Mat4> modelviewStack{Mat4::identity()};
    std::vector<Mat4> projectionStack{Mat4::identity()};
    size_t deepestModelview = 1;  // deepest the modelling stack has been since the records were cleared
    int stackErrors = 0;     // pops of a one-deep stack, glBegin inside glBegin, glEnd without glBegin
    bool insideBegin = false;
    int sequence = 0;

    // Answers of glutGet for the screen size (0 means the toolkit does not know).
    int screenWidth = 1024, screenHeight = 768;

    const Mat4& modelview() const { return modelviewStack.back(); }
    const Mat4& projection() const { return projectionStack.back(); }
    size_t modelviewDepth() const { return modelviewStack.size(); }
    std::array<int, 4> viewport() const { return viewports.empty() ? std::array<int, 4>{0, 0, 0, 0} : viewports.back(); }

    // Forget what was drawn and asked; keep the matrices, colour, line width and callbacks.
    void clearRecords();
    // Everything back to the state of a fresh context.
    void reset();
};

Recorder& rec();

// Loads the identity on both matrices and forgets every record: what is then
// drawn is recorded in world coordinates.
void beginWorldCapture();

}  // namespace glrec
