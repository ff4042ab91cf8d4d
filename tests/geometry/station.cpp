// The station: platform, substructure, four benches and the fence, where they
// stand beside the line, their colours and their boxes.
#include "glrec/scene_queries.h"
#include "models/railway_town/station.h"
#include "support/test_support.h"

using namespace glrec;

namespace {

const Color PLATFORM{0.7f, 0.7f, 0.6f}, BENCH{1.0f, 0.0f, 0.0f}, FENCE{0.2f, 0.2f, 0.1f}, BLUE{0.0f, 0.0f, 1.0f};

using Station = support::FreshScene;

}  // namespace

TEST_F(Station, BoxesLinesAndWhatIsLeftCurrent)
{
    const Drawing b = capture([] { banco(); });
    const Drawing f = capture([] { vallaestacion(); });
    const Drawing d = capture([] { estacion(); });
    EXPECT_EQ(b.boxes, 6);
    EXPECT_EQ(f.boxes, 11);
    EXPECT_TRUE(b.balanced);
    EXPECT_TRUE(f.balanced);
    EXPECT_DRAWING(d, 37, FENCE);
    EXPECT_EQ(wireBoxes(d).size(), 37u);
    // 37 boxes of three batches and 16 vertices, and 5 + 41 grid lines.
    EXPECT_EQ(d.primitives.size(), 37u * 3 + 46);
    EXPECT_EQ(d.vertexCount(), 37u * 16 + 46 * 2);
    EXPECT_TRUE(d.shapes.empty());
    for (const auto& p : d.primitives)
        EXPECT_EQ(p.lineWidth, 1.0f);
}

TEST_F(Station, StandsBesideTheLineInTheWorld)
{
    const Drawing w = worldFrame();
    EXPECT_TRUE(w.balanced);
    EXPECT_BOUNDS(w.boundsOfColor(PLATFORM), 2.8, 0.0, -0.5, 7.8, 3.3, 39.6, 1e-4);
    EXPECT_BOUNDS(w.boundsOfColor(FENCE), 7.7, 3.3, -0.5, 7.8, 4.7, 39.6, 1e-4);

    const Drawing d = capture([] { estacion(); });
    EXPECT_BOUNDS(d.bounds(), 2.8, 0.0, -0.5, 7.8, 4.7, 39.6, 1e-4);
    const auto slab = wireBoxes(d, PLATFORM);
    ASSERT_EQ(slab.size(), 2u);
    EXPECT_BOUNDS(slab[0].bounds, 2.8, 2.0, -0.5, 7.8, 3.3, 39.6, 1e-4);
    EXPECT_BOUNDS(slab[1].bounds, 3.8, 0.0, -0.5, 7.8, 2.0, 39.6, 1e-4);  // set back 1 from the edge
}

TEST_F(Station, PlatformGridLeavesItsFarEdgesOpen)
{
    const Drawing d = capture([] { estacion(); });
    // Two-vertex batches; a box's joining batch has eight.
    const auto lines = d.where([](const Primitive& p) { return p.mode == GL_LINES && p.vertices.size() == 2; });
    ASSERT_EQ(lines.size(), 5u + 41u);
    EXPECT_BOUNDS(boundsOf(lines), 2.8, 3.3, -0.5, 7.8, 3.3, 39.6, 1e-4);
    for (const Primitive* p : lines)
        EXPECT_TRUE(near(p->color, PLATFORM));
    // Lines along the platform at x = 2.8 to 6.8, then cross lines from z = -0.5
    // every 1, the last at 39.5, 0.1 before the slab's end.
    for (int u = 0; u < 5; u++)
        EXPECT_BOUNDS(boundsOf({lines[u]}), 2.8 + u, 3.3, -0.5, 2.8 + u, 3.3, 39.6, 1e-4);
    EXPECT_BOUNDS(boundsOf({lines[5]}), 2.8, 3.3, -0.5, 7.8, 3.3, -0.5, 1e-4);
    EXPECT_BOUNDS(boundsOf({lines.back()}), 2.8, 3.3, 39.5, 7.8, 3.3, 39.5, 1e-4);
}

TEST_F(Station, FourRedBenchesAlongTheBackOfThePlatform)
{
    const Drawing d = capture([] { estacion(); });
    const auto benches = wireBoxes(d, BENCH);
    ASSERT_EQ(benches.size(), 4u * 6);
    for (int i = 0; i < 4; i++) {
        Bounds one;
        for (int k = 0; k < 6; k++)
            one.add(benches[6 * i + k].bounds);
        EXPECT_BOUNDS(one, 6.7, 3.3, 3.5 + 10 * i, 7.4, 4.1, 6.5 + 10 * i, 1e-4);
    }
    // On its own a bench is red whatever colour was current.
    const Drawing b = capture([] {
        glColor3f(0.0f, 0.0f, 1.0f);
        banco();
    });
    EXPECT_EQ(b.withColor(BENCH).size(), b.primitives.size());
    EXPECT_TRUE(near(b.finalColor, BENCH));
    EXPECT_BOUNDS(b.bounds(), -0.1, 0.0, 0.0, 0.6, 0.8, 3.0, 1e-4);
}

TEST_F(Station, FenceTakesTheCallersColourAndItsNinthPostOverhangsTheRails)
{
    const Drawing d = capture([] {
        glColor3f(0.0f, 0.0f, 1.0f);
        vallaestacion();
    });
    EXPECT_EQ(d.withColor(BLUE).size(), d.primitives.size());
    const auto boxes = wireBoxes(d);
    ASSERT_EQ(boxes.size(), 11u);
    for (int i = 0; i < 9; i++)
        EXPECT_BOUNDS(boxes[i].bounds, 4.9, 1.3, 5.0 * i, 5.0, 2.7, 5.0 * i + 0.1, 1e-4);
    EXPECT_BOUNDS(boxes[9].bounds, 4.9, 1.9, 0.0, 5.0, 2.0, 40.0, 1e-4);
    EXPECT_BOUNDS(boxes[10].bounds, 4.9, 2.5, 0.0, 5.0, 2.6, 40.0, 1e-4);
}
