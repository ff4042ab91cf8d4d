// The football pitch: the grass grid and its markings, the goals with their
// nets (line counts fixed by the single-precision running sum), colours left
// current, boxes, and where the composition shows the pitch.
#include "glrec/scene_queries.h"
#include "models/landscape/ground_sea_river.h"
#include "models/sports_vehicles/football_pitch.h"
#include "support/test_support.h"

#include <cmath>

using namespace glrec;

namespace {

const Color GRASS{0.2f, 1.0f, 0.2f}, WHITE{1.0f, 1.0f, 1.0f}, NET_FRAME{1.0f, 0.3f, 1.0f};

struct NetLines {
    int alongX = 0, alongY = 0, alongZ = 0;   // lines by the direction they run
};

// Sorts the two-vertex line batches of a net by the axis they run along.
NetLines classify(const Drawing& d)
{
    NetLines r;
    for (const auto& p : d.primitives) {
        EXPECT_EQ(p.mode, static_cast<GLenum>(GL_LINES));
        EXPECT_EQ(p.vertices.size(), 2u);
        const Vec3 a = p.vertices[0].model, b = p.vertices[1].model;
        if (a.x != b.x)
            r.alongX++;
        else if (a.y != b.y)
            r.alongY++;
        else
            r.alongZ++;
    }
    return r;
}

using Pitch = support::FreshScene;

}  // namespace

// ---- the net grid ----

TEST_F(Pitch, NetCountsFollowTheSinglePrecisionRunningSum)
{
    // The goal's four nets: left side, back, right side, roof.
    const NetLines left = classify(capture([] { red(0.0f, 3.025f, 1.575f); }));
    EXPECT_EQ(left.alongZ, 16);   // heights 0 to 3.0
    EXPECT_EQ(left.alongY, 8);    // depths 0 to 1.4
    EXPECT_EQ(left.alongX, 0);

    const NetLines back = classify(capture([] { red(5.8f, 3.025f, 0.0f); }));
    EXPECT_EQ(back.alongY, 30);   // x 0 to 5.8
    EXPECT_EQ(back.alongX, 16);

    const NetLines right = classify(capture([] { red(0.0f, 3.0f, 1.575f); }));
    EXPECT_EQ(right.alongZ, 15);  // heights 0 to 2.8: fifteen steps pass 3
    EXPECT_EQ(right.alongY, 8);

    const NetLines roof = classify(capture([] { red(5.85f, 0.0f, 1.625f); }));
    EXPECT_EQ(roof.alongZ, 30);   // x 0 to 5.8
    EXPECT_EQ(roof.alongX, 9);    // depths 0 to 1.6
}

TEST_F(Pitch, NetLinesStepByAFifthAndStopBeforeTheFarEdge)
{
    const Drawing d = capture([] { red(5.8f, 3.025f, 0.0f); });
    ASSERT_EQ(d.primitives.size(), 46u);
    // The 30th upright stands just short of 5.8 (29 single-precision steps), the 16th
    // cross line just above 3.0.
    EXPECT_NEAR(d.primitives[29].vertices[0].model.x, 5.8, 1e-5);
    EXPECT_LT(d.primitives[29].vertices[0].model.x, 5.8);
    EXPECT_NEAR(d.primitives[45].vertices[0].model.y, 3.0, 1e-5);
    for (int i = 0; i < 30; i++) {
        EXPECT_NEAR(d.primitives[i].vertices[0].model.x, 0.2 * i, 1e-5);
        EXPECT_DOUBLE_EQ(d.primitives[i].vertices[1].model.y, double(3.025f));
    }
}

TEST_F(Pitch, NetWithOneSizeZeroIsFlatInThePlaneOfTheOtherTwo)
{
    const Drawing d = capture([] { red(2.0f, 0.0f, 1.0f); });
    EXPECT_EQ(d.primitives.size(), 10u + 5u);
    EXPECT_DOUBLE_EQ(d.bounds().min.y, 0.0);
    EXPECT_DOUBLE_EQ(d.bounds().max.y, 0.0);
    EXPECT_TRUE(capture([] { red(0.0f, -1.0f, 0.0f); }).primitives.empty());
}

// ---- one goal ----

TEST_F(Pitch, GoalIsTenBoxesWithPinkFrameAndWhiteNets)
{
    const Drawing d = capture([] {
        glColor3f(0.1f, 0.2f, 0.3f);   // posts take the colour they find
        porteria();
    });
    EXPECT_DRAWING(d, 10, WHITE);
    EXPECT_BOUNDS(d.bounds(), 0, 0, 0, 6, 3.2, 1.9, 1e-5);

    // Posts, crossbar and the ground bars: 6 boxes of 3 batches in the colour found.
    EXPECT_EQ(d.withColor({0.1f, 0.2f, 0.3f}).size(), 18u);
    // Uprights and top bars: 4 boxes.
    EXPECT_EQ(d.withColor(NET_FRAME).size(), 12u);
    EXPECT_BOUNDS(d.boundsOfColor(NET_FRAME), 0.075, 0.1, 0.2, 5.925, 3.125, 1.825, 1e-5);
    // The four nets: 16 + 8, 30 + 16, 15 + 8, 30 + 9 lines.
    EXPECT_EQ(d.withColor(WHITE).size(), 132u);
    EXPECT_BOUNDS(d.boundsOfColor(WHITE), 0.075, 0.1, 0.2, 5.925, 3.125, 1.825, 1e-5);
}

// ---- markings ----

TEST_F(Pitch, MarkingsAreFlatStripsAroundTheThirtyByFiftyRectangle)
{
    const Drawing d = capture(lineasCampo);
    EXPECT_TRUE(d.balanced);
    EXPECT_EQ(d.boxes, 0);
    ASSERT_EQ(d.count(GL_QUADS), static_cast<int>(d.primitives.size()));
    // Touchlines inside, goal lines outside the rectangle; everything on y = 0.
    EXPECT_BOUNDS(d.bounds(), 0, 0, -0.2, 30, 0, 50.2, 1e-5);
    // The straight lines come first: halfway line centred on z = 25.
    const Primitive& lines = d.primitives[0];
    ASSERT_EQ(lines.vertices.size(), 20u);
    EXPECT_NEAR((lines.vertices[12].world.z + lines.vertices[14].world.z) / 2.0, 25.0, 1e-6);
    EXPECT_NEAR(lines.vertices[14].world.z - lines.vertices[12].world.z, 0.2, 1e-6);
}

TEST_F(Pitch, AreasSpanTheMiddleAndReachIntoThePitchFromEachGoalLine)
{
    const Drawing d = capture(lineasCampo);
    // Batches 1 to 4: goal and penalty area at the z = 50 end, then at the z = 0 end.
    ASSERT_GE(d.primitives.size(), 5u);
    EXPECT_BOUNDS(boundsOf({&d.primitives[1]}), 10, 0, 47, 20, 0, 50, 1e-5);
    EXPECT_BOUNDS(boundsOf({&d.primitives[2]}), 6, 0, 43, 24, 0, 50, 1e-5);
    EXPECT_BOUNDS(boundsOf({&d.primitives[3]}), 10, 0, 0, 20, 0, 3, 1e-5);
    EXPECT_BOUNDS(boundsOf({&d.primitives[4]}), 6, 0, 0, 24, 0, 7, 1e-5);
}

TEST_F(Pitch, CentreCircleIsTwelvePiecesBetweenRadiiFourEightAndFive)
{
    const Drawing d = capture(lineasCampo);
    ASSERT_EQ(d.primitives.size(), 5u + 12u);
    for (int i = 5; i < 17; i++) {
        const auto& v = d.primitives[i].vertices;
        ASSERT_EQ(v.size(), 4u);
        auto mid = [&](int a, int b) {
            const double x = (v[a].world.x + v[b].world.x) / 2.0 - 15.0;
            const double z = (v[a].world.z + v[b].world.z) / 2.0 - 25.0;
            return std::hypot(x, z);
        };
        EXPECT_NEAR(mid(0, 3), 5.0, 1e-5) << "piece " << i - 5;
        EXPECT_NEAR(mid(1, 2), 4.8, 1e-5) << "piece " << i - 5;
        EXPECT_DOUBLE_EQ(v[0].world.y, 0.0);
    }
}

// ---- the whole pitch ----

TEST_F(Pitch, PitchWithBothGoalsSpansThirtyByFiftyPlusTheNets)
{
    const Drawing d = capture(campoFutbol);
    EXPECT_DRAWING(d, 20, WHITE);
    EXPECT_BOUNDS(d.bounds(), -15, 0, -1.9, 15, 3.2, 51.9, 1e-5);

    // Grass: 30 lines along z and 50 across, open at the far edges.
    const auto grass = d.withColor(GRASS);
    EXPECT_EQ(grass.size(), 80u);
    EXPECT_BOUNDS(boundsOf(grass), -15, 0, 0, 15, 0, 50, 1e-5);
}

TEST_F(Pitch, GoalAtTheNearEndIsTheFarGoalTurnedHalfRoundTheCentreSpot)
{
    const Drawing d = capture(campoFutbol);
    std::vector<Vec3> nearGoal, farGoal;
    for (const auto* p : d.withColor(NET_FRAME))
        for (const auto& v : p->vertices)
            (v.world.z < 25.0 ? nearGoal : farGoal).push_back(v.world);
    ASSERT_EQ(nearGoal.size(), farGoal.size());
    ASSERT_FALSE(nearGoal.empty());
    for (size_t i = 0; i < nearGoal.size(); i++)
        EXPECT_TRUE(near(nearGoal[i], {-farGoal[i].x, farGoal[i].y, 50.0 - farGoal[i].z}, 1e-5)) << i;
    // Both nets stand outside the goal lines.
    for (const auto& v : nearGoal)
        EXPECT_LT(v.z, 0.0);
    for (const auto& v : farGoal)
        EXPECT_GT(v.z, 50.0);
}

TEST_F(Pitch, CompositionShowsThePitchOnlyOnceTheSofaHasTurnedPastEight)
{
    movsofa = 8.0f;
    EXPECT_TRUE(worldFrame().boundsOfColor(GRASS).empty());

    for (float turn : {8.5f, 9.0f}) {
        movsofa = turn;
        const Drawing d = worldFrame();
        EXPECT_TRUE(d.balanced);
        const auto grass = d.withColor(GRASS);
        EXPECT_EQ(grass.size(), 80u);
        EXPECT_BOUNDS(boundsOf(grass), -45, 0, 0, -15, 0, 50, 1e-5);
    }
}

TEST_F(Pitch, IsPaintedRightAfterTheGround)
{
    movsofa = 9.0f;
    const Drawing world = worldFrame();
    const size_t ground = capture(suelo).primitives.size();
    const Drawing pitch = capture(campoFutbol);
    ASSERT_GT(world.primitives.size(), ground + pitch.primitives.size());
    Drawing placed;
    const auto first = world.primitives.begin() + static_cast<long>(ground);
    placed.primitives.assign(first, first + static_cast<long>(pitch.primitives.size()));
    EXPECT_EQ(firstDifference(pitch, placed, {-30.0, 0, 0}, 1e-4), -1);
    for (size_t i = 0; i < pitch.primitives.size(); i++)
        EXPECT_TRUE(near(placed.primitives[i].color, pitch.primitives[i].color)) << i;
}
