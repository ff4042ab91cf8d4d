// The whole train: where its cars, doors, seats, gangway, pantograph and cabins
// stand in train space, how it travels along +z with angulo_tren, the ball that
// rides in the second car, the colours and box counts; and the railway drawn in
// its place in the world's composition.
#include "models/railway_town/train.h"

#include "glrec/scene_queries.h"
#include "models/railway_town/track_catenary.h"
#include "support/test_support.h"

#include <cmath>
#include <map>

using namespace glrec;

namespace {

const Color BODY{0.0f, 0.0f, 1.0f}, SEAT{0.0f, 1.0f, 0.0f}, WHITE{1.0f, 1.0f, 1.0f}, RED{1.0f, 0.0f, 0.0f},
    RAIL{0.3f, 0.3f, 0.3f}, GEAR{0.7f, 0.7f, 0.7f};

using Train = support::FreshScene;
using TrainParts = support::FreshScene;
using RailwayInTheWorld = support::FreshScene;

// The cabin panels: blue loops of four standing the full 4.4 from the floor slab's underside.
Batches cabinPanels(const Drawing& d, double shift = 0.0)
{
    return d.where([shift](const Primitive& p) {
        const Bounds b = boundsOf(p);
        return p.mode == GL_LINE_LOOP && p.vertices.size() == 4 && near(p.color, BODY) &&
               std::fabs(b.min.y - 3.0) < 1e-5 && std::fabs(b.max.y - 7.4) < 1e-5 &&
               (b.max.z < shift - 0.5 + 1e-4 || b.min.z > shift + 36.5 - 1e-4);
    });
}

// The seats' side profiles: green loops of eight.
Batches seatProfiles(const Drawing& d)
{
    return d.where(
        [](const Primitive& p) { return p.mode == GL_LINE_LOOP && p.vertices.size() == 8 && near(p.color, SEAT); });
}

}  // namespace

TEST_F(TrainParts, SeatIsTwoProfilesJoinedOnTwoLegs)
{
    const Drawing d = capture(asiento);
    EXPECT_EQ(d.boxes, 2);
    EXPECT_TRUE(d.balanced);
    // Profiles at x = 0 and 1, the backrest rising to 0.75 in the middle; the joining lines; legs.
    ASSERT_EQ(d.primitives.size(), 3u + 6u);
    EXPECT_EQ(d.primitives[2].vertices.size(), 16u);
    const auto legs = wireBoxes(d);
    ASSERT_EQ(legs.size(), 2u);
    for (int k = 0; k < 2; k++) {
        EXPECT_BOUNDS(boundsOf(d.primitives[k]), k, 0.25, 0.0, k, 0.75, 1.0, 1e-6);
        EXPECT_BOUNDS(legs[k].bounds, 0.15 + 0.7 * k, 0.0, 0.4, 0.2 + 0.7 * k, 0.25, 0.65, 1e-6);
    }
}

TEST_F(TrainParts, CarCountsItsBoxesAndLeavesTheColourBlue)
{
    const Drawing car = capture(vagon);
    EXPECT_DRAWING(car, 186, BODY);
    EXPECT_EQ(car.shapesOf(ShapeKind::WireTorus).size(), 24u);
    EXPECT_EQ(car.count(GL_QUADS), 16);
    // The shell: floor, sides and roof from x -2.5 to 2.5, y 3 to 7.4, z -0.5 to 17.5.
    EXPECT_BOUNDS(car.boundsOfColor(BODY), -2.5, 3.0, -0.5, 2.5, 7.4, 17.5, 1e-5);

    EXPECT_EQ(capture(asientosVagon).boxes, 16);
    const Drawing pantograph = capture([] {
        glColor3f(1.0f, 0.0f, 0.0f);
        antena();
    });
    EXPECT_EQ(pantograph.boxes, 6);
    EXPECT_EQ(pantograph.withColor(RED).size(), pantograph.primitives.size());
    EXPECT_TRUE(pantograph.balanced);
}

TEST_F(TrainParts, CabinIsFivePanelsClosingTheEndInTheCurrentColour)
{
    const Drawing d = capture([] {
        glColor3f(1.0f, 0.0f, 0.0f);
        cabina();
    });
    EXPECT_EQ(d.boxes, 0);
    ASSERT_EQ(d.primitives.size(), 5u);
    EXPECT_EQ(d.withColor(RED).size(), 5u);
    const Vec3 plan[6] = {{-2.5, 0, 0},       {-2, 0, -1.3737}, {-1, 0, -1.951},
                          {1, 0, -1.951},     {2, 0, -1.3737},  {2.5, 0, 0}};
    // The three panels of the -x half run from left to right, the two of the +x
    // half from right to left; together they join the six points in plan.
    for (int k = 0; k < 5; k++) {
        const auto& v = d.primitives[k].vertices;
        ASSERT_EQ(v.size(), 4u);
        const Vec3& from = k < 3 ? plan[k] : plan[k + 1];
        const Vec3& to = k < 3 ? plan[k + 1] : plan[k];
        EXPECT_TRUE(near(v[0].world, from, 1e-4)) << "panel " << k << " start";
        EXPECT_TRUE(near(v[1].world, to, 1e-4)) << "panel " << k << " end";
        EXPECT_NEAR(v[2].world.y, 4.4, 1e-6);
        EXPECT_NEAR(v[3].world.y, 4.4, 1e-6);
    }
    EXPECT_TRUE(d.balanced);
}

TEST_F(TrainParts, GangwayIsSevenPairsOfCrossedWhiteRings)
{
    const Drawing d = capture([] {
        glColor3f(1.0f, 0.0f, 0.0f);
        acordeon();
    });
    EXPECT_EQ(d.boxes, 0);
    ASSERT_EQ(d.primitives.size(), 56u);
    EXPECT_EQ(d.withColor(WHITE).size(), 56u);
    EXPECT_TRUE(near(d.finalColor, WHITE));
    const double tilt = 0.1 * std::sqrt(0.5);
    EXPECT_BOUNDS(d.bounds(), -2.0, 3.2, 17.5 - tilt, 2.0, 7.2, 18.34 + tilt, 1e-5);
    // Each strip starts on its ring's plane; eight strips on each of the seven planes.
    std::map<long, int> planes;
    for (const auto& p : d.primitives)
        planes[std::lround(p.vertices[0].world.z * 100.0)]++;
    ASSERT_EQ(planes.size(), 7u);
    long z = 1750;
    for (const auto& [at, strips] : planes) {
        EXPECT_EQ(at, z);
        EXPECT_EQ(strips, 8);
        z += 14;
    }
    EXPECT_TRUE(d.balanced);
}

TEST_F(Train, CountsItsBoxesAndLeavesBlueAndLineWidthOne)
{
    const Drawing d = capture(tren);
    EXPECT_DRAWING(d, 378, BODY);
    EXPECT_EQ(d.count(GL_QUADS), 32);
    EXPECT_EQ(d.shapesOf(ShapeKind::WireTorus).size(), 48u);
    for (const auto& p : d.primitives)
        EXPECT_EQ(p.lineWidth, 1.0f);
}

TEST_F(Train, StandsOnTheTrackBetweenItsTwoCabinNoses)
{
    const Drawing d = capture(tren);
    // Doors open (the default): they stand 0.3 out on either side.
    EXPECT_BOUNDS(d.bounds(), -2.8, 0.8, -2.451, 2.8, 9.5, 38.451, 2e-3);
    EXPECT_BOUNDS(d.boundsOfColor(BODY), -2.5, 3.0, -2.451, 2.5, 7.4, 38.451, 2e-3);

    // The rims run on the rails' centre lines with their lowest point on the rail top.
    const Drawing track = capture(vias_tren);
    const double railTop = wireBoxes(track, RAIL)[0].bounds.max.y;
    const double bogieAxles[6] = {1.25, 3.75, 7.25, 9.75, 13.25, 15.75};
    int rims = 0;
    for (const auto* t : d.shapesOf(ShapeKind::WireTorus)) {
        if (t->size[1] != 1.0)
            continue;
        const Vec3 c = t->origin();
        EXPECT_NEAR(std::fabs(c.x), 1.5, 1e-6);
        EXPECT_NEAR(c.y - 1.1, railTop, 1e-6);
        const double along = c.z < 18.0 ? c.z : c.z - 19.0;
        EXPECT_NEAR(along, bogieAxles[(rims / 2) % 6], 1e-5);
        EXPECT_TRUE(near(t->color, GEAR));
        rims++;
    }
    EXPECT_EQ(rims, 24);

    // The closed train is 5 wide.
    movpuerta = 0;
    EXPECT_BOUNDS(capture(tren).bounds(), -2.5, 0.8, -2.451, 2.5, 9.5, 38.451, 2e-3);
}

TEST_F(Train, CabinsCloseBothFreeEndsWithTheirNosesOut)
{
    const Drawing d = capture(tren);
    const auto panels = cabinPanels(d);
    ASSERT_EQ(panels.size(), 10u);
    EXPECT_TRUE(near(panels[0]->vertices[0].world, {-2.5, 3.0, -0.5}, 1e-5));
    EXPECT_TRUE(near(panels[4]->vertices[0].world, {2.5, 3.0, -0.5}, 1e-5));
    EXPECT_TRUE(near(panels[5]->vertices[0].world, {2.5, 3.0, 36.5}, 1e-5));
    EXPECT_TRUE(near(panels[9]->vertices[0].world, {-2.5, 3.0, 36.5}, 1e-5));
    EXPECT_NEAR(boundsOf(*panels[2]).min.z, -2.451, 1e-4);
    EXPECT_NEAR(boundsOf(*panels[7]).max.z, 38.451, 1e-4);
    // The last ten batches, after both cars, in the colour the second car left.
    EXPECT_EQ(panels[0], &d.primitives[d.primitives.size() - 10]);
}

TEST_F(Train, SeatsLeaveTheAisleAndTheDoorwaysFree)
{
    const Drawing d = capture(tren);
    const auto profiles = seatProfiles(d);
    ASSERT_EQ(profiles.size(), 32u);   // two per seat, eight seats a car
    const double rows[2] = {0.5, -2.3};
    const double starts[4] = {0.5, 4.5, 10.5, 14.5};
    for (int car = 0; car < 2; car++) {
        for (int row = 0; row < 2; row++) {
            for (int s = 0; s < 4; s++) {
                const int seat = car * 8 + row * 4 + s;
                const Bounds b = boundsOf({profiles[2 * seat], profiles[2 * seat + 1]});
                const double z = starts[s] + 19.0 * car;
                EXPECT_BOUNDS(b, rows[row], 3.9, z, rows[row] + 1.8, 4.9, z + 2.0, 1e-5);
                const double door = 7.5 + 19.0 * car;
                EXPECT_TRUE(b.max.z <= door + 1e-6 || b.min.z >= door + 2.0 - 1e-6);
            }
        }
    }
    // The legs stand on the floor's top.
    const auto greenBoxes = wireBoxes(d, SEAT);
    int legs = 0;
    for (const auto& b : greenBoxes)
        legs += std::fabs(b.bounds.min.y - 3.4) < 1e-5 && b.bounds.max.y < 3.91;
    EXPECT_EQ(legs, 32);
}

TEST_F(Train, DoorsOpenAtTheSamePlaceOnBothSidesOfEachCar)
{
    movpuerta = 0;
    const Drawing closed = capture(tren);
    movpuerta = 10;
    const Drawing open = capture(tren);
    for (int car = 0; car < 2; car++) {
        const double z = 7.5 + 19.0 * car;
        for (const double side : {-1.0, 1.0}) {
            const auto leaf = [&](const Drawing& d, double z0, double z1) {
                return d.boundsWhere([&](const Primitive& p) {
                    const Bounds b = boundsOf(p);
                    return p.mode == GL_QUADS && b.min.x * side > 0 && b.min.z >= z0 - 1e-4 &&
                           b.max.z <= z1 + 1e-4;
                });
            };
            const double x0 = side < 0 ? -2.5 : 2.4;
            // Closed in the doorway; open, 0.3 out and slid 0.7 apart.
            const struct { const Drawing* d; double z0, out; } leaves[] = {
                {&closed, z, 0.0}, {&closed, z + 1.0, 0.0}, {&open, z - 0.7, 0.3}, {&open, z + 1.7, 0.3}};
            for (const auto& l : leaves)
                EXPECT_BOUNDS(leaf(*l.d, l.z0, l.z0 + 1.0), x0 + l.out * side, 3.4, l.z0, x0 + 0.1 + l.out * side, 6.4,
                              l.z0 + 1.0, 1e-4);
        }
    }
}

TEST_F(Train, PantographRidesOnTheFirstCarOnlyJustUnderTheWire)
{
    const Drawing d = capture(tren);
    const auto onRoof = [](const Primitive& p) { return near(p.color, SEAT) && boundsOf(p).min.y > 7.1; };
    // The base spans z 10 to 13; the upper arms, tilted back, reach 0.1 x sin 30 behind it.
    EXPECT_BOUNDS(d.boundsWhere(onRoof), -1.5, 7.2, 10.0 - 0.05, 1.5, 9.5, 13.0, 1e-4);
    int parts = 0;
    for (const auto& b : wireBoxes(d, SEAT))
        parts += b.bounds.min.y > 7.1;
    EXPECT_EQ(parts, 6);
    // The collector bar sits 0.1 below the catenary's lower wire, at 9.6.
    EXPECT_LT(9.6 - d.boundsWhere(onRoof).max.y, 0.1 + 1e-5);
}

TEST_F(Train, TravelsAlongPlusZAsItsAngleGrows)
{
    angulo_tren = 100;
    EXPECT_BOUNDS(capture(tren).boundsOfColor(BODY), -2.5, 3.0, -0.451, 2.5, 7.4, 40.451, 2e-3);

    // A whole turn of the wheels: the same picture, 7.2 further along.
    angulo_tren = 0;
    const Drawing rest = capture(tren);
    angulo_tren = 360;
    const Drawing moved = capture(tren);
    EXPECT_EQ(firstDifference(rest, moved, {0, 0, 7.2}, 1e-4), -1);
    const auto restWheels = rest.shapesOf(ShapeKind::WireTorus);
    const auto movedWheels = moved.shapesOf(ShapeKind::WireTorus);
    for (size_t i = 0; i < restWheels.size(); i++) {
        const Vec3 o = restWheels[i]->origin();
        EXPECT_TRUE(near(movedWheels[i]->origin(), {o.x, o.y, o.z + 7.2}, 1e-4));
    }
}

TEST_F(Train, BallRidesInTheSecondCarOnlyWhileItHasLandedThere)
{
    angulo_tren = 250;   // 5 along the line
    estado_balon = 1;
    const Drawing d = capture(tren);
    const auto balls = d.shapesOf(ShapeKind::WireSphere);
    ASSERT_EQ(balls.size(), 1u);
    EXPECT_EQ(balls[0]->size[0], 0.2);
    EXPECT_EQ(balls[0]->count, (std::array<int, 2>{10, 10}));
    EXPECT_TRUE(near(balls[0]->color, WHITE));
    EXPECT_TRUE(near(balls[0]->origin(), {0.0, 3.6, 27.0}, 1e-5));
    // On the floor's top, in the aisle of the second car (z 23.5 to 41.5 here).
    EXPECT_NEAR(balls[0]->origin().y - 0.2, 3.4, 1e-6);
    EXPECT_GT(balls[0]->origin().z, 23.5);
    EXPECT_LT(balls[0]->origin().z, 41.5);
    EXPECT_EQ(d.boxes, 378);

    for (const char elsewhere : {0, 2}) {
        estado_balon = elsewhere;
        const Drawing without = capture(tren);
        EXPECT_TRUE(without.shapesOf(ShapeKind::WireSphere).empty()) << "estado_balon " << int(elsewhere);
    }
}

TEST_F(RailwayInTheWorld, CatenaryTrackAndTrainAreDrawnInOrderAtTheWorldOrigin)
{
    angulo_tren = 500;   // 10 along the line
    estado_balon = 1;
    const Drawing d = worldFrame();
    EXPECT_TRUE(d.balanced);

    const auto boxes = wireBoxes(d);
    const WireBox* mast = nullptr;
    const WireBox* rail = nullptr;
    for (const auto& b : boxes) {
        if (!mast && near(b.bounds.min, {-3.5, 0.0, 0.0}, 1e-6) && near(b.bounds.max, {-3.4, 12.0, 0.2}, 1e-6))
            mast = &b;
        if (!rail && near(b.color, RAIL) && near(b.bounds.min, {-1.6, 0.2, 0.0}, 1e-6) &&
            near(b.bounds.max, {-1.4, 0.6, 500.0}, 1e-6))
            rail = &b;
    }
    ASSERT_NE(mast, nullptr);
    ASSERT_NE(rail, nullptr);
    EXPECT_TRUE(near(mast->color, WHITE)) << "the catenary takes the white set just before it";

    const auto panels = cabinPanels(d, 10.0);
    ASSERT_EQ(panels.size(), 10u);
    EXPECT_NEAR(boundsOf(*panels[2]).min.z, 10.0 - 2.451, 1e-4);
    EXPECT_LT(d.primitives[mast->first].sequence, d.primitives[rail->first].sequence);
    EXPECT_LT(d.primitives[rail->first].sequence, panels[0]->sequence);

    // The ball is drawn once, by the train, in its second car.
    const auto balls = d.shapesOf(ShapeKind::WireSphere);
    int inTrain = 0;
    for (const auto* b : balls)
        inTrain += near(b->origin(), {0.0, 3.6, 32.0}, 1e-4) && b->size[0] == 0.2;
    EXPECT_EQ(inTrain, 1);
}
