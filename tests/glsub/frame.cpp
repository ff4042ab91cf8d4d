// The web GL subset's frames: what each mode expands into, drawing order and
// glClear, the text's raster state, misuse. What the desktop would draw (shapes,
// clipping, wide lines, glyphs) is held to real GL in desktop_check.cpp.
#include "web/gl/glsub.h"

#include <gtest/gtest.h>

using namespace glsub;

namespace {

// A 200 x 100 window whose pixels are the model units.
Context windowSpace()
{
    Context gl;
    gl.viewport(0, 0, 200, 100);
    gl.matrixMode(MatrixMode::Projection);
    gl.multiply(math::ortho(0, 200, 0, 100, -1, 1));
    gl.matrixMode(MatrixMode::Modelview);
    return gl;
}

void draw(Context& gl, Primitive p, int vertices)
{
    gl.begin(p);
    for (int i = 0; i < vertices; i++)
        gl.vertex(10.0 + 10 * i, 10.0 + 5 * (i % 2), 0.0);
    gl.end();
}

}  // namespace

TEST(GlsubFrame, EachModeExpandsIntoSegmentsOrTriangles)
{
    struct Case { Primitive mode; int vertices; std::size_t lineVertices, triangleVertices; };
    const Case cases[] = {
        {Primitive::Lines, 5, 4, 0},     {Primitive::LineStrip, 4, 6, 0}, {Primitive::LineLoop, 4, 8, 0},
        {Primitive::LineLoop, 1, 0, 0},  {Primitive::Triangles, 7, 0, 6}, {Primitive::Quads, 9, 0, 12},
        {Primitive::QuadStrip, 7, 0, 12},
    };
    for (const Case& c : cases) {
        Context gl = windowSpace();
        draw(gl, c.mode, c.vertices);
        EXPECT_EQ(gl.frame().lines.size(), c.lineVertices) << int(c.mode);
        EXPECT_EQ(gl.frame().triangles.size(), c.triangleVertices) << int(c.mode);
    }
}

TEST(GlsubFrame, BatchesKeepDrawingOrderAndClearDropsWhatCameBefore)
{
    Context gl = windowSpace();
    draw(gl, Primitive::Lines, 2);
    gl.clearColor({0.0f, 0.0f, 1.0f});
    gl.clear();
    gl.color({1.0f, 0.0f, 0.0f});
    draw(gl, Primitive::Lines, 2);
    draw(gl, Primitive::LineStrip, 3);
    draw(gl, Primitive::Quads, 4);
    draw(gl, Primitive::Lines, 2);
    const Frame& f = gl.frame();
    ASSERT_EQ(f.batches.size(), 3u);
    EXPECT_EQ(f.batches[0].kind, BatchKind::Lines);
    EXPECT_EQ(f.batches[0].count, 6u);
    EXPECT_EQ(f.batches[1].kind, BatchKind::Triangles);
    EXPECT_EQ(f.batches[2].first, 6u);
    EXPECT_EQ(f.clearColor.b, 1.0f);
    EXPECT_EQ(f.lines[0].rgba[0], 255);
    gl.newFrame();
    EXPECT_TRUE(gl.frame().batches.empty());
    EXPECT_EQ(gl.frame().clearColor.b, 1.0f);
}

TEST(GlsubFrame, TextTakesTheColourAtItsRasterPositionAndNeedsAValidOne)
{
    Context gl = windowSpace();
    gl.color({0.0f, 1.0f, 0.0f});
    gl.rasterPos(20.7, 30.2, 0.0);
    gl.color({1.0f, 0.0f, 0.0f});
    gl.bitmapCharacter('I');
    const std::size_t drawn = gl.frame().triangles.size();
    ASSERT_GT(drawn, 0u);
    EXPECT_EQ(gl.frame().triangles[0].rgba[1], 255);
    gl.rasterPos(-5.0, 30.0, 0.0);  // outside the view: nothing until the next raster position
    gl.bitmapCharacter('I');
    gl.bitmapCharacter(200);        // no such glyph
    EXPECT_EQ(gl.frame().triangles.size(), drawn);
}

TEST(GlsubFrame, MisuseIsCountedNotDrawn)
{
    Context gl = windowSpace();
    gl.popMatrix();
    gl.vertex(1.0, 1.0, 0.0);
    gl.end();
    gl.begin(Primitive::Lines);
    gl.begin(Primitive::Lines);
    gl.end();
    draw(gl, Primitive::Unsupported, 4);
    gl.cylinder(Style::Fill, 1.0, 1.0, 1.0, 8, 1);
    EXPECT_EQ(gl.errors(), 5);
    EXPECT_TRUE(gl.frame().batches.empty());
    EXPECT_EQ(gl.modelview().m, math::Mat4::identity().m);
}
