// The car: body and doors, wheels that roll, tilt into rotors and spin, colours
// and line widths left current, boxes, and where the composition puts the car
// for each of its states, its wheels on the looping's track.
#include "glrec/scene_queries.h"
#include "models/sports_vehicles/car.h"
#include "scene/composition.h"
#include "support/test_support.h"

#include <cmath>

using namespace glrec;

namespace {

const Color PINK{1.0f, 0.0f, 0.4f};
constexpr double PI = 3.14159265358979323846;

// The car's tyres: wire tori of ring radius 0.5 in the car's pink.
std::vector<const Shape*> tyres(const Drawing& d)
{
    std::vector<const Shape*> r;
    for (const auto* s : d.shapesOf(ShapeKind::WireTorus))
        if (near(s->color, PINK) && s->size[1] == 0.5)
            r.push_back(s);
    return r;
}
std::vector<const Shape*> tyres(Drawing&&) = delete;  // would point into a temporary

// Body and doors: the batches drawn with line width 2.
Batches body(const Drawing& d)
{
    return d.where([](const Primitive& p) { return near(p.color, PINK) && p.lineWidth == 2.0f; });
}

// The first spoke of each wheel: the bottom loop of every twelfth width-1 box; one
// a wheel, or the test fails.
Batches firstSpokes(const Drawing& d)
{
    const auto loops = d.where(
        [](const Primitive& p) { return near(p.color, PINK) && p.lineWidth == 1.0f && p.mode == GL_LINE_LOOP; });
    Batches r;
    for (size_t i = 0; i < loops.size(); i += 24)  // two loops per spoke, twelve spokes
        r.push_back(loops[i]);
    EXPECT_EQ(r.size(), 4u) << "first spokes, one a wheel";
    return r;
}

using Car = support::FreshScene;
using CarInTheWorld = support::FreshScene;

}  // namespace

// ---- the model ----

TEST_F(Car, StandsOnItsFourWheelsInPinkAndLeavesWidthOne)
{
    const Drawing d = capture(coche);
    EXPECT_DRAWING(d, 48, PINK);  // twelve spokes a wheel
    EXPECT_EQ(d.withColor(PINK).size(), d.primitives.size());

    EXPECT_BOUNDS(boundsOf(body(d)), 0, 0, -2, 4, 1.5, 0, 1e-5);

    const auto t = tyres(d);
    ASSERT_EQ(t.size(), 4u);
    const Vec3 hubs[4] = {{0, 0, 0}, {0, 0, -2}, {3, 0, 0}, {3, 0, -2}};
    for (int i = 0; i < 4; i++) {
        EXPECT_TRUE(near(t[i]->origin(), hubs[i], 1e-6)) << "wheel " << i;
        EXPECT_DOUBLE_EQ(t[i]->size[0], 0.05);
        EXPECT_EQ(t[i]->count[0], 20);
        EXPECT_FLOAT_EQ(t[i]->lineWidth, 1.0f);
        // Upright, axle across the car; the tube stretched to 0.3 wide along it.
        EXPECT_TRUE(near(direction(t[i]->modelview, {0, 0, 1}), {0, 0, 3}, 1e-6));
    }
    const auto hubsDrawn = d.shapesOf(ShapeKind::WireSphere);
    ASSERT_EQ(hubsDrawn.size(), 4u);
    EXPECT_DOUBLE_EQ(hubsDrawn[0]->size[0], 0.2);
    EXPECT_TRUE(near(direction(hubsDrawn[0]->modelview, {0, 0, 1}), {0, 0, 0.3}, 1e-6));
}

TEST_F(Car, SpokesRunFromTheHubToTheTyreAndRollWithTheDistance)
{
    Drawing d = capture(coche);
    for (const auto* s : firstSpokes(d)) {
        // Spoke 0 at rest points along +x, from radius 0.2 out to 0.475.
        EXPECT_TRUE(near(direction(s->modelview, {1, 0, 0}), {1, 0, 0}, 1e-6));
        const Vec3 root = math::transformPoint(s->modelview, {0, 0.01, 0.05});
        const Vec3 tip = math::transformPoint(s->modelview, {0.275, 0.01, 0.05});
        const Vec3 hub = math::transformPoint(s->modelview, {-0.2, 0.01, 0.05});
        EXPECT_NEAR(std::hypot(root.x - hub.x, root.y - hub.y), 0.2, 1e-6);
        EXPECT_NEAR(std::hypot(tip.x - hub.x, tip.y - hub.y), 0.475, 1e-6);
    }

    // A quarter turn's distance with the 57.296 factor: forward, the wheels turn clockwise seen from +z.
    for (const float sign : {1.0f, -1.0f}) {
        mov_coche = sign * (90.0f * 0.55f / 57.296f);
        d = capture(coche);
        for (const auto* s : firstSpokes(d))
            EXPECT_TRUE(near(direction(s->modelview, {1, 0, 0}), {0, -sign, 0}, 1e-5));
    }
}

TEST_F(Car, WheelsTiltOutwardIntoRotorsAndSpinAboutTheirOwnAxles)
{
    angulo_helice_coche = -90;
    for (int spin : {0, 45, 4000}) {
        angulo_rueda_coche = spin;
        const Drawing d = capture(coche);
        const auto t = tyres(d);
        ASSERT_EQ(t.size(), 4u);
        for (int i = 0; i < 4; i++) {
            // Horizontal wheels with vertical axles, hubs where they were.
            const Vec3 axle = direction(t[i]->modelview, {0, 0, 1});
            EXPECT_NEAR(std::fabs(axle.y), 3.0, 1e-5) << "wheel " << i;
            EXPECT_TRUE(near(t[i]->origin(), {i < 2 ? 0.0 : 3.0, 0.0, i % 2 ? -2.0 : 0.0}, 1e-6));
            // Unspun, the wheel's top has gone outward: +z on the z = 0 side, -z on the other.
            if (spin == 0) {
                EXPECT_TRUE(near(direction(t[i]->modelview, {0, 1, 0}), {0, 0, i % 2 ? -1.0 : 1.0}, 1e-5)) << i;
            }
        }
        for (const auto* s : firstSpokes(d))
            EXPECT_NEAR(direction(s->modelview, {1, 0, 0}).y, 0.0, 1e-5);  // blades stay level
    }
}

TEST_F(Car, DoorsSwingOutwardOnTheirLowerHingeWhileTheOpeningStays)
{
    // Closed: each panel lies on its fixed outline.
    Drawing d = capture(puertaCoche);
    ASSERT_EQ(d.primitives.size(), 3u);
    for (int k = 0; k < 6; k++)
        EXPECT_TRUE(near(d.primitives[0].vertices[k].world, d.primitives[1].vertices[k].world, 1e-6));

    movpuertacoche = 90;
    d = capture(coche);
    const auto b = body(d);
    ASSERT_EQ(b.size(), 4u + 6u);   // two profiles, two line batches, three per door
    // Door of the z = 0 side: the outline stays, the panel lies flat sticking out to +z.
    EXPECT_BOUNDS(boundsOf({b[4]}), 0.75, 0.1, -0.35, 2.25, 1.4, 0, 1e-5);
    EXPECT_BOUNDS(boundsOf({b[5], b[6]}), 0.75, 0.1, 0, 2.25, 0.45, 1.3, 1e-5);
    // Door of the z = -2 side: the same, out to -z.
    EXPECT_BOUNDS(boundsOf({b[7]}), 0.75, 0.1, -2, 2.25, 1.4, -1.65, 1e-5);
    EXPECT_BOUNDS(boundsOf({b[8], b[9]}), 0.75, 0.1, -3.3, 2.25, 0.45, -2, 1e-5);
    // The sill belongs to the panel: lying flat, 0.8 out from the hinge.
    EXPECT_NEAR(b[6]->vertices[0].world.z, 0.8, 1e-6);
    EXPECT_NEAR(b[9]->vertices[0].world.z, -2.8, 1e-6);
}

// ---- placed by the composition ----

TEST_F(CarInTheWorld, WheelsRunOnTheLoopingTrackAllTheWayRound)
{
    // The looping's centre line and track radius, as the road places it.
    const double cx = 53.06, cy = 10.259, track = 9.659;
    mov_coche = 83.0f;   // the pivot over the looping
    for (int a : {0, 6, 12, 18}) {
        angulo_coche = static_cast<float>(a);
        const Drawing d = worldFrame();
        EXPECT_TRUE(d.balanced);
        const auto t = tyres(d);
        ASSERT_EQ(t.size(), 4u) << "angle " << a;
        const double th = 15.0 * a * PI / 180.0;
        const Vec3 down{std::sin(th), -std::cos(th), 0.0};   // towards the track
        const Vec3 along{std::cos(th), std::sin(th), 0.0};   // direction of travel
        const double zs[4] = {0, -2, 0, -2}, xs[4] = {-1.5, -1.5, 1.5, 1.5};
        for (int i = 0; i < 4; i++) {
            const Vec3 o = t[i]->origin();
            // Hub 9.109 from the pivot toward the track, so the tyre's rim touches it.
            const double fromPivot = (o.x - 53.0) * down.x + (o.y - cy) * down.y;
            EXPECT_NEAR(fromPivot + 0.55, track, 1e-4) << "angle " << a << " wheel " << i;
            EXPECT_NEAR((o.x - 53.0) * along.x + (o.y - cy) * along.y, xs[i], 1e-4);
            // Measured from the looping's own centre the rim is within the 0.06 by which
            // the pivot (mov_coche - 30) falls short of it.
            const double fromCentre = (o.x - cx) * down.x + (o.y - cy) * down.y;
            EXPECT_NEAR(fromCentre + 0.55, track, 0.0601);
            // Drifting across the road by 0.5 a step, as the track does.
            EXPECT_NEAR(o.z, 407.0 + 0.5 * a + zs[i], 1e-4);
        }
    }
}

TEST_F(CarInTheWorld, OnTheRoadItsTyresStandOnTheSurface)
{
    const Drawing d = worldFrame();
    const auto t = tyres(d);
    ASSERT_EQ(t.size(), 4u);
    EXPECT_TRUE(near(t[0]->origin(), {-31.5, 1.15, 407.0}, 1e-4));
    EXPECT_NEAR(t[0]->origin().y - 0.55, 0.6, 1e-4);   // the road's surface
    EXPECT_BOUNDS(boundsOf(body(d)), -31.5, 1.15, 405, -27.5, 2.65, 407, 1e-4);
}

TEST_F(CarInTheWorld, FallingNoseDownAtHalfSizeBesideTheIsland)
{
    estado_coche = 1;
    mov_coche = 20.0f;
    cocheZ = 439.6f;
    const Drawing d = worldFrame();
    EXPECT_TRUE(d.balanced);
    // Length along -y, height along -x, width along +z, all halved.
    EXPECT_BOUNDS(boundsOf(body(d)), 1310.25, 18.0, 439.6, 1311.0, 20.0, 440.6, 1e-4);
    const auto t = tyres(d);
    ASSERT_EQ(t.size(), 4u);
    EXPECT_TRUE(near(t[0]->origin(), {1311.0, 20.0, 439.6}, 1e-4));
    EXPECT_TRUE(near(t[2]->origin(), {1311.0, 18.5, 439.6}, 1e-4));
}

TEST_F(CarInTheWorld, LyingOnTheIslandEdgeTurnedAcrossIt)
{
    estado_coche = 2;
    cocheZ = 439.6f;
    const Drawing d = worldFrame();
    EXPECT_TRUE(d.balanced);
    const auto t = tyres(d);
    ASSERT_EQ(t.size(), 4u);
    EXPECT_TRUE(near(t[0]->origin(), {1309.5, -6.0, 439.6}, 1e-4));
    EXPECT_TRUE(near(t[2]->origin(), {1309.5, -6.0, 438.1}, 1e-4));   // nose toward -z
    // Tipped by 15 degrees about its length: the far side lies lower.
    EXPECT_NEAR(t[1]->origin().y, -6.0 - std::sin(15.0 * PI / 180.0), 1e-4);
    EXPECT_NEAR(t[1]->origin().x, 1309.5 - std::cos(15.0 * PI / 180.0), 1e-4);
}

TEST_F(CarInTheWorld, HeldByTheCraneItIsNotDrawnHere)
{
    for (char state : {char(3), char(4)}) {
        estado_coche = state;
        const Drawing d = worldFrame();
        EXPECT_TRUE(d.withColor(PINK).empty());
        EXPECT_TRUE(tyres(d).empty());
    }
}

TEST_F(CarInTheWorld, IsPaintedAfterTheIslandAndBeforeTheFocusMarker)
{
    modo = 1;
    grua_visible = 1;
    const Drawing world = capture(display);
    const size_t car = capture(coche).primitives.size();
    const size_t marker = 6;   // two wire boxes
    ASSERT_GT(world.primitives.size(), car + marker);
    const size_t first = world.primitives.size() - marker - car;
    for (size_t i = first; i < first + car; i++)
        EXPECT_TRUE(near(world.primitives[i].color, PINK)) << i;
    // Just before it, the island's crane ends in its green.
    EXPECT_TRUE(near(world.primitives[first - 1].color, {0.5f, 0.8f, 0.0f}));
}
