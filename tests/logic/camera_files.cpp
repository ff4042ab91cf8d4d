// Camera files: the names of new recordings, loading films (counts, records spread
// over lines, short and malformed files), the pose line, and playback's keys.
#include "camera/camera_files.h"
#include "film/film_reader.h"

#include "scene/timeline.h"
#include "support/test_support.h"

#include <cstring>
#include <regex>

using glrec::rec;
using support::writeFile;

namespace {

std::tm when(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

class CameraFiles : public testing::Test {
protected:
    void SetUp() override { support::freshScene(); }

    // Loads the text as a film; the result and what it printed.
    std::pair<int, std::string> load(const std::string& text)
    {
        writeFile("film.txt", text);
        FILE* f = std::fopen("film.txt", "r");
        int result = 99;
        const std::string out = support::stdoutOf([&] { result = cargarCamaraEnMemoria(f); });
        std::fclose(f);
        return {result, out};
    }

    support::TempDir dir;
};

}  // namespace

TEST(RecordingNames, DayMonthYearHourMinuteSecondZeroPadded)
{
    EXPECT_EQ(nombreFicheroCamara(when(2026, 12, 6, 5, 7, 9)), "camara-06122026050709.txt");
    EXPECT_EQ(nombreFicheroCamara(when(2027, 1, 1, 23, 0, 0)), "camara-01012027230000.txt");
    EXPECT_EQ(nombreFicheroCamara(when(2027, 10, 31, 9, 5, 0)), "camara-31102027090500.txt");
    EXPECT_EQ(nombreFicheroCamara(when(12345, 1, 2, 0, 0, 0)), "camara-0201123450000" "00.txt");
}

TEST(RecordingNames, GeneratedFromTheLocalTimeNow)
{
    setenv("TZ", "Pacific/Kiritimati", 1);  // UTC+14: the date differs from UTC for half the day
    tzset();
    const std::time_t before = std::time(nullptr);
    const std::string name = GenerarNombreFichero();
    const std::time_t after = std::time(nullptr);
    std::tm a{}, b{};
    localtime_r(&before, &a);
    localtime_r(&after, &b);
    EXPECT_TRUE(name == nombreFicheroCamara(a) || name == nombreFicheroCamara(b)) << name;
    EXPECT_TRUE(std::regex_match(name, std::regex(R"(camara-\d{2}\d{2}\d{4}\d{6}\.txt)"))) << name;
    unsetenv("TZ");
    tzset();
}

TEST_F(CameraFiles, CountThenOneRecordPerLine)
{
    const auto [result, out] = load("2\n1 2 3 4 5 6 7 8 9\n-1.5 0 0 0 0 0 0 1 0\n");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(out, "nfotogramas=2\n");
    EXPECT_EQ(nfotogramas, 2);
    ASSERT_EQ(vfotogramas.size(), 2u);
    EXPECT_EQ(vfotogramas[0], (std::array<float, 9>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(vfotogramas[1][0], -1.5f);
    EXPECT_EQ(vfotogramas[1][7], 1.0f);
}

TEST_F(CameraFiles, NumbersMaySpreadOverAnyLinesAndUseExponents)
{
    std::string text = "3\n";
    for (int i = 0; i < 27; i++)
        text += std::to_string(i) + (i % 4 == 3 ? "\n\n" : " \t");
    const auto [result, out] = load(text);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(vfotogramas.size(), 3u);
    EXPECT_EQ(vfotogramas[2][8], 26.0f);
    EXPECT_EQ(load("1\n1e1 2E-1 3 4 5 6 7 8 9\n").first, 0);
    EXPECT_EQ(vfotogramas[0][0], 10.0f);
    EXPECT_FLOAT_EQ(vfotogramas[0][1], 0.2f);
}

TEST_F(CameraFiles, RecordsAfterTheCountAreIgnored)
{
    const auto [result, out] = load("2\n1 1 1 1 1 1 1 1 1\n2 2 2 2 2 2 2 2 2\n3 3 3 3 3 3 3 3 3\n");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(vfotogramas.size(), 2u);
    EXPECT_EQ(vfotogramas[1][0], 2.0f);
}

TEST_F(CameraFiles, ARecordingWithoutItsCountLineTakesTheIntegerPartAsTheCount)
{
    // The first number 2.000000 gives the count 2; its fraction becomes the first value.
    const auto [result, out] = load("2.000000 1 2 3 4 5 6 7 8\n"
                                    "9 10 11 12 13 14 15 16 17\n"
                                    "18 19 20 21 22 23 24 25 26\n");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(out, "nfotogramas=2\n");
    EXPECT_EQ(vfotogramas[0], (std::array<float, 9>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(vfotogramas[1], (std::array<float, 9>{9, 10, 11, 12, 13, 14, 15, 16, 17}));
}

TEST_F(CameraFiles, ZeroRecordsIsNoError)
{
    const auto [result, out] = load("0\n");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(out, "nfotogramas=0\n");
    EXPECT_TRUE(vfotogramas.empty());
}

TEST_F(CameraFiles, NegativeCountFails)
{
    const auto [result, out] = load("-3\n1 2 3\n");
    EXPECT_EQ(result, -1);
    EXPECT_EQ(out, "nfotogramas=-3\n");
}

TEST_F(CameraFiles, AFileThatEndsBeforeItsRecordsIsRefused)
{
    EXPECT_EQ(load("2\n1 2 3 4 5 6 7 8 9\n1 2 3 4 5 6 7 8\n").first, -3);
    EXPECT_EQ(load("1\n1 2 3 4 5 6 7 8 nine\n").first, -3);
    // A huge count in a short file is refused without reserving room for it.
    EXPECT_EQ(load("2000000000\n1 2 3 4 5 6 7 8 9\n").first, -3);
    EXPECT_LE(vfotogramas.capacity(), 16u);
}

TEST_F(CameraFiles, AFileWithoutACountIsRefused)
{
    const auto empty = load("");
    EXPECT_EQ(empty.first, -3);
    EXPECT_EQ(empty.second, "");
    EXPECT_EQ(load("camara\n").first, -3);
}

TEST_F(CameraFiles, ACountBeyondTheRangeOfAnIntIsRefusedLikeOneThatCannotBeRead)
{
    for (const char* count : {"2147483648", "-2147483649", "99999999999999999999999"}) {
        const auto [result, out] = load(std::string(count) + "\n1 2 3 4 5 6 7 8 9\n");
        EXPECT_EQ(result, -3) << count;
        EXPECT_EQ(out, "") << count;
    }
    EXPECT_EQ(load("-2147483648\n").first, -1);
    EXPECT_EQ(load("2147483647\n1 2 3 4 5 6 7 8 9\n").first, -3);
}

// Where the reader says a film went wrong, and what it expected there.
TEST(FilmReader, NamesTheLineAndColumnOfTheFault)
{
    struct Case {
        const char* text;
        FalloPelicula fault;
        int line, column;
        const char* message;
    } cases[] = {
        {"", FalloPelicula::SinCuenta, 1, 1, "expected the number of records, found the end of the file"},
        {"  \n camara\n", FalloPelicula::SinCuenta, 2, 2, "expected the number of records, found \"camara\""},
        {"\n\n 4294967296\n", FalloPelicula::CuentaFueraDeRango, 3, 2,
         "expected a number of records up to 2147483647, found \"4294967296\""},
        {"-3\n", FalloPelicula::CuentaNegativa, 1, 1, "expected a number of records of 0 or more, found \"-3\""},
        {"2\n1 2 3 4 5 6 7 8 9\n1 2 3\tx4 5\n", FalloPelicula::NoEsNumero, 3, 7,
         "expected a number in record 2, found \"x4\""},
        {"2\n1 2 3 4 5 6 7 8 9\n1 2 3\n", FalloPelicula::FaltanRegistros, 4, 1,
         "expected 2 records of nine numbers, found the end of the file in record 2"},
    };
    for (const Case& c : cases) {
        FILE* f = fmemopen(const_cast<char*>(c.text), std::strlen(c.text), "r");
        const LecturaPelicula l = leerPelicula(f);
        std::fclose(f);
        EXPECT_EQ(l.fallo, c.fault) << c.text;
        EXPECT_EQ(l.donde.linea, c.line) << c.text;
        EXPECT_EQ(l.donde.columna, c.column) << c.text;
        EXPECT_EQ(describirFallo(l), c.message);
    }
}

TEST(FilmReader, KeepsWhereEachRecordStartsAndWhatFollowsTheLast)
{
    // A long first line crosses the reader's blocks; positions still count from the file's start.
    std::string text = "2" + std::string(100000, ' ') + "\n1 2 3 4 5 6 7 8 9\n  9 8 7 6 5 4 3 2 1 # end\n";
    FILE* f = fmemopen(text.data(), text.size(), "r");
    const LecturaPelicula l = leerPelicula(f, true);
    std::fclose(f);
    ASSERT_TRUE(l.bien());
    ASSERT_EQ(l.inicioRegistro.size(), 2u);
    EXPECT_EQ(l.inicioRegistro[1].linea, 3);
    EXPECT_EQ(l.inicioRegistro[1].columna, 3);
    EXPECT_TRUE(l.hayResto);
    EXPECT_EQ(l.resto.linea, 3);
    EXPECT_EQ(l.resto.columna, 21);
}

TEST(PoseLine, NineNumbersWithSixDecimals)
{
    EXPECT_EQ(lineaPose({16.7f, 99, 60, 5.5f, 4.6f, 7, 0, 0.3f, -0.25f}),
              "16.700001 99.000000 60.000000 5.500000 4.600000 7.000000 0.000000 0.300000 -0.250000\n");
}

class PlaybackKeys : public testing::Test {
protected:
    void SetUp() override { support::freshScene(); }
};

TEST_F(PlaybackKeys, SpaceDoesNothingBeforeTheFirstFrame)
{
    glutIdleFunc(refresco);
    keyboard_play(' ', 0, 0);
    EXPECT_EQ(pausa, 0);
    EXPECT_EQ(rec().callbacks.idle, &refresco);
}

TEST_F(PlaybackKeys, SpacePausesAndResumes)
{
    fotograma = 5;
    glutIdleFunc(refresco);
    keyboard_play(' ', 0, 0);
    EXPECT_EQ(pausa, 1);
    EXPECT_EQ(rec().callbacks.idle, nullptr);
    keyboard_play(' ', 0, 0);
    EXPECT_EQ(pausa, 0);
    EXPECT_EQ(rec().callbacks.idle, &refresco);
    EXPECT_EQ(rec().redisplays, 0);  // the picture stays as it was
}

TEST_F(PlaybackKeys, UPrintsThePoseAndWritesNothing)
{
    support::TempDir dir;
    EXPECT_EQ(support::stdoutOf([] { keyboard_play('u', 0, 0); }),
              "16.700001 99.000000 60.000000 5.500000 4.600000 7.000000 0.000000 0.300000 0.000000\n");
    EXPECT_EQ(support::stdoutOf([] { keyboard_play('U', 0, 0); }),
              "16.700001 99.000000 60.000000 5.500000 4.600000 7.000000 0.000000 0.300000 0.000000\n");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(PlaybackKeys, OtherKeysDoNothing)
{
    fotograma = 7;
    glutIdleFunc(refresco);
    for (int k : {int('q'), int('P'), int('n'), int('1'), int('\r'), 200})
        EXPECT_EQ(support::stdoutOf([k] { keyboard_play(static_cast<unsigned char>(k), 0, 0); }), "");
    EXPECT_EQ(pausa, 0);
    EXPECT_EQ(qq, 16.7f);
}

TEST_F(PlaybackKeys, EscapePrintsTheBoxCountAndEnds)
{
    nprismas = 117;
    EXPECT_EXIT((support::stdoutToStderr(), keyboard_play(27, 0, 0)), testing::ExitedWithCode(0),
                "^prismas dibujados: 117\n$");
}

TEST_F(PlaybackKeys, TheBoxCountDoesNotOverflowOnALongReplay)
{
    nprismas = 5000000000LL;
    EXPECT_EXIT((support::stdoutToStderr(), keyboard_play(27, 0, 0)), testing::ExitedWithCode(0),
                "^prismas dibujados: 5000000000\n$");
}
