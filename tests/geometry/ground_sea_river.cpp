// The terrain: the grey ground and river banks, the river's 80 shaded lines at
// y = -8, the slope, strips, kerb, beach and the ten sea bands, where each lies in
// the world, their colours, their open far edges and what the terrain leaves.
#include "models/landscape/bridge.h"
#include "models/landscape/ground_sea_river.h"

#include "glrec/scene_queries.h"
#include "support/test_support.h"

using namespace glrec;

namespace {

const Color GROUND{0.4f, 0.4f, 0.4f}, SLOPE{0.1f, 0.6f, 0.0f}, RED_STRIP{0.8f, 0.3f, 0.3f}, KERB{0.8f, 0.8f, 0.8f},
    SAND{0.8f, 0.8f, 0.3f}, RIVER_NEAR{0.0f, 0.2f, 1.0f}, RIVER_FAR{0.1f, 0.8f, 0.8f};

// Sea band i: green and blue 0.8 - 0.05 i, worked out in double and given as floats.
Color seaBand(int i)
{
    const float c = static_cast<float>(0.8 - 0.05 * i);
    return {0.1f, c, c};
}

using Terrain = support::FreshScene;

}  // namespace

TEST_F(Terrain, RiverIsEightyLinesShadingFromDeepBlueToBlueGreen)
{
    const Drawing d = capture(rio);
    ASSERT_EQ(d.primitives.size(), 1u);
    const Primitive& river = d.primitives[0];
    EXPECT_EQ(river.mode, static_cast<GLenum>(GL_LINES));
    ASSERT_EQ(river.vertices.size(), 160u);
    for (int k = 0; k < 80; k++) {
        const Vertex& from = river.vertices[2 * k];
        const Vertex& to = river.vertices[2 * k + 1];
        EXPECT_TRUE(near(from.world, {0, 0, 0.5 * k}, 0.0)) << "line " << k;
        EXPECT_TRUE(near(to.world, {580, 0, 0.5 * k}, 0.0)) << "line " << k;
        EXPECT_EQ(from.color, RIVER_NEAR);
        EXPECT_EQ(to.color, RIVER_FAR);
    }
    EXPECT_EQ(d.finalColor, RIVER_FAR);
    EXPECT_TRUE(d.balanced);
}

TEST_F(Terrain, RiverSurfaceLiesAtMinusEightFromMinus60To520)
{
    const Drawing ground = pickOut(worldFrame(), capture(suelo));
    const auto river = ground.where([](const Primitive& p) { return p.mode == GL_LINES && p.vertices.size() == 160; });
    ASSERT_EQ(river.size(), 1u) << "one batch of 80 lines";
    EXPECT_BOUNDS(boundsOf(river), -60, -8, 190, 520, -8, 229.5, 1e-4);  // none at z = 230, the far bank
}

TEST_F(Terrain, GroundIsPaintedFirstAtTheWorldOrigin)
{
    const Drawing world = worldFrame();
    const Drawing alone = capture(suelo);
    const Drawing ground = pickOut(world, alone);
    ASSERT_FALSE(ground.primitives.empty());
    EXPECT_EQ(ground.primitives.front().sequence, world.primitives.front().sequence);
    EXPECT_EQ(firstDifference(alone, ground), -1);
}

TEST_F(Terrain, GroundAndBanksAreGreyWithOpenFarEdges)
{
    const Drawing ground = pickOut(worldFrame(), capture(suelo));
    const auto grey = ground.withColor(GROUND);

    // Before the river: 114 lines along z, 200 across; none at x = 54 or z = 190.
    const auto before = gridLines(inside(grey, {-60, 0, -10}, {54, 0, 190}));
    ASSERT_EQ(before.size(), 314u);
    for (const auto& s : before) {
        EXPECT_LT(s.a.x, 53.5);
        EXPECT_LT(s.a.z, 189.5);
    }
    EXPECT_BOUNDS(boundsOf(inside(grey, {-60, 0, -10}, {54, 0, 190})), -60, 0, -10, 54, 0, 190, 1e-3);

    // Beyond the river: 114 along z, 300 across, from z = 230.
    EXPECT_EQ(gridLines(inside(grey, {-60, 0, 230}, {54, 0, 530})).size(), 414u);

    // The banks: vertical grids 8 deep at z = 190 and 230, lines up at x = -60 to 53
    // and across at y = -8 to -1 (the line at y = 0 of the far one is the ground's).
    for (double z : {190.0, 230.0}) {
        const auto bank = inside(grey, {-60, -8, z}, {54, 0, z});
        int up = 0, across = 0;
        for (const auto& s : gridLines(bank)) {
            if (s.a.x == s.b.x)
                up++;
            else if (s.a.y < 0.0)
                across++;
        }
        EXPECT_EQ(up, 114) << "bank at z " << z;
        EXPECT_EQ(across, 8) << "bank at z " << z;
        EXPECT_BOUNDS(boundsOf(bank), -60, -8, z, 54, 0, z, 1e-3);
    }
}

TEST_F(Terrain, SlopeFallsSevenThenStripsKerbAndBeachStepDownToTheSea)
{
    const Drawing d = capture([] { desnivelHaciaElMar(200); });
    const auto slope = d.withColor(SLOPE);
    EXPECT_EQ(gridLines(slope).size(), 375u);  // 175 along z, 200 across
    EXPECT_BOUNDS(boundsOf(slope), 54, -6.99, -10, 228.86, 0, 190, 0.01);
    EXPECT_BOUNDS(d.boundsOfColor(GROUND), 228.9, -7, -10, 448.9, -7, 190, 1e-3);
    EXPECT_BOUNDS(d.boundsOfColor(RED_STRIP), 448.9, -7, -10, 468.9, -7, 190, 1e-3);
    EXPECT_EQ(d.withColor(KERB).size(), 3u);  // the kerb is one box
    EXPECT_BOUNDS(d.boundsOfColor(KERB), 468.9, -7, -10, 469.9, -6.2, 190, 1e-3);
    // The beach: 60 long from the kerb, falling about 1 to sea level.
    EXPECT_BOUNDS(d.boundsOfColor(SAND), 469.9, -7.995, -10, 529.89, -7, 190, 0.01);
    EXPECT_EQ(d.boxes, 1);
}

TEST_F(Terrain, TenSeaBandsDarkenOutwardAndCoverTheRiversMouth)
{
    const Drawing d = capture([] { desnivelHaciaElMar(200); });
    for (int i = 0; i < 10; i++) {
        const auto band = d.withColor(seaBand(i), 0.0f);
        EXPECT_EQ(gridLines(band).size(), 340u) << "band " << i;  // 100 along z, 240 across
        EXPECT_BOUNDS(boundsOf(band), 518.9 + 100 * i, -8, -10, 618.9 + 100 * i, -8, 230, 1e-3);
    }
    EXPECT_EQ(seaBand(9), (Color{0.1f, 0.35f, 0.35f}));
    EXPECT_EQ(d.finalColor, seaBand(9));
}

TEST_F(Terrain, GroundCountsTheKerbsAndTheBridgeAndRunsItsSecondSlopeBandAndSeaToZ570)
{
    const Drawing d = capture(suelo);
    EXPECT_EQ(d.boxes, 2 + 15);  // a kerb in each slope band, the bridge's boxes
    EXPECT_TRUE(d.balanced);
    EXPECT_EQ(d.finalColor, (Color{0.1f, 0.35f, 0.35f}));  // the last sea band's
    EXPECT_EQ(d.finalLineWidth, 1.0f);
    for (const auto& p : d.primitives)
        EXPECT_EQ(p.lineWidth, 1.0f);
    EXPECT_BOUNDS(boundsOf(inside(d.withColor(SLOPE), {54, -7, 230}, {229, 0, 530})), 54, -6.99, 230, 228.86, 0, 530,
                  0.01);
    EXPECT_BOUNDS(d.boundsOfColor(seaBand(0)), 518.9, -8, -10, 618.9, -8, 570, 1e-3);
    EXPECT_BOUNDS(d.boundsOfColor(seaBand(9)), 1418.9, -8, -10, 1518.9, -8, 570, 1e-3);
}

TEST_F(Terrain, BridgeStandsOnTheRiverAtTheNearBank)
{
    // The ground draws the bridge after the river, from (-4, -8, 190).
    const Drawing ground = capture(suelo);
    const Drawing bridge = pickOut(ground, capture(puente));
    ASSERT_FALSE(bridge.primitives.empty());
    const Primitive& firstBox = bridge.primitives.front();
    EXPECT_TRUE(near(firstBox.vertices[0].world, {-4, -0.2, 190}, 1e-4));  // the upper slab's corner
}
