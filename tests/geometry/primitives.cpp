// The wire boxes, filled boxes and grids: exact vertex order, open far edges,
// and the box count.
#include "app/scene_state.h"
#include "glrec/scene_queries.h"
#include "primitives/primitives.h"

#include <gtest/gtest.h>

using namespace glrec;

namespace {

void expectPoints(const Primitive& p, GLenum mode, const std::vector<Vec3>& expected)
{
    EXPECT_EQ(p.mode, mode);
    ASSERT_EQ(p.vertices.size(), expected.size());
    for (size_t i = 0; i < expected.size(); i++) {
        const Vec3& v = p.vertices[i].model;
        EXPECT_TRUE(near(v, expected[i], 0.0)) << "vertex " << i << ": " << v.x << ", " << v.y << ", " << v.z;
    }
}

// Each grid segment is one batch of two vertices; returns them as (from, to) pairs.
std::vector<std::pair<Vec3, Vec3>> pairs(const Drawing& d)
{
    std::vector<std::pair<Vec3, Vec3>> r;
    for (const auto& p : d.primitives) {
        EXPECT_EQ(p.mode, static_cast<GLenum>(GL_LINES));
        EXPECT_EQ(p.vertices.size(), 2u);
        r.push_back({p.vertices[0].model, p.vertices[1].model});
    }
    return r;
}

}  // namespace

TEST(Prisma, DrawsTwoLoopsAtItsZEndsAndFourJoiningSegments)
{
    const Drawing d = capture([] { prisma(2.0f, 3.0f, 4.0f); });
    ASSERT_EQ(d.primitives.size(), 3u);
    expectPoints(d.primitives[0], GL_LINE_LOOP, {{0, 0, 0}, {2, 0, 0}, {2, 3, 0}, {0, 3, 0}});
    expectPoints(d.primitives[1], GL_LINE_LOOP, {{0, 0, 4}, {2, 0, 4}, {2, 3, 4}, {0, 3, 4}});
    expectPoints(d.primitives[2], GL_LINES,
                 {{0, 0, 0}, {0, 0, 4}, {2, 0, 0}, {2, 0, 4}, {2, 3, 0}, {2, 3, 4}, {0, 3, 0}, {0, 3, 4}});
    EXPECT_EQ(d.boxes, 1);
    EXPECT_TRUE(d.balanced);
}

TEST(Prisma, NegativeExtentsDrawTowardTheNegativeSideInTheSameOrder)
{
    const Drawing d = capture([] { prisma(-1.0f, 2.0f, -3.0f); });
    expectPoints(d.primitives[0], GL_LINE_LOOP, {{0, 0, 0}, {-1, 0, 0}, {-1, 2, 0}, {0, 2, 0}});
    expectPoints(d.primitives[1], GL_LINE_LOOP, {{0, 0, -3}, {-1, 0, -3}, {-1, 2, -3}, {0, 2, -3}});
}

TEST(Prisma, FlatBoxStillCounts)
{
    const Drawing d = capture([] { prisma(1.0f, 0.0f, 1.0f); });
    EXPECT_EQ(d.boxes, 1);
    EXPECT_DOUBLE_EQ(d.bounds().max.y, 0.0);
}

TEST(Prisma, CountGrowsByOnePerWireBoxAndNotForFilledBoxes)
{
    const Drawing d = capture([] {
        for (int i = 0; i < 100; i++) {
            prisma(1.0f, 1.0f, 1.0f);
            prismaS(1.0f, 1.0f, 1.0f);
        }
    });
    EXPECT_EQ(d.boxes, 100);
}

TEST(PrismaS, SixFacesAsOneBatchOfQuads)
{
    const Drawing d = capture([] { prismaS(1.0f, 2.0f, 3.0f); });
    ASSERT_EQ(d.primitives.size(), 1u);
    expectPoints(d.primitives[0], GL_QUADS,
                 {{0, 0, 0}, {1, 0, 0}, {1, 2, 0}, {0, 2, 0},
                  {0, 0, 3}, {1, 0, 3}, {1, 2, 3}, {0, 2, 3},
                  {0, 2, 0}, {0, 2, 3}, {1, 2, 3}, {1, 2, 0},
                  {0, 0, 0}, {0, 0, 3}, {1, 0, 3}, {1, 0, 0},
                  {0, 0, 0}, {0, 2, 0}, {0, 2, 3}, {0, 0, 3},
                  {1, 0, 0}, {1, 2, 0}, {1, 2, 3}, {1, 0, 3}});
    EXPECT_EQ(d.boxes, 0);
}

TEST(Grids, MallahLeavesBothFarEdgesOpen)
{
    const auto s = pairs(capture([] { mallah(3.0f, 0.5f, 2.0f); }));
    ASSERT_EQ(s.size(), 5u);
    for (int u = 0; u < 3; u++) {
        EXPECT_TRUE(near(s[u].first, {double(u), 0.5, 0.0}, 0.0));
        EXPECT_TRUE(near(s[u].second, {double(u), 0.5, 2.0}, 0.0));
    }
    for (int u = 0; u < 2; u++) {
        EXPECT_TRUE(near(s[3 + u].first, {0.0, 0.5, double(u)}, 0.0));
        EXPECT_TRUE(near(s[3 + u].second, {3.0, 0.5, double(u)}, 0.0));
    }
}

TEST(Grids, FractionalBoundDrawsEveryWholeUnitBelowIt)
{
    const auto s = pairs(capture([] { mallah(2.5f, 0.0f, 1.0f); }));
    ASSERT_EQ(s.size(), 4u);
    EXPECT_DOUBLE_EQ(s[2].first.x, 2.0);
    EXPECT_DOUBLE_EQ(s[3].first.z, 0.0);
    EXPECT_DOUBLE_EQ(s[3].second.x, 2.5);
}

TEST(Grids, ZeroOrNegativeBoundDrawsNothingOfThatFamily)
{
    EXPECT_TRUE(capture([] { mallah(0.0f, 0.0f, -2.0f); }).primitives.empty());
    EXPECT_EQ(capture([] { malla(3.0f, 0.0f, 2.0f); }).primitives.size(), 5u);
}

TEST(Grids, MallaWithZeroHeightDrawsExactlyTheLinesOfMallah)
{
    const auto a = pairs(capture([] { malla(4.0f, 0.0f, 3.0f); }));
    const auto b = pairs(capture([] { mallah(4.0f, 0.0f, 3.0f); }));
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); i++) {
        EXPECT_TRUE(near(a[i].first, b[i].first, 0.0));
        EXPECT_TRUE(near(a[i].second, b[i].second, 0.0));
    }
}

TEST(Grids, MallaWithZeroDepthIsAVerticalGridInThePlaneZ0)
{
    const auto s = pairs(capture([] { malla(2.0f, 3.0f, 0.0f); }));
    ASSERT_EQ(s.size(), 5u);
    EXPECT_TRUE(near(s[1].first, {1, 0, 0}, 0.0));
    EXPECT_TRUE(near(s[1].second, {1, 3, 0}, 0.0));
    EXPECT_TRUE(near(s[4].first, {0, 2, 0}, 0.0));
    EXPECT_TRUE(near(s[4].second, {2, 2, 0}, 0.0));
}

TEST(Grids, MallavIgnoresItsFirstArgument)
{
    const auto a = pairs(capture([] { mallav(5.0f, 1.0f, 8.0f); }));
    const auto b = pairs(capture([] { mallav(0.2f, 1.0f, 8.0f); }));
    ASSERT_EQ(a.size(), 9u);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_TRUE(near(a[0].first, {0, 0, 0}, 0.0));
    EXPECT_TRUE(near(a[0].second, {0, 0, 8}, 0.0));
    EXPECT_TRUE(near(a[8].first, {0, 0, 7}, 0.0));
    EXPECT_TRUE(near(a[8].second, {0, 1, 7}, 0.0));
    for (size_t i = 0; i < a.size(); i++)
        EXPECT_TRUE(near(a[i].second, b[i].second, 0.0));
}

TEST(Grids, ShapesSetNoColourLineWidthOrMatrix)
{
    const Drawing d = capture([] {
        prisma(1, 1, 1);
        prismaS(1, 1, 1);
        mallah(2, 0, 2);
        mallav(0.2f, 2, 2);
        malla(2, 2, 0);
        eje_coordenadas();
    });
    EXPECT_TRUE(d.balanced);
    EXPECT_TRUE(near(d.finalColor, {1, 1, 1}));
    EXPECT_EQ(d.finalLineWidth, 1.0f);
}

TEST(AxisCross, SixArmsOfLengthFive)
{
    const Drawing d = capture([] { eje_coordenadas(); });
    ASSERT_EQ(d.primitives.size(), 1u);
    expectPoints(d.primitives[0], GL_LINES,
                 {{0, 0, 0}, {0, 5, 0}, {0, 0, 0}, {0, -5, 0}, {0, 0, 0}, {5, 0, 0},
                  {0, 0, 0}, {-5, 0, 0}, {0, 0, 0}, {0, 0, 5}, {0, 0, 0}, {0, 0, -5}});
}
