// The composition of the world: frame set-up, the order and placement of the
// toaster, the sofa and the ball, the focus marker in REC only, the world's
// quarter turns, and a balanced stack.
#include "scene/composition.h"

#include "glrec/scene_queries.h"
#include "support/test_support.h"

using namespace glrec;

namespace {

const Color WHITE{1, 1, 1}, MAGENTA{1, 0, 1}, BODY{0.3f, 0.3f, 0.4f};

using Composition = support::FreshScene;

// The ball: the white wire sphere of radius 0.2 (the character's head is yellow).
std::vector<const Shape*> balls(const Drawing& d)
{
    std::vector<const Shape*> r;
    for (const auto* s : d.spheresOf(0.2))
        if (near(s->color, WHITE))
            r.push_back(s);
    return r;
}
std::vector<const Shape*> balls(Drawing&&) = delete;  // would point into a temporary

}  // namespace

TEST_F(Composition, OneFrameClearsDrawsBalancedAndSwapsOnce)
{
    const Drawing d = capture(display);
    EXPECT_EQ(rec().clears, 1);
    EXPECT_TRUE(near(rec().clearColor, {0, 0, 0}));
    EXPECT_EQ(rec().swaps, 1);
    EXPECT_TRUE(d.balanced);
}

TEST_F(Composition, ToasterFliesAtItsTravelAndHeight)
{
    xtostadora = 10.0f;
    ytostadora = 15.4f;
    EXPECT_BOUNDS(capture(display).boundsOfColor(BODY), -65.0, 15.4, 25.0, -64.8, 15.55, 25.1, 1e-5);
}

TEST_F(Composition, SofaStandsBesideThePitch)
{
    const Drawing d = capture(display);
    const auto head = d.shapesOf(ShapeKind::WireSphere)[0];
    EXPECT_TRUE(near(head->origin(), {-30.8, 1.22, 25.05}, 1e-5));
    // The toaster is painted before the sofa.
    EXPECT_LT(d.withColor(BODY).front()->sequence, head->sequence);
}

TEST_F(Composition, BallIsPlacedHereOnlyWhileFree)
{
    estado_balon = 2;
    const Drawing hidden = capture(display);
    EXPECT_TRUE(balls(hidden).empty());
    estado_balon = 0;
    const Drawing placed = capture(display);
    const auto free = balls(placed);
    ASSERT_EQ(free.size(), 1u);
    EXPECT_TRUE(near(free[0]->origin(), {-29.2, 0.1, 24.0}, 1e-5));
    estado_balon = 1;  // riding in the train, which draws it
    const Drawing riding = capture(display);
    for (const auto* b : balls(riding))
        EXPECT_FALSE(near(b->origin(), {-29.2, 0.1, 24.0}, 1.0));
}

TEST_F(Composition, BallFliesAlongThePitchUntilFrame1114ThenAcrossInThePlaneZ25)
{
    estado_balon = 0;
    xbalon = 12.0f;
    ybalon = 3.0f;
    fotograma = 1114;
    const Drawing along = capture(display);
    ASSERT_EQ(balls(along).size(), 1u);
    EXPECT_TRUE(near(balls(along)[0]->origin(), {-29.2, 3.1, 12.0}, 1e-5));
    fotograma = 1115;
    const Drawing across = capture(display);
    ASSERT_EQ(balls(across).size(), 1u);
    EXPECT_TRUE(near(balls(across)[0]->origin(), {12.0 - 29.2, 18.2, 25.0}, 1e-5));
}

TEST_F(Composition, FocusMarkerOnlyInRecording)
{
    for (int mode : {0, 2})  {
        modo = mode;
        EXPECT_TRUE(capture(display).boundsOfColor(MAGENTA).empty()) << mode;
    }
    modo = 1;
    const Drawing d = capture(display);
    EXPECT_EQ(d.withColor(MAGENTA).size(), 6u);
}

TEST_F(Composition, TheWholeWorldTurnsByQuarterTurns)
{
    const Bounds at0 = capture(display).boundsOfColor(BODY);
    rota_escena = 4;
    const Bounds at4 = capture(display).boundsOfColor(BODY);
    EXPECT_TRUE(near(at0.min, at4.min, 1e-4));
    EXPECT_TRUE(near(at0.max, at4.max, 1e-4));
    rota_escena = 1;  // a quarter turn about y takes (x, z) to (z, -x)
    const Bounds at1 = capture(display).boundsOfColor(BODY);
    EXPECT_NEAR(at1.min.x, at0.min.z, 1e-4);
    EXPECT_NEAR(at1.max.z, -at0.min.x, 1e-4);
    // The focus marker turns too: it is drawn inside the turned world.
    modo = 1;
    rota_escena = 1;
    const Bounds marker = capture(display).boundsOfColor(MAGENTA);
    EXPECT_NEAR(marker.min.x, 7.0 - 0.5, 1e-4);
}
