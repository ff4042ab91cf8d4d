// The track and the catenary: where the sleepers, clips, rails, masts and wires
// lie in the world, the gap at the level crossing, the colours, and the box counts.
#include "models/railway_town/track_catenary.h"

#include "glrec/scene_queries.h"
#include "support/test_support.h"

#include <cmath>
#include <set>

using namespace glrec;

namespace {

const Color SLEEPER{1.0f, 0.5f, 0.0f}, CLIP{0.2f, 0.2f, 0.3f}, RAIL{0.3f, 0.3f, 0.3f}, RED{1.0f, 0.0f, 0.0f};

using Track = support::FreshScene;
using Catenary = support::FreshScene;

// Sleeper starts along the line: every 3 from 0 to 399, then from 411 to 468.
std::vector<double> expectedSleeperStarts()
{
    std::vector<double> z;
    for (int i = 0; i < 134; i++)
        z.push_back(3.0 * i);
    for (int i = 0; i < 20; i++)
        z.push_back(3.0 * i + 411.0);
    return z;
}

}  // namespace

TEST_F(Track, SleepersLieEveryThreeUnitsWithTheGapAtTheLevelCrossing)
{
    const Drawing d = capture(vias_tren);
    const auto sleepers = wireBoxes(d, SLEEPER);
    const auto starts = expectedSleeperStarts();
    ASSERT_EQ(sleepers.size(), 154u);
    for (size_t i = 0; i < sleepers.size(); i++)
        EXPECT_BOUNDS(sleepers[i].bounds, -2.0, 0.0, starts[i], 2.0, 0.2, starts[i] + 1.0, 1e-4);

    // No vertex between the last sleeper before the crossing and the first after
    // it; only the rails' eight long edges pass over the gap.
    int inGap = 0;
    for (const auto& p : d.primitives)
        for (const auto& v : p.vertices)
            inGap += v.world.z > 400.0 + 1e-3 && v.world.z < 411.0 - 1e-3;
    EXPECT_EQ(inGap, 0);
    const auto crossing = segments(d, [](const Segment& s) { return s.a.z < 400.5 && s.b.z > 410.5; });
    EXPECT_EQ(crossing.size(), 8u);
    for (const auto& s : crossing)
        EXPECT_TRUE(near(s.color, RAIL)) << "only the rails cross the gap";
}

TEST_F(Track, FourClipsHoldEachSleeperAtItsMiddle)
{
    const Drawing d = capture(vias_tren);
    const auto clips = wireBoxes(d, 6);
    ASSERT_EQ(clips.size(), 616u);
    const auto starts = expectedSleeperStarts();
    for (size_t i = 0; i < clips.size(); i++) {
        EXPECT_TRUE(near(clips[i].color, CLIP));
        const double z = starts[i / 4] + 0.4;
        EXPECT_NEAR(clips[i].bounds.min.z, z, 1e-4);
        EXPECT_NEAR(clips[i].bounds.max.z, z + 0.2, 1e-4);
        EXPECT_NEAR(clips[i].bounds.min.y, 0.2, 1e-6);
        EXPECT_NEAR(clips[i].bounds.max.y, 0.4, 1e-6);
    }
    // The clips' colour takes every clip batch and nothing else.
    EXPECT_EQ(d.withColor(CLIP).size(), 616u * 3u);
}

TEST_F(Track, TwoGreyRailsRunTheWholeLineOnTheSleepersAndAreDrawnLast)
{
    const Drawing d = capture(vias_tren);
    EXPECT_DRAWING(d, 156, RAIL);  // a box per sleeper and rail
    EXPECT_EQ(wireBoxes(d).size(), 156u);
    EXPECT_BOUNDS(d.bounds(), -2.0, 0.0, 0.0, 2.0, 0.6, 500.0, 1e-6);
    const auto rails = wireBoxes(d, RAIL);
    ASSERT_EQ(rails.size(), 2u);
    EXPECT_BOUNDS(rails[0].bounds, -1.6, 0.2, 0.0, -1.4, 0.6, 500.0, 1e-6);
    EXPECT_BOUNDS(rails[1].bounds, 1.4, 0.2, 0.0, 1.6, 0.6, 500.0, 1e-6);
    EXPECT_EQ(rails[1].first + 3, d.primitives.size());  // nothing after them
}

TEST_F(Track, ClipsSitBothSidesOfBothRails)
{
    // Sleeper 0, and sleeper 156, the last one (z = 468).
    for (const int n : {0, 156}) {
        const Drawing d = capture([n] { fijaciones(n); });
        const auto clips = wireBoxes(d, 6);
        ASSERT_EQ(clips.size(), 4u);
        // Inside -x, outside +x, outside -x, inside +x.
        const double z = 3.0 * n + 0.4, x[4] = {-1.4, 1.6, -1.8, 1.2};
        for (int k = 0; k < 4; k++)
            EXPECT_BOUNDS(clips[k].bounds, x[k], 0.2, z, x[k] + 0.2, 0.4, z + 0.2, 1e-4);
        EXPECT_TRUE(d.balanced);
    }
}

TEST_F(Track, CarFloorIsOneBoxWithItsGridOnTop)
{
    const Drawing d = capture(plataforma);
    EXPECT_EQ(d.boxes, 1);
    EXPECT_BOUNDS(d.bounds(), 0.0, 0.0, 0.0, 5.0, 0.4, 18.0, 1e-6);
    // After the box: 5 lines along the slab and 18 across it, each its own batch, at y = 0.4.
    ASSERT_EQ(d.primitives.size(), 3u + 5u + 18u);
    for (size_t i = 3; i < d.primitives.size(); i++) {
        ASSERT_EQ(d.primitives[i].vertices.size(), 2u);
        EXPECT_FLOAT_EQ(d.primitives[i].vertices[0].world.y, 0.4f);
        EXPECT_FLOAT_EQ(d.primitives[i].vertices[1].world.y, 0.4f);
    }
    EXPECT_TRUE(d.balanced);
}

TEST_F(Catenary, MastIsALatticeOfThirtyThreeBoxes)
{
    const Drawing d = capture(posteCatenaria);
    EXPECT_EQ(d.boxes, 33);
    const auto boxes = wireBoxes(d);
    ASSERT_EQ(boxes.size(), 33u);
    EXPECT_BOUNDS(boxes[0].bounds, 0.0, 0.0, 0.0, 0.1, 12.0, 0.2, 1e-6);
    EXPECT_BOUNDS(boxes[1].bounds, 0.3, 0.0, 0.0, 0.4, 12.0, 0.2, 1e-6);
    for (int i = 0; i < 28; i++)
        EXPECT_BOUNDS(boxes[2 + i].bounds, 0.1, 1.0 + 0.4 * i, 0.0, 0.3, 1.1 + 0.4 * i, 0.2, 1e-5);
    EXPECT_BOUNDS(boxes[30].bounds, 0.4, 10.0, 0.05, 4.4, 10.1, 0.15, 1e-6);   // arm
    EXPECT_BOUNDS(boxes[31].bounds, 3.53, 10.1, 0.05, 3.63, 10.2, 0.15, 1e-6); // hanger
    // The strut rises at 30 degrees and meets the arm's tip.
    const auto& strut = d.primitives[boxes[32].first];
    EXPECT_NEAR(strut.vertices[1].world.x, 3.53 + std::cos(M_PI / 6.0), 1e-5);
    EXPECT_NEAR(strut.vertices[1].world.y, 9.5 + 0.5, 1e-5);
    // The stay wire, last.
    const auto& stay = d.primitives.back();
    ASSERT_EQ(stay.vertices.size(), 2u);
    EXPECT_TRUE(near(stay.vertices[0].world, {0.3, 11.0, 0.095}, 1e-6));
    EXPECT_TRUE(near(stay.vertices[1].world, {3.2, 10.1, 0.095}, 1e-6));
    EXPECT_TRUE(d.balanced);
}

TEST_F(Catenary, TwentyFiveMastsStandOnTheMinusXSideEveryTwentyUnitsInTheColourFound)
{
    const Drawing d = capture([] {
        glColor3f(1.0f, 0.0f, 0.0f);
        catenaria();
    });
    EXPECT_DRAWING(d, 825, RED);
    EXPECT_EQ(d.withColor(RED).size(), d.primitives.size());
    const auto boxes = wireBoxes(d);
    ASSERT_EQ(boxes.size(), 825u);
    for (int m = 0; m < 25; m++) {
        const double z = 20.0 * m;
        EXPECT_BOUNDS(boxes[33 * m].bounds, -3.5, 0.0, z, -3.4, 12.0, z + 0.2, 1e-4);
        EXPECT_BOUNDS(boxes[33 * m + 31].bounds, 0.03, 10.1, z + 0.05, 0.13, 10.2, z + 0.15, 1e-4);
    }
    EXPECT_BOUNDS(d.bounds(), -3.5, 0.0, 0.0, 0.9, 12.0, 500.05, 1e-4);
}

TEST_F(Catenary, ContactWiresAndDroppersHangOverTheTrackCentre)
{
    std::vector<Segment> wires;
    std::multiset<double> droppers;
    for (const auto& s : segments(capture(catenaria), [](const Segment& s) {
             return std::fabs(s.a.x - 0.08) <= 1e-5 && std::fabs(s.b.x - 0.08) <= 1e-5;
         })) {
        if (s.a.z != s.b.z) {
            wires.push_back(s);
        } else {
            EXPECT_NEAR(s.a.y, 10.2, 1e-5);
            EXPECT_NEAR(s.b.y, 9.6, 1e-5);
            droppers.insert(s.a.z);
        }
    }
    ASSERT_EQ(wires.size(), 2u);
    for (int k = 0; k < 2; k++) {
        const double y = k == 0 ? 10.2 : 9.6;
        EXPECT_TRUE(near(wires[k].a, {0.08, y, 0.05}, 1e-5));
        EXPECT_TRUE(near(wires[k].b, {0.08, y, 500.05}, 1e-4));
    }
    ASSERT_EQ(droppers.size(), 200u);
    auto it = droppers.begin();
    for (int i = 0; i < 100; i++) {
        EXPECT_NEAR(*it++, 5.0 * i + 2.25, 1e-4);
        EXPECT_NEAR(*it++, 5.0 * i + 3.05, 1e-4);
    }
}

