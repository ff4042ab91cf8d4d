// The winged toaster: where its body, toast, lever and wings stand, how the toast
// rises and the wings beat, its colours, and that it leaves the stack balanced.
#include "scene/toaster.h"

#include "glrec/scene_queries.h"
#include "support/test_support.h"

using namespace glrec;

namespace {

const Color TOAST{0.8f, 0.6f, 0.1f};
const Color BODY{0.3f, 0.3f, 0.4f};
const Color WHITE{1.0f, 1.0f, 1.0f};

using Toaster = support::FreshScene;

// The two wings' quad strips, in drawing order (the face z = 0.1 first).
std::vector<const Primitive*> wings(const Drawing& d)
{
    return d.withMode(GL_QUAD_STRIP);
}
std::vector<const Primitive*> wings(Drawing&&) = delete;  // would point into a temporary

}  // namespace

TEST_F(Toaster, BodyToastAndLeverStandWhereTheyMust)
{
    const Drawing d = capture(tostadora);
    EXPECT_BOUNDS(d.boundsOfColor(BODY), 0, 0, 0, 0.2, 0.15, 0.1, 1e-6);
    EXPECT_BOUNDS(d.boundsOfColor(TOAST), 0.05, 0.06, 0.02, 0.15, 0.16, 0.08, 1e-6);
    // The lever's handle stands out from the end face x = 0.2.
    const Bounds lever =
        d.boundsWhere([](const Primitive& p) { return near(p.color, WHITE) && p.mode != GL_QUAD_STRIP; });
    EXPECT_NEAR(lever.min.x, 0.2, 1e-6);
    EXPECT_NEAR(lever.max.x, 0.23, 1e-6);
    EXPECT_DRAWING(d, 5, WHITE);  // two slices, the body, the lever's stem and handle
}

TEST_F(Toaster, ToastRisesWithMovtostada)
{
    movtostada = 0.4f;
    const Bounds toast = capture(tostadora).boundsOfColor(TOAST);
    EXPECT_NEAR(toast.min.y, 0.46, 1e-6);
    EXPECT_NEAR(toast.max.y, 0.56, 1e-6);
}

TEST_F(Toaster, WingsAreFilledStripsOnBothBroadFacesCoveringTheSameRoot)
{
    movalas = 4;  // -10 degrees
    const Drawing d = capture(tostadora);
    const auto w = wings(d);
    ASSERT_EQ(w.size(), 2u);
    for (const auto* p : w) {
        EXPECT_TRUE(near(p->color, WHITE));
        ASSERT_EQ(p->vertices.size(), 6u);
        EXPECT_NEAR(std::min(p->vertices[0].world.x, p->vertices[1].world.x), 0.025, 1e-6);
        EXPECT_NEAR(std::max(p->vertices[0].world.x, p->vertices[1].world.x), 0.175, 1e-6);
        EXPECT_NEAR(p->vertices[0].world.y, 0.075, 1e-6);
    }
    EXPECT_NEAR(w[0]->vertices[0].world.z, 0.1, 1e-6);
    EXPECT_NEAR(w[1]->vertices[0].world.z, 0.0, 1e-6);
    EXPECT_GT(w[0]->vertices[5].world.z, 0.1);  // reaches out from its face
    EXPECT_LT(w[1]->vertices[5].world.z, 0.0);
}

TEST_F(Toaster, BothWingsBeatTogether)
{
    movalas = 9;  // +50: the tips point down, as after landing
    Drawing d = capture(tostadora);
    for (const auto* p : wings(d))
        EXPECT_LT(p->vertices[5].world.y, 0.075 - 0.05);
    movalas = 0;  // -50: the tips point up
    d = capture(tostadora);
    for (const auto* p : wings(d))
        EXPECT_GT(p->vertices[5].world.y, 0.075 + 0.05);
}

TEST_F(Toaster, AWingPhaseOutsideTheTableWrapsIntoIt)
{
    movalas = 17;
    const auto at17 = capture(alaTostadora).primitives[0].vertices[5].world;
    movalas = -1;
    const auto atMinus1 = capture(alaTostadora).primitives[0].vertices[5].world;
    EXPECT_TRUE(near(at17, atMinus1, 1e-9));
    movalas = 0;
    const auto at0 = capture(alaTostadora).primitives[0].vertices[5].world;
    movalas = 18 * 1000;
    EXPECT_TRUE(near(capture(alaTostadora).primitives[0].vertices[5].world, at0, 1e-9));
}

TEST_F(Toaster, TheWingTableHasNoFlatPhase)
{
    for (int i = 0; i < FASES_ALAS; i++)
        EXPECT_NE(angulo_alas[i], 0) << i;
    EXPECT_EQ(angulo_alas[9], 50);
}
