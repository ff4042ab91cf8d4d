// The level crossing: barriers up and down, which lamps light for each setting
// of the lights, the traffic lights' cylinders, colours left current, box
// counts, and where the crossing stands in the world.
#include "glrec/scene_queries.h"
#include "models/railway_town/level_crossing.h"
#include "support/test_support.h"

#include <GL/glu.h>

using namespace glrec;

namespace {

const Color HOUSING{1.0f, 1.0f, 0.0f}, BOOM{1.0f, 0.0f, 0.0f}, WEIGHT{0.6f, 0.5f, 0.5f}, POST{0.8f, 0.8f, 0.8f},
    LIT{1.0f, 0.0f, 0.0f}, DARK{0.3f, 0.0f, 0.0f}, BLUE{0.0f, 0.0f, 1.0f};

using LevelCrossing = support::FreshScene;

std::vector<const Shape*> lamps(const Drawing& d) { return d.spheresOf(0.16); }
std::vector<const Shape*> lamps(Drawing&&) = delete;  // would point into a temporary
std::vector<const Shape*> cylinders(const Drawing& d) { return d.shapesOf(ShapeKind::Cylinder); }
std::vector<const Shape*> cylinders(Drawing&&) = delete;  // would point into a temporary

}  // namespace

TEST_F(LevelCrossing, BoxCountsStackAndColoursLeft)
{
    const Drawing b = capture([] { barrera(); });
    const Drawing l = capture([] { discoSemaforo(1); });
    const Drawing s = capture([] { semaforo(); });
    const Drawing p = capture([] { pasoANivel(); });
    EXPECT_DRAWING(b, 4, WEIGHT);
    EXPECT_DRAWING(l, 7, POST);
    EXPECT_DRAWING(s, 15, POST);
    EXPECT_DRAWING(p, 38, POST);
    EXPECT_EQ(wireBoxes(p).size(), 38u);
    EXPECT_EQ(p.primitives.size(), 38u * 3);
    EXPECT_EQ(p.shapes.size(), 2u * 4 + 4u);  // per light: drum, pole, two rims; four lamps
}

TEST_F(LevelCrossing, RaisedBoomStandsUprightWithItsCounterweightBelowThePivot)
{
    angulo_barrera = 90;
    const Drawing d = capture([] { barrera(); });
    EXPECT_BOUNDS(d.boundsOfColor(HOUSING), -0.75, 0.0, 0.0, 0.75, 2.0, 0.8, 1e-4);
    EXPECT_BOUNDS(d.boundsOfColor(BOOM), -0.15, 0.1, 0.9, 0.15, 10.1, 1.0, 1e-4);
    const auto grey = wireBoxes(d, WEIGHT);
    ASSERT_EQ(grey.size(), 2u);
    EXPECT_BOUNDS(grey[0].bounds, -0.45, 0.2, 1.0, 0.35, 0.6, 1.1, 1e-4);     // counterweight
    EXPECT_BOUNDS(grey[1].bounds, -0.05, 1.45, 0.0, 0.05, 1.55, 1.0, 1e-4);   // axle

    const Drawing p = capture([] { pasoANivel(); });
    const auto booms = wireBoxes(p, BOOM);
    ASSERT_EQ(booms.size(), 2u);
    EXPECT_BOUNDS(booms[0].bounds, -1.0, 0.1, -0.15, -0.9, 10.1, 0.15, 1e-4);
    EXPECT_BOUNDS(booms[1].bounds, 10.9, 0.1, 10.85, 11.0, 10.1, 11.15, 1e-4);
    // The crossing's outline: the counterweights at x = -1.1 and 11.1, the raised
    // booms' tips at 10.1, lamp 1's hood slats at z = -2.66 and 13.66.
    EXPECT_BOUNDS(p.bounds(), -1.1, 0.0, -2.66, 11.1, 10.1, 13.66, 1e-4);
}

TEST_F(LevelCrossing, LoweredBoomsCloseTheRoadOnEachSideOfTheTrack)
{
    angulo_barrera = 0;
    const Drawing d = capture([] { barrera(); });
    EXPECT_BOUNDS(d.boundsOfColor(BOOM), -1.4, 1.35, 0.9, 8.6, 1.65, 1.0, 1e-4);
    EXPECT_BOUNDS(wireBoxes(d, WEIGHT)[0].bounds, -1.3, 1.15, 1.0, -0.9, 1.95, 1.1, 1e-4);

    const Drawing p = capture([] { pasoANivel(); });
    const auto booms = wireBoxes(p, BOOM);
    ASSERT_EQ(booms.size(), 2u);
    EXPECT_BOUNDS(booms[0].bounds, -1.0, 1.35, -1.4, -0.9, 1.65, 8.6, 1e-4);
    EXPECT_BOUNDS(booms[1].bounds, 10.9, 1.35, 2.4, 11.0, 1.65, 12.4, 1e-4);
}

TEST_F(LevelCrossing, WhichLampIsLit)
{
    // Lamps in drawing order: light 1's lamps 1 and 2, then light 2's lamps 1 and 2.
    const std::vector<std::pair<int, std::array<Color, 4>>> cases = {
        {0, {DARK, DARK, DARK, DARK}},
        {1, {LIT, DARK, LIT, DARK}},
        {2, {DARK, LIT, DARK, LIT}},
        {3, {DARK, DARK, DARK, DARK}},
    };
    for (const auto& [setting, colours] : cases) {
        semaforo_encendido = setting;
        const Drawing d = capture([] { pasoANivel(); });
        const auto l = lamps(d);
        ASSERT_EQ(l.size(), 4u);
        for (int k = 0; k < 4; k++)
            EXPECT_TRUE(near(l[k]->color, colours[k])) << "semaforo_encendido " << setting << ", lamp " << k;
    }
}

TEST_F(LevelCrossing, FlattenedLampsOnTheCrossArmsFaceTheTraffic)
{
    const Drawing d = capture([] { pasoANivel(); });
    const auto l = lamps(d);
    ASSERT_EQ(l.size(), 4u);
    EXPECT_TRUE(near(l[0]->origin(), {-0.36, 4.5, -2.45}));
    EXPECT_TRUE(near(l[1]->origin(), {-0.36, 4.5, -1.55}));
    EXPECT_TRUE(near(l[2]->origin(), {10.36, 4.5, 13.45}));
    EXPECT_TRUE(near(l[3]->origin(), {10.36, 4.5, 12.55}));
    for (const Shape* s : l)
        EXPECT_EQ(s->count, (std::array<int, 2>{10, 10}));
    // Light 1 faces -x: its lamps are squeezed to 0.048 along x, full 0.16 along z.
    EXPECT_TRUE(near(math::transformPoint(l[0]->modelview, {0.0, 0.0, 0.16}), {-0.408, 4.5, -2.45}));
    EXPECT_TRUE(near(math::transformPoint(l[0]->modelview, {0.16, 0.0, 0.0}), {-0.36, 4.5, -2.29}));
}

TEST_F(LevelCrossing, LampRimAndHoodTakeTheCallersColour)
{
    semaforo_encendido = 1;
    const Drawing d = capture([] {
        glColor3f(0.0f, 0.0f, 1.0f);
        discoSemaforo(1);
    });
    ASSERT_EQ(cylinders(d).size(), 1u);
    EXPECT_TRUE(near(cylinders(d)[0]->color, BLUE));
    EXPECT_EQ(d.withColor(BLUE).size(), d.primitives.size());
    EXPECT_TRUE(near(lamps(d)[0]->color, LIT));
    EXPECT_TRUE(near(lamps(d)[0]->origin(), {0.0, 0.0, 0.06}));
    // Seven slats over the upper half at radius 0.2, from z = 0.1 to 0.4.
    EXPECT_EQ(wireBoxes(d).size(), 7u);
    EXPECT_BOUNDS(d.bounds(), -0.21, -0.05, 0.1, 0.21, 0.21, 0.4, 1e-4);

    // In a traffic light every rim, hood and post is light grey.
    const Drawing s = capture([] {
        glColor3f(0.0f, 0.0f, 1.0f);
        semaforo();
    });
    for (const Shape* c : cylinders(s))
        EXPECT_TRUE(near(c->color, POST));
    EXPECT_EQ(s.withColor(POST).size(), s.primitives.size());
    EXPECT_BOUNDS(wireBoxes(s)[0].bounds, -0.5, 4.5, 0.0, 0.5, 4.6, 0.3, 1e-4);  // cross-arm
}

TEST_F(LevelCrossing, CylindersGoThroughTheSharedQuadric)
{
    // Give the shared quadric another style to see every cylinder drawn through it.
    gluQuadricDrawStyle(cilindro, GLU_SILHOUETTE);
    const Drawing silhouette = capture([] { pasoANivel(); });
    for (const Shape* c : cylinders(silhouette))
        EXPECT_EQ(c->drawStyle, GLU_SILHOUETTE);

    inicializarVariablesGlobales();
    const Drawing d = capture([] { pasoANivel(); });
    const auto k = cylinders(d);
    ASSERT_EQ(k.size(), 8u);
    // Per light: drum, pole, then the two lamp rims; radii, heights, slices, one stack.
    const double sizes[4][3] = {{0.6, 0.6, 1.5}, {0.2, 0.2, 3.0}, {0.4, 0.4, 0.1}, {0.4, 0.4, 0.1}};
    const int slices[4] = {10, 10, 16, 16};
    for (int i = 0; i < 8; i++) {
        EXPECT_EQ(k[i]->drawStyle, GLU_LINE);
        for (int j = 0; j < 3; j++)
            EXPECT_NEAR(k[i]->size[j], sizes[i % 4][j], 1e-7);
        EXPECT_EQ(k[i]->count[0], slices[i % 4]);
        EXPECT_EQ(k[i]->count[1], 1);
    }
    // Drum and pole stand up along y to 4.5; light 1's drum reaches z = -2.6, light 2's 13.6.
    EXPECT_TRUE(near(k[0]->origin(), {0.0, 0.0, -2.0}));
    EXPECT_TRUE(near(math::transformPoint(k[0]->modelview, {-0.6, 0.0, 1.5}), {0.0, 1.5, -2.6}));
    EXPECT_TRUE(near(math::transformPoint(k[1]->modelview, {0.0, 0.0, 3.0}), {0.0, 4.5, -2.0}));
    EXPECT_TRUE(near(k[4]->origin(), {10.0, 0.0, 13.0}));
    EXPECT_TRUE(near(math::transformPoint(k[4]->modelview, {-0.6, 0.0, 0.0}), {10.0, 0.0, 13.6}));
    // Light 1's rims face -x, their backs on the cross-arm's front.
    EXPECT_TRUE(near(k[2]->origin(), {-0.3, 4.5, -2.45}));
    EXPECT_TRUE(near(math::transformPoint(k[2]->modelview, {0.0, 0.0, 0.1}), {-0.4, 4.5, -2.45}));
}

TEST_F(LevelCrossing, StandsWhereTheRoadCrossesTheLine)
{
    semaforo_encendido = 2;
    angulo_barrera = 0;
    const Drawing d = worldFrame();
    EXPECT_TRUE(d.balanced);
    ASSERT_EQ(wireBoxes(d, WEIGHT).size(), 4u);
    EXPECT_BOUNDS(d.boundsOfColor(WEIGHT), -6.1, 1.15, 398.7, 6.1, 1.95, 412.3, 1e-4);
    const auto l = lamps(d);
    ASSERT_EQ(l.size(), 4u);
    EXPECT_TRUE(near(l[0]->origin(), {-5.36, 4.5, 397.55}));
    EXPECT_TRUE(near(l[3]->origin(), {5.36, 4.5, 412.55}));
    EXPECT_TRUE(near(l[0]->color, DARK));
    EXPECT_TRUE(near(l[1]->color, LIT));
}
