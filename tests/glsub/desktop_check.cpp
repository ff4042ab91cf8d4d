// Holds the web build's GL subset (web/gl) to the desktop's real GL, GLU and
// toolkit: each scene is drawn by both. The wire shapes and clipped lines are
// compared vertex by vertex and in order through feedback mode; clipped fills,
// wide lines and bitmap text pixel by pixel, the subset's frame drawn back through
// real GL as the plain segments and triangles a backend draws.
// Needs an X display (run under Xvfb). Exit status 0 when every case agrees.
#include "web/gl/glsub.h"

#include <GL/glut.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int W = 640, H = 480;  // window, pixels
constexpr double kPi = 3.14159265358979323846;
int failures = 0;

// The calls a scene makes, answered by real GL or by the subset.
struct Target {
    virtual ~Target() = default;
    virtual void begin(GLenum mode) = 0;
    virtual void color(float r, float g, float b) = 0;
    virtual void vertex(float x, float y, float z) = 0;
    virtual void end() = 0;
    virtual void lineWidth(float w) = 0;
    virtual void text(int x, int y, const std::string& s) = 0;
    virtual void shape(int kind, double a, double b, double c, int n, int m) = 0;  // sphere, torus, cylinder
};

struct RealGL : Target {
    GLUquadric* quadric = gluNewQuadric();
    RealGL() { gluQuadricDrawStyle(quadric, GLU_LINE); }
    ~RealGL() override { gluDeleteQuadric(quadric); }
    void begin(GLenum mode) override { glBegin(mode); }
    void color(float r, float g, float b) override { glColor3f(r, g, b); }
    void vertex(float x, float y, float z) override { glVertex3f(x, y, z); }
    void end() override { glEnd(); }
    void lineWidth(float w) override { glLineWidth(w); }
    void text(int x, int y, const std::string& s) override
    {
        glRasterPos2i(x, y);
        for (char c : s) glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, c);
    }
    void shape(int kind, double a, double b, double c, int n, int m) override
    {
        kind == 0 ? glutWireSphere(a, n, m) : kind == 1 ? glutWireTorus(a, b, n, m) : gluCylinder(quadric, a, b, c, n, m);
    }
};

struct Ours : Target {
    glsub::Context gl;
    void begin(GLenum mode) override
    {
        using P = glsub::Primitive;
        gl.begin(mode == GL_LINES ? P::Lines : mode == GL_LINE_STRIP ? P::LineStrip : mode == GL_LINE_LOOP ? P::LineLoop
                 : mode == GL_QUADS ? P::Quads : P::QuadStrip);
    }
    void color(float r, float g, float b) override { gl.color({r, g, b}); }
    void vertex(float x, float y, float z) override { gl.vertex(x, y, z); }
    void end() override { gl.end(); }
    void lineWidth(float w) override { gl.lineWidth(w); }
    void text(int x, int y, const std::string& s) override
    {
        gl.rasterPos(x, y, 0.0);
        for (char c : s) gl.bitmapCharacter(c);
    }
    void shape(int kind, double a, double b, double c, int n, int m) override
    {
        kind == 0 ? gl.wireSphere(a, n, m) : kind == 1 ? gl.wireTorus(a, b, n, m)
                                                       : gl.cylinder(glsub::Style::Line, a, b, c, n, m);
    }
};

using Scene = std::function<void(Target&)>;

// Both sides from the same state: the whole window, these matrices, white, 1 pixel.
void prepare(Ours& ours, const math::Mat4& projection, const math::Mat4& modelview)
{
    glViewport(0, 0, W, H);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixd(projection.m.data());
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(modelview.m.data());
    glLineWidth(1.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    ours.gl.viewport(0, 0, W, H);
    ours.gl.matrixMode(glsub::MatrixMode::Projection);
    ours.gl.multiply(projection);
    ours.gl.matrixMode(glsub::MatrixMode::Modelview);
    ours.gl.multiply(modelview);
}

// Segments (x0 y0 x1 y1, window pixels) from feedback mode and from the subset, in order.
void compareSegments(const char* name, const math::Mat4& projection, const math::Mat4& modelview, const Scene& scene)
{
    Ours ours;
    prepare(ours, projection, modelview);
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_2D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    RealGL real;
    scene(real);
    const GLint n = glRenderMode(GL_RENDER);
    scene(ours);
    std::vector<float> gl, mine;
    for (GLint i = 0; i < n;) {
        const auto token = static_cast<GLint>(buffer[i]);
        if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN)
            gl.insert(gl.end(), &buffer[i + 1], &buffer[i + 5]);
        i += token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN ? 5 : 1;
    }
    for (const glsub::FrameVertex& v : ours.gl.frame().lines)
        mine.insert(mine.end(), {v.x, v.y});
    float worst = gl.size() == mine.size() && !gl.empty() ? 0.0f : INFINITY;
    for (std::size_t i = 0; i < gl.size() && i < mine.size(); i++)
        worst = std::max(worst, std::fabs(gl[i] - mine[i]));
    std::printf("%-30s %4zu / %4zu segments, worst %.4f px\n", name, gl.size() / 4, mine.size() / 4, worst);
    if (!(worst <= 0.02f))
        std::printf("FAIL %s\n", name), failures++;
}

// Pixels of real GL against the subset's frame drawn back through real GL: at most
// `allowed` per thousand lit pixels may differ by more than two levels (colours
// interpolated from clipped corners round apart).
void comparePixels(const char* name, const math::Mat4& projection, const math::Mat4& modelview, const Scene& scene,
                   int allowed)
{
    auto readBack = [] {
        std::vector<unsigned char> p(static_cast<std::size_t>(W) * H * 3);
        glReadPixels(0, 0, W, H, GL_RGB, GL_UNSIGNED_BYTE, p.data());
        return p;
    };
    Ours ours;
    prepare(ours, projection, modelview);
    RealGL real;
    scene(real);
    const auto gl = readBack();
    scene(ours);
    prepare(ours, math::ortho(0, W, 0, H, -1, 1), math::Mat4::identity());
    const glsub::Frame& f = ours.gl.frame();
    for (const glsub::Batch& b : f.batches) {
        const auto& v = b.kind == glsub::BatchKind::Lines ? f.lines : f.triangles;
        glBegin(b.kind == glsub::BatchKind::Lines ? GL_LINES : GL_TRIANGLES);
        for (std::size_t i = b.first; i < b.first + b.count; i++) {
            glColor3ub(v[i].rgba[0], v[i].rgba[1], v[i].rgba[2]);
            glVertex4f(v[i].x * v[i].w, v[i].y * v[i].w, 0.0f, v[i].w);
        }
        glEnd();
    }
    const auto mine = readBack();
    std::size_t lit = 0, differ = 0;
    for (std::size_t i = 0; i < gl.size(); i += 3) {
        lit += gl[i] || gl[i + 1] || gl[i + 2];
        differ += std::abs(gl[i] - mine[i]) > 2 || std::abs(gl[i + 1] - mine[i + 1]) > 2 ||
                  std::abs(gl[i + 2] - mine[i + 2]) > 2;
    }
    std::printf("%-30s %6zu lit pixels, %4zu differ\n", name, lit, differ);
    if (lit == 0 || differ * 1000 > lit * static_cast<std::size_t>(allowed))
        std::printf("FAIL %s\n", name), failures++;
}

// The shapes at the program's sizes and counts, and a cone of several stacks.
struct ShapeCase {
    const char* label;
    int kind;        // 0 sphere, 1 torus, 2 cylinder
    double a, b, c;  // sphere: radius; torus: inner, outer; cylinder: base, top, height
    int n, m;        // sphere: slices, stacks; torus: sides, rings; cylinder: slices, stacks
};
const ShapeCase kShapes[] = {
    // label                       kind    a     b     c    n   m
    {"sphere 0.2 10 10",             0,  0.2,  0.0,  0.0, 10, 10},
    {"sphere 0.2 20 16",             0,  0.2,  0.0,  0.0, 20, 16},
    {"sphere 0.45 14 14",            0, 0.45,  0.0,  0.0, 14, 14},
    {"torus 0.1 1 20 20",            1,  0.1,  1.0,  0.0, 20, 20},
    {"torus 0.05 0.5 10 20",         1, 0.05,  0.5,  0.0, 10, 20},
    {"cylinder 0.4 0.4 0.1 16 1",    2,  0.4,  0.4,  0.1, 16,  1},
    {"cylinder 0.6 0.2 1.5 10 3",    2,  0.6,  0.2,  1.5, 10,  3},
};

// Lines into and behind the eye, out of every side; a strip; a loop; colours along them.
void clippedLines(Target& t)
{
    const float v[][3] = {{-1, 0, -5}, {1, 0.5f, 5}, {-3, -0.5f, -2}, {2, 0, 3}, {-40, 0, -10}, {40, 2, -12},
                          {0.5f, -20, -8}, {0.2f, 30, -9}, {0, 0.9f, -5}, {0.05f, 1, 5}};
    t.begin(GL_LINES);
    for (int i = 0; i < 10; i++)
        t.color(i % 3 == 0, i % 3 == 1, i % 2), t.vertex(v[i][0], v[i][1], v[i][2]);
    t.end();
    t.begin(GL_LINE_STRIP);
    t.vertex(-2, 0, -4), t.vertex(0, 0, 2), t.vertex(2, 0.2f, -4), t.vertex(3, 0, -150);
    t.end();
    t.begin(GL_LINE_LOOP);
    t.vertex(-1, 0.3f, -3), t.vertex(1, 0.3f, -3), t.vertex(0, 0.3f, 4);
    t.end();
}

// A floor out of the sides and behind the eye, a strip into the eye, colours per corner.
void clippedFills(Target& t)
{
    t.begin(GL_QUADS);
    t.color(1, 0, 0), t.vertex(-3, -0.5f, -6), t.color(0, 1, 0), t.vertex(3, -0.5f, -6);
    t.color(0, 0, 1), t.vertex(3, -0.5f, 4), t.color(1, 1, 1), t.vertex(-3, -0.5f, 4);
    t.color(0, 1, 1), t.vertex(-0.1f, 0.95f, -5), t.vertex(0.1f, 0.95f, -5);  // through the near plane
    t.color(1, 0, 1), t.vertex(0.1f, 0.98f, 5), t.vertex(-0.1f, 0.98f, 5);
    t.end();
    t.color(0.8f, 0.6f, 0.1f);
    t.begin(GL_QUAD_STRIP);
    t.vertex(-20, 2, -15), t.vertex(-20, 4, -15), t.vertex(1, 1.5f, -5), t.vertex(1, 3, -5), t.vertex(2, 1.2f, 3);
    t.vertex(2, 2, 3);
    t.end();
}

// Fans of lines at every slope, in window pixels, 1.5 (drawn 2), 4 and 5 pixels wide.
void wideLines(Target& t)
{
    const float widths[] = {1.5f, 4.0f, 5.0f};
    for (int k = 0; k < 3; k++) {
        t.lineWidth(widths[k]);
        t.begin(GL_LINES);
        for (int i = 0; i < 24; i++) {
            const double a = i * 2.0 * kPi / 24 + 0.1;
            const float x = 110.0f + 210.0f * k, y = 240.0f;
            t.vertex(x + float(15 * std::cos(a)), y + float(15 * std::sin(a)), 0);
            t.vertex(x + float(100 * std::cos(a)), y + float(100 * std::sin(a)), 0);
        }
        t.end();
    }
}

// Every printable character on the program's 1024 x 768 design space squeezed
// into the window, so that raster positions fall between pixels.
void text(Target& t)
{
    t.color(1, 0, 0);
    for (int line = 0; line < 5; line++) {
        std::string s;
        for (int c = 32 + 19 * line; c < 32 + 19 * (line + 1); c++)
            s += static_cast<char>(c);
        t.text(20 + 7 * line, 700 - 140 * line, s);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_SINGLE | GLUT_RGB);
    glutInitWindowSize(W, H);
    glutCreateWindow("desktop check");
    glPixelStorei(GL_PACK_ALIGNMENT, 1);

    for (const ShapeCase& s : kShapes) {
        // About 400 pixels across, turned so that every axis shows.
        const double size = s.kind == 1 ? s.a + s.b : std::max({s.a, s.b, s.c});
        compareSegments(s.label, math::ortho(-1.6 * size, 1.6 * size, -1.2 * size, 1.2 * size, -4 * size, 4 * size),
                        math::rotation(35.0, 1.0, 0.6, 0.2), [&s](Target& t) { t.shape(s.kind, s.a, s.b, s.c, s.n, s.m); });
    }
    const math::Mat4 perspective = math::perspective(45.0, double(W) / H, 1.0, 100.0);
    const math::Mat4 view = math::lookAt(0.0, 1.0, 0.0, 0.0, 0.5, -10.0, 0.0, 1.0, 0.0);
    compareSegments("lines clipped", perspective, view, clippedLines);
    comparePixels("fills clipped", perspective, view, clippedFills, 0);
    comparePixels("wide lines", math::ortho(0, W, 0, H, -1, 1), math::Mat4::identity(), wideLines, 1);
    comparePixels("text", math::ortho(0, 1024, 0, 768, -1, 1), math::Mat4::identity(), text, 0);
    std::printf(failures == 0 ? "desktop check: all cases agree\n" : "desktop check: %d mismatches\n", failures);
    return failures == 0 ? 0 : 1;
}
