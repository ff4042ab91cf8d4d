// The story's soundtrack: the same bytes every time and in every slice, bells
// on the crossing lamps' frames, sounds on the side of the view they stand on
// and fainter farther away, and the music where and as loud as it is asked
// for, but never past the limiter's ceiling.
#include "sound/soundtrack.h"

#include "app/scene_state.h"
#include "film/player.h"
#include "film/shot_compiler.h"
#include "scene/actors.h"
#include "scene/timeline.h"
#include "sound/mastering.h"
#include "sound/mixer.h"
#include "support/test_support.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

using Poses = std::vector<std::array<float, 9>>;
constexpr int N = SONIDO_POR_FOTOGRAMA;

const Poses& bundledFilm()
{
    static const Poses poses = [] {
        const std::string shots = support::readFile(PRACTICA02_SOURCE_DIR "/shots/camarabuena.shots");
        return compilarTomas(shots, FOTOGRAMAS_GUION, false).poses;
    }();
    return poses;
}

// Where the crossing is: a fixed place, wherever the story stands.
PuntoMundo crossing()
{
    escenaSinVentana();
    return posicionActor(Actor::PasoANivel);
}

// A film that holds one pose for the whole story: the eye at the crossing plus
// (dx, dy, dz), looking along +z, whose right is -x.
Poses stillCamera(float dx, float dy, float dz)
{
    const PuntoMundo p = crossing();
    const std::array<float, 9> pose = {p.x + dx, p.y + dy, p.z + dz, p.x + dx, p.y + dy, p.z + dz + 10, 0, 1, 0};
    return Poses(FOTOGRAMAS_GUION, pose);
}

std::vector<float> bellsOnly(const Poses& poses, int from, int to)
{
    OpcionesSonido o;
    o.familias = familia(Familia::Campana);
    return bandaSonora(poses, from, to, o);
}

// The energy of one channel (0 left, 1 right) over the whole of the samples.
double energy(const std::vector<float>& s, int channel)
{
    double e = 0;
    for (size_t i = channel; i < s.size(); i += 2)
        e += static_cast<double>(s[i]) * s[i];
    return e;
}

bool sameBits(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

// Music that a test can recognise: a ramp that never repeats within a second.
Musica ramp(double offsetSeconds, double gainDb)
{
    Musica m;
    for (int k = 0; k < SONIDO_POR_SEGUNDO * 3; k++) {
        m.muestras.push_back(0.5f * (k % 48000) / 48000.0f);
        m.muestras.push_back(-0.25f * (k % 24000) / 24000.0f);
    }
    m.desplazamiento = offsetSeconds;
    m.gananciaDb = gainDb;
    return m;
}

}  // namespace

TEST(Soundtrack, TheSameBytesEveryTimeAndInEverySlice)
{
    const Musica music = ramp(40.0, -6.0);
    const std::vector<float> whole = bandaSonora(bundledFilm(), 0, FOTOGRAMAS_GUION - 1, &music);
    ASSERT_EQ(whole.size(), 2u * N * FOTOGRAMAS_GUION);
    EXPECT_TRUE(sameBits(whole, bandaSonora(bundledFilm(), 0, FOTOGRAMAS_GUION - 1, &music)));
    for (const auto& [from, to] : {std::pair{1580, 1660}, std::pair{2689, 2691}, std::pair{7800, 7811}}) {
        const std::vector<float> slice = bandaSonora(bundledFilm(), from, to, &music);
        const std::vector<float> expected(whole.begin() + 2L * N * from, whole.begin() + 2L * N * (to + 1));
        EXPECT_TRUE(sameBits(slice, expected)) << "frames " << from << "-" << to;
    }
    // Something is heard, and nothing reaches full scale.
    float loudest = 0;
    for (float v : whole)
        loudest = std::max(loudest, std::fabs(v));
    EXPECT_GT(loudest, 0.3f);
    for (int16_t v : aDieciseisBits(whole))
        ASSERT_LT(std::abs(v), 32767);
    EXPECT_TRUE(bandaSonora(bundledFilm(), 10, 9).empty());
}

TEST(Soundtrack, ABellStrikesOnEveryFrameACrossingLampLights)
{
    // The frames the lamps light on, as the timeline steps the story.
    std::vector<int> lit;
    escenaSinVentana();
    for (int previous = 0; fotograma < FOTOGRAMAS_GUION;) {
        pasoDelGuion();
        if (semaforo_encendido != previous && semaforo_encendido != 0)
            lit.push_back(fotograma - 1);
        previous = semaforo_encendido;
    }
    ASSERT_EQ(lit.size(), 31u);
    EXPECT_EQ(lit.front(), 2690);
    EXPECT_EQ(lit.back(), 2990);

    // An onset: a frame whose energy is several times the frame before's.
    const int from = 2600, to = 3100;
    const std::vector<float> s = bellsOnly(stillCamera(-15, 2, -20), from, to);
    std::vector<double> perFrame;
    for (int f = 0; f <= to - from; f++)
        perFrame.push_back(energy(std::vector<float>(s.begin() + 2L * N * f, s.begin() + 2L * N * (f + 1)), 0));
    std::vector<int> onsets;
    for (size_t f = 1; f < perFrame.size(); f++)
        if (perFrame[f] > 1e-6 && perFrame[f] > 3.0 * perFrame[f - 1])
            onsets.push_back(from + static_cast<int>(f));
    ASSERT_EQ(onsets.size(), lit.size());
    for (size_t i = 0; i < lit.size(); i++)
        EXPECT_LE(std::abs(onsets[i] - lit[i]), 1) << "strike " << i;
}

TEST(Soundtrack, ASoundIsOnTheSideOfTheViewItStandsOnAndFainterFartherAway)
{
    // The crossing 15 to the left of the view, 20 ahead; then the view mirrored.
    const std::vector<float> left = bellsOnly(stillCamera(-15, 0, -20), 2680, 2780);
    const std::vector<float> right = bellsOnly(stillCamera(15, 0, -20), 2680, 2780);
    EXPECT_GT(energy(left, 0), 4 * energy(left, 1));
    EXPECT_NEAR(energy(left, 0) / energy(right, 1), 1.0, 1e-3);
    EXPECT_NEAR(energy(left, 1) / energy(right, 0), 1.0, 1e-3);

    // Straight ahead at 20 and at 40: half the amplitude, a quarter of the energy.
    const std::vector<float> near = bellsOnly(stillCamera(0, 0, -20), 2680, 2780);
    const std::vector<float> far = bellsOnly(stillCamera(0, 0, -40), 2680, 2780);
    EXPECT_NEAR(energy(near, 0), energy(near, 1), 1e-6 * energy(near, 0));
    EXPECT_NEAR(energy(far, 0) / energy(near, 0), 0.25, 0.05);
}

TEST(Soundtrack, MusicPlaysFromItsOffsetAtItsGainAndNeverPastTheCeiling)
{
    // No story sounds: what comes out is the music alone.
    const Musica music = ramp(0.5, -6.0);
    OpcionesSonido o;
    o.familias = 0;
    o.musica = &music;
    const std::vector<float> s = bandaSonora(bundledFilm(), 0, 99, o);
    const long start = SONIDO_POR_SEGUNDO / 2;
    const double gain = std::pow(10.0, -6.0 / 20.0);
    for (long k : {0L, start - 1})
        EXPECT_EQ(s[2 * k], 0.0f);
    for (long k : {start, start + 1000, start + 90000}) {
        EXPECT_NEAR(s[2 * k], gain * music.muestras[2 * (k - start)], 1e-6) << k;
        EXPECT_NEAR(s[2 * k + 1], gain * music.muestras[2 * (k - start) + 1], 1e-6) << k;
    }

    // Music far too loud: the limiter turns it down under its ceiling, which
    // only the ramp's tops reach, instead of cutting them flat there.
    Musica loud = ramp(0.0, 20.0);
    o.musica = &loud;
    float loudest = 0;
    int atTheCeiling = 0;
    for (float v : bandaSonora(bundledFilm(), 0, 99, o)) {
        loudest = std::max(loudest, std::fabs(v));
        atTheCeiling += std::fabs(v) >= TECHO_LIMITADOR * (1 - 1e-6f);
    }
    EXPECT_LE(loudest, TECHO_LIMITADOR);
    EXPECT_GT(loudest, 0.9f * TECHO_LIMITADOR);
    EXPECT_LE(atTheCeiling, 3);
}
