// Keys from dense camera paths: compiled back from their text they give the path
// within the tolerance at every frame (the bundled film, a recorded path, stretches
// of the story), in few keys; a path that rides a thing names it; cuts are steps.
// And the reducer's pieces: the things' tracks, the path's features.
#include "film/camera_path.h"
#include "film/film_check.h"
#include "film/film_writer.h"
#include "film/path_keys.h"
#include "film/path_keys/features.h"
#include "film/path_keys/tracks.h"
#include "film/player.h"
#include "film/shot_compiler.h"
#include "film/shot_writer.h"
#include "scene/actors.h"
#include "scene/timeline.h"

#include "support/test_support.h"

#include <cmath>
#include <functional>

namespace {

using Poses = std::vector<std::array<float, 9>>;

// The poses as a film holds them: written with six decimals and read back.
Poses asFilm(const Poses& poses)
{
    return revisarTexto(textoDePelicula(poses)).lectura.poses;
}

// The bundled film, compiled from its shot list.
Poses bundledFilm()
{
    const PeliculaCompilada c =
        compilarTomas(support::readFile(PRACTICA02_SOURCE_DIR "/shots/camarabuena.shots"), FOTOGRAMAS_GUION);
    EXPECT_TRUE(c.bien());
    return c.revision.lectura.poses;
}

// A path recorded with U as a person flies it: from REC's first pose, runs of presses
// of one or two camera keys (a step of 1 or 0.5 each), with U after each, and holds.
Poses recordedPath(size_t n)
{
    Poses p;
    std::array<float, 9> pose = {16.7f, 99, 60, 5.5f, 4.6f, 7, 0, 0.3f, 0};
    unsigned seed = 12345;
    const auto next = [&](unsigned m) { return (seed = seed * 1103515245u + 12345u) / 65536u % m; };
    while (p.size() < n) {
        const size_t key = next(6), drifting = next(9), run = 4 + next(30);
        const float step = (next(2) ? 1.0f : 0.5f) * (next(2) ? 1 : -1), drift = next(3) ? 0 : 0.1f;
        for (size_t k = 0; k < run && p.size() < n; k++) {
            pose[key] += next(7) ? step : 0;  // now and then U twice
            pose[drifting] += drift;
            p.push_back(pose);
        }
    }
    return asFilm(p);
}

// frames poses from frame first on, each made by pose(frame) after the story's step for it.
Poses storyPath(int first, int frames, const std::function<std::array<float, 9>(int)>& pose)
{
    escenaSinVentana();
    Poses p;
    for (int f = first; f < first + frames; f++) {
        avanzarHasta(f);
        p.push_back(pose(f));
    }
    return asFilm(p);
}

std::array<float, 9> riding(Actor a, std::array<float, 3> offset)
{
    const PuntoMundo t = posicionActor(a);
    return {t.x + offset[0], t.y + offset[1], t.z + offset[2], t.x, t.y, t.z, 0, 1, 0};
}

// The largest distance of the eye or the centre, and the largest angle of the up
// vector, of the keys compiled back from their shot list from the path.
std::pair<double, double> compiledBack(const std::vector<ClaveToma>& keys, const Poses& path, int first)
{
    const int frames = first + static_cast<int>(path.size());
    const ListaDeTomas l = leerListaDeTomas(textoDeTomas(keys, "keys of a test path"), frames);
    EXPECT_TRUE(l.bien());
    const Poses back = compilarCamino(l.claves, frames);
    double far = 0, angle = 0;
    for (size_t i = 0; i < path.size(); i++) {
        std::array<double, 9> a, b;  // the compiled pose, the path's
        for (size_t k = 0; k < a.size(); k++)
            a[k] = back[static_cast<size_t>(first) + i][k], b[k] = path[i][k];
        for (size_t k : {0u, 3u})
            far = std::max(far, std::hypot(a[k] - b[k], a[k + 1] - b[k + 1], a[k + 2] - b[k + 2]));
        const double dot = a[6] * b[6] + a[7] * b[7] + a[8] * b[8];
        const double cross = std::hypot(a[7] * b[8] - a[8] * b[7], a[8] * b[6] - a[6] * b[8], a[6] * b[7] - a[7] * b[6]);
        angle = std::max(angle, std::atan2(cross, dot) * 180 / M_PI);
    }
    return {far, angle};
}

class PathKeys : public support::FreshScene {};

}  // namespace

TEST_F(PathKeys, CompiledBackTheKeysGiveThePathWithinTheTolerance)
{
    const Poses bundled = bundledFilm();
    const Poses recorded = recordedPath(300);
    struct Case {
        const char* what;
        Poses path;
        int first;
        double tolerance;
        size_t mostKeys;
    } cases[] = {
        {"the bundled film", bundled, 0, 0.05, 46},  // its shot list has 43 keys
        {"the bundled film, tighter", bundled, 0, 0.001, 46},
        {"the bundled film's crossing and car", Poses(bundled.begin() + 2600, bundled.begin() + 3500), 2600, 0.05, 10},
        {"a recorded path", recorded, 0, 0.05, 120},
        {"a recorded path, later in the story", recorded, 5000, 0.2, 120},
        {"one pose", Poses(recorded.begin(), recorded.begin() + 1), 7, 0.05, 1},
    };
    for (const Case& c : cases) {
        OpcionesClaves o;
        o.tolerancia = c.tolerance;
        const ClavesDeCamino k = clavesDeCamino(c.path, c.first, o);
        ASSERT_FALSE(k.claves.empty()) << c.what;
        EXPECT_LE(k.claves.size(), c.mostKeys) << c.what;
        EXPECT_EQ(k.claves.front().fotograma, c.first) << c.what;
        const auto [far, angle] = compiledBack(k.claves, c.path, c.first);
        EXPECT_LE(far, c.tolerance) << c.what;
        EXPECT_LE(angle, o.toleranciaArribaGrados) << c.what;
        EXPECT_NEAR(k.desviacion, far, 1e-6) << c.what << ": the deviation reported";
        EXPECT_GE(k.fotogramaDesviacion, c.first) << c.what;
    }
}

TEST_F(PathKeys, APathThatRidesAThingNamesIt)
{
    struct Case {
        const char* what;
        Poses path;
        int first;
        const char* eye;     // the first key's eye and centre as written
        const char* centre;
        size_t mostKeys;
    } cases[] = {
        {"riding the train as it speeds up", storyPath(1800, 600, [](int) { return riding(Actor::Tren, {3, 2, -8}); }),
         1800, "train + 3 2 -8", "train", 1},
        {"a fixed eye on the flying toaster", storyPath(0, 160, [](int) {
             std::array<float, 9> p = riding(Actor::Tostadora, {0, 0, 0});
             p[0] = -60, p[1] = 20, p[2] = 30;
             return p;
         }),
         0, "-60 20 30", "toaster", 1},
    };
    for (const Case& c : cases) {
        const ClavesDeCamino k = clavesDeCamino(c.path, c.first, OpcionesClaves{});
        ASSERT_FALSE(k.claves.empty()) << c.what;
        EXPECT_LE(k.claves.size(), c.mostKeys) << c.what << "\n" << textoDeTomas(k.claves, "");
        EXPECT_EQ(textoDePunto(k.claves[0].ojo), c.eye) << c.what;
        EXPECT_EQ(textoDePunto(k.claves[0].centro), c.centre) << c.what;
        EXPECT_LE(compiledBack(k.claves, c.path, c.first).first, 0.05) << c.what;
    }
}

TEST_F(PathKeys, ACutIsAStep)
{
    // Held shots and a straight move, with cuts at frames 30, 60 and 100.
    Poses path;
    for (int f = 0; f < 130; f++) {
        std::array<float, 9> p = {10, 5, 10, 0, 0, 0, 0, 1, 0};
        if (f >= 30 && f < 60)
            p = {-40, 8, 3, 1, 2, 3, 0, 1, 0};
        else if (f >= 60 && f < 100)
            p = {-40 + 0.5f * (f - 60), 8, 50, 0, 0, 0, 0, 1, 0};
        else if (f >= 100)
            p = {5, 60, 5, 0, 0, 0, 0.3f, 1, 0};
        path.push_back(p);
    }
    path = asFilm(path);
    const ClavesDeCamino k = clavesDeCamino(path, 0, OpcionesClaves{});
    std::vector<std::pair<int, Movimiento>> got;
    for (const ClaveToma& c : k.claves)
        got.push_back({c.fotograma, c.movimiento});
    const std::vector<std::pair<int, Movimiento>> expected = {
        {0, Movimiento::Fijo},
        {30, Movimiento::Fijo},
        {60, Movimiento::Lineal},
        {99, Movimiento::Fijo},
        {100, Movimiento::Fijo},
    };
    EXPECT_EQ(got, expected) << textoDeTomas(k.claves, "");
    EXPECT_EQ(compiledBack(k.claves, path, 0).first, 0);
}

TEST_F(PathKeys, TheTracksStepTheStoryOnceAndKeepWhereEachThingStands)
{
    const reductor::Recorridos tracks = reductor::recorrerHistoria(1800, 100);
    EXPECT_EQ(fotograma, 1900);  // stepped through the path's frames, no further
    escenaSinVentana();
    for (int f = 1800; f < 1900; f += 33) {
        avanzarHasta(f);
        for (Actor a : reductor::ORDEN_ACTORES) {
            const PuntoMundo there = posicionActor(a), kept = tracks.en(a, static_cast<size_t>(f - 1800));
            EXPECT_TRUE(kept.x == there.x && kept.y == there.y && kept.z == there.z) << f << " " << int(a);
        }
    }
    EXPECT_EQ(tracks.mueven(0, 99), std::vector<Actor>({Actor::Tren, Actor::Balon}));  // the ball rides in the train
    EXPECT_TRUE(tracks.quieto(Actor::Coche, 0, 99));
}

TEST(PathKeysFeatures, CutsHoldsAccelerationsAndTheirJumps)
{
    // A held eye that jumps at pose 5, then drifts a hundredth a frame: one cut.
    Poses poses;
    for (size_t k = 0; k < 15; k++)
        poses.push_back({k < 5 ? 0 : 10 + 0.01f * float(k), 0, 0, 0, 0, -1, 0, 1, 0});
    EXPECT_EQ(reductor::cortesDelCamino(poses, 0.05), std::vector<size_t>({5}));

    // Still for six poses, then away at 0.02 a pose: within 0.05 of pose 0 up to pose 8.
    const auto leaving = [](size_t k) { return math::Vec3{k < 7 ? 0.0 : 0.02 * double(k - 6), 0, 0}; };
    EXPECT_EQ(reductor::quietudTras(leaving, 0, 100, 0.05), 8u);
    EXPECT_EQ(reductor::quietudTras(leaving, 0, 4, 0.05), 4u);  // looking no further

    // Accelerations of 2 from pose 30 and 4 more from pose 70: their jumps peak there.
    const auto bending = [](size_t k) {
        const double a = k > 30 ? double(k - 30) : 0, b = k > 70 ? double(k - 70) : 0;
        return math::Vec3{0, a * a + 2 * b * b, 0};
    };
    EXPECT_DOUBLE_EQ(reductor::aceleracionMedia(bending, 30, 70), 2);
    EXPECT_DOUBLE_EQ(reductor::aceleracionMedia(bending, 0, 30), 0);
    EXPECT_DOUBLE_EQ(reductor::saltoDeAceleracion(bending, 70), 4);
    std::vector<double> jumps(100, 0);
    for (size_t f = 2 * reductor::SEPARACION; f + 2 * reductor::SEPARACION < jumps.size(); f++)
        jumps[f] = reductor::saltoDeAceleracion(bending, f);
    EXPECT_EQ(reductor::picosDeSalto(jumps, 0, 3), std::vector<size_t>({70, 30}));
    EXPECT_EQ(reductor::picosDeSalto(jumps, 0, 1), std::vector<size_t>({70}));
}
