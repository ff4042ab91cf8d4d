// The CPU half of the web build's own GL 1.x subset: the state the program's
// GL/GLU/GLUT calls change (matrix stacks, colour, line width, viewport, clear
// colour, raster position) and the frame they draw. Every glBegin/glEnd batch is
// transformed by the matrices here, clipped against the view volume as desktop GL
// clips it, expanded into plain segments and triangles (strips, loops, quads, quad
// strips, wide lines, bitmap glyphs) and appended to one frame, in window pixels.
// A backend draws the frame with a few draw calls and starts the next one.
//
// Assumes: no depth buffer, no lighting, no textures, smooth shading, polygons
// filled on both faces, one colour buffer; the program's matrices come from
// math/matrix. Free of any WebGL or emscripten call, so it builds and is tested
// natively.
#pragma once

#include "math/matrix.h"

#include <array>
#include <cstdint>
#include <vector>

namespace glsub {

struct Color {
    float r = 1.0f, g = 1.0f, b = 1.0f;  // 0 to 1
};

// One vertex of the frame: x, y in window pixels (origin at the bottom left of
// the drawing buffer, as glViewport counts), w the clip w it had, so that colours
// interpolate with perspective as desktop GL interpolates them; w is 1 for what is
// made in window space (wide lines' sides keep their ends' w; glyphs have 1).
struct FrameVertex {
    float x = 0.0f, y = 0.0f, w = 1.0f;
    std::array<std::uint8_t, 4> rgba{};  // 0 to 255, alpha always 255
};

enum class BatchKind { Lines, Triangles };

// A run of consecutive vertices in one of the frame's two arrays, drawn in order.
struct Batch {
    BatchKind kind = BatchKind::Lines;
    std::size_t first = 0, count = 0;  // in vertices
};

struct Frame {
    Color clearColor{0.0f, 0.0f, 0.0f};  // what the frame's area is cleared to first
    std::vector<FrameVertex> lines;      // pairs: one-pixel segments
    std::vector<FrameVertex> triangles;  // triples: fills, wide lines, glyphs
    std::vector<Batch> batches;          // in drawing order; neighbours differ in kind
};

// Unsupported: any other glBegin mode; its batch is counted in errors() and dropped.
enum class Primitive { Lines, LineStrip, LineLoop, Triangles, Quads, QuadStrip, Unsupported };
enum class MatrixMode { Modelview, Projection };
enum class Style { Fill, Line, Point, Silhouette };  // a quadric's draw style (GLU_FILL, ...)

class Context {
public:
    Context();

    // Matrices (glMatrixMode, glLoadIdentity, glPushMatrix, ...): each multiplies
    // the current matrix on the right, as GL does. A pop of a one-deep stack does nothing.
    void matrixMode(MatrixMode mode) { mode_ = mode; }
    void loadIdentity();
    void pushMatrix();
    void popMatrix();
    void multiply(const math::Mat4& m);
    const math::Mat4& modelview() const { return modelview_.back(); }
    const math::Mat4& projection() const { return projection_.back(); }

    // Window rectangle in pixels, as glViewport takes it.
    void viewport(int x, int y, int width, int height) { viewport_ = {x, y, width, height}; }
    void color(const Color& c) { color_ = c; }
    const Color& color() const { return color_; }
    void lineWidth(float pixels) { lineWidth_ = pixels; }
    void clearColor(const Color& c) { clearColor_ = c; }
    // glClear(GL_COLOR_BUFFER_BIT): what was drawn so far in this frame is gone.
    void clear();

    // glBegin / glVertex / glEnd. A vertex outside begin/end, a begin inside one or
    // an end without one is ignored and counted in errors().
    void begin(Primitive p);
    void vertex(double x, double y, double z);
    void end();

    // glutWireSphere, glutWireTorus and gluCylinder, with the desktop libraries'
    // slices, stacks and vertex order (shapes.cpp).
    void wireSphere(double radius, int slices, int stacks);
    void wireTorus(double innerRadius, double outerRadius, int sides, int rings);
    void cylinder(Style style, double base, double top, double height, int slices, int stacks);

    // glRasterPos (the current colour becomes the text's) and glutBitmapCharacter
    // with the Helvetica 18 bitmap font; a raster position outside the view volume
    // draws nothing until the next one.
    void rasterPos(double x, double y, double z);
    void bitmapCharacter(int c);

    const Frame& frame() const { return frame_; }
    // Starts the next frame; it keeps the last clear colour.
    void newFrame();
    int errors() const { return errors_; }

private:
    struct ClipVertex {
        std::array<double, 4> p;  // clip coordinates
        Color c;
        unsigned outside = 0;     // bit k: outside side k of the view volume
        FrameVertex window;       // where it lands, when inside every side
    };
    ClipVertex clipVertex(const std::array<double, 4>& p, const Color& c) const;
    std::vector<math::Mat4>& stack() { return mode_ == MatrixMode::Modelview ? modelview_ : projection_; }
    void segment(const ClipVertex& a, const ClipVertex& b);
    void wideLine(const FrameVertex& from, const FrameVertex& to, float width);
    void triangle(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c);
    FrameVertex toWindow(const ClipVertex& v) const;
    void emit(BatchKind kind, const FrameVertex* v, std::size_t n);
    void rectangle(float x0, float y0, float x1, float y1, const Color& c);

    MatrixMode mode_ = MatrixMode::Modelview;
    std::vector<math::Mat4> modelview_, projection_;
    math::Mat4 combined_;  // projection * modelview, for the vertices of a batch
    std::array<int, 4> viewport_{0, 0, 0, 0};
    Color color_, clearColor_{0.0f, 0.0f, 0.0f};
    float lineWidth_ = 1.0f;

    bool inside_ = false;
    Primitive primitive_ = Primitive::Lines;
    std::vector<ClipVertex> batch_;

    bool rasterValid_ = false;
    double rasterX_ = 0.0, rasterY_ = 0.0;  // window pixels
    Color rasterColor_;

    Frame frame_;
    int errors_ = 0;
};

}  // namespace glsub
