// The chalets: one plot's house, walls, hedges and gates where the plan puts
// them, line widths and colours, the gate bars that single-precision running
// sums give, the estates' grids and box counts, and where the two estates stand.
#include "glrec/scene_queries.h"
#include "models/railway_town/chalets.h"
#include "support/test_support.h"

#include <cmath>

using namespace glrec;

namespace {

const Color HOUSE{0.8f, 0.3f, 0.3f}, WALL{1.0f, 1.0f, 1.0f}, HEDGE{0.2f, 0.7f, 0.0f};

using Chalets = support::FreshScene;

// Gate bars: vertical segments 3 high and horizontal segments w long, both in
// the gate's plane at z = 0.5 (boxes' joining segments run along z).
std::vector<Segment> verticalBars(const Drawing& d)
{
    return segments(d, [](const Segment& s) {
        return s.a.x == s.b.x && s.a.z == s.b.z && std::fabs(s.a.z - 0.5) < 1e-6 &&
               std::fabs(s.b.y - s.a.y - 3.0) < 1e-6;
    });
}

std::vector<Segment> horizontalBars(const Drawing& d)
{
    return segments(d, [](const Segment& s) {
        return s.a.y == s.b.y && s.a.z == s.b.z && std::fabs(s.a.z - 0.5) < 1e-6 && s.b.x > s.a.x;
    });
}

}  // namespace

TEST_F(Chalets, BoxCountsStackAndWhatIsLeftCurrent)
{
    const Drawing c = capture([] {
        glLineWidth(3.0f);
        glColor3f(0.0f, 0.0f, 1.0f);
        chalet();
    });
    EXPECT_DRAWING(c, 22, WALL);
    EXPECT_EQ(wireBoxes(c).size(), 22u);
    EXPECT_EQ(c.shapesOf(ShapeKind::WireSphere).size(), 4u);
    EXPECT_TRUE(c.withColor({0.0f, 0.0f, 1.0f}).empty());
    for (const Primitive* p : c.withColor(HOUSE))
        EXPECT_EQ(p->lineWidth, 1.5f);

    // Every plot drawn in full: the estates send 16 and 24 times one chalet's lines.
    for (const int nz : {4, 6}) {
        const Drawing e = capture([nz] { urbanizacionChalets(4, nz); });
        EXPECT_EQ(e.boxes, 22 * 4 * nz);
        EXPECT_EQ(e.shapesOf(ShapeKind::WireSphere).size(), 4u * 4u * size_t(nz));
        EXPECT_TRUE(e.balanced);
        EXPECT_EQ(e.vertexCount(), 4u * size_t(nz) * c.vertexCount());
    }
}

TEST_F(Chalets, EmptyEstatesDrawNothing)
{
    for (const auto& [nx, nz] : {std::pair{0, 3}, std::pair{3, 0}, std::pair{0, 0}}) {
        const Drawing d = capture([nx = nx, nz = nz] { urbanizacionChalets(nx, nz); });
        EXPECT_TRUE(d.primitives.empty());
        EXPECT_TRUE(d.shapes.empty());
        EXPECT_EQ(d.boxes, 0);
        EXPECT_TRUE(d.balanced);
    }
}

TEST_F(Chalets, HouseWithGabledRoofAndGarage)
{
    const Drawing d = capture([] { chalet(); });
    EXPECT_BOUNDS(d.boundsOfColor(HOUSE), 7.0, 0.0, 14.0, 35.0, 12.0, 30.0, 1e-4);
    const auto boxes = wireBoxes(d, HOUSE);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_BOUNDS(boxes[0].bounds, 7.0, 0.0, 14.0, 27.0, 8.0, 30.0, 1e-4);
    EXPECT_BOUNDS(boxes[1].bounds, 27.0, 0.0, 14.0, 35.0, 4.0, 30.0, 1e-4);

    // Doors on the front, the house's at x 16 to 17.5 and the garage's at 28 to 34.
    const auto loops = d.withMode(GL_LINE_LOOP);
    std::vector<Bounds> doors;
    for (const Primitive* p : loops)
        if (near(p->color, HOUSE) && p->vertices.front().world.y == 0.0 && p->vertices[2].world.y == 3.0)
            doors.push_back(boundsOf({p}));
    ASSERT_EQ(doors.size(), 2u);
    EXPECT_BOUNDS(doors[0], 16.0, 0.0, 30.0, 17.5, 3.0, 30.0, 1e-4);
    EXPECT_BOUNDS(doors[1], 28.0, 0.0, 30.0, 34.0, 3.0, 30.0, 1e-4);

    // Roof: the gables peak at (17, 12) at both ends, joined by the ridge.
    const auto strips = d.withMode(GL_LINE_STRIP);
    ASSERT_EQ(strips.size(), 3u);
    EXPECT_TRUE(near(strips[0]->vertices[1].world, {17.0, 12.0, 14.0}));
    EXPECT_TRUE(near(strips[1]->vertices[1].world, {17.0, 12.0, 30.0}));
    EXPECT_BOUNDS(boundsOf({strips[2]}), 17.0, 12.0, 14.0, 17.0, 12.0, 30.0, 1e-4);

    // The garage roof slopes from 5.5 against the house down to 4 at x = 35.
    const auto slope = segments(d, [](const Segment& s) { return s.a.y == 5.5 && s.a.x == 27.0; });
    ASSERT_EQ(slope.size(), 3u);
    EXPECT_TRUE(near(slope[0].b, {35.0, 4.0, 14.0}));
    EXPECT_TRUE(near(slope[1].b, {35.0, 4.0, 30.0}));
    EXPECT_TRUE(near(slope[2].b, {27.0, 5.5, 30.0}));
}

TEST_F(Chalets, WallsAndHedgesCloseThePlotExceptAtTheGates)
{
    const Drawing d = capture([] { chalet(); });
    const auto hedges = wireBoxes(d, HEDGE);
    ASSERT_EQ(hedges.size(), 6u);
    const double plan[6][4] = {
        // x0,   x1,   z0,   z1
        {  0.0, 39.0,  0.0,  1.0},   // back
        {  0.0,  1.0,  1.0, 40.0},   // -x side
        { 39.0, 40.0,  0.0, 39.0},   // +x side
        {  1.0, 15.0, 39.0, 40.0},   // front, beside the -x wall
        { 19.0, 28.0, 39.0, 40.0},   // front, between the gates
        { 35.0, 40.0, 39.0, 40.0},   // front, beside the +x wall
    };
    std::vector<WireBox> masonry;
    for (const auto& b : wireBoxes(d, WALL))
        if (b.lineWidth == 1.5f)
            masonry.push_back(b);
    ASSERT_EQ(masonry.size(), 6u);
    for (int i = 0; i < 6; i++) {
        EXPECT_BOUNDS(masonry[i].bounds, plan[i][0], 0.0, plan[i][2], plan[i][1], 1.5, plan[i][3], 1e-4);
        EXPECT_BOUNDS(hedges[i].bounds, plan[i][0], 1.5, plan[i][2], plan[i][1], 3.5, plan[i][3], 1e-4);
        EXPECT_EQ(hedges[i].lineWidth, 1.5f);
    }
}

TEST_F(Chalets, GatePillarsWithCapsAndBalls)
{
    const Drawing d = capture([] { chalet(); });
    std::vector<WireBox> thin;
    for (const auto& b : wireBoxes(d))
        if (b.lineWidth == 1.0f)
            thin.push_back(b);
    ASSERT_EQ(thin.size(), 8u);
    const double pillarX[4] = {15.0, 18.0, 28.0, 34.0};
    const auto balls = d.shapesOf(ShapeKind::WireSphere);
    ASSERT_EQ(balls.size(), 4u);
    for (int k = 0; k < 4; k++) {
        const double x = pillarX[k];
        EXPECT_TRUE(near(thin[2 * k].color, WALL));
        EXPECT_BOUNDS(thin[2 * k].bounds, x, 0.0, 39.0, x + 1.0, 3.7, 40.0, 1e-4);
        EXPECT_BOUNDS(thin[2 * k + 1].bounds, x - 0.05, 3.7, 38.95, x + 1.05, 3.8, 40.05, 1e-4);
        EXPECT_TRUE(near(balls[k]->origin(), {x + 0.5, 4.2, 39.5}));
        EXPECT_EQ(balls[k]->size[0], 0.4);
        EXPECT_EQ(balls[k]->count, (std::array<int, 2>{10, 10}));
        EXPECT_TRUE(near(balls[k]->color, WALL));
        EXPECT_EQ(balls[k]->lineWidth, 1.0f);
    }
}

TEST_F(Chalets, PedestrianGateHasNoBarAgainstItsSecondPillar)
{
    const Drawing d = capture([] { puertaEntrada(2); });
    EXPECT_EQ(d.boxes, 4);
    const auto v = verticalBars(d);
    ASSERT_EQ(v.size(), 10u);
    EXPECT_DOUBLE_EQ(v.front().a.x, 1.0);
    EXPECT_NEAR(v.back().a.x, 2.8, 1e-6);      // none at x = 3, against the pillar
    EXPECT_NEAR(v.back().a.y, 0.1, 1e-7);
    EXPECT_NEAR(v.back().b.y, 3.1, 1e-6);
    const auto h = horizontalBars(d);
    ASSERT_EQ(h.size(), 8u);
    EXPECT_NEAR(h.front().a.y, 0.2, 1e-6);
    EXPECT_NEAR(h.back().a.y, 3.0, 1e-6);
    for (const auto& s : h) {
        EXPECT_DOUBLE_EQ(s.a.x, 1.0);
        EXPECT_DOUBLE_EQ(s.b.x, 3.0);
    }
}

TEST_F(Chalets, VehicleGateHasABarAgainstItsSecondPillar)
{
    const Drawing d = capture([] { puertaEntrada(5); });
    const auto v = verticalBars(d);
    ASSERT_EQ(v.size(), 26u);
    EXPECT_NEAR(v.back().a.x, 6.0, 1e-6);      // the running sum lands just short of 5
    EXPECT_LE(v.back().a.x, 6.0);
    const auto h = horizontalBars(d);
    ASSERT_EQ(h.size(), 8u);
    EXPECT_DOUBLE_EQ(h.front().b.x, 6.0);
    // Second pillar at x = 6 to 7.
    EXPECT_BOUNDS(wireBoxes(d)[2].bounds, 6.0, 0.0, 0.0, 7.0, 3.7, 1.0, 1e-4);
}

TEST_F(Chalets, WallSegmentIsShiftedByItsHalfLength)
{
    const Drawing odd = capture([] { lateralParcela(15); });
    EXPECT_BOUNDS(odd.boundsOfColor(WALL), -7.0, 0.0, -7.5, 7.0, 1.5, -6.5, 1e-4);
    EXPECT_BOUNDS(odd.boundsOfColor(HEDGE), -7.0, 1.5, -7.5, 7.0, 3.5, -6.5, 1e-4);
    EXPECT_TRUE(near(odd.finalColor, HEDGE));
    EXPECT_TRUE(odd.balanced);
    EXPECT_EQ(odd.boxes, 2);

    const Drawing even = capture([] { lateralParcela(40); });
    EXPECT_BOUNDS(even.bounds(), -20.0, 0.0, -20.0, 19.0, 3.5, -19.0, 1e-4);
}

TEST_F(Chalets, EstatesLayPlotsOnAFiftyUnitGridFacingPlusX)
{
    const Drawing a = capture([] { urbanizacionChalets(4, 4); });
    EXPECT_BOUNDS(a.boundsOfColor(HEDGE), 0.0, 1.5, 0.0, 190.0, 3.5, 190.0, 1e-4);
    // Only the gate pillars' caps overhang the front walls, by 0.05.
    EXPECT_BOUNDS(a.bounds(), 0.0, 0.0, 0.0, 190.05, 12.0, 190.0, 1e-4);
    const Drawing b = capture([] { urbanizacionChalets(4, 6); });
    EXPECT_BOUNDS(b.boundsOfColor(HEDGE), 0.0, 1.5, 0.0, 190.0, 3.5, 290.0, 1e-4);
    EXPECT_BOUNDS(b.bounds(), 0.0, 0.0, 0.0, 190.05, 12.0, 290.0, 1e-4);

    // Plot (i, j) covers x 50i to 50i + 40 and z 50j to 50j + 40, j counted first.
    const auto hedges = wireBoxes(b, HEDGE);
    ASSERT_EQ(hedges.size(), 24u * 6);
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 6; j++) {
            Bounds plot;
            for (int k = 0; k < 6; k++)
                plot.add(hedges[(i * 6 + j) * 6 + k].bounds);
            EXPECT_BOUNDS(plot, 50.0 * i, 1.5, 50.0 * j, 50.0 * i + 40.0, 3.5, 50.0 * j + 40.0, 1e-4);
        }
    // The gates, and so the balls on their pillars, on each plot's +x side.
    for (const Shape* s : b.shapesOf(ShapeKind::WireSphere))
        EXPECT_NEAR(std::fmod(s->origin().x, 50.0), 39.5, 1e-4);
}

TEST_F(Chalets, TwoEstatesBesideEachOtherInTheWorld)
{
    const Drawing d = worldFrame();
    EXPECT_TRUE(d.balanced);
    const auto hedges = wireBoxes(d, HEDGE);
    ASSERT_EQ(hedges.size(), 40u * 6);
    Bounds first, second;
    for (size_t k = 0; k < hedges.size(); k++)
        (k < 16 * 6 ? first : second).add(hedges[k].bounds);
    EXPECT_BOUNDS(first, 234.0, -5.5, -5.0, 424.0, -3.5, 185.0, 1e-4);
    EXPECT_BOUNDS(second, 234.0, -5.5, 235.0, 424.0, -3.5, 525.0, 1e-4);
}

TEST_F(Chalets, TownIsPaintedInTheCompositionsOrder)
{
    estado_balon = 0;
    const Drawing d = worldFrame();
    const auto station = wireBoxes(d, {0.7f, 0.7f, 0.6f});
    const auto crossing = wireBoxes(d, {0.6f, 0.5f, 0.5f});
    const auto hedges = wireBoxes(d, HEDGE);
    ASSERT_FALSE(station.empty());
    ASSERT_FALSE(crossing.empty());
    ASSERT_FALSE(hedges.empty());
    const Shape* ball = nullptr;
    for (const Shape* s : d.shapesOf(ShapeKind::WireSphere))
        if (near(s->origin(), {-29.2, 0.1, 24.0}))
            ball = s;
    ASSERT_NE(ball, nullptr);
    EXPECT_LT(station.back().sequence, ball->sequence);
    EXPECT_LT(ball->sequence, crossing.front().sequence);
    EXPECT_LT(crossing.back().sequence, hedges.front().sequence);
}
