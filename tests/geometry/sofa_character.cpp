// The sofa, the character seated on it, and REC's focus marker: extents,
// colours, the mouth, the kick, the sofa's turn, and the box counts.
#include "models/sports_vehicles/sofa_character.h"

#include "glrec/scene_queries.h"
#include "support/test_support.h"

#include <cmath>

using namespace glrec;

namespace {

const Color RED{1, 0, 0}, YELLOW{1, 1, 0}, WHITE{1, 1, 1}, MAGENTA{1, 0, 1};

using SofaCharacter = support::FreshScene;

// The lowest vertex of the kicking leg's foot: the last lower leg drawn.
Vec3 kickingToe(const Drawing& d)
{
    // Each lower leg is three boxes of three batches; the kicking leg is the last nine.
    const size_t n = d.primitives.size();
    const Bounds foot = boundsOf({&d.primitives[n - 9], &d.primitives[n - 8], &d.primitives[n - 7]});
    return {foot.max.x, foot.min.y, foot.max.z};
}

}  // namespace

TEST_F(SofaCharacter, CharacterSitsWithinItsSpaceAndLeavesYellowAtWidthOne)
{
    const Drawing d = capture(personaje);
    const Bounds b = d.bounds();
    EXPECT_NEAR(b.min.y, 0.0, 1e-6);   // feet on the floor
    EXPECT_NEAR(b.max.z, 0.7, 1e-6);   // toes
    EXPECT_GE(b.min.x, -0.45);
    EXPECT_LE(b.max.x, 0.45);
    const auto spheres = d.shapesOf(ShapeKind::WireSphere);
    ASSERT_EQ(spheres.size(), 3u);
    EXPECT_TRUE(near(spheres[0]->origin(), {0, 1.22, 0}, 1e-6));
    EXPECT_DOUBLE_EQ(spheres[0]->size[0], 0.2);
    EXPECT_EQ(spheres[0]->count, (std::array<int, 2>{10, 10}));
    EXPECT_TRUE(near(spheres[0]->color, YELLOW));
    EXPECT_TRUE(near(spheres[1]->origin(), {-0.1, 1.3, 0.14}, 1e-6));
    EXPECT_TRUE(near(spheres[2]->origin(), {0.1, 1.3, 0.14}, 1e-6));
    EXPECT_TRUE(near(spheres[1]->color, WHITE));
    EXPECT_DOUBLE_EQ(spheres[1]->size[0], 0.05);
    EXPECT_DRAWING(d, 12, YELLOW);
}

TEST_F(SofaCharacter, MouthIsARedTriangleOrAZigzagAtWidthTwo)
{
    Drawing d = capture(personaje);
    auto mouth = d.withColor(RED);
    ASSERT_EQ(mouth.size(), 1u);
    EXPECT_EQ(mouth[0]->mode, static_cast<GLenum>(GL_LINE_LOOP));
    EXPECT_EQ(mouth[0]->vertices.size(), 3u);
    EXPECT_EQ(mouth[0]->lineWidth, 2.0f);
    EXPECT_TRUE(near(mouth[0]->vertices[0].world, {-0.1, 1.19, 0.19}, 1e-6));  // flat side on top
    EXPECT_TRUE(near(mouth[0]->vertices[2].world, {-0.03, 1.12, 0.19}, 1e-6));
    // Everything after the mouth is back at width 1.
    bool afterMouth = false;
    for (const auto& p : d.primitives) {
        if (afterMouth) {
            EXPECT_EQ(p.lineWidth, 1.0f);
        }
        afterMouth = afterMouth || &p == mouth[0];
    }
    for (char state : {char(1), char(7)}) {
        estado_boca = state;
        d = capture(personaje);
        mouth = d.withColor(RED);
        ASSERT_EQ(mouth.size(), 1u);
        EXPECT_EQ(mouth[0]->mode, static_cast<GLenum>(GL_LINE_STRIP));
        ASSERT_EQ(mouth[0]->vertices.size(), 9u);
        EXPECT_NEAR(mouth[0]->vertices[8].model.x, 0.16, 1e-6);
        EXPECT_NEAR(mouth[0]->vertices[3].model.y, 0.02, 1e-6);
        EXPECT_EQ(mouth[0]->lineWidth, 2.0f);
    }
}

TEST_F(SofaCharacter, KickingLegSwingsBackThenForward)
{
    const Vec3 rest = kickingToe(capture(personaje));
    EXPECT_NEAR(rest.y, 0.0, 1e-6);
    movpierna = 22;  // back at rest after the kick
    EXPECT_TRUE(near(kickingToe(capture(personaje)), rest, 1e-9));
    movpierna = 4;   // -20: the foot swings back under the seat
    const Vec3 back = kickingToe(capture(personaje));
    EXPECT_LT(back.z, rest.z - 0.1);
    for (int phase : {16, 17}) {  // 80 forward, nearly horizontal
        movpierna = phase;
        const Vec3 up = kickingToe(capture(personaje));
        EXPECT_GT(up.z, rest.z + 0.2);
        EXPECT_GT(up.y, 0.25);
    }
}

TEST_F(SofaCharacter, SofaExtentsAndTheCharacterOnIt)
{
    const Drawing d = capture(sofa);
    // The mouth is red too, at width 2.
    EXPECT_BOUNDS(d.boundsWhere([](const Primitive& p) { return near(p.color, RED) && p.lineWidth == 1.0f; }), -1.8,
                  0, -0.55, 1.8, 1.1, 0.55, 1e-6);
    // The character sits on the -x half, 0.8 from the centre, feet at the front.
    const auto head = d.shapesOf(ShapeKind::WireSphere)[0];
    EXPECT_TRUE(near(head->origin(), {-0.8, 1.22, 0.05}, 1e-6));
    EXPECT_DRAWING(d, 6 + 12, YELLOW);
}

TEST_F(SofaCharacter, SofaTurnsTwentyDegreesAStepWithTheCharacter)
{
    movsofa = 9.0f;  // half a turn: the back now stands at +z
    Drawing d = capture(sofa);
    EXPECT_TRUE(near(d.shapesOf(ShapeKind::WireSphere)[0]->origin(), {0.8, 1.22, -0.05}, 1e-5));
    // The backrest (fourth box) is now the row at z 0.45 to 0.55.
    const Bounds back = boundsOf({&d.primitives[9], &d.primitives[10], &d.primitives[11]});
    EXPECT_NEAR(back.min.z, 0.45, 1e-5);
    EXPECT_NEAR(back.max.z, 0.55, 1e-5);
    movsofa = 0.5f;  // a fraction of a step turns by that fraction of 20 degrees
    d = capture(sofa);
    const Vec3 h = d.shapesOf(ShapeKind::WireSphere)[0]->origin();
    EXPECT_NEAR(std::atan2(-h.z, h.x) - std::atan2(-0.05, -0.8), 10.0 * M_PI / 180.0, 1e-5);
}

TEST_F(SofaCharacter, FocusMarkerIsAMagentaCubeOnTheLookAtPointWithItsFootprint)
{
    aa = 10.0f;
    ss = 0.2f;
    dd = -4.0f;
    const Drawing d = capture(foco);
    ASSERT_EQ(d.primitives.size(), 6u);
    const auto boxes = wireBoxes(d);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_BOUNDS(boxes[0].bounds, 9.5, -0.3, -4.5, 10.5, 0.7, -3.5, 1e-6);  // the cube reaches below the ground
    EXPECT_BOUNDS(boxes[1].bounds, 9.5, 0, -4.5, 10.5, 0, -3.5, 1e-6);       // its footprint
    EXPECT_EQ(d.withColor(MAGENTA).size(), d.primitives.size());
    EXPECT_DRAWING(d, 2, MAGENTA);
}
