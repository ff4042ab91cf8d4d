// The crane: its extent, wheels that roll with travel and heading, jacks stowed
// and swung out, feet up and down, the bed and the car on it, colours and line
// widths, boxes, and its place on the island.
#include "glrec/scene_queries.h"
#include "models/landscape/skyscraper_island.h"
#include "models/sports_vehicles/crane.h"
#include "support/test_support.h"

#include <cmath>

using namespace glrec;

namespace {

const Color GREEN{0.5f, 0.8f, 0.0f}, TYRE{0.5f, 0.5f, 0.5f}, STEEL{0.7f, 0.7f, 0.7f}, PINK{1.0f, 0.0f, 0.4f};
constexpr double PI = 3.14159265358979323846;

// The centre of each jack's foot: the steel batches come three to a foot.
std::vector<Vec3> feet(const Drawing& d)
{
    const auto steel = d.withColor(STEEL);
    EXPECT_EQ(steel.size(), 12u);
    std::vector<Vec3> r;
    for (size_t i = 0; i + 2 < steel.size(); i += 3) {
        const Bounds b = boundsOf({steel[i], steel[i + 1], steel[i + 2]});
        r.push_back({(b.min.x + b.max.x) / 2.0, b.min.y, (b.min.z + b.max.z) / 2.0});
    }
    return r;
}

// The bed: the last green box (three batches) of the crane.
Bounds bed(const Drawing& d)
{
    const auto green = d.withColor(GREEN);
    EXPECT_GE(green.size(), 3u);
    return boundsOf({green[green.size() - 3], green[green.size() - 2], green.back()});
}

// The car's wheels, on the bed.
std::vector<const Shape*> carWheels(const Drawing& d)
{
    std::vector<const Shape*> r;
    for (const auto* s : d.shapesOf(ShapeKind::WireTorus))
        if (near(s->color, PINK))
            r.push_back(s);
    return r;
}
std::vector<const Shape*> carWheels(Drawing&&) = delete;  // would point into a temporary

// The chassis' first corner: where the crane's origin went.
Vec3 craneOrigin(const Drawing& d)
{
    return d.withColor(GREEN).at(0)->vertices.at(0).world;
}

using Crane = support::FreshScene;

}  // namespace

// ---- the assembly ----

TEST_F(Crane, AtRestItsBodyFillsTheChassisCabAndStowedJacks)
{
    const Drawing d = capture(grua);
    // Chassis, cab, bumper, grille, two mirrors, four jacks of four boxes, bed; the arm's 11.
    EXPECT_DRAWING(d, 1 + 1 + 1 + 1 + 2 + 16 + 1 + 11, GREEN);
    // Everything green but the arm: bumper to chassis end, housings to cab roof, jack plates.
    EXPECT_BOUNDS(d.boundsOfColor(GREEN), -0.2, -0.35, -0.4, 6, 2, 2.4, 1e-5);
}

TEST_F(Crane, FourGreyWheelsStandJustOutsideTheChassisSides)
{
    const Drawing d = capture(grua);
    const auto tyres = d.shapesOf(ShapeKind::WireTorus);
    const auto hubs = d.shapesOf(ShapeKind::WireSphere);
    ASSERT_EQ(tyres.size(), 4u);
    ASSERT_EQ(hubs.size(), 4u);
    const Vec3 at[4] = {{0.6, -0.1, -0.15}, {0.6, -0.1, 2.15}, {5, -0.1, -0.15}, {5, -0.1, 2.15}};
    for (int i = 0; i < 4; i++) {
        EXPECT_TRUE(near(tyres[i]->origin(), at[i], 1e-6)) << i;
        EXPECT_TRUE(near(tyres[i]->color, TYRE));
        EXPECT_EQ(tyres[i]->count, (std::array<int, 2>{10, 20}));
        EXPECT_NEAR(tyres[i]->origin().y - tyres[i]->size[0] - tyres[i]->size[1], -0.65, 1e-6);
        EXPECT_TRUE(near(hubs[i]->origin(), at[i], 1e-6));
        EXPECT_TRUE(near(hubs[i]->color, STEEL));
        EXPECT_DOUBLE_EQ(hubs[i]->size[0], 0.45);
        EXPECT_TRUE(near(direction(hubs[i]->modelview, {0, 0, 1}), {0, 0, 0.2}, 1e-6));
    }
}

TEST_F(Crane, WheelsRollWithTravelAndHeadingTogether)
{
    auto spoke = [] {
        const Drawing d = capture(grua);
        return direction(d.shapesOf(ShapeKind::WireTorus).at(0)->modelview, {1, 0, 0});
    };
    const Vec3 rest = spoke();
    EXPECT_TRUE(near(rest, {1, 0, 0}, 1e-9));

    // +1 in x and -1 in z cancel.
    mov_gruaX = 1.0f;
    mov_gruaZ = -1.0f;
    EXPECT_TRUE(near(spoke(), rest, 1e-6));

    // Six units of distance per degree of heading, over the tyre radius, times 57.296.
    mov_gruaX = mov_gruaZ = 0.0f;
    angulo_grua = 1;
    const double a = -6.0 / 0.55 * 57.296 * PI / 180.0;
    EXPECT_TRUE(near(spoke(), {std::cos(a), std::sin(a), 0}, 1e-5));
}

TEST_F(Crane, CabHasItsWindowsDoorsAndMirrorsInGreenWithAThickMirrorArm)
{
    const Drawing d = capture(cabinaGrua);
    EXPECT_TRUE(d.balanced);
    EXPECT_EQ(d.boxes, 1 + 2 + 1 + 1);
    EXPECT_FLOAT_EQ(d.finalLineWidth, 1.0f);
    const auto thick = d.where([](const Primitive& p) { return p.lineWidth == 5.0f; });
    ASSERT_EQ(thick.size(), 2u);
    // Each arm runs forward and then in to its attachment point on a side face.
    EXPECT_TRUE(near(thick[0]->vertices.back().world, {0.05, 1.65, 0}, 1e-6));
    EXPECT_TRUE(near(thick[1]->vertices.back().world, {0.05, 1.65, 2}, 1e-6));
    EXPECT_TRUE(near(thick[0]->vertices[0].world, {0.15, 1.65, -0.2}, 1e-6));
    EXPECT_TRUE(near(thick[1]->vertices[0].world, {0.15, 1.65, 2.2}, 1e-6));
    for (const auto& p : d.primitives)
        EXPECT_TRUE(p.lineWidth == 5.0f || p.lineWidth == 1.0f);
    // Bumper and grille in front, mirrors standing out 0.3 from each side.
    EXPECT_BOUNDS(d.bounds(), -0.2, 0, -0.3, 1.2, 2, 2.3, 1e-5);
}

TEST_F(Crane, CabTakesTheGreenThatTheWheelsWouldHaveChanged)
{
    const Drawing d = capture(grua);
    // The last wheel leaves the steel colour; the cab box after it is green.
    const auto cab = d.where(
        [](const Primitive& p) { return near(p.vertices[0].world, {0, 0.5, 0}, 1e-9) && p.mode == GL_LINE_LOOP; });
    ASSERT_FALSE(cab.empty());
    EXPECT_TRUE(near(cab[0]->color, GREEN));
}

// ---- jacks ----

TEST_F(Crane, JacksLieAlongTheSidesStowedAndStandSquareAtMinusNinety)
{
    // Stowed (the default): the front beams point rearward, the rear ones forward, along
    // the sides. At -90: swung out square to the chassis, away from it.
    const struct { int angle; Vec3 at[4]; } poses[] = {
        {0, {{2.55, -0.5, 2.2}, {3.05, -0.5, 2.2}, {2.55, -0.5, -0.2}, {3.05, -0.5, -0.2}}},
        {-90, {{1.5, -0.5, 3.25}, {4.1, -0.5, 3.25}, {1.5, -0.5, -1.25}, {4.1, -0.5, -1.25}}}};
    for (const auto& pose : poses) {
        angulo_gato = pose.angle;
        const auto f = feet(capture(grua));
        ASSERT_EQ(f.size(), 4u);
        for (int i = 0; i < 4; i++)
            EXPECT_TRUE(near(f[i], pose.at[i], 1e-5)) << "jack " << i << " at " << pose.angle;
    }

    // Beyond -90 the front pair splays forward, the rear pair rearward.
    angulo_gato = -120;
    const auto f = feet(capture(grua));
    EXPECT_LT(f[0].x, 1.5);
    EXPECT_GT(f[1].x, 4.1);
    EXPECT_LT(f[2].x, 1.5);
    EXPECT_GT(f[3].x, 4.1);
}

TEST_F(Crane, FeetHangAboveTheWheelsUntilLoweredPastThem)
{
    std::vector<Vec3> f = feet(capture(grua));
    for (const auto& p : f)
        EXPECT_NEAR(p.y, -0.5, 1e-6);   // 0.5 under the chassis, above the tyres' -0.65
    movgato = -0.4f;
    f = feet(capture(grua));
    for (const auto& p : f)
        EXPECT_NEAR(p.y, -0.9, 1e-6);
}

// ---- the bed and the car on it ----

TEST_F(Crane, BedLiesOnTheRearOfTheChassisAndTipsItsFrontUp)
{
    // Flat, as the car states that leave it empty show.
    pendiente_grua = 30.0f;
    const Bounds b = bed(capture(grua));
    // The hinge's lower edge stays on the chassis at x = 6 (the bed's top edge swings
    // 0.1 sin 30 past it); the front end rises by 3.5 sin 30.
    EXPECT_NEAR(b.max.x, 6.0 + 0.1 * std::sin(PI / 6.0), 1e-5);
    EXPECT_NEAR(b.min.y, 0.5, 1e-5);
    EXPECT_NEAR(b.min.x, 6.0 - 3.5 * std::cos(PI / 6.0), 1e-5);
    EXPECT_NEAR(b.max.y, 0.5 + 3.5 * std::sin(PI / 6.0) + 0.1 * std::cos(PI / 6.0), 1e-5);
}

TEST_F(Crane, CarStandsOnTheBedFacingTheCabAndTipsWithIt)
{
    estado_coche = 4;
    Drawing d = capture(grua);
    EXPECT_DRAWING(d, 34 + 48, PINK);
    auto wheels = carWheels(d);
    ASSERT_EQ(wheels.size(), 4u);
    // Rear hubs 0.75 in from the hinge, 0.4 above the bed's underside, the half-size
    // car centred across the chassis (z 0.5 to 1.5); the front hubs 1.5 toward the cab;
    // tyres 0.275 clear of the bed's top at 0.6.
    EXPECT_TRUE(near(wheels[0]->origin(), {5.25, 0.9, 0.5}, 1e-5));
    EXPECT_TRUE(near(wheels[1]->origin(), {5.25, 0.9, 1.5}, 1e-5));
    EXPECT_TRUE(near(wheels[2]->origin(), {3.75, 0.9, 0.5}, 1e-5));
    EXPECT_GT(wheels[0]->origin().y - 0.275, 0.6);

    // Tipped by 30 degrees, slid back 1 along the bed: the car keeps its place on the bed.
    pendiente_grua = 30.0f;
    mov_coche = -1.0f;
    d = capture(grua);
    wheels = carWheels(d);
    ASSERT_EQ(wheels.size(), 4u);
    const double c = std::cos(PI / 6.0), s = std::sin(PI / 6.0);
    // Bed point (u, 0.4) from the hinge, u = -1 + 0.75, turned up by 30 degrees.
    const double u = -0.25;
    EXPECT_TRUE(near(wheels[0]->origin(), {6.0 - (u * c - 0.4 * s), 0.5 + u * s + 0.4 * c, 0.5}, 1e-5));
}

TEST_F(Crane, OtherCarStatesLeaveTheBedEmpty)
{
    for (char state : {char(0), char(1), char(2)}) {  // 0 is the default
        estado_coche = state;
        const Drawing d = capture(grua);
        EXPECT_TRUE(d.withColor(PINK).empty());
        EXPECT_BOUNDS(bed(d), 2.5, 0.5, -0.25, 6, 0.6, 2.25, 1e-5);
    }
}

TEST_F(Crane, ArmStandsOnTheChassisBehindTheCab)
{
    const Drawing d = capture(grua);
    const auto c = d.shapesOf(ShapeKind::Cylinder);
    ASSERT_EQ(c.size(), 4u * 2u + 6u);   // jack drums and rods, then the arm's six
    EXPECT_TRUE(near(c[8]->origin(), {1.8, 0.5, 1.0}, 1e-6));
}

// ---- on the island ----

TEST_F(Crane, IslandDrawsTheCraneOnlyWhileItIsVisible)
{
    for (char visible : {char(0), char(2)}) {
        grua_visible = visible;
        const Drawing d = capture(isla);
        EXPECT_EQ(d.boxes, 19);
        EXPECT_TRUE(d.withColor(GREEN).empty());
    }
    grua_visible = 1;
    const Drawing d = capture(isla);
    EXPECT_DRAWING(d, 19 + 34, GREEN);
    EXPECT_TRUE(near(craneOrigin(d), {30, 2.7, 49}, 1e-5));
    // Its tyres reach down to just above the island's top at 2.
    for (const auto* t : d.shapesOf(ShapeKind::WireTorus))
        EXPECT_NEAR(t->origin().y - 0.55, 2.05, 1e-5);

    for (char held : {char(3), char(4)}) {
        estado_coche = held;
        EXPECT_EQ(capture(isla).boxes, 19 + 34 + 48);
    }
}

TEST_F(Crane, MovesWithItsOffsetsAndTurnsAboutAPointFourTowardMinusZ)
{
    grua_visible = 1;
    mov_gruaX = -20.2f;
    mov_gruaY = 0.08f;
    mov_gruaZ = -7.6f;
    EXPECT_TRUE(near(craneOrigin(capture(isla)), {9.8, 2.78, 41.4}, 1e-4));

    mov_gruaX = mov_gruaY = mov_gruaZ = 0.0f;
    angulo_grua = 90;
    // The origin swings a quarter turn about (30, 2.7, 45): from 4 along +z to 4 along +x.
    EXPECT_TRUE(near(craneOrigin(capture(isla)), {34, 2.7, 45}, 1e-5));
}
