// The road and its looping: the white stretches with their gaps for the rails,
// the 250 green-to-white chords round the looping's centre (x 53.06, y 10.259),
// the last stretch with its wedge, the box count and what the road leaves.
#include "models/landscape/road_looping.h"

#include "glrec/scene_queries.h"
#include "support/test_support.h"

#include <cmath>

using namespace glrec;

namespace {

const Color WHITE{1.0f, 1.0f, 1.0f};
const Color GREEN{0.0f, 1.0f, 0.0f};
const Vec3 CENTRE{53.06, 10.259, 401.0};
constexpr double RADIUS = 9.659;

using Road = support::FreshScene;

// The looping's chords: the two-vertex line strips.
Batches chords(const Drawing& d)
{
    return d.where([](const Primitive& p) { return p.mode == GL_LINE_STRIP && p.vertices.size() == 2; });
}

Vec3 midpoint(const Primitive& p)
{
    const Vec3 a = p.vertices[0].world, b = p.vertices[1].world;
    return {(a.x + b.x) / 2, (a.y + b.y) / 2, (a.z + b.z) / 2};
}

}  // namespace

TEST_F(Road, CountsFourBoxesLeavesWhiteAndBalancesTheStack)
{
    const Drawing d = capture(carretera);
    EXPECT_EQ(d.boxes, 4);
    EXPECT_TRUE(d.balanced);
    EXPECT_EQ(d.finalColor, WHITE);
    EXPECT_EQ(d.finalLineWidth, 1.0f);
    for (const auto& p : d.primitives) {
        EXPECT_EQ(p.color, WHITE);
        EXPECT_EQ(p.lineWidth, 1.0f);
    }
}

TEST_F(Road, LoopingIsTenStrandsOf25ChordsShadingGreenToWhite)
{
    const Drawing d = capture(looping);
    ASSERT_EQ(d.primitives.size(), 250u);
    EXPECT_EQ(chords(d).size(), 250u);
    for (const auto& p : d.primitives) {
        EXPECT_EQ(p.vertices[0].color, GREEN);
        EXPECT_EQ(p.vertices[1].color, WHITE);
    }
    EXPECT_EQ(d.finalColor, WHITE);
    EXPECT_TRUE(d.balanced);
    EXPECT_EQ(d.boxes, 0);
    // Strand i starts at z = i on the bottom; its 25th chord ends one turn and 12.5 further.
    for (int i = 0; i < 10; i++) {
        const Primitive& first = d.primitives[25 * i];
        const Primitive& last = d.primitives[25 * i + 24];
        EXPECT_TRUE(near(first.vertices[0].world, {-1.26, -RADIUS, double(i)}, 1e-5)) << "strand " << i;
        EXPECT_TRUE(near(last.vertices[1].world, {1.26, -RADIUS, i + 12.5}, 1e-4)) << "strand " << i;
    }
}

TEST_F(Road, LoopingTurnsRoundItsCentreInTheWorld)
{
    const Drawing road = pickOut(worldFrame(), capture(carretera));
    const auto loop = chords(road);
    ASSERT_EQ(loop.size(), 250u);
    // Every chord's middle lies on the track's radius about the axis through the centre.
    for (const auto* c : loop) {
        const Vec3 m = midpoint(*c);
        EXPECT_NEAR(std::hypot(m.x - CENTRE.x, m.y - CENTRE.y), RADIUS, 1e-4);
    }
    // Bottom on the road surface, top near 19.9, across the road's 9 and 12.5 beyond.
    EXPECT_BOUNDS(boundsOf(loop), CENTRE.x - RADIUS, 0.6, 401, CENTRE.x + RADIUS, 19.918, 422.5, 1e-3);

    // Strand 0: chord 6 stands upright on the far side, chord 12 lies on top.
    const Primitive& upright = *loop[6];
    EXPECT_NEAR(upright.vertices[0].world.x, CENTRE.x + RADIUS, 1e-4);
    EXPECT_NEAR(upright.vertices[1].world.x, CENTRE.x + RADIUS, 1e-4);
    EXPECT_NEAR(upright.vertices[0].world.y, CENTRE.y - 1.26, 1e-4);
    EXPECT_NEAR(upright.vertices[1].world.y, CENTRE.y + 1.26, 1e-4);
    const Primitive& top = *loop[12];
    EXPECT_NEAR(top.vertices[0].world.y, CENTRE.y + RADIUS, 1e-4);
    EXPECT_NEAR(top.vertices[1].world.y, CENTRE.y + RADIUS, 1e-4);
    EXPECT_NEAR(top.vertices[0].world.x, CENTRE.x + 1.26, 1e-4);  // travelling toward -x over the top
    EXPECT_NEAR(top.vertices[1].world.x, CENTRE.x - 1.26, 1e-4);
    // The first chord lies on the road right after the second stretch.
    EXPECT_TRUE(near(loop[0]->vertices[0].world, {51.8, 0.6, 401}, 1e-4));
    EXPECT_TRUE(near(loop[0]->vertices[1].world, {54.32, 0.6, 401.5}, 1e-4));
}

TEST_F(Road, StretchesLieOnTheGroundWithGapsForTheRailsAndGridsOpenAtTheirFarEdges)
{
    const Drawing road = pickOut(worldFrame(), capture(carretera));
    const auto lines = road.all();
    const struct { double x0, x1, z0, gridWidth; size_t gridLines; } slabs[] = {
        {-51.8, -1.8, 401, 50, 59}, {-1.2, 1.2, 401, 2, 11}, {1.8, 51.8, 401, 50, 59}, {54.32, 104.32, 413.5, 50, 59},
    };
    for (const auto& s : slabs) {
        const auto slab = inside(lines, {s.x0, 0, s.z0}, {s.x1, 0.6, s.z0 + 9});
        ASSERT_FALSE(slab.empty()) << "stretch from x " << s.x0;
        EXPECT_BOUNDS(boundsOf(slab), s.x0, 0, s.z0, s.x1, 0.6, s.z0 + 9, 1e-3);
        // The slab outlines are loops and one batch of four joins: only the grid lines are pairs.
        const auto grid = gridLines(inside(lines, {s.x0, 0.6, s.z0}, {s.x0 + s.gridWidth, 0.6, s.z0 + 9}));
        EXPECT_EQ(grid.size(), s.gridLines) << "grid from x " << s.x0;
        for (const auto& g : grid) {
            EXPECT_LT(g.a.x, s.x0 + s.gridWidth - 0.5) << "a line on the far edge x";
            EXPECT_LT(g.a.z, s.z0 + 9 - 0.5) << "a line on the far edge z";
        }
    }
    // Nothing of the road lies where the rails cross it.
    for (const auto* p : lines)
        for (const auto& v : p->vertices) {
            EXPECT_FALSE(v.world.x > -1.8 + 1e-4 && v.world.x < -1.2 - 1e-4) << v.world.x;
            EXPECT_FALSE(v.world.x > 1.2 + 1e-4 && v.world.x < 1.8 - 1e-4) << v.world.x;
        }
}

TEST_F(Road, LastStretchHasItsEmbankmentWedge)
{
    const Drawing road = pickOut(worldFrame(), capture(carretera));
    const auto wedgeSides =
        road.where([](const Primitive& p) { return p.mode == GL_LINE_LOOP && p.vertices.size() == 3; });
    ASSERT_EQ(wedgeSides.size(), 2u);
    for (int k = 0; k < 2; k++) {
        const double z = k == 0 ? 413.5 : 422.5;
        EXPECT_TRUE(near(wedgeSides[k]->vertices[0].world, {54.32, 0, z}, 1e-4));
        EXPECT_TRUE(near(wedgeSides[k]->vertices[1].world, {104.32, 0, z}, 1e-4));
        EXPECT_TRUE(near(wedgeSides[k]->vertices[2].world, {104.32, -2, z}, 1e-4));
    }
    const Primitive& foot = road.primitives.back();
    EXPECT_EQ(foot.mode, static_cast<GLenum>(GL_LINES));
    ASSERT_EQ(foot.vertices.size(), 2u);
    EXPECT_TRUE(near(foot.vertices[0].world, {104.32, -2, 413.5}, 1e-4));
    EXPECT_TRUE(near(foot.vertices[1].world, {104.32, -2, 422.5}, 1e-4));
}
