// The story's schedule, frame by frame: group boundaries, first match inside a
// group, inclusive ranges, fractional steps in double precision stored as floats,
// and the steps of the replay and of the credits screen.
#include "scene/timeline.h"

#include "app/credits_screen.h"
#include "camera/view.h"
#include "support/test_support.h"

#include <cmath>
#include <utility>
#include <vector>

using glrec::rec;

namespace {

class Timeline : public testing::Test {
protected:
    void SetUp() override { support::freshScene(); }

    // Applies the schedule for frames fotograma .. last, as the replay would.
    void runThrough(int last)
    {
        for (; fotograma <= last; fotograma++)
            aplicarGuion();
    }
    void runOne(int frame)
    {
        fotograma = frame;
        aplicarGuion();
        fotograma = frame + 1;
    }
};

// A float advanced n times by a step added in double precision.
float stepsInDouble(float start, double step, int n)
{
    float v = start;
    for (int i = 0; i < n; i++)
        v = static_cast<float>(v + step);
    return v;
}

}  // namespace

TEST_F(Timeline, ToasterFliesForwardBeatingItsWingsUntilFrame910)
{
    runThrough(909);
    EXPECT_EQ(movalas, 910 % 18);
    runThrough(910);
    EXPECT_EQ(xtostadora, stepsInDouble(0.0f, 0.05, 911));
    const float atEnd = xtostadora;
    runThrough(960);
    EXPECT_EQ(xtostadora, atEnd);
    EXPECT_EQ(ytostadora, 15.4f);  // hovers with its wings still until frame 961
    EXPECT_EQ(movalas, 911 % 18);
}

TEST_F(Timeline, WingPhaseWrapsFrom17To0)
{
    movalas = 16;
    runOne(0);
    EXPECT_EQ(movalas, 17);
    runOne(1);
    EXPECT_EQ(movalas, 0);
}

TEST_F(Timeline, SofaTurnsNineStepsAndThePitchAppearsAtFrame179)
{
    runThrough(170);
    EXPECT_EQ(movsofa, 0.0f);
    runThrough(178);
    EXPECT_EQ(movsofa, 8.0f);
    runThrough(179);
    EXPECT_EQ(movsofa, 9.0f);
    runThrough(1000);
    EXPECT_EQ(movsofa, 9.0f);
}

TEST_F(Timeline, BallShowsAtFrame370AndTheLegKicksFrom511To532)
{
    runThrough(369);
    EXPECT_EQ(estado_balon, 2);
    runThrough(370);
    EXPECT_EQ(estado_balon, 0);
    runThrough(510);
    EXPECT_EQ(movpierna, 0);
    runThrough(511);
    EXPECT_EQ(movpierna, 1);
    runThrough(532);
    EXPECT_EQ(movpierna, 22);
    runThrough(600);
    EXPECT_EQ(movpierna, 22);
}

TEST_F(Timeline, TheKickCarriesTheBallFrom24InAnArcToWhereTheRallyStarts)
{
    // The ball half a second apart from the kick at frame 521 (the story's 20 steps a second).
    std::vector<std::pair<double, double>> at;
    for (int f : {521, 531, 541, 551}) {
        runThrough(f);
        at.push_back({xbalon, ybalon});
    }
    EXPECT_FLOAT_EQ(at[0].first, 24.0f);
    EXPECT_FLOAT_EQ(at[0].second, 0.0f);
    EXPECT_GT(at[1].second, at[0].second);
    for (size_t i = 2; i < at.size(); i++) {
        // Toward zero at a steady pace, falling as a thrown body does: 9.8 a second squared.
        EXPECT_LT(at[i].first, at[i - 1].first);
        EXPECT_NEAR(at[i - 1].first - at[i].first, at[0].first - at[1].first, 1e-4) << i;
        EXPECT_NEAR(at[i].second - 2 * at[i - 1].second + at[i - 2].second, -9.8 / 4, 1e-4) << i;
    }
    // It comes down by the rally's first throw, which takes it from there.
    runThrough(617);
    const double x = xbalon, y = ybalon;
    runThrough(618);
    EXPECT_NEAR(x, xbalon, 0.6);
    EXPECT_NEAR(y, ybalon, 0.3);
}

TEST_F(Timeline, RallyThrowsAlternateAndTheLastStopsInTheAirAtFrame910)
{
    runThrough(618);
    EXPECT_NEAR(xbalon, -0.3, 1e-5);
    EXPECT_NEAR(ybalon, 3.0, 1e-5);
    runThrough(683);
    EXPECT_NEAR(xbalon, 50.0, 1e-5);  // mirrored: flies back toward 0
    EXPECT_NEAR(ybalon, 3.0, 1e-5);
    runThrough(910);
    EXPECT_NEAR(xbalon, 22.135 * 0.7073 * 1.6 - 0.3, 1e-3);
    EXPECT_NEAR(ybalon, 22.135 * 0.7068 * 1.6 - 4.9 * 2.56 + 3.0, 1e-3);
    // Drawn later by the second placement rule at about (-4.45, 30.69, 25).
    EXPECT_NEAR(xbalon - 29.2, -4.45, 0.01);
    EXPECT_NEAR(ybalon + 15.2, 30.69, 0.01);
    const float x = xbalon, y = ybalon;
    runThrough(1117);
    EXPECT_EQ(xbalon, x);
    EXPECT_EQ(ybalon, y);
}

TEST_F(Timeline, ToasterComesDownFromFrame961AndLandsAt1017)
{
    runThrough(960);
    const float x = xtostadora;
    runThrough(961);
    EXPECT_FLOAT_EQ(ytostadora, 15.5f);
    EXPECT_EQ(movalas, 0);
    runThrough(1016);
    EXPECT_FLOAT_EQ(ytostadora, 15.5f - 55 * 0.245f);
    EXPECT_EQ(movalas, 0);
    EXPECT_EQ(xtostadora, x);
    runThrough(1017);  // 15.5 - 56 x 0.245 = 1.78 < 1.8: landed in the same step
    EXPECT_EQ(ytostadora, 1.4f);
    EXPECT_EQ(movalas, 9);
    EXPECT_EQ(xtostadora, static_cast<float>(x + 0.1));
    runThrough(1018);
    EXPECT_EQ(ytostadora, 1.4f);
    EXPECT_EQ(movalas, 9);
}

TEST_F(Timeline, MouthToastAndTheBallsFallIntoTheTrain)
{
    runThrough(1018);
    EXPECT_EQ(estado_boca, 0);
    runThrough(1019);
    EXPECT_EQ(estado_boca, 1);
    runThrough(1110);
    EXPECT_NEAR(movtostada, 0.4, 1e-6);
    runThrough(1114);
    EXPECT_NEAR(movtostada, 0.0, 1e-6);
    runThrough(1118);  // the fall starts from (0, 0) of the second placement
    EXPECT_FLOAT_EQ(xbalon, 0.0f);
    EXPECT_FLOAT_EQ(ybalon, 0.0f);
    runThrough(1153);
    EXPECT_NEAR(xbalon, 11.2486 * 1.75, 1e-4);
    EXPECT_NEAR(ybalon, -4.9 * 1.75 * 1.75, 1e-4);
    runThrough(1154);  // the bounce starts where the fall ended, roughly
    EXPECT_NEAR(xbalon, 19.7, 1e-5);
    EXPECT_NEAR(ybalon, -15.0, 1e-5);
    runThrough(1186);
    EXPECT_EQ(estado_balon, 0);
    runThrough(1187);
    EXPECT_EQ(estado_balon, 1);
}

TEST_F(Timeline, TrainDoorsCloseThenItLeavesEverFaster)
{
    runThrough(1390);
    EXPECT_EQ(movpuerta, 10);
    runThrough(1400);
    EXPECT_EQ(movpuerta, 0);
    runThrough(1420);
    EXPECT_EQ(angulo_tren, 0);
    runThrough(1969);
    EXPECT_EQ(angulo_tren, 549 * 5);
    runThrough(2000);
    EXPECT_EQ(angulo_tren, 549 * 5);
    runThrough(2849);
    EXPECT_EQ(angulo_tren, 549 * 5 + 849 * 15);
    runThrough(2851);
    EXPECT_EQ(angulo_tren, 549 * 5 + 849 * 15 + 200);
    EXPECT_EQ(movpuerta, 0);
}

TEST_F(Timeline, CrossingLampsAlternateEveryTenFramesFrom2690To2990)
{
    runThrough(2689);
    EXPECT_EQ(semaforo_encendido, 0);
    runThrough(2690);
    EXPECT_EQ(semaforo_encendido, 1);
    runThrough(2699);
    EXPECT_EQ(semaforo_encendido, 1);
    runThrough(2700);
    EXPECT_EQ(semaforo_encendido, 2);
    runThrough(2990);
    EXPECT_EQ(semaforo_encendido, 1);
    runThrough(3000);  // 3000 is outside the range
    EXPECT_EQ(semaforo_encendido, 1);
    runThrough(3090);
    EXPECT_EQ(semaforo_encendido, 1);
    runThrough(3091);
    EXPECT_EQ(semaforo_encendido, 0);
}

TEST_F(Timeline, BarriersGoDownAndUpAgain)
{
    runThrough(2722);
    EXPECT_EQ(angulo_barrera, 90);
    runThrough(2812);
    EXPECT_EQ(angulo_barrera, 0);
    runThrough(3000);
    EXPECT_EQ(angulo_barrera, 0);
    runThrough(3090);
    EXPECT_EQ(angulo_barrera, 90);
}

TEST_F(Timeline, CarDrivesAndLoopsTwice)
{
    runThrough(3183);
    EXPECT_EQ(mov_coche, 83.0f);  // the pivot over the looping's centre
    runThrough(3207);
    EXPECT_EQ(angulo_coche, 24.0f);
    runThrough(3236);
    EXPECT_EQ(mov_coche, 112.0f);
    runThrough(3237);
    EXPECT_EQ(mov_coche, 72.0f);
    EXPECT_EQ(angulo_coche, 0.0f);
    runThrough(3260);
    EXPECT_EQ(mov_coche, 83.0f);
    runThrough(3381);
    EXPECT_EQ(angulo_coche, stepsInDouble(0.0f, 0.2, 120));
    EXPECT_NEAR(angulo_coche, 24.0, 1e-4);
    runThrough(3429);
    EXPECT_EQ(mov_coche, 107.0f);
    runThrough(4099);
    EXPECT_EQ(mov_coche, stepsInDouble(107.0f, 0.02, 171));
}

TEST_F(Timeline, CarOpensItsDoorsTiltsItsWheelsAndSpinsThemUp)
{
    runThrough(4245);
    EXPECT_EQ(movpuertacoche, 91);
    runThrough(4346);
    EXPECT_EQ(angulo_helice_coche, -91);
    runThrough(4360);
    const int before = angulo_rueda_coche;
    runOne(4361);
    EXPECT_EQ(angulo_rueda_coche, before);  // (4361 - 4360) / 2 = 0
    fotograma = 4362;
    runThrough(4499);
    const int at4499 = angulo_rueda_coche;
    runOne(4500);
    EXPECT_EQ(angulo_rueda_coche, at4499 + 70);
    EXPECT_EQ(angulo_rueda_coche, 4900);  // 0 + 1 + 1 + 2 + ... + 70
    runThrough(5621);
    EXPECT_EQ(angulo_rueda_coche, 4900 + 1121 * 20);
    runThrough(6000);
    EXPECT_EQ(angulo_rueda_coche, 4900 + 1121 * 20);
}

TEST_F(Timeline, AtFrame4720BothTheJoltAndTheFlightApply)
{
    runThrough(4719);
    const float lift = despega, travel = mov_coche;
    runOne(4720);
    EXPECT_EQ(despega, lift + 2.0f);
    EXPECT_EQ(mov_coche, travel + 1.0f);
}

TEST_F(Timeline, CarFliesToTheIslandAndFallsBesideIt)
{
    runThrough(4682);
    EXPECT_NEAR(despega, 4.0, 1e-5);
    runThrough(5375);
    EXPECT_NEAR(despega, 381.0, 1e-4);
    runThrough(5432);
    EXPECT_EQ(despega, 180.9f);
    EXPECT_EQ(mov_coche, 1345.0f);
    EXPECT_EQ(cocheZ, 439.6f);
    EXPECT_EQ(angulo_coche, 0.0f);
    runThrough(5549);
    EXPECT_NEAR(despega, 180.9 - 97 * 1.5 - 20 * 0.2, 1e-3);
    runThrough(5621);
    EXPECT_EQ(movpuertacoche, -1);  // out over 91 frames, back over 92
    EXPECT_EQ(angulo_helice_coche, 1);
    runThrough(5629);
    EXPECT_EQ(estado_coche, 0);
    runThrough(5630);
    EXPECT_EQ(estado_coche, 1);
    EXPECT_EQ(despega, 0.0f);
    EXPECT_EQ(mov_coche, 0.0f);
    runThrough(5819);
    EXPECT_NEAR(30.0 - 0.5 * mov_coche, 1.8, 1e-3);
    runThrough(5820);
    EXPECT_EQ(estado_coche, 2);
    runThrough(5956);
    EXPECT_EQ(grua_visible, 0);
    runThrough(5957);
    EXPECT_EQ(grua_visible, 1);
}

TEST_F(Timeline, CraneDrivesPropsItselfLiftsTheCarAndTipsIt)
{
    runThrough(6701);
    EXPECT_NEAR(mov_gruaX, -20.2, 1e-3);
    EXPECT_EQ(angulo_grua, -92);
    EXPECT_NEAR(mov_gruaZ, -7.6, 1e-3);
    EXPECT_EQ(angulo_gato, -121);
    EXPECT_NEAR(movgato, -0.4, 1e-5);
    EXPECT_NEAR(mov_gruaY, 0.08, 1e-5);
    runThrough(7119);
    EXPECT_EQ(estado_coche, 2);
    runThrough(7120);
    EXPECT_EQ(estado_coche, 3);
    runThrough(7389);
    const int expected[6] = {90 - 10 - 70 - 10, 32 - 59 - 10 - 10 + 10 + 20 + 30, -152 + 61 + 20 + 10 + 10 - 30 - 30,
                             120 - 162 - 20 - 20, -20 + 100 - 80, 40 + 20};
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(angulo_brazo[i], expected[i]) << "joint " << i;
    runThrough(7390);
    EXPECT_EQ(estado_coche, 4);
    EXPECT_EQ(angulo_gato, 0);
    EXPECT_EQ(movgato, 0.0f);
    EXPECT_EQ(mov_gruaY, 0.0f);
    EXPECT_EQ(mov_coche, 0.0f);
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(angulo_brazo[i], angulo_brazo_reposo[i]);
    runThrough(7784);
    EXPECT_EQ(pendiente_grua, 44.0f);
    runThrough(7811);
    EXPECT_NEAR(mov_coche, -12.2, 1e-4);
}

TEST_F(Timeline, AfterTheScriptOnlyTheTrainMovesOn)
{
    runThrough(7811);
    const float car = mov_coche, tilt = pendiente_grua;
    const int train = angulo_tren;
    runThrough(7900);
    EXPECT_EQ(mov_coche, car);
    EXPECT_EQ(pendiente_grua, tilt);
    EXPECT_EQ(angulo_tren, train + 89 * 100);
}

TEST_F(Timeline, RefrescoInstallsThePoseAdvancesAndSwitchesToTheCreditsAfterTheLastPose)
{
    vfotogramas = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {11, 12, 13, 14, 15, 16, 17, 18, 19}};
    nfotogramas = 2;
    pantalla_completa = 1;
    winX = 1280;
    winY = 1024;
    tamX = 800;
    tamY = 600;
    glutDisplayFunc(nullptr);

    std::string out = support::stdoutOf([] { refresco(); });
    EXPECT_EQ(out, "fotograma:1\n");
    EXPECT_EQ(fotograma, 1);
    EXPECT_EQ(qq, 1.0f);
    EXPECT_EQ(cc, 9.0f);
    EXPECT_EQ(rec().viewport(), (std::array<int, 4>{0, 0, 1280, 1024}));  // the view follows the pose
    EXPECT_EQ(rec().redisplays, 1);
    EXPECT_EQ(xtostadora, 0.05f);  // frame 0 of the script was applied

    out = support::stdoutOf([] { refresco(); });
    EXPECT_EQ(out, "fotograma:2\n");
    EXPECT_EQ(qq, 11.0f);
    EXPECT_EQ(cc, 19.0f);
    // The credits screen: its callbacks, a window of the screen's size, counter back at 0.
    EXPECT_EQ(fotograma, 0);
    EXPECT_EQ(rec().callbacks.display, &display_fin);
    EXPECT_EQ(rec().callbacks.idle, &refresco_tostadora);
    EXPECT_EQ(rec().callbacks.reshape, &reshape_fijo);
    EXPECT_EQ(pantalla_completa, 0);
    EXPECT_EQ(tamX, 1024);
    EXPECT_EQ(tamY, 768);
    ASSERT_FALSE(rec().windowResizes.empty());
    EXPECT_EQ(rec().windowResizes.back(), std::make_pair(1280, 1024));
}

TEST_F(Timeline, WithNoPosesTheCameraStaysAndTheCreditsNeverCome)
{
    nfotogramas = 0;
    pantalla_completa = 1;
    for (int i = 0; i < 3; i++)
        support::stdoutOf([] { refresco(); });
    EXPECT_EQ(fotograma, 3);
    EXPECT_EQ(qq, 16.7f);
    EXPECT_EQ(rec().callbacks.idle, nullptr);
}

TEST_F(Timeline, RefrescoWaitsItsStep)
{
    nfotogramas = 0;
    const auto start = std::chrono::steady_clock::now();
    support::stdoutOf([] { refresco(); });
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(PAUSA_PASO_MS));
}

TEST_F(Timeline, CreditsStepSpinsByThreeAndBeatsTheWings)
{
    refresco_tostadora();
    EXPECT_EQ(angulo_tostadora, 3);
    EXPECT_EQ(movalas, 1);
    EXPECT_EQ(rec().redisplays, 1);
    angulo_tostadora = 357;
    movalas = 17;
    refresco_tostadora();
    EXPECT_EQ(angulo_tostadora, 360);
    EXPECT_EQ(movalas, 0);
    refresco_tostadora();
    EXPECT_EQ(angulo_tostadora, 3);
}
