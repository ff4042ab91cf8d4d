// Reading shot lists: keys with fixed and named points, offsets, motions and
// comments, and the music line; each error with its line, column and what was
// expected.
#include "film/shot_compiler.h"
#include "film/shot_list.h"
#include "film/shot_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::HasSubstr;
using namespace std::string_literals;

TEST(ShotList, ReadsKeysWithPointsNamesOffsetsAndMotions)
{
    const ListaDeTomas l = leerListaDeTomas("# opening\n"
                                            "0 1 2 3  4 5 6  0 1 0 step   # held\r\n"
                                            "\n"
                                            "40 train + 0 5.5 -8 train 0 1 0 linear\n"
                                            "90 ball 1e1 0 0 0 0 1\n",
                                            100);
    ASSERT_TRUE(l.bien());
    ASSERT_EQ(l.claves.size(), 3u);
    const ClaveToma &a = l.claves[0], &b = l.claves[1], &c = l.claves[2];
    EXPECT_EQ(a.linea, 2);
    EXPECT_EQ(a.movimiento, Movimiento::Fijo);
    EXPECT_FALSE(a.ojo.conActor);
    EXPECT_EQ(a.centro.xyz, (std::array<float, 3>{4, 5, 6}));
    EXPECT_EQ(b.fotograma, 40);
    EXPECT_EQ(b.movimiento, Movimiento::Lineal);
    EXPECT_TRUE(b.ojo.conActor && b.centro.conActor);
    EXPECT_EQ(b.ojo.actor, Actor::Tren);
    EXPECT_EQ(b.ojo.xyz, (std::array<float, 3>{0, 5.5f, -8}));
    EXPECT_EQ(b.centro.xyz, (std::array<float, 3>{0, 0, 0}));
    EXPECT_EQ(c.ojo.actor, Actor::Balon);
    EXPECT_EQ(c.centro.xyz[0], 10.0f);
    EXPECT_EQ(c.movimiento, Movimiento::Suave);
    EXPECT_EQ(c.arriba, (std::array<float, 3>{0, 0, 1}));
}

TEST(ShotList, NamesTheLineAndColumnOfEachErrorAndWhatWasExpected)
{
    struct Case {
        std::string text;
        int line, column;
        const char* message;
    } cases[] = {
        {"0 1 2 3  trian 0 1 0\n", 1, 10, "expected a number or a name for the centre, found \"trian\" (names: toaster,"},
        {"310 1 2 3 4 5 6 0 1 0\n300 1 2 3 4 5 6 0 1 0\n", 2, 1,
         "frame 300 is not after the previous key's frame 310 (line 1)"},
        {"5 1 2 3 4 5 6 0 1 0\n5 1 2 3 4 5 6 0 1 0\n", 2, 1, "frame 5 is not after"},
        {"1000 1 2 3 4 5 6 0 1 0\n", 1, 1, "expected a frame below 1000 (the film's length), found \"1000\""},
        {"99999999999999999999 1 2 3 4 5 6 0 1 0\n", 1, 1, "expected a frame below 1000"},
        {"\n -1 1 2 3 4 5 6 0 1 0\n", 2, 2, "expected a frame number (a whole number, 0 or more), found \"-1\""},
        {"2.5 1 2 3 4 5 6 0 1 0\n", 1, 1, "expected a frame number"},
        {"0 1 2 3 4 5 6 0 1\n", 1, 18, "expected a number for the up vector's z, found the end of the line"},
        {"0 1 2 3 4 5 6 0 1 #0\n", 1, 18, "the up vector's z, found the end of the line"},
        {"0 inf 2 3 4 5 6 0 1 0\n", 1, 3, "expected a finite number for the eye's x, found \"inf\""},
        {"0 1 2 3 4 x 6 0 1 0\n", 1, 11, "expected a number for the centre's y, found \"x\""},
        {"0 train + 1 2 ball 0 1 0\n", 1, 15, "expected a number for the eye's offset z, found \"ball\""},
        {"0 1.2.3 4 5 6 0 1 0\n", 1, 3, "expected a number or a name for the eye, found \"1.2.3\"\n"},
        {"0 1 2 3 4 5 6 0 1 0 smoth\n", 1, 21, "expected step, linear or smooth, or the end of the line, found \"smoth\""},
        {"0 1 2 3 4 5 6 0 1 0 step 7\n", 1, 26, "expected the end of the line, found \"7\""},
        {"# nothing\n\n", 3, 1, "expected a key"},
        // Control characters are no text wherever they stand, a comment too: another
        // program would cut the text at the NUL, or hide the rest.
        {"0 1 2 3 4 5 6 0 1 0\n10 1\0 2 3 4 5 6 0 1 0\n"s, 2, 5, "found the control character U+0000 (NUL)"},
        {"# a \x1b[31mred\x1b[0m comment\n0 1 2 3 4 5 6 0 1 0\n", 1, 5, "the control character U+001B"},
        {"0 1 2 3 4 5 6 0 1 0 \xc2\x85\n", 1, 21, "expected printable text, found the control character U+0085"},
        // The music line: its name quoted, each setting once with its number, and one such line.
        {"music trains.ogg\n", 1, 7, "expected the music file's name between double quotes (music \"FILE NAME\"), "
                                     "found \"trains.ogg\""},
        {"  music  # none\n", 1, 8, "expected the music file's name between double quotes"},
        {"music \"a.ogg\n", 1, 13, "expected the double quote that ends the music file's name"},
        {"music \"\" offset 2\n", 1, 7, "expected a file name between the double quotes"},
        {"music \"a.ogg\" offset 1,5\n", 1, 22, "expected a number of seconds for the music's offset, found \"1,5\""},
        {"music \"a.ogg\" gain\n", 1, 19, "expected a number of decibels for the music's gain, found the end"},
        {"music \"a.ogg\" tempo 0\n", 1, 21, "expected a tempo above 0 and at most 1000 beats a minute, found \"0\""},
        {"music \"a.ogg\" tempo -90\n", 1, 21, "expected a tempo above 0"},
        {"music \"a.ogg\" offset nan\n", 1, 22, "expected an offset from -86400 to 86400 seconds, found \"nan\""},
        {"music \"a.ogg\" gain 30\n", 1, 20, "expected a gain from -60 to 20 dB"},
        {"music \"a.ogg\" tempo 90 offset 1 tempo 91\n", 1, 33, "expected gain, or the end of the line, found \"tempo\""},
        {"music \"a.ogg\" volume 3\n", 1, 15, "expected offset, tempo, gain, or the end of the line, found \"volume\""},
        {"music \"a\" offset 1\n0 1 2 3 4 5 6 0 1 0\n\tmusic \"b\"\n", 3, 2,
         "expected one music line at most, found a second (the first is at line 1)"},
    };
    for (const Case& c : cases) {
        const ListaDeTomas l = leerListaDeTomas(c.text, 1000);
        ASSERT_EQ(l.errores.total(), 1) << c.text;
        const ErrorTexto& e = l.errores.primeros()[0];
        EXPECT_EQ(e.donde.linea, c.line) << c.text;
        EXPECT_EQ(e.donde.columna, c.column) << c.text;
        EXPECT_THAT(e.mensaje + "\n", HasSubstr(c.message));
    }
}

TEST(ShotList, ABadLineGivesNoKeyAndTheLinesAfterItAreStillRead)
{
    const ListaDeTomas l = leerListaDeTomas("0 1 2 3 4 5 6 0 1 0\n"
                                            "10 1 2 3 4 5 6 0 1\n"
                                            "5 1 2 3 4 5 6 0 1 0\n"
                                            "20 nowhere 4 5 6 0 1 0\n",
                                            100);
    EXPECT_EQ(l.claves.size(), 2u);  // lines 1 and 3: line 3 follows line 1, the last key read well
    ASSERT_EQ(l.errores.total(), 2);
    EXPECT_EQ(l.errores.primeros()[1].donde.linea, 4);
}

TEST(ShotList, KeysWrittenReadBackTheSameWithTheirFieldsWhereTheyStand)
{
    ClaveToma a, b;
    a.fotograma = 7;
    a.ojo = {true, Actor::Tren, {0.1f, -2.5f, 1e-7f}};
    a.centro = {true, Actor::Balon, {}};
    a.arriba = {0, 1, 0};
    a.movimiento = Movimiento::Fijo;
    b.fotograma = 1234;
    b.ojo.xyz = {-0.0f, 123456.789f, 3.3333333f};
    b.centro.xyz = {1, 2, 3};
    b.arriba = {0.000123f, 1, -1e20f};
    const std::string text = lineaDeClave(a) + "   # a comment\n" + lineaDeClave(b) + "\n";
    EXPECT_EQ(lineaDeClave(a).substr(0, 40), "7      train + 0.1 -2.5 0.0000001   ball");
    const ListaDeTomas l = leerListaDeTomas(text, 2000);
    ASSERT_TRUE(l.bien()) << text;
    ASSERT_EQ(l.claves.size(), 2u);
    for (size_t i = 0; i < 2; i++) {
        const ClaveToma& written = i == 0 ? a : b;
        const ClaveToma& read = l.claves[i];
        EXPECT_EQ(read.fotograma, written.fotograma);
        EXPECT_EQ(read.movimiento, written.movimiento);
        EXPECT_EQ(read.arriba, written.arriba);
        for (auto [w, r] : {std::pair{&written.ojo, &read.ojo}, std::pair{&written.centro, &read.centro}}) {
            EXPECT_EQ(r->conActor, w->conActor);
            EXPECT_EQ(r->xyz, w->xyz) << text;
        }
        // Each field's columns hold what the writer wrote for it.
        const std::string line = lineaDeClave(written);
        const auto field = [&](CampoTexto c) { return line.substr(c.desde - 1, c.hasta - c.desde); };
        EXPECT_EQ(field(read.campoFotograma), std::to_string(written.fotograma));
        EXPECT_EQ(field(read.campoOjo), textoDePunto(written.ojo));
        EXPECT_EQ(field(read.campoCentro), textoDePunto(written.centro));
        EXPECT_EQ(field(read.campoMovimiento), nombreDeMovimiento(written.movimiento));
    }
    EXPECT_EQ(textoDeNumero(-0.0f), "0");
    // No motion written: an empty field just after the up vector.
    const ClaveToma c = leerListaDeTomas("3 1 2 3 ball 0 1 0  # held\n", 10).claves.at(0);
    EXPECT_EQ(c.campoArriba.desde, 14);
    EXPECT_EQ(c.campoMovimiento.desde, 19);
    EXPECT_EQ(c.campoMovimiento.hasta, 19);
}

TEST(ShotList, TheMusicLineIsReadAnywhereWrittenBackAndChangesNoPose)
{
    const std::string keys = "0 1 2 3 4 5 6 0 1 0 linear\n40 train + 0 5 -8 train 0 1 0\n";
    const std::string text = "0 1 2 3 4 5 6 0 1 0 linear\n"
                             "  music \"Night \\\"#2\\\" \\\\ mix.ogg\" gain -3.5 offset -12.25  tempo 96 # cut in\n"
                             "40 train + 0 5 -8 train 0 1 0\n";
    const ListaDeTomas l = leerListaDeTomas(text, 100);
    ASSERT_TRUE(l.bien()) << l.errores.primeros()[0].mensaje;
    const MusicaDeTomas& m = l.musica;
    EXPECT_TRUE(m.hay);
    EXPECT_EQ(m.fichero, "Night \"#2\" \\ mix.ogg");
    EXPECT_EQ(m.desplazamiento, -12.25);
    EXPECT_EQ(m.tempo, 96.0);
    EXPECT_EQ(m.gananciaDb, -3.5);
    EXPECT_EQ(m.linea, 2);
    EXPECT_EQ(l.claves.size(), 2u);
    // Written and read back: the same music; the defaults left out.
    MusicaDeTomas otra = m;
    otra.desplazamiento = 0.1 + 0.2;
    const MusicaDeTomas leida = leerListaDeTomas(keys + lineaDeMusica(otra) + "\n", 100).musica;
    EXPECT_EQ(leida.fichero, otra.fichero);
    EXPECT_EQ(leida.desplazamiento, otra.desplazamiento);
    EXPECT_EQ(leida.tempo, otra.tempo);
    EXPECT_EQ(leida.gananciaDb, otra.gananciaDb);
    MusicaDeTomas sola;
    sola.fichero = "a.ogg";
    EXPECT_EQ(lineaDeMusica(sola), "music \"a.ogg\"");
    EXPECT_FALSE(leerListaDeTomas(keys, 100).musica.hay);
    // The film is the same bytes with the music line or without it.
    EXPECT_EQ(compilarTomas(text, 100).texto, compilarTomas(keys, 100).texto);
}
