// Start-up and the choice of mode: the title screen's callbacks, the mouse's
// mapping into the design space and its hit rectangles, and what PLAY, REC and
// SALIR set up, print and end with.
#include "app/mode_buttons.h"

#include "app/startup.h"
#include "app/title_screen.h"
#include "camera/camera_files.h"
#include "camera/recording_keys.h"
#include "camera/view.h"
#include "scene/composition.h"
#include "scene/timeline.h"
#include "support/test_support.h"

#include <regex>

using glrec::rec;

namespace {

class Modes : public testing::Test {
protected:
    void SetUp() override
    {
        support::freshScene();
        glutMouseFunc(raton);
    }
    // A command line, kept as the program keeps it.
    void commandLine(std::vector<std::string> args)
    {
        args_ = std::move(args);
        pointers_.clear();
        for (auto& a : args_)
            pointers_.push_back(a.data());
        argc_global = static_cast<int>(args_.size());
        argv_global = pointers_.data();
    }
    void clickDesign(int xd, int yd)  // a design point, y from the top
    {
        raton(GLUT_LEFT_BUTTON, GLUT_DOWN, xd * winX / mundoX, yd * winY / mundoY);
    }

    support::TempDir dir;
    std::vector<std::string> args_;
    std::vector<char*> pointers_;
};

const char* const FILM = "2\n1 2 3 4 5 6 7 8 9\n1 2 3 4 5 6 7 8 9\n";

}  // namespace

TEST(Startup, OpensTheTitleScreenFullScreen)
{
    support::freshScene();
    rec().screenWidth = 1024;
    char a0[] = "practica02", a1[] = "film.txt", a2[] = "play";
    char* argv[] = {a0, a1, a2, nullptr};
    iniciarPrograma(3, argv);
    argv[2][0] = 'X';  // the toolkit may rewrite the vector; the kept copy stays
    EXPECT_EQ(argc_global, 3);
    EXPECT_STREQ(argv_global[1], "film.txt");
    EXPECT_STREQ(argv_global[2], "play");

    const auto& r = rec();
    EXPECT_EQ(r.windowTitle, "TRaBAJO KRA. Brunovel y Tessamir");
    EXPECT_EQ(r.initialWindowSize, std::make_pair(1024, 768));
    EXPECT_EQ(r.initialWindowPosition, std::make_pair(0, 0));
    EXPECT_EQ(r.displayMode, static_cast<unsigned>(GLUT_DOUBLE | GLUT_RGB));
    EXPECT_EQ(r.fullScreenRequests, 1);
    EXPECT_EQ(pantalla_completa, 1);
    EXPECT_EQ(r.viewport(), (std::array<int, 4>{0, 0, 1024, 768}));
    // The title screen's callbacks.
    EXPECT_EQ(r.callbacks.display, &display_ini);
    EXPECT_EQ(r.callbacks.reshape, &ConocerResolucionMonitor);
    EXPECT_EQ(r.callbacks.special, &keyboard_especial);
    EXPECT_EQ(r.callbacks.mouse, &raton);
    EXPECT_EQ(r.callbacks.keyboard, nullptr);
    EXPECT_EQ(r.callbacks.idle, nullptr);
    // Defaults worth a second look.
    EXPECT_EQ(tamX, 1024);
    EXPECT_EQ(tamY, 768);
    EXPECT_EQ(estado_balon, 2);
    EXPECT_EQ(movpuerta, 10);
    EXPECT_EQ(angulo_barrera, 90);
    EXPECT_EQ(nprismas, 0);
    ASSERT_NE(cilindro, nullptr);
}

TEST_F(Modes, MappingIsTheIdentityOnADesignSizedScreen)
{
    EXPECT_EQ(botonEnPixel(363, 229), Boton::Play);
    EXPECT_EQ(botonEnPixel(661, 327), Boton::Play);
    EXPECT_EQ(botonEnPixel(362, 300), Boton::Ninguno);
    EXPECT_EQ(botonEnPixel(662, 300), Boton::Ninguno);
    EXPECT_EQ(botonEnPixel(500, 228), Boton::Ninguno);
    EXPECT_EQ(botonEnPixel(500, 328), Boton::Ninguno);
    EXPECT_EQ(botonEnPixel(500, 348), Boton::Ninguno);
    EXPECT_EQ(botonEnPixel(500, 349), Boton::Rec);
    EXPECT_EQ(botonEnPixel(500, 447), Boton::Rec);
    EXPECT_EQ(botonEnPixel(500, 448), Boton::Ninguno);
    EXPECT_EQ(botonEnPixel(500, 468), Boton::Ninguno);
    EXPECT_EQ(botonEnPixel(500, 469), Boton::Salir);
    EXPECT_EQ(botonEnPixel(500, 567), Boton::Salir);
    EXPECT_EQ(botonEnPixel(500, 568), Boton::Ninguno);
}

TEST_F(Modes, PixelsAreScaledIntoTheDesignSpace)
{
    winX = 1280;
    winY = 1024;
    EXPECT_EQ(botonEnPixel(454, 300), Boton::Ninguno);  // (363, 225): above PLAY
    EXPECT_EQ(botonEnPixel(454, 306), Boton::Play);     // (363, 229.5)
    winX = 1920;
    winY = 1080;
    EXPECT_EQ(botonEnPixel(960, 540), Boton::Rec);      // the screen's centre is REC's
}

// On every screen shape, every point inside a drawn button (as the title screen's
// 2D view puts it on the screen) hits that button.
TEST_F(Modes, DrawnButtonsAndHitRectanglesCoincideOnEveryScreenShape)
{
    const std::pair<int, int> screens[] = {{1024, 768}, {1280, 1024}, {1920, 1080}, {800, 1280}};
    for (auto [w, h] : screens) {
        support::freshScene();
        rec().screenWidth = w;
        rec().screenHeight = h;
        support::stdoutOf([] { ConocerResolucionMonitor(1024, 768); });
        const auto projection = rec().projection();
        const auto viewport = rec().viewport();
        rec().clearRecords();
        display_ini();
        const auto quads = [] {
            std::vector<glrec::Primitive> q;
            for (const auto& p : rec().primitives)
                if (p.mode == GL_QUADS)
                    q.push_back(p);
            return q;
        }();
        ASSERT_EQ(quads.size(), 3u);
        const Boton expected[3] = {Boton::Play, Boton::Rec, Boton::Salir};
        for (int b = 0; b < 3; b++) {
            // Window pixels (y down) of the button's corners, two design units inside
            // (the outline itself and the unit inside it do not count).
            const auto lo = math::toWindow(projection, quads[b].modelview, viewport, quads[b].vertices[0].model);
            const auto hi = math::toWindow(projection, quads[b].modelview, viewport, quads[b].vertices[2].model);
            const int ix = 2 * w / 1024 + 1, iy = 2 * h / 768 + 1;
            const int x0 = int(lo.x) + ix, x1 = int(hi.x) - ix;
            const int y0 = h - int(hi.y) + iy, y1 = h - int(lo.y) - iy;
            for (int x : {x0, (x0 + x1) / 2, x1})
                for (int y : {y0, (y0 + y1) / 2, y1})
                    EXPECT_EQ(botonEnPixel(x, y), expected[b]) << w << "x" << h << " button " << b << " at " << x << "," << y;
            // And just outside it, nothing.
            EXPECT_EQ(botonEnPixel(x0 - 5, (y0 + y1) / 2), Boton::Ninguno) << w << "x" << h;
        }
    }
}

TEST_F(Modes, OnlyALeftPressCounts)
{
    support::writeFile("camarabuena.txt", FILM);
    for (int button : {GLUT_MIDDLE_BUTTON, GLUT_RIGHT_BUTTON})
        raton(button, GLUT_DOWN, 500, 300);
    raton(GLUT_LEFT_BUTTON, GLUT_UP, 500, 300);
    EXPECT_EQ(modo, 0);
    EXPECT_EQ(rec().callbacks.mouse, &raton);
}

TEST_F(Modes, PlayLoadsTheFilmAndInstallsPlayback)
{
    support::writeFile("camarabuena.txt", FILM);
    const std::string out = support::stdoutOf([this] { clickDesign(500, 300); });
    EXPECT_EQ(out, "nfotogramas=2\nse ha pulsado boton play.\n");
    EXPECT_EQ(modo, 2);
    EXPECT_EQ(pausa, 0);
    EXPECT_EQ(nfotogramas, 2);
    EXPECT_EQ(fich, nullptr);  // closed after loading
    const auto& c = rec().callbacks;
    EXPECT_EQ(c.display, &display);
    EXPECT_EQ(c.reshape, &reshape);
    EXPECT_EQ(c.keyboard, &keyboard_play);
    EXPECT_EQ(c.mouse, nullptr);
    EXPECT_EQ(c.idle, &refresco);
}

TEST_F(Modes, PlayUsesTheCommandLinesFileOnlyForTheWordPlay)
{
    support::writeFile("mine.txt", "1\n1 1 1 1 1 1 1 1 1\n");
    support::writeFile("camarabuena.txt", FILM);
    commandLine({"practica02", "mine.txt", "play"});
    EXPECT_EQ(support::stdoutOf([this] { clickDesign(500, 300); }), "nfotogramas=1\nse ha pulsado boton play.\n");

    support::freshScene();
    commandLine({"practica02", "mine.txt", "Play"});
    EXPECT_EQ(support::stdoutOf([this] { clickDesign(500, 300); }), "nfotogramas=2\nse ha pulsado boton play.\n");

    support::freshScene();
    commandLine({"practica02", "mine.txt", "play", "extra"});
    EXPECT_EQ(support::stdoutOf([this] { clickDesign(500, 300); }), "nfotogramas=2\nse ha pulsado boton play.\n");
}

TEST_F(Modes, PlayWithoutAFilmEndsWithMinusOne)
{
    EXPECT_EXIT((support::stdoutToStderr(), clickDesign(500, 300)), testing::ExitedWithCode(255),
                "^Error al abrir fichero de camara.\n$");
}

TEST_F(Modes, PlayWithAnUnloadableFilmEndsWithMinusTwo)
{
    support::writeFile("camarabuena.txt", "-1\n");
    EXPECT_EXIT((support::stdoutToStderr(), clickDesign(500, 300)), testing::ExitedWithCode(254),
                "^nfotogramas=-1\nError al cargar en memoria los movimientos de la camara.\n$");
    support::writeFile("camarabuena.txt", "3\n1 2 3 4 5 6 7 8 9\n");
    EXPECT_EXIT((support::stdoutToStderr(), clickDesign(500, 300)), testing::ExitedWithCode(254),
                "^nfotogramas=3\nError al cargar en memoria los movimientos de la camara.\n$");
}

TEST_F(Modes, RecCreatesATimeStampedFileAndInstallsTheFreeCamera)
{
    pantalla_completa = 1;
    const std::string out = support::stdoutOf([this] { clickDesign(500, 400); });
    EXPECT_EQ(out, "se ha pulsado boton grabar.\n");
    ASSERT_NE(fich, nullptr);
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        files.push_back(e.path().filename().string());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(std::regex_match(files[0], std::regex(R"(camara-\d{14}\.txt)"))) << files[0];
    EXPECT_EQ(modo, 1);
    EXPECT_EQ(grua_visible, 1);
    EXPECT_EQ(estado_coche, 0);
    const auto& c = rec().callbacks;
    EXPECT_EQ(c.display, &display);
    EXPECT_EQ(c.reshape, &reshape);
    EXPECT_EQ(c.keyboard, &keyboard_rec);
    EXPECT_EQ(c.mouse, nullptr);
    EXPECT_EQ(c.idle, nullptr);
    EXPECT_EQ(rec().viewport(), (std::array<int, 4>{0, 0, 1024, 768}));
    EXPECT_EQ(rec().redisplays, 1);
    std::fclose(fich);
    fich = nullptr;
}

TEST_F(Modes, RecUsesTheCommandLinesFileForTheWordRecAndEmptiesIt)
{
    support::writeFile("mine.txt", "old contents\n");
    commandLine({"practica02", "mine.txt", "rec"});
    support::stdoutOf([this] { clickDesign(500, 400); });
    ASSERT_NE(fich, nullptr);
    std::fclose(fich);
    fich = nullptr;
    EXPECT_EQ(support::readFile("mine.txt"), "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    // "play" on the command line does not name REC's file.
    support::freshScene();
    commandLine({"practica02", "other.txt", "play"});
    support::stdoutOf([this] { clickDesign(500, 400); });
    std::fclose(fich);
    fich = nullptr;
    EXPECT_FALSE(std::filesystem::exists("other.txt"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST_F(Modes, RecThatCannotCreateItsFileEndsWithMinusThree)
{
    commandLine({"practica02", "no/such/folder/x.txt", "rec"});
    EXPECT_EXIT((support::stdoutToStderr(), clickDesign(500, 400)), testing::ExitedWithCode(253),
                "^se ha pulsado boton grabar.\nError al crear fichero de camara.\n$");
}

TEST_F(Modes, SalirEndsWithZero)
{
    EXPECT_EXIT((support::stdoutToStderr(), clickDesign(500, 500)), testing::ExitedWithCode(0),
                "^se ha pulsado boton salir.\n$");
}

TEST_F(Modes, PressesBetweenButtonsDoNothing)
{
    support::writeFile("camarabuena.txt", FILM);
    for (int y : {100, 228, 340, 460, 600})
        clickDesign(500, y);
    clickDesign(362, 300);
    clickDesign(662, 300);
    EXPECT_EQ(modo, 0);
    EXPECT_EQ(rec().callbacks.mouse, &raton);
}
