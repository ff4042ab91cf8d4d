// The tools' command lines (tools/common/command_line): each value's parser at
// and past its limits, and a call read from its declarations.
#include "tools/common/command_line.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(CommandLine, WholeNumbersAndNumbersTakeNothingButTheValueWithinTheirLimits)
{
    long long n = -1;
    EXPECT_TRUE(leerEntero("51", 0, 51, n) && n == 51);
    for (const char* malo : {"", "52", "-1", "+1", " 1", "1 ", "1e3", "0x10", "99999999999999999999"})
        EXPECT_FALSE(leerEntero(malo, 0, 51, n)) << malo;
    double x = 0;
    EXPECT_TRUE(leerNumero("1e-3", 0.000001, HUGE_VAL, x) && x == 0.001);
    for (const char* malo : {"", "0", "nan", "inf", "1e999", "0.05cm", "0x1p-3", " 1", "."})
        EXPECT_FALSE(leerNumero(malo, 0.000001, HUGE_VAL, x)) << malo;
}

TEST(CommandLine, RangesAndSizes)
{
    std::vector<Tramo> t;
    ASSERT_TRUE(leerTramos("100-199,300,400-410,2147483648", t));
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[1].desde, 300);
    EXPECT_EQ(t[1].hasta, 300);
    EXPECT_EQ(t[3].hasta, 2147483648LL);
    EXPECT_EQ(textoDeTramos(t), "100-199,300,400-410,2147483648");
    for (const char* malo : {"", "9-3", "1,", ",1", "1--2", "-1", "1-2-3", "1-", "1 ,2", "99999999999999999999"})
        EXPECT_FALSE(leerTramos(malo, t)) << malo;
    EXPECT_EQ(t.size(), 4u);  // a list refused leaves the value as it was

    Tamano s;
    EXPECT_TRUE(leerTamano("1280x720", s) && s.ancho == 1280 && s.alto == 720);
    for (const char* malo : {"0x240", "1280x", "x720", "65537x1", "1280X720", "12x34x5"})
        EXPECT_FALSE(leerTamano(malo, s)) << malo;
}

TEST(CommandLine, ACallIsReadFromItsDeclarations)
{
    std::string fichero, carpeta, video;
    int cada = 1;
    bool forzar = false;
    CLI::App app("Tries calls.", "tool");
    prepararLlamada(app, "tool 1");
    app.add_option("FILE", fichero)->required();
    opcionFichero(app, "--out", "DIR", carpeta, "a folder")->group("output");
    opcionFichero(app, "--video", "FILE.mp4", video, "a video")->group("output");
    opcionEntero(app, "--every", "N", 1, 9, cada, "a step");
    app.add_flag("-y,--force", forzar, "replace");
    EXPECT_EQ(lineasDeUso(app), "usage: tool FILE (--out DIR | --video FILE.mp4) [--every N] [--force]\n");

    const char* bien[] = {"tool", "f.txt", "--every", "3", "--every=4", "-y"};
    EXPECT_EQ(leerLlamada(app, 6, bien), SEGUIR);
    EXPECT_EQ(cada, 4);  // the last of two
    const char* malo[] = {"tool", "f.txt", "--every", "10"};
    EXPECT_EQ(leerLlamada(app, 4, malo), SALIDA_USO);
    const char* desconocido[] = {"tool", "f.txt", "--fast"};
    EXPECT_EQ(leerLlamada(app, 3, desconocido), SALIDA_USO);
}
