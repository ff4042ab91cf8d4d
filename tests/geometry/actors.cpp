// Where the actors are: at frames that show each moving actor in each of its placements, each one's
// point lies at the middle of the lines the composition draws for its model; the fixed places once.
#include "scene/actors.h"

#include "glrec/scene_queries.h"
#include "models/landscape/bridge.h"
#include "models/landscape/road_looping.h"
#include "models/landscape/skyscraper_island.h"
#include "models/railway_town/level_crossing.h"
#include "scene/timeline.h"
#include "support/test_support.h"

#include <algorithm>
#include <cmath>

using namespace glrec;

namespace {

const Color BODY{0.3f, 0.3f, 0.4f}, WHITE{1, 1, 1}, YELLOW{1, 1, 0}, BLUE{0, 0, 1}, PINK{1, 0, 0.4f},
    GREEN{0.5f, 0.8f, 0}, GRASS{0.2f, 1, 0.2f}, PLATFORM{0.7f, 0.7f, 0.6f};
// Floats round by up to 5e-4 as far out as the train goes (9,000); a misstep moves a point 0.025 or more.
constexpr double TOL = 1e-3;

Vec3 middle(const Bounds& b) { return {(b.min.x + b.max.x) / 2, (b.min.y + b.max.y) / 2, (b.min.z + b.max.z) / 2}; }
Vec3 topMiddle(const Bounds& b) { return {middle(b).x, b.max.y, middle(b).z}; }

// The middle of lines drawn under one modelling matrix, taken in their own space and carried to the
// world by that matrix, so that it holds under any turn. Infinite when nothing was drawn.
Vec3 middleInTheirSpace(const Batches& ps)
{
    Bounds b;
    for (const auto* p : ps)
        for (const auto& v : p->vertices)
            b.add(v.model);
    return ps.empty() ? b.min : math::transformPoint(ps[0]->modelview, middle(b));
}

// Where each moving actor is drawn: the toaster's body box, the white ball, the train's blue shells, the car's
// body (its lines in the space of the first: the doors swing in their own), the crane's chassis, the yellow head.
Vec3 drawnAt(const Drawing& d, Actor a)
{
    const auto sphere = [&](Color c) {
        for (const auto* s : d.spheresOf(0.2))
            if (near(s->color, c))
                return s->origin();
        return Bounds().min;
    };
    const auto pink = d.withColor(PINK), green = d.withColor(GREEN);
    switch (a) {
    case Actor::Tostadora: return middleInTheirSpace(d.withColor(BODY));
    case Actor::Balon: return sphere(WHITE);
    case Actor::Tren: return middle(d.boundsOfColor(BLUE));
    case Actor::Coche:
        return middleInTheirSpace(d.where(
            [&](const Primitive& p) { return near(p.color, PINK) && p.modelview.m == pink[0]->modelview.m; }));
    case Actor::Grua: return middleInTheirSpace({green.begin(), green.begin() + 3});
    default: return sphere(YELLOW);
    }
}

void expectAt(Actor a, const Vec3& d)
{
    const PuntoMundo p = posicionActor(a);
    EXPECT_TRUE(near({p.x, p.y, p.z}, d, TOL)) << nombresDeActores()[static_cast<int>(a)] << " off by " << p.x - d.x
                                               << ' ' << p.y - d.y << ' ' << p.z - d.z;
}

struct Momento { int frame, rota_escena; char estado_balon, estado_coche; bool crane; const char* what; };
const Momento MOMENTOS[] = {
    {700,  1, 0, 0, false, "toaster flying, ball flying along the pitch, train at rest, car on the road"},
    {1100, 0, 0, 0, false, "toaster landed, ball along the pitch up to frame 1114"},
    {1130, 2, 0, 0, false, "ball falling across the plane z = 25"},
    {2500, 3, 1, 0, false, "train under way with the ball"},
    {3195, 1, 1, 0, false, "car upside down in the looping"},
    {5200, 0, 1, 0, false, "car flying"},
    {5780, 0, 1, 1, false, "car falling"},
    {6350, 2, 1, 2, true,  "car lying by the island, crane driving"},
    {7200, 3, 1, 3, true,  "car hanging from the twisted grip"},
    {7500, 0, 1, 4, true,  "car on the bed"},
    {7800, 1, 1, 4, true,  "bed tipped, the car slid back, crane turned"},
};

}  // namespace

TEST(Actors, EveryMovingActorStandsAtTheMiddleOfItsDrawnModel)
{
    for (const Momento& m : MOMENTOS) {
        SCOPED_TRACE(m.what);
        support::freshScene();
        while (fotograma < m.frame)
            pasoDelGuion();
        rota_escena = m.rota_escena;
        ASSERT_TRUE(estado_balon == m.estado_balon && estado_coche == m.estado_coche);
        const Drawing d = worldFrame();
        ASSERT_EQ(d.withColor(GREEN).empty(), !m.crane);
        for (Actor a : {Actor::Tostadora, Actor::Balon, Actor::Tren, Actor::Coche, Actor::Grua, Actor::Personaje})
            if (a != Actor::Grua || m.crane)
                expectAt(a, drawnAt(d, a));
    }
}

TEST(Actors, FixedPlacesStandAtTheMiddleOfWhatMarksThem)
{
    support::freshScene();
    movsofa = 9;  // the pitch is shown
    const Drawing world = worldFrame(), crossing = pickOut(world, capture(pasoANivel));
    const Drawing road = pickOut(world, capture(carretera)), loop = pickOut(world, capture(looping));
    const Drawing island = pickOut(world, capture(isla)), bridge = pickOut(world, capture(puente));
    // Both symmetric in x and z; the island's first box is its block, the bridge's first batch its deck.
    const Vec3 crossingMiddle = middle(crossing.bounds()), bridgeMiddle = middle(bridge.bounds());
    const double roadTop = boundsOf(inside(road.all(), {-1.2, 0, 401}, {1.2, 0.6, 410})).max.y;
    expectAt(Actor::Campo, middle(world.boundsOfColor(GRASS)));
    expectAt(Actor::PasoANivel, {crossingMiddle.x, roadTop, crossingMiddle.z});
    expectAt(Actor::Looping, middle(loop.bounds()));
    expectAt(Actor::Isla, topMiddle(boundsOf({&island.primitives[0], &island.primitives[1], &island.primitives[2]})));
    expectAt(Actor::Puente, {bridgeMiddle.x, boundsOf(bridge.primitives[0]).max.y, bridgeMiddle.z});
    expectAt(Actor::Estacion, topMiddle(world.boundsOfColor(PLATFORM)));
}

// Placements moved where the story never takes them (the crane driven and turned, its arm, grip and bed
// at other angles, the car lifted, the train further on, the sofa turned): each actor moves with what is
// drawn, since both follow the same placement code.
TEST(Actors, MovedPlacementsMoveTheDrawingAndTheActorAlike)
{
    struct Caso { int frame; char estado_coche; const char* what; void (*mover)(); };
    const Caso casos[] = {
        {7200, 3, "arm, grip and crane moved",
         [] {
             const int brazo[6] = {35, 20, -40, 25, 60, 10};
             std::copy(brazo, brazo + 6, angulo_brazo);
             mov_gruaX += 3;
             angulo_grua += 17;
         }},
        {7500, 4, "bed tipped, car further back",
         [] { pendiente_grua = 21; mov_coche += 0.4f; mov_gruaZ -= 2; }},
        {5200, 0, "car higher, train and toaster further on, sofa turned",
         [] { despega += 7; angulo_tren += 900; xtostadora += 4; movsofa = 3.5f; }},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.what);
        support::freshScene();
        while (fotograma < c.frame)
            pasoDelGuion();
        ASSERT_EQ(estado_coche, c.estado_coche);
        const PuntoMundo antes = posicionActor(Actor::Coche);
        c.mover();
        const Drawing d = worldFrame();
        const PuntoMundo despues = posicionActor(Actor::Coche);
        EXPECT_GT(std::fabs(despues.x - antes.x) + std::fabs(despues.y - antes.y) + std::fabs(despues.z - antes.z), 0.1);
        for (Actor a : {Actor::Tostadora, Actor::Balon, Actor::Tren, Actor::Coche, Actor::Grua, Actor::Personaje})
            if (a != Actor::Grua || c.estado_coche >= 3)
                expectAt(a, drawnAt(d, a));
    }
}
