// The film check (what it finds in small films, on which line and column, and how
// much of it is shown), the film text the tools write, and reading recordings.
#include "film/film_check.h"
#include "film/film_writer.h"
#include "film/recording_reader.h"
#include "scene/timeline.h"

#include <cmath>
#include <cstring>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing::HasSubstr;
using K = TipoHallazgo;

namespace {

struct Finding {
    K kind;
    int line, column;
    bool operator==(const Finding& o) const { return kind == o.kind && line == o.line && column == o.column; }
};

std::ostream& operator<<(std::ostream& os, const Finding& f)
{
    return os << "{kind " << static_cast<int>(f.kind) << " at " << f.line << ":" << f.column << "}";
}

std::vector<Finding> findingsOf(const RevisionPelicula& r)
{
    std::vector<Finding> found;
    for (const Hallazgo& h : r.hallazgos)
        found.push_back({h.tipo, h.donde.linea, h.donde.columna});
    return found;
}

}  // namespace

TEST(FilmCheck, FindsEachProblemWhereItStands)
{
    struct Case {
        const char* film;
        std::vector<Finding> expected;
        bool playable, sound;
    } cases[] = {
        {"2\n0 0 10 0 0 0 0 1 0\n5 5 5 0 0 0 0 1 0\n", {}, true, true},
        {"2\n0 0 10 0 0 0 0 1 0\n  3 4 5 3 4 5 0 1 0\n", {{K::OjoEnCentro, 3, 3}}, true, false},
        {"1\n0 0 10 0 0 0 0 0 0\n", {{K::ArribaNulo, 2, 1}}, true, false},
        {"1\n0 10 0 0 0 0 0 -2 0\n", {{K::ArribaEnLaVista, 2, 1}}, true, false},
        // The tolerance is relative: a long, steep view is along, a tiny up across it is not.
        {"1\n0 500 0 0.001 0 0 0 1 0\n", {{K::ArribaEnLaVista, 2, 1}}, true, false},
        {"1\n0 500 0 1 0 0 0 1 0\n", {}, true, true},
        {"1\n0 0 10 0 0 0 0.000001 0 0\n", {}, true, true},
        {"1\n0 0 10 0 nan 0 0 1 0\n", {{K::ValorNoFinito, 2, 1}}, true, false},
        {"1\n0 0 10 0 0 0 0 1e39 0\n", {{K::ValorNoFinito, 2, 1}}, true, false},
        {"1\n0 0 0 0 0 1500 0 1 0\n", {{K::CentroLejano, 2, 1}}, true, true},
        {"\n0\n", {{K::SinRegistros, 2, 1}}, true, true},
        {"1\n0 0 10 0 0 0 0 1 0\n\n 7 8\n", {{K::RestoIgnorado, 4, 2}}, true, true},
        // A record spread over lines is found on the line where it starts.
        {"2\n0 0 10\n0 0 0 0 1 0\n1 1 1\n1 1 1 0 1 0\n", {{K::OjoEnCentro, 4, 1}}, true, false},
        // The records read before a reading fault are checked too.
        {"2\n1 1 1 1 1 1 0 1 0\n0 0 x\n", {{K::OjoEnCentro, 2, 1}, {K::Ilegible, 3, 5}}, false, false},
        {"-1\n", {{K::Ilegible, 1, 1}}, false, false},
        {"", {{K::Ilegible, 1, 1}}, false, false},
    };
    for (const Case& c : cases) {
        const RevisionPelicula r = revisarTexto(c.film);
        EXPECT_EQ(findingsOf(r), c.expected) << c.film;
        EXPECT_EQ(r.legible(), c.playable) << c.film;
        EXPECT_EQ(r.sana(), c.sound) << c.film;
    }
}

TEST(FilmCheck, APoseFindingNamesItsFrameAndTheValueAtFault)
{
    const RevisionPelicula r = revisarTexto("2\n0 0 10 0 0 0 0 1 0\n0 0 10 0 -inf nan 0 1 0\n");
    ASSERT_EQ(r.hallazgos.size(), 1u);
    EXPECT_EQ(r.hallazgos[0].registro, 1);
    EXPECT_THAT(describirHallazgo(r.hallazgos[0], r.lectura), HasSubstr("frame 1: the centre's y"));
}

TEST(FilmCheck, ShowsTheFirstFewOfEachKindAndCountsTheRest)
{
    std::string film = "9\n";
    for (int i = 0; i < 8; i++)
        film += "1 1 1 1 1 1 0 1 0\n";
    film += "0 0 10 0 0 0 0 0 0\n";
    const RevisionPelicula r = revisarTexto(film);
    EXPECT_EQ(r.errores(), 9);
    const Seleccion s = seleccionarHallazgos(r.hallazgos, 5);
    ASSERT_EQ(s.mostrados.size(), 6u);
    EXPECT_EQ(s.mostrados[4].donde.linea, 6);
    EXPECT_EQ(s.mostrados[5].tipo, K::ArribaNulo);
    ASSERT_EQ(s.omitidos.size(), 1u);
    EXPECT_EQ(s.omitidos[0], std::make_pair(K::OjoEnCentro, 3));
}

TEST(FilmCheck, DiagnosticsAreCompilerStyle)
{
    EXPECT_EQ(lineaDiagnostico("f.txt", {12, 9}, Gravedad::Error, "what"), "f.txt:12:9: error: what");
    EXPECT_EQ(lineaDiagnostico("f.txt", {12, 9}, Gravedad::Aviso, "what"), "f.txt:12: warning: what");
    EXPECT_EQ(lineaDiagnostico("f.txt", {}, Gravedad::Nota, "what"), "f.txt: note: what");
}

TEST(FilmCheck, SaysHowFarIntoTheStoryAFilmGoes)
{
    const std::string last = std::to_string(FOTOGRAMAS_GUION - 1);
    EXPECT_THAT(queMuestra(0), HasSubstr("never reaching the credits"));
    EXPECT_THAT(queMuestra(3000), HasSubstr("frames 0 to 2999 of 0 to " + last + ", then the credits"));
    EXPECT_THAT(queMuestra(FOTOGRAMAS_GUION), HasSubstr("the whole story (frames 0 to " + last + ")"));
    EXPECT_THAT(queMuestra(FOTOGRAMAS_GUION + 88), HasSubstr("and 88 frames more"));
}

TEST(FilmText, ReadsBackAsTheSamePosesOneRecordPerLine)
{
    const std::vector<std::array<float, 9>> poses = {{1.5f, -2, 3, 4, 5, 6, 0, 1, 0}, {7, 8, 9, 0, 0, 0, 0, 0.25f, 1}};
    const std::string text = textoDePelicula(poses);
    const RevisionPelicula r = revisarTexto(text);
    EXPECT_TRUE(r.sana());
    EXPECT_EQ(r.lectura.poses, poses);
    EXPECT_EQ(r.lectura.inicioRegistro[1].linea, 3);
    EXPECT_EQ(text.rfind("2\n", 0), 0u);
}

TEST(FilmText, WhatItReadsBackAsIsKnownWithoutWritingIt)
{
    // Numbers of every size, halfway cases of the sixth decimal among them, and a
    // pose the check finds at fault (its up vector has no length).
    std::vector<std::array<float, 9>> poses = {{0.0000005f, -0.0000025f, 1.0000005f, 0.0000015f, -0.0f, 1e-7f, 0, 1, 0},
                                               {3e38f, -1e10f, 123456.789f, 7, 7, 7.0000001f, 0, 0, 0}};
    unsigned semilla = 12345;
    for (int i = 0; i < 3000; i++) {
        std::array<float, 9> p;
        for (float& v : p) {
            semilla = semilla * 1103515245u + 12345u;
            v = static_cast<float>(static_cast<int>(semilla >> 8) - (1 << 23)) * std::pow(10.0f, static_cast<float>(i % 13 - 9));
        }
        poses.push_back(p);
    }
    const RevisionPelicula escrita = revisarTexto(textoDePelicula(poses));
    const RevisionPelicula sabida = revisarPelicula(lecturaDeTexto(poses));
    ASSERT_EQ(sabida.lectura.poses.size(), escrita.lectura.poses.size());
    EXPECT_EQ(std::memcmp(sabida.lectura.poses.data(), escrita.lectura.poses.data(), poses.size() * sizeof poses[0]), 0);
    EXPECT_EQ(findingsOf(sabida), findingsOf(escrita));
    EXPECT_FALSE(findingsOf(escrita).empty());
}

TEST(RecordingReader, ReadsNineNumbersALineAndSkipsBlankLines)
{
    const LecturaGrabacion g = leerGrabacion("\n1 2 3 4 5 6 7 8 9\r\n\n  -1e1 0 0 0 0 0 0 1 0");
    ASSERT_TRUE(g.bien());
    ASSERT_EQ(g.poses.size(), 2u);
    EXPECT_EQ(g.poses[1][0], -10.0f);
    EXPECT_EQ(g.inicioPose[1].linea, 4);
    EXPECT_EQ(g.inicioPose[1].columna, 3);
    EXPECT_TRUE(leerGrabacion("").bien());
}

TEST(RecordingReader, NamesTheLineAndColumnOfEachBadLine)
{
    struct Case {
        const char* text;
        int line, column;
        const char* message;
    } cases[] = {
        {"1 2 3 4 5 6 7 8\n", 1, 16, "expected nine numbers, found the end of the line after 8"},
        {"1 2 3 4 5 6 7 8 9 10\n", 1, 19, "found \"10\""},
        {"1 2 3 4 5 6 7 8 9\n1 2 3 4 x 6 7 8 9\n", 2, 9, "expected number 5 of nine, found \"x\""},
        {"\n  12\n1 2 3 4 5 6 7 8 9\n", 2, 3, "this is a film already"},
    };
    for (const Case& c : cases) {
        const LecturaGrabacion g = leerGrabacion(c.text);
        ASSERT_EQ(g.errores.total(), 1) << c.text;
        const ErrorTexto& e = g.errores.primeros()[0];
        EXPECT_EQ(e.donde.linea, c.line) << c.text;
        EXPECT_EQ(e.donde.columna, c.column) << c.text;
        EXPECT_THAT(e.mensaje, HasSubstr(c.message));
    }
    // A lone number further down is a bad line, not a film's count.
    EXPECT_THAT(leerGrabacion("1 2 3 4 5 6 7 8 9\n12\n").errores.primeros()[0].mensaje,
                HasSubstr("found the end of the line after 1"));
}
