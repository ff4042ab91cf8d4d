// The wheels, bogies and car sides: where each stands, how the wheels spin with
// angulo_tren, where the door leaves stand for each movpuerta, and the box counts.
#include "models/railway_town/train_running_gear.h"

#include "glrec/scene_queries.h"
#include "support/test_support.h"

#include <cmath>

using namespace glrec;

namespace {

const Color GEAR{0.7f, 0.7f, 0.7f}, BODY{0.0f, 0.0f, 1.0f}, DOOR{1.0f, 1.0f, 0.0f};

using RunningGear = support::FreshScene;
using CarSide = support::FreshScene;

// Centre of the vertices of one batch.
Vec3 centre(const Primitive& p)
{
    Vec3 c;
    for (const auto& v : p.vertices) {
        c.x += v.world.x;
        c.y += v.world.y;
        c.z += v.world.z;
    }
    const double n = static_cast<double>(p.vertices.size());
    return {c.x / n, c.y / n, c.z / n};
}

// The yellow door leaves of a side: the filled boxes grouped four to a leaf.
std::vector<Bounds> doorLeaves(const Drawing& d)
{
    std::vector<Bounds> leaves;
    const auto quads = d.withMode(GL_QUADS);
    for (size_t i = 0; i < quads.size(); i++) {
        if (i % 4 == 0)
            leaves.emplace_back();
        EXPECT_TRUE(near(quads[i]->color, DOOR));
        leaves.back().add(boundsOf(*quads[i]));
    }
    return leaves;
}

Drawing sideWithDoorsAt(int paso)
{
    movpuerta = paso;
    return capture(lateralTren);
}

}  // namespace

TEST_F(RunningGear, WheelIsRimHubAndTwelveSpokes)
{
    const Drawing d = capture(rueda);
    const auto tori = d.shapesOf(ShapeKind::WireTorus);
    ASSERT_EQ(tori.size(), 2u);
    for (int k = 0; k < 2; k++) {
        EXPECT_EQ(tori[k]->size[0], 0.1);
        EXPECT_EQ(tori[k]->size[1], k == 0 ? 1.0 : 0.3);  // rim, hub
        EXPECT_EQ(tori[k]->count, (std::array<int, 2>{20, 20}));
        EXPECT_TRUE(near(tori[k]->origin(), {0, 0, 0}, 0.0));
    }
    EXPECT_EQ(d.boxes, 12);
    const auto spokes = wireBoxes(d);
    ASSERT_EQ(spokes.size(), 12u);
    EXPECT_BOUNDS(spokes[0].bounds, 0.4, -0.1, -0.05, 0.9, 0.0, 0.05, 1e-6);  // along +x
    EXPECT_BOUNDS(spokes[3].bounds, 0.0, 0.4, -0.05, 0.1, 0.9, 0.05, 1e-6);   // along +y
    EXPECT_BOUNDS(spokes[6].bounds, -0.9, 0.0, -0.05, -0.4, 0.1, 0.05, 1e-6); // along -x
    EXPECT_BOUNDS(d.bounds(), -0.9, -0.9, -0.05, 0.9, 0.9, 0.05, 0.06);
    EXPECT_TRUE(d.balanced);
}

TEST_F(RunningGear, BogieStandsOnTheRailsWithFourWheelsAndItsFrameTwice)
{
    for (const int n : {0, 1, 2}) {
        const Drawing d = capture([n] { eje(n); });
        EXPECT_DRAWING(d, 50, GEAR);
        const double base = 6.0 * n;
        const auto rims = d.shapesOf(ShapeKind::WireTorus);
        ASSERT_EQ(rims.size(), 8u);
        const Vec3 wheels[4] = {{1.5, 1.7, base + 1.25}, {-1.5, 1.7, base + 1.25},
                                {1.5, 1.7, base + 3.75}, {-1.5, 1.7, base + 3.75}};
        for (int w = 0; w < 4; w++) {
            for (int k = 0; k < 2; k++) {
                const Shape& t = *rims[2 * w + k];
                EXPECT_TRUE(near(t.origin(), wheels[w], 1e-5));
                EXPECT_TRUE(near(direction(t.modelview, {0, 0, 1}), {1, 0, 0}, 1e-6)) << "axle across the track";
                EXPECT_TRUE(near(t.color, GEAR));
            }
            // The rim's lowest point is on the rail top.
            EXPECT_NEAR(rims[2 * w]->origin().y - 1.0 - 0.1, 0.6, 1e-6);
        }
        const auto boxes = wireBoxes(d);
        ASSERT_EQ(boxes.size(), 50u);
        for (int k : {24, 49})
            EXPECT_BOUNDS(boxes[k].bounds, -1.4, 1.3, base, 1.4, 3.0, base + 5.0, 1e-5);
        EXPECT_EQ(d.withColor(GEAR).size(), d.primitives.size());
    }
}

TEST_F(RunningGear, WheelsSpinAboutTheAxleSoTheirTopsRollTowardPlusZ)
{
    // A spoke's centre lies 0.65 out along its direction and 0.05 to its -y side.
    // At 0 the first spoke of every wheel points back along -z (its -y side is world -y).
    angulo_tren = 0;
    const Drawing rest = capture([] { eje(0); });
    const Vec3 hub{1.5, 1.7, 1.25};
    Vec3 c = centre(rest.primitives[0]);
    EXPECT_NEAR(c.z - hub.z, -0.65, 1e-5);
    EXPECT_NEAR(c.y - hub.y, -0.05, 1e-5);

    // A quarter turn stands it upright, its -y side now toward world -z.
    angulo_tren = 90;
    c = centre(capture([] { eje(0); }).primitives[0]);
    EXPECT_NEAR(c.y - hub.y, 0.65, 1e-5);
    EXPECT_NEAR(c.z - hub.z, -0.05, 1e-5);

    // Ten degrees carry the spoke that points up at rest forward, toward +z.
    angulo_tren = 10;
    const Drawing turned = capture([] { eje(0); });
    const double a = 10.0 * M_PI / 180.0;
    const Vec3 up = centre(turned.primitives[3 * 3]);
    EXPECT_NEAR(up.y - hub.y, 0.65 * std::cos(a) + 0.05 * std::sin(a), 1e-5);
    EXPECT_NEAR(up.z - hub.z, 0.65 * std::sin(a) - 0.05 * std::cos(a), 1e-5);
    EXPECT_GT(up.z - hub.z, 0.06);
    EXPECT_TRUE(near(direction(turned.shapesOf(ShapeKind::WireTorus)[0]->modelview, {1, 0, 0}),
                     {0.0, std::sin(10.0 * M_PI / 180.0), -std::cos(10.0 * M_PI / 180.0)}, 1e-6));

    // A full turn looks as none; the value is used as it is, not reduced.
    angulo_tren = 360;
    EXPECT_EQ(firstDifference(rest, capture([] { eje(0); }), {}, 1e-5), -1);
}

TEST_F(CarSide, HalfSideIsALowerPanelAndThreePillars)
{
    const Drawing d = capture(MedioLateralTren);
    EXPECT_EQ(d.boxes, 4);
    const auto boxes = wireBoxes(d);
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_BOUNDS(boxes[0].bounds, 0.0, 0.0, 0.0, 0.2, 1.0, 8.0, 1e-6);
    EXPECT_BOUNDS(boxes[1].bounds, 0.0, 1.0, 0.0, 0.2, 3.0, 0.5, 1e-6);
    EXPECT_BOUNDS(boxes[2].bounds, 0.0, 1.0, 3.75, 0.2, 3.0, 4.25, 1e-6);
    EXPECT_BOUNDS(boxes[3].bounds, 0.0, 1.0, 7.5, 0.2, 3.0, 8.0, 1e-6);
    // The panel's grid: one line at y = 0 along it, eight upright lines z = 0 to 7, in the plane x = 0.
    EXPECT_EQ(d.primitives.size(), 4u * 3u + 1u + 8u);
    EXPECT_TRUE(d.balanced);
}

TEST_F(CarSide, DoorLeafIsFilledAroundItsWindow)
{
    const Drawing d = capture(puertaTren);
    EXPECT_EQ(d.boxes, 0);
    ASSERT_EQ(d.count(GL_QUADS), 4);
    EXPECT_EQ(d.primitives.size(), 4u);
    EXPECT_BOUNDS(d.bounds(), 0.0, 0.0, 0.0, 0.1, 3.0, 1.0, 1e-6);
    // The window, y 1 to 2.9 and z 0.1 to 0.9, is left open.
    for (const auto& p : d.primitives) {
        const Bounds b = boundsOf(p);
        const bool overlapsY = b.max.y > 1.0 + 1e-6 && b.min.y < 2.9 - 1e-6;
        const bool overlapsZ = b.max.z > 0.1 + 1e-6 && b.min.z < 0.9 - 1e-6;
        EXPECT_FALSE(overlapsY && overlapsZ);
    }
}

TEST_F(CarSide, SideCountsNineBoxesAndLeavesTheColourBlue)
{
    const Drawing d = capture([] {
        glColor3f(0.0f, 0.0f, 1.0f);
        lateralTren();
    });
    EXPECT_DRAWING(d, 9, BODY);
    // The panels take the caller's colour; only the leaves are yellow.
    const auto panels = wireBoxes(d, BODY);
    ASSERT_EQ(panels.size(), 9u);
    EXPECT_BOUNDS(panels[0].bounds, 0.0, 3.0, 0.0, 0.2, 4.0, 18.0, 1e-6);  // band over the windows
    EXPECT_BOUNDS(d.boundsOfColor(BODY), 0.0, 0.0, 0.0, 0.2, 4.0, 18.0, 1e-6);
    EXPECT_EQ(d.withColor(DOOR).size(), 8u);
}

TEST_F(CarSide, DoorsFillTheOpeningThenStepOutBeforeSlidingInFrontOfThePanels)
{
    // Closed in the plane of the side, stepped out, then slid apart in front of the panels.
    const struct { int step; double x, z0, z1; } stands[] = {
        {0, 0.0, 8.0, 9.0}, {3, -0.3, 8.0, 9.0}, {10, -0.3, 7.3, 9.7}};
    for (const auto& s : stands) {
        const auto leaves = doorLeaves(sideWithDoorsAt(s.step));
        ASSERT_EQ(leaves.size(), 2u);
        EXPECT_BOUNDS(leaves[0], s.x, 0.0, s.z0, s.x + 0.1, 3.0, s.z0 + 1.0, 1e-6);
        EXPECT_BOUNDS(leaves[1], s.x, 0.0, s.z1, s.x + 0.1, 3.0, s.z1 + 1.0, 1e-6);
    }
}

TEST_F(CarSide, DoorStepOutsideTheTablesIsClampedToClosedOrOpen)
{
    const auto below = doorLeaves(sideWithDoorsAt(-4));
    const auto closed = doorLeaves(sideWithDoorsAt(0));
    const auto above = doorLeaves(sideWithDoorsAt(15));
    const auto open = doorLeaves(sideWithDoorsAt(10));
    ASSERT_EQ(below.size(), 2u);
    ASSERT_EQ(above.size(), 2u);
    for (size_t i = 0; i < 2; i++) {
        EXPECT_TRUE(near(below[i].min, closed[i].min, 0.0) && near(below[i].max, closed[i].max, 0.0));
        EXPECT_TRUE(near(above[i].min, open[i].min, 0.0) && near(above[i].max, open[i].max, 0.0));
    }
}
