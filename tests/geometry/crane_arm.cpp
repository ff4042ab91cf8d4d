// The crane's arm and grip: where the joints and the grip mount stand for the
// straight and the folded pose, what the slew turns, the hanging car, colours
// left current, boxes, and the stack at the arm's deepest nesting.
#include "glrec/scene_queries.h"
#include "models/sports_vehicles/crane_arm.h"
#include "support/test_support.h"

#include <cmath>

using namespace glrec;

namespace {

const Color WHITE{1.0f, 1.0f, 1.0f}, GREEN{0.5f, 0.8f, 0.0f}, PINK{1.0f, 0.0f, 0.4f};

// The arm's cylinders in drawing order: base disc, turntable, shoulder, elbow,
// wrist drums, grip mount.
std::vector<const Shape*> cylinders(const Drawing& d)
{
    return d.shapesOf(ShapeKind::Cylinder);
}
std::vector<const Shape*> cylinders(Drawing&&) = delete;  // would point into a temporary

void straighten()
{
    for (int& a : angulo_brazo)
        a = 0;
}

using Arm = support::FreshScene;

}  // namespace

TEST_F(Arm, StraightArmStandsUpWithTheGripMountAtFiveAndAQuarter)
{
    straighten();
    const Drawing d = capture(brazoGrua);
    EXPECT_TRUE(d.balanced);
    const auto c = cylinders(d);
    ASSERT_EQ(c.size(), 6u);
    for (const auto* cyl : c) {
        EXPECT_EQ(cyl->drawStyle, static_cast<int>(GLU_LINE));   // the shared wire quadric
        EXPECT_TRUE(near(cyl->color, WHITE));
    }
    EXPECT_TRUE(near(c[0]->origin(), {0, 0, 0}, 1e-6));          // base disc, under y = 0
    EXPECT_TRUE(near(direction(c[0]->modelview, {0, 0, 1}), {0, -1, 0}, 1e-6));
    EXPECT_TRUE(near(c[2]->origin(), {0, 0.35, -0.15}, 1e-6));   // shoulder axis at 0.35
    EXPECT_TRUE(near(c[3]->origin(), {0, 2.5, 0.15}, 1e-6));     // elbow at 2.5, beside the first link
    EXPECT_TRUE(near(c[4]->origin(), {0, 4.5, -0.15}, 1e-6));    // wrist at 4.5
    EXPECT_TRUE(near(c[5]->origin(), {0, 5.25, 0}, 1e-6));       // grip mount, pointing back down
    EXPECT_TRUE(near(direction(c[5]->modelview, {0, 0, 1}), {0, -1, 0}, 1e-6));
    EXPECT_DOUBLE_EQ(c[5]->size[2], 0.1);

    // Links and fingers: white. The fingers stand parallel to the axis, 0.1 out from
    // it, from the mount up to 5.75; their tip bars reach back across to 0.3 beyond it.
    const auto white = d.withColor(WHITE);
    EXPECT_EQ(white.size(), d.primitives.size());
    EXPECT_BOUNDS(d.bounds(), -0.3, 0.65, -0.3, 0.3, 5.8, 0.45, 1e-5);
    const auto fingers = d.where([](const Primitive& p) { return p.vertices[0].world.y > 5.2; });
    ASSERT_EQ(fingers.size(), 8u * 3u);
    for (size_t i = 0; i < fingers.size(); i += 6)
        EXPECT_TRUE(near(direction(fingers[i]->modelview, {0, 1, 0}), {0, 1, 0}, 1e-6));
    EXPECT_BOUNDS(boundsOf({fingers[0], fingers[1], fingers[2]}), -0.1, 5.25, -0.025, -0.05, 5.75, 0.025, 1e-5);
    EXPECT_EQ(d.boxes, 3 + 8);
}

TEST_F(Arm, DefaultPoseFoldsTheArmAcrossTheCraneWithTheMountAboutOneNineUp)
{
    const Drawing d = capture(brazoGrua);
    EXPECT_TRUE(d.balanced);
    const auto c = cylinders(d);
    ASSERT_EQ(c.size(), 6u);
    EXPECT_NEAR(c[5]->origin().y, 1.9, 0.05);
    // Slewed a quarter turn: the links turn about world x, so the arm's plane is x = const.
    for (int i = 2; i < 5; i++)
        EXPECT_TRUE(near(direction(c[i]->modelview, {0, 0, 1}), {1, 0, 0}, 1e-6)) << i;
}

TEST_F(Arm, SlewTurnsEverythingAboveTheFixedBaseDisc)
{
    const Drawing a = capture(brazoGrua);
    angulo_brazo[0] += 40;
    const Drawing b = capture(brazoGrua);
    const auto ca = cylinders(a), cb = cylinders(b);
    ASSERT_EQ(ca.size(), 6u);
    ASSERT_EQ(cb.size(), 6u);
    EXPECT_EQ(ca[0]->modelview.m, cb[0]->modelview.m);
    // Every other cylinder is the same one turned by 40 degrees about the vertical.
    const Mat4 slew = math::rotation(40.0, 0.0, 1.0, 0.0);
    for (int i = 1; i < 6; i++)
        for (Vec3 p : {Vec3{0, 0, 0}, Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1}}) {
            const Vec3 turned = math::transformPoint(slew, math::transformPoint(ca[i]->modelview, p));
            EXPECT_TRUE(near(math::transformPoint(cb[i]->modelview, p), turned, 1e-9)) << "cylinder " << i;
        }
}

TEST_F(Arm, OpeningTiltsEachFingerOutward)
{
    straighten();
    angulo_brazo[5] = 40;
    const Drawing d = capture(brazoGrua);
    // The fingers' tops spread past the 0.3 that the tip bars reach with the grip closed.
    const Bounds b = d.bounds();
    EXPECT_GT(b.max.x, 0.4);
    EXPECT_LT(b.min.x, -0.4);
    EXPECT_GT(b.max.z, 0.45);
    EXPECT_LT(b.min.z, -0.4);
}

TEST_F(Arm, HangingCarIsDrawnUpsideDownBeyondTheGripAndTheGripStaysWhite)
{
    straighten();
    estado_coche = 3;
    const Drawing d = capture(brazoGrua);
    EXPECT_DRAWING(d, 3 + 48 + 8, GREEN);

    // Half size, roof toward the grip: in the third link's space roof at 0.95,
    // underside at 1.7, x -0.5 to 1.5, z -0.5 to 0.5; the link starts at (-0.15, 4.65, -0.15).
    const auto body = d.where([](const Primitive& p) { return near(p.color, PINK) && p.lineWidth == 2.0f; });
    EXPECT_BOUNDS(boundsOf(body), -0.65, 5.6, -0.65, 1.35, 6.35, 0.35, 1e-5);

    // The grip comes after the car, in white.
    const auto c = cylinders(d);
    ASSERT_EQ(c.size(), 6u);
    EXPECT_TRUE(near(c[5]->color, WHITE));
    const Primitive& last = d.primitives.back();
    EXPECT_TRUE(near(last.color, WHITE));
    EXPECT_GT(last.sequence, body.back()->sequence);
}

TEST_F(Arm, EndsInTheCranesGreenWhateverItDrew)
{
    for (char state : {char(0), char(3), char(4)}) {
        estado_coche = state;
        const Drawing d = capture(brazoGrua);
        EXPECT_DRAWING(d, state == 3 ? 59 : 11, GREEN);
        EXPECT_TRUE(d.withColor(PINK).empty() == (state != 3));
    }
}

TEST_F(Arm, NestsThirteenLevelsDeepWithTheCarAndComesBack)
{
    // Nine levels down to the hanging car, four more to the panel of its far door
    // (a wheel's spokes lie one level higher).
    estado_coche = 3;
    const Drawing d = capture(brazoGrua);
    EXPECT_TRUE(d.balanced);
    EXPECT_EQ(rec().deepestModelview - 1, 13u);
    // Without the car the fingertip bars are the deepest, eleven levels down.
    estado_coche = 0;
    EXPECT_TRUE(capture(brazoGrua).balanced);
    EXPECT_EQ(rec().deepestModelview - 1, 11u);
}
