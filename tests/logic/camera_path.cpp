// Camera paths from shot lists: keys reproduced at their frames, linear, step and
// smooth moves between them, named points that follow the story, and films that
// come out the same every time.
#include "film/camera_path.h"
#include "film/film_check.h"
#include "film/film_writer.h"

#include "scene/timeline.h"
#include "support/test_support.h"

#include <cmath>

namespace {

using Poses = std::vector<std::array<float, 9>>;

class CameraPath : public support::FreshScene {
protected:
    Poses compile(const std::string& shots, int frames)
    {
        const ListaDeTomas l = leerListaDeTomas(shots, frames);
        EXPECT_TRUE(l.bien()) << (l.bien() ? "" : l.errores.primeros()[0].mensaje);
        return compilarCamino(l.claves, frames);
    }
};

// The change of per-frame velocity at frame f, value k: the second difference.
double jump(const Poses& p, int f, size_t k)
{
    return (p[f + 1][k] - p[f][k]) - (p[f][k] - p[f - 1][k]);
}

}  // namespace

TEST_F(CameraPath, EachKeyIsReproducedExactlyAtItsFrame)
{
    const Poses p = compile("3 1.1 2.2 3.3 0.7 -0.1 5 0 1 0 linear\n"
                            "17 -4.01 9 0.3 1 2 3 0.1 1 0 smooth\n"
                            "29 8 8 8.125 0 0 0.9 0 1 1 step\n"
                            "30 100.7 1 1 0 0 0 0 1 0\n",
                            40);
    const std::vector<std::pair<int, std::array<float, 9>>> keys = {
        {3, {1.1f, 2.2f, 3.3f, 0.7f, -0.1f, 5, 0, 1, 0}},
        {17, {-4.01f, 9, 0.3f, 1, 2, 3, 0.1f, 1, 0}},
        {29, {8, 8, 8.125f, 0, 0, 0.9f, 0, 1, 1}},
        {30, {100.7f, 1, 1, 0, 0, 0, 0, 1, 0}},
    };
    for (const auto& [frame, pose] : keys)
        EXPECT_EQ(p[frame], pose) << frame;
    EXPECT_EQ(p[0], keys[0].second);   // the first key holds before it
    EXPECT_EQ(p[39], keys[3].second);  // the last after it
}

TEST_F(CameraPath, LinearHalfwayIsTheMidpoint)
{
    const Poses p = compile("10 0 0 0 1 1 1 0 1 0 linear\n20 10 -20 30 5 5 5 1 1 0\n", 30);
    const std::array<float, 9> midpoint = {5, -10, 15, 3, 3, 3, 0.5f, 1, 0};
    for (size_t k = 0; k < 9; k++)
        EXPECT_FLOAT_EQ(p[15][k], midpoint[k]) << k;
}

TEST_F(CameraPath, AStepHoldsItsKeyUntilTheNext)
{
    const Poses p = compile("0 0 0 0 1 1 1 0 1 0 step\n20 10 -20 30 5 5 5 1 1 0\n", 30);
    EXPECT_EQ(p[19], p[0]);
    EXPECT_EQ(p[20][0], 10.0f);
}

TEST_F(CameraPath, SmoothHasNoJumpInPerFrameVelocityAtAnInteriorKey)
{
    // Unevenly spaced keys, with linear neighbours on either side of a smooth move.
    struct Case {
        const char* shots;
        int key;
    } cases[] = {
        {"0 0 0 0 0 0 9 0 1 0\n10 10 0 0 0 0 9 0 1 0\n40 100 30 0 0 0 9 0 1 0\n50 90 30 0 0 0 9 0 1 0\n", 10},
        {"0 0 0 0 0 0 9 0 1 0\n10 10 0 0 0 0 9 0 1 0\n40 100 30 0 0 0 9 0 1 0\n50 90 30 0 0 0 9 0 1 0\n", 40},
        {"0 0 0 0 0 0 9 0 1 0 linear\n10 10 0 0 0 0 9 0 1 0\n40 100 30 0 0 0 9 0 1 0\n", 10},
        {"0 0 0 0 0 0 9 0 1 0\n30 100 30 0 0 0 9 0 1 0 linear\n40 100 40 0 0 0 9 0 1 0\n", 30},
    };
    for (const Case& c : cases) {
        const Poses p = compile(c.shots, 60);
        for (size_t k : {0u, 1u}) {
            // Across the key the velocity changes no more than on the frames beside it.
            const double around = std::max(std::fabs(jump(p, c.key - 1, k)), std::fabs(jump(p, c.key + 1, k)));
            EXPECT_LE(std::fabs(jump(p, c.key, k)), around + 1e-3) << c.shots << " key " << c.key << " value " << k;
        }
    }
    // Between two smooth moves the camera passes a key at the mean velocity from the
    // key before to the key after (here 100 in 40 frames).
    const Poses p = compile(cases[0].shots, 60);
    EXPECT_NEAR((p[11][0] - p[9][0]) / 2, 2.5, 0.25);
}

TEST_F(CameraPath, NamedPointsFollowTheThingsOfTheStoryEvenOnAHeldKey)
{
    const int frames = 3000;
    const Poses p = compile("0 10 20 30 train 0 1 0\n"
                            "1500 train + 0 5 -8 train 0 1 0 step\n"
                            "2600 1 2 3 ball 0 1 0\n",
                            frames);
    support::freshScene();
    modo = 2;
    for (int f = 0; f < frames; f++) {
        pasoDelGuion();
        const PuntoMundo train = posicionActor(Actor::Tren), ball = posicionActor(Actor::Balon);
        const std::array<float, 3> centre = {p[f][3], p[f][4], p[f][5]};
        if (f < 2600) {
            ASSERT_EQ(centre, (std::array<float, 3>{train.x, train.y, train.z})) << f;
        } else {
            ASSERT_EQ(centre, (std::array<float, 3>{ball.x, ball.y, ball.z})) << f;
        }
        if (f >= 1500 && f < 2600) {
            ASSERT_FLOAT_EQ(p[f][1], train.y + 5) << f;
            ASSERT_FLOAT_EQ(p[f][2], train.z - 8) << f;
        }
    }
}

TEST_F(CameraPath, TheBundledFilmCompilesSoundAndTheSameByteForByte)
{
    const std::string shots = support::readFile(PRACTICA02_SOURCE_DIR "/shots/camarabuena.shots");
    ASSERT_FALSE(shots.empty());
    const std::string first = textoDePelicula(compile(shots, FOTOGRAMAS_GUION));
    fotograma = 4321;  // whatever state the scene was left in
    angulo_tren = 77;
    const std::string second = textoDePelicula(compile(shots, FOTOGRAMAS_GUION));
    EXPECT_EQ(first, second);
    const RevisionPelicula r = revisarTexto(first);
    EXPECT_TRUE(r.legible());
    EXPECT_EQ(r.lectura.poses.size(), static_cast<size_t>(FOTOGRAMAS_GUION));
    EXPECT_EQ(r.errores() + r.avisos(), 0);
}

TEST(CameraPathKeys, AFrameLiesBetweenTheKeysThatMakeIt)
{
    const ListaDeTomas l = leerListaDeTomas("10 0 0 9 0 0 0 0 1 0 linear\n"
                                            "20 0 0 9 0 0 0 0 1 0 step\n"
                                            "30 0 0 9 0 0 0 0 1 0\n",
                                            40);
    struct Case {
        int frame;
        size_t from, to;
    } cases[] = {{0, 0, 0}, {10, 0, 0}, {11, 0, 1}, {19, 0, 1}, {20, 1, 1}, {29, 1, 1}, {30, 2, 2}, {39, 2, 2}};
    for (const Case& c : cases) {
        const Tramo t = tramoDeFotograma(l.claves, c.frame);
        EXPECT_EQ(t.desde, c.from) << c.frame;
        EXPECT_EQ(t.hasta, c.to) << c.frame;
    }
}

TEST(CameraPathKeys, AFrameIsShapedByTheKeysThatMoveItsPose)
{
    // Keys 0 to 7: smooth, linear, smooth, smooth, a step a frame later, smooth, linear, the last.
    const ListaDeTomas l = leerListaDeTomas("0 0 0 9 0 0 0 0 1 0\n"
                                            "10 4 1 9 0 0 0 0 1 0 linear\n"
                                            "20 8 0 7 0 0 0 0 1 0\n"
                                            "30 9 3 5 0 0 0 0 1 0\n"
                                            "31 2 2 2 0 0 0 0 1 0 step\n"
                                            "40 6 0 9 0 0 0 0 1 0\n"
                                            "50 1 5 8 0 0 0 0 1 0 linear\n"
                                            "60 3 3 3 0 0 0 0 1 0\n",
                                            70);
    ASSERT_TRUE(l.bien());
    const std::vector<ClaveToma>& keys = l.claves;
    // A key's eye moved changes the pose at exactly the frames the rule names it for.
    const auto pose = [&](int frame, size_t moved) {
        return poseEnFotograma(keys, frame, [&](size_t i) {
            PoseDoble p = poseDeClave(keys[i], [](Actor) { return PuntoMundo{}; });
            p.ojo.x += i == moved ? 1 : 0;
            return p;
        });
    };
    for (int frame = 0; frame < 70; frame++) {
        const ClavesQueDan c = clavesDeFotograma(keys, frame);
        for (size_t s = 0; s < keys.size(); s++)
            EXPECT_EQ(pose(frame, s).ojo.x != pose(frame, keys.size()).ojo.x, c.primera <= s && s <= c.ultima)
                << "frame " << frame << ", key " << s;
    }
    // The tangents' keys: a linear neighbour's, Catmull-Rom's, none next to a step.
    struct Case {
        int frame;
        size_t first, last;
    } cases[] = {{5, 0, 2}, {25, 1, 4}, {30, 3, 3}, {35, 4, 4}, {45, 5, 7}, {65, 7, 7}};
    for (const Case& c : cases) {
        EXPECT_EQ(clavesDeFotograma(keys, c.frame).primera, c.first) << c.frame;
        EXPECT_EQ(clavesDeFotograma(keys, c.frame).ultima, c.last) << c.frame;
    }
}
