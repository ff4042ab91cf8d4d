// The cable-stayed bridge: its red deck and tower, the grey footing, girders and
// cable fans where they must stand, its box count, and its place over the river.
#include "models/landscape/bridge.h"
#include "models/landscape/ground_sea_river.h"

#include "glrec/scene_queries.h"
#include "support/test_support.h"

using namespace glrec;

namespace {

const Color RED{1.0f, 0.0f, 0.0f}, GREY{0.7f, 0.7f, 0.7f};

using Bridge = support::FreshScene;

}  // namespace

TEST_F(Bridge, CountsFifteenBoxesLeavesGreyAndBalancesTheStack)
{
    const Drawing d = capture(puente);
    EXPECT_EQ(d.boxes, 15);  // two slabs, five tower boxes, eight girder rails
    EXPECT_TRUE(d.balanced);
    EXPECT_EQ(d.finalColor, GREY);
    EXPECT_EQ(d.finalLineWidth, 1.0f);
    for (const auto& p : d.primitives)
        EXPECT_EQ(p.lineWidth, 1.0f);
}

TEST_F(Bridge, DeckAndTowerAreRed)
{
    const Drawing d = capture(puente);
    // Two slabs and four tower boxes (three batches a box) and the deck grid.
    const auto red = d.withColor(RED);
    EXPECT_BOUNDS(boundsOf(red), -1, 2, 0, 8, 27, 40, 1e-3);

    // Deck slabs: 7 across, 40 along, 7 to 7.2 and 7.8 to 8 high. Legs 1 wide outside each
    // deck edge, 2 to 27 high, 1.5 thick at mid-span; cross-beams between them at 19 to 20
    // and 23 to 24. Each fills its place.
    const Vec3 parts[][2] = {{{0, 7, 0}, {7, 7.2, 40}},           {{0, 7.8, 0}, {7, 8, 40}},
                             {{-1, 2, 19.25}, {0, 27, 20.75}},    {{7, 2, 19.25}, {8, 27, 20.75}},
                             {{0, 19, 19.25}, {7, 20, 20.75}},    {{0, 23, 19.25}, {7, 24, 20.75}}};
    for (const auto& [lo, hi] : parts)
        EXPECT_BOUNDS(boundsOf(inside(red, lo, hi)), lo.x, lo.y, lo.z, hi.x, hi.y, hi.z, 1e-3);

    // The deck grid lies at y = 8: 7 lines along z, 40 across, far edges open.
    const auto grid = gridLines(inside(red, {0, 8, 0}, {7, 8, 40}));
    ASSERT_EQ(grid.size(), 47u);
    for (const auto& s : grid) {
        EXPECT_LT(s.a.x, 7.0);  // no line along z at x = 7
        EXPECT_LT(s.a.z, 40.0); // no line across at z = 40
    }
}

TEST_F(Bridge, FootingAndGirdersAreGrey)
{
    const Drawing d = capture(puente);
    const auto grey = d.withColor(GREY);
    const auto footing = inside(grey, {-2, 0, 18.75}, {9, 2, 21.25});
    EXPECT_EQ(footing.size(), 3u);  // one box
    EXPECT_BOUNDS(boundsOf(footing), -2, 0, 18.75, 9, 2, 21.25, 1e-3);

    // Four girders of two rails each, from each deck end to the tower's faces.
    const struct { double x0, z0, z1; } girders[] = {
        {-1, 0, 19.25}, {-1, 20.75, 40}, {7, 0, 19.25}, {7, 20.75, 40},
    };
    for (const auto& g : girders) {
        const auto lower = inside(grey, {g.x0, 7, g.z0}, {g.x0 + 1, 7.2, g.z1});
        const auto upper = inside(grey, {g.x0, 7.8, g.z0}, {g.x0 + 1, 8, g.z1});
        EXPECT_EQ(lower.size(), 3u) << "girder at x " << g.x0 << ", z " << g.z0;
        EXPECT_EQ(upper.size(), 3u) << "girder at x " << g.x0 << ", z " << g.z0;
        EXPECT_BOUNDS(boundsOf(lower), g.x0, 7, g.z0, g.x0 + 1, 7.2, g.z1, 1e-3);
        EXPECT_BOUNDS(boundsOf(upper), g.x0, 7.8, g.z0, g.x0 + 1, 8, g.z1, 1e-3);
    }
}

TEST_F(Bridge, FanOfNineCablesEndsAtOddStepsUpToSeventeen)
{
    const Drawing d = capture(tirantes);
    ASSERT_EQ(d.primitives.size(), 1u);
    const Primitive& fan = d.primitives[0];
    EXPECT_EQ(fan.mode, static_cast<GLenum>(GL_LINES));
    ASSERT_EQ(fan.vertices.size(), 18u);
    for (int k = 0; k < 9; k++) {
        EXPECT_TRUE(near(fan.vertices[2 * k].world, {0, 16.5, 0}, 0.0));
        EXPECT_TRUE(near(fan.vertices[2 * k + 1].world, {0, 0, 2.0 * k + 1}, 0.0)) << "cable " << k;
    }
    EXPECT_TRUE(d.balanced);
    EXPECT_EQ(d.boxes, 0);
}

TEST_F(Bridge, FourFansHangFromAboveTheLegsToTheDeckEdges)
{
    const Drawing d = capture(puente);
    const auto fans = d.where([](const Primitive& p) { return p.mode == GL_LINES && p.vertices.size() == 18; });
    ASSERT_EQ(fans.size(), 4u);
    // Tops 0.5 above the upper cross-beam, over each leg's middle, at the tower's faces.
    const struct { double x, z, step; } fan[] = {
        {-0.5, 20.75, 1}, {7.5, 20.75, 1}, {-0.5, 19.25, -1}, {7.5, 19.25, -1},
    };
    for (int f = 0; f < 4; f++) {
        EXPECT_EQ(fans[f]->color, GREY);
        for (int k = 0; k < 9; k++) {
            EXPECT_TRUE(near(fans[f]->vertices[2 * k].world, {fan[f].x, 24.5, fan[f].z}, 1e-5));
            EXPECT_TRUE(near(fans[f]->vertices[2 * k + 1].world,
                             {fan[f].x, 8, fan[f].z + fan[f].step * (2 * k + 1)}, 1e-5))
                << "fan " << f << " cable " << k;
        }
    }
}

TEST_F(Bridge, SpansTheRiverWithItsDeckLevelWithTheGround)
{
    const Drawing world = worldFrame();
    const Drawing bridge = pickOut(world, capture(puente));
    ASSERT_FALSE(bridge.primitives.empty());
    const auto red = bridge.all();
    // Origin on the river surface (y = -8) at the near bank, x = -4.
    EXPECT_BOUNDS(bridge.boundsOfColor(RED), -5, -6, 190, 4, 19, 230, 1e-3);
    const auto deckGrid = gridLines(inside(red, {-4, 0, 190}, {3, 0, 230}));
    EXPECT_EQ(deckGrid.size(), 47u);  // the deck's top at ground level
    EXPECT_BOUNDS(bridge.boundsOfColor(GREY), -6, -8, 190, 5, 16.5, 230, 1e-3);
}
