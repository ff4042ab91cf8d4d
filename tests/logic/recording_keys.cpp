// REC's keyboard: every camera key and scene key, the step factor, U recording
// (flushed at once, failures reported), ESC, and the keys that change nothing.
#include "camera/recording_keys.h"

#include "support/test_support.h"

#include <cmath>
#include <functional>

using glrec::rec;

namespace {

const char* const DEFAULT_POSE_LINE =
    "16.700001 99.000000 60.000000 5.500000 4.600000 7.000000 0.000000 0.300000 0.000000\n";

class RecordingKeys : public testing::Test {
protected:
    void SetUp() override
    {
        support::freshScene();
        modo = 1;
        pantalla_completa = 1;
        fich = std::fopen(dir.file("rec.txt").c_str(), "w");
        ASSERT_NE(fich, nullptr);
    }
    void TearDown() override
    {
        if (fich != nullptr)
            std::fclose(fich);
        fich = nullptr;
    }
    std::string press(unsigned char key)
    {
        return support::stdoutOf([key] { keyboard_rec(key, 0, 0); });
    }

    support::TempDir dir;
};

// Everything a key may change, to compare before and after.
struct Snapshot {
    std::vector<double> values;

    static Snapshot now()
    {
        Snapshot s;
        s.values = {qq, ww, ee, aa, ss, dd, zz, xx, cc, fm, movtostada, movsofa, mov_coche, angulo_coche,
                    movgato, mov_gruaX, mov_gruaZ, pendiente_grua, double(rota_escena), double(movpuerta),
                    double(angulo_barrera), double(movalas), double(angulo_tren), double(semaforo_encendido),
                    double(angulo_rueda_coche), double(angulo_helice_coche), double(angulo_gato),
                    double(angulo_grua)};
        for (int a : angulo_brazo)
            s.values.push_back(a);
        return s;
    }
    bool operator==(const Snapshot& o) const { return values == o.values; }
};

}  // namespace

TEST_F(RecordingKeys, EveryKeyPrintsThePoseAsItWasBeforeTheChange)
{
    EXPECT_EQ(press('Q'), DEFAULT_POSE_LINE);
    EXPECT_EQ(qq, 17.7f);
    EXPECT_EQ(press('q'), "17.700001 99.000000 60.000000 5.500000 4.600000 7.000000 0.000000 0.300000 0.000000\n");
    EXPECT_EQ(qq, 16.7f);
}

TEST_F(RecordingKeys, CameraKeysMoveOneComponentByTheStep)
{
    struct Row { unsigned char raise, lower; float* component; };
    const Row rows[] = {
        {'Q', 'q', &qq}, {'W', 'w', &ww}, {'e', 'E', &ee},
        {'A', 'a', &aa}, {'S', 's', &ss}, {'d', 'D', &dd},
        {'z', 'Z', &zz}, {'x', 'X', &xx}, {'c', 'C', &cc},
    };
    for (const Row& r : rows) {
        const float before = *r.component;
        const Snapshot others = Snapshot::now();
        press(r.raise);
        EXPECT_EQ(*r.component, before + 1.0f) << r.raise;
        press(r.lower);
        press(r.lower);
        EXPECT_EQ(*r.component, before + 1.0f - 1.0f - 1.0f) << r.lower;
        *r.component = before;
        EXPECT_TRUE(Snapshot::now() == others) << "key " << r.raise << " changed something else";
    }
}

TEST_F(RecordingKeys, StepFactorChangesInDoublePrecisionAndCanReverseTheKeys)
{
    EXPECT_EQ(press('+'), std::string(DEFAULT_POSE_LINE) + "Factor de Escala: 1.100000\n");
    EXPECT_EQ(fm, static_cast<float>(1.0 + 0.1));
    press('Q');
    EXPECT_EQ(qq, 16.7f + fm);
    press('-');
    for (int i = 0; i < 10; i++)
        press('-');
    EXPECT_NE(fm, 0.0f);                 // ten steps of -0.1 from 1.0 do not reach 0 exactly
    EXPECT_LT(std::fabs(fm), 1e-6f);
    press('-');
    const float before = ww;
    press('W');
    EXPECT_LT(ww, before);                // a negative step reverses the keys
}

TEST_F(RecordingKeys, SceneKeysPoseTheWorldByHand)
{
    struct Row { unsigned char key; std::function<double()> value; double delta; };
    const std::vector<Row> rows = {
        {'p', [] { return rota_escena; }, 1},
        {'T', [] { return movtostada; }, 0.1},  {'t', [] { return movtostada; }, -0.1},
        {'B', [] { return angulo_barrera; }, 1}, {'b', [] { return angulo_barrera; }, -1},
        {'V', [] { return movalas; }, 1},       {'v', [] { return movalas; }, -1},
        {'o', [] { return angulo_tren; }, 5},
        {'i', [] { return movsofa; }, 1},       {'I', [] { return movsofa; }, -1},
        {'K', [] { return mov_coche; }, 1},     {'k', [] { return mov_coche; }, -0.2},
        {'J', [] { return angulo_coche; }, 1},  {'j', [] { return angulo_coche; }, -1},
        {'H', [] { return angulo_rueda_coche; }, 1}, {'h', [] { return angulo_rueda_coche; }, -1},
        {'G', [] { return angulo_helice_coche; }, 1}, {'g', [] { return angulo_helice_coche; }, -1},
        {'F', [] { return angulo_brazo[5]; }, 1}, {'f', [] { return angulo_brazo[5]; }, -1},
        {'2', [] { return pendiente_grua; }, 1}, {'1', [] { return pendiente_grua; }, -1},
        {'4', [] { return angulo_gato; }, 1},   {'3', [] { return angulo_gato; }, -1},
        {'6', [] { return movgato; }, 0.01},    {'5', [] { return movgato; }, -0.01},
        {'8', [] { return mov_gruaX; }, 0.1},   {'7', [] { return mov_gruaX; }, -0.1},
        {'0', [] { return mov_gruaZ; }, 0.1},   {'9', [] { return mov_gruaZ; }, -0.1},
        {'.', [] { return angulo_grua; }, 1},   {',', [] { return angulo_grua; }, -1},
    };
    for (const Row& r : rows) {
        const double before = r.value();
        const std::array<float, 9> pose = {qq, ww, ee, aa, ss, dd, zz, xx, cc};
        press(r.key);
        EXPECT_NEAR(r.value() - before, r.delta, 1e-5) << "key " << r.key;
        EXPECT_EQ((std::array<float, 9>{qq, ww, ee, aa, ss, dd, zz, xx, cc}), pose) << "key " << r.key;
    }
    // Five presses of k undo one K.
    const float car = mov_coche;
    press('K');
    for (int i = 0; i < 5; i++)
        press('k');
    EXPECT_NEAR(mov_coche, car, 1e-5);
}

TEST_F(RecordingKeys, DoorsStayBetweenClosedAndOpen)
{
    for (int i = 0; i < 12; i++)
        press('n');
    EXPECT_EQ(movpuerta, 10);
    for (int i = 0; i < 3; i++)
        press('m');
    EXPECT_EQ(movpuerta, 7);
    for (int i = 0; i < 12; i++)
        press('m');
    EXPECT_EQ(movpuerta, 0);
    press('n');
    EXPECT_EQ(movpuerta, 1);
}

TEST_F(RecordingKeys, LampKeysSwitchAndSwitchOff)
{
    press('l');
    EXPECT_EQ(semaforo_encendido, 1);
    press('l');
    EXPECT_EQ(semaforo_encendido, 2);
    press('l');
    EXPECT_EQ(semaforo_encendido, 1);
    press('L');
    EXPECT_EQ(semaforo_encendido, 0);
}

TEST_F(RecordingKeys, KeysWithoutARowChangeNothingButStillRedraw)
{
    const Snapshot before = Snapshot::now();
    const std::string keys = "PORYMNry !#$%&'()*/:;=?[\\]^_@\"<>`";
    for (unsigned char k : keys) {
        rec().clearRecords();
        EXPECT_EQ(press(k), DEFAULT_POSE_LINE) << k;
        EXPECT_EQ(rec().redisplays, 1) << k;
        EXPECT_EQ(rec().viewports.size(), 1u) << k;
    }
    for (int k : {1, 13, 26, 123, 127, 200, 255})
        press(static_cast<unsigned char>(k));
    EXPECT_TRUE(Snapshot::now() == before);
    EXPECT_EQ(support::readFile(dir.file("rec.txt")), "");
}

TEST_F(RecordingKeys, EachKeyAppliesTheNewPoseToTheView)
{
    winX = 1280;
    winY = 1024;
    press('W');
    EXPECT_EQ(rec().viewport(), (std::array<int, 4>{0, 0, 1280, 1024}));
    const auto expected = math::lookAt(16.7f, 100.0f, 60.0f, 5.5f, 4.6f, 7.0f, 0.0f, 0.3f, 0.0f);
    for (int i = 0; i < 16; i++)
        EXPECT_NEAR(rec().modelview().m[i], expected.m[i], 1e-5);
    pantalla_completa = 0;
    tamX = 800;
    tamY = 600;
    press('W');
    EXPECT_EQ(rec().viewport(), (std::array<int, 4>{0, 0, 800, 600}));
}

TEST_F(RecordingKeys, UAppendsThePoseAndFlushesItAtOnce)
{
    press('Q');
    EXPECT_EQ(press('u'),
              "17.700001 99.000000 60.000000 5.500000 4.600000 7.000000 0.000000 0.300000 0.000000\n"
              "17.700001 99.000000 60.000000 5.500000 4.600000 7.000000 0.000000 0.300000 0.000000\n");
    // Already on disk while the file is still open.
    EXPECT_EQ(support::readFile(dir.file("rec.txt")),
              "17.700001 99.000000 60.000000 5.500000 4.600000 7.000000 0.000000 0.300000 0.000000\n");
    press('U');
    const std::string line = "17.700001 99.000000 60.000000 5.500000 4.600000 7.000000 0.000000 0.300000 0.000000\n";
    EXPECT_EQ(support::readFile(dir.file("rec.txt")), line + line);
}

TEST_F(RecordingKeys, AFailedWriteIsReportedAndRecordingGoesOn)
{
    std::fclose(fich);
    fich = std::fopen("/dev/full", "w");
    ASSERT_NE(fich, nullptr);
    const std::string out = press('u');
    EXPECT_EQ(out, std::string(DEFAULT_POSE_LINE) + "Error al escribir en fichero de camara.\n" + DEFAULT_POSE_LINE);
    press('Q');
    EXPECT_EQ(qq, 17.7f);
}

TEST_F(RecordingKeys, EscapeClosesTheFileAndEnds)
{
    press('u');
    EXPECT_EXIT((support::stdoutToStderr(), keyboard_rec(27, 0, 0)), testing::ExitedWithCode(0),
                std::string("^") + DEFAULT_POSE_LINE + "$");
    EXPECT_EQ(support::readFile(dir.file("rec.txt")), DEFAULT_POSE_LINE);
}

TEST_F(RecordingKeys, EscapeRightAwayLeavesAnEmptyFile)
{
    EXPECT_EXIT(keyboard_rec(27, 0, 0), testing::ExitedWithCode(0), "");
    EXPECT_EQ(support::readFile(dir.file("rec.txt")), "");
}
