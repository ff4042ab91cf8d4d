// The island: its block at sea level in the world, the yellow stripe 4 wide,
// the nine white towers with their doors, window grids and roof grids, the box
// count, and the colour and line width it leaves.
#include "models/landscape/road_looping.h"
#include "models/landscape/skyscraper_island.h"

#include "glrec/scene_queries.h"
#include "support/test_support.h"

using namespace glrec;

namespace {

const Color WHITE{1.0f, 1.0f, 1.0f}, YELLOW{1.0f, 1.0f, 0.0f};

using Island = support::FreshScene;

}  // namespace

TEST_F(Island, WithoutTheCraneCountsNineteenBoxesAndLeavesWhiteAtWidthOne)
{
    for (char visible : {0, 2}) {
        grua_visible = visible;
        const Drawing d = capture(isla);
        EXPECT_EQ(d.boxes, 19) << "grua_visible " << int(visible);  // the block and two per tower
        EXPECT_TRUE(d.balanced);
        EXPECT_EQ(d.finalColor, WHITE);
        EXPECT_EQ(d.finalLineWidth, 1.0f);
        EXPECT_TRUE(d.shapes.empty());
        EXPECT_BOUNDS(d.bounds(), 0, 0, 0, 80, 42.1, 80, 1e-3);
    }
}

TEST_F(Island, BlockTakesTheColourItFinds)
{
    const Drawing d = capture([] {
        glColor3f(0.2f, 0.4f, 0.6f);
        isla();
    });
    const auto block = d.withColor({0.2f, 0.4f, 0.6f});
    ASSERT_EQ(block.size(), 3u);
    EXPECT_BOUNDS(boundsOf(block), 0, 0, 0, 80, 2, 80, 1e-3);
}

TEST_F(Island, StripeIsYellowAndFourWideBesideTheFirstColumn)
{
    const Drawing d = capture(isla);
    const auto stripe = d.withColor(YELLOW);
    ASSERT_EQ(stripe.size(), 1u);
    EXPECT_EQ(stripe[0]->mode, static_cast<GLenum>(GL_LINES));
    EXPECT_EQ(stripe[0]->lineWidth, 4.0f);
    ASSERT_EQ(stripe[0]->vertices.size(), 2u);
    EXPECT_TRUE(near(stripe[0]->vertices[0].world, {8.8, 2, 32}, 1e-5));
    EXPECT_TRUE(near(stripe[0]->vertices[1].world, {8.8, 2, 46}, 1e-5));
    for (const auto& p : d.primitives) {
        if (&p != stripe[0]) {
            EXPECT_EQ(p.lineWidth, 1.0f);
        }
    }
}

TEST_F(Island, NineWhiteTowersStandThreeByThree)
{
    const Drawing d = capture(isla);
    const auto white = d.withColor(WHITE);
    for (double x : {9.0, 32.0, 55.0})
        for (double z : {9.0, 32.0, 55.0}) {
            const auto plate = inside(white, {x, 2, z}, {x + 14, 2.1, z + 14});
            EXPECT_EQ(plate.size(), 3u) << "plate at " << x << ", " << z;
            EXPECT_BOUNDS(boundsOf(plate), x, 2, z, x + 14, 2.1, z + 14, 1e-3);
            const auto tower = inside(white, {x + 2, 2.1, z + 2}, {x + 12, 42.1, z + 12});
            EXPECT_BOUNDS(boundsOf(tower), x + 2, 2.1, z + 2, x + 12, 42.1, z + 12, 1e-3);
        }
}

TEST_F(Island, FacadeHasACentredDoorAndAWindowGridOpenAtTheTop)
{
    const Drawing d = capture(lateralEdificio);
    ASSERT_GE(d.primitives.size(), 2u);
    const Primitive& door = d.primitives[0];
    EXPECT_EQ(door.mode, static_cast<GLenum>(GL_LINE_STRIP));
    ASSERT_EQ(door.vertices.size(), 4u);
    const Vec3 frame[] = {{4, 0, 0}, {4, 2, 0}, {6, 2, 0}, {6, 0, 0}};
    for (int k = 0; k < 4; k++)
        EXPECT_TRUE(near(door.vertices[k].world, frame[k], 1e-6));
    const Primitive& leaves = d.primitives[1];
    EXPECT_EQ(leaves.mode, static_cast<GLenum>(GL_LINES));
    ASSERT_EQ(leaves.vertices.size(), 2u);
    EXPECT_TRUE(near(leaves.vertices[0].world, {5, 0, 0}, 1e-6));
    EXPECT_TRUE(near(leaves.vertices[1].world, {5, 2, 0}, 1e-6));

    // Windows: 10 lines up at x = 0 to 9, 37 across at heights 3 to 39; none at x = 10 or y = 40.
    const auto windows = gridLines(inside(d.all(), {0, 3, 0}, {10, 40, 0}));
    ASSERT_EQ(windows.size(), 47u);
    int up = 0;
    for (const auto& s : windows) {
        if (s.a.x == s.b.x) {
            up++;
            EXPECT_LT(s.a.x, 9.5);
        } else {
            EXPECT_LT(s.a.y, 39.5);
        }
    }
    EXPECT_EQ(up, 10);
    EXPECT_EQ(d.primitives.size(), 2u + 47u);
    EXPECT_TRUE(d.balanced);
    EXPECT_EQ(d.boxes, 0);
}

TEST_F(Island, TowerHasAFacadeOnEachFaceAndAnOpenRoofGrid)
{
    const Drawing d = capture(rascacielo);
    EXPECT_EQ(d.boxes, 2);
    EXPECT_TRUE(d.balanced);
    // The body runs from (2, 0.1, 2) to (12, 40.1, 12); each door is centred on a face.
    std::vector<Bounds> doors;
    for (const auto& p : d.primitives)
        if (p.mode == GL_LINE_STRIP)
            doors.push_back(boundsOf({&p}));
    ASSERT_EQ(doors.size(), 4u);
    int onFace[4] = {0, 0, 0, 0};  // z = 2, x = 12, z = 12, x = 2
    for (const Bounds& b : doors) {
        EXPECT_NEAR(b.min.y, 0.1, 1e-5);
        EXPECT_NEAR(b.max.y, 2.1, 1e-5);
        if (std::abs(b.min.z - b.max.z) < 1e-4) {
            EXPECT_NEAR(b.min.x, 6, 1e-4);
            EXPECT_NEAR(b.max.x, 8, 1e-4);
            onFace[b.min.z < 7 ? 0 : 2]++;
        } else {
            EXPECT_NEAR(b.min.x, b.max.x, 1e-4);
            EXPECT_NEAR(b.min.z, 6, 1e-4);
            EXPECT_NEAR(b.max.z, 8, 1e-4);
            onFace[b.min.x > 7 ? 1 : 3]++;
        }
    }
    for (int f = 0; f < 4; f++)
        EXPECT_EQ(onFace[f], 1) << "face " << f;

    const auto roof = gridLines(inside(d.all(), {2, 40.1, 2}, {12, 40.1, 12}));
    ASSERT_EQ(roof.size(), 20u);
    for (const auto& s : roof) {
        EXPECT_LT(s.a.x, 11.5);
        EXPECT_LT(s.a.z, 11.5);
    }
}

TEST_F(Island, StandsOutAtSeaWithItsBaseAtSeaLevel)
{
    const Drawing world = worldFrame();
    const Drawing island = pickOut(world, capture(isla));
    ASSERT_FALSE(island.primitives.empty());
    EXPECT_BOUNDS(island.bounds(), 1300, -8, 400, 1380, 34.1, 480, 1e-3);
    // Painted after the road.
    const Drawing road = pickOut(world, capture(carretera));
    ASSERT_FALSE(road.primitives.empty());
    EXPECT_GT(island.primitives.front().sequence, road.primitives.back().sequence);
    // The block in the white the models before it leave; the stripe on its top.
    const Primitive& block = island.primitives.front();
    EXPECT_EQ(block.color, WHITE);
    EXPECT_BOUNDS(boundsOf({&island.primitives[0], &island.primitives[1], &island.primitives[2]}), 1300, -8, 400, 1380,
                  -6, 480, 1e-3);
    const auto stripe = island.withColor(YELLOW);
    ASSERT_EQ(stripe.size(), 1u);
    EXPECT_BOUNDS(boundsOf(stripe), 1308.8, -6, 432, 1308.8, -6, 446, 1e-3);
}
