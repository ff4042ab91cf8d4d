// The title and credits screens: the 2D view, the buttons and labels, the
// credits' toaster view and its four lines of text.
#include "app/credits_screen.h"
#include "app/title_screen.h"

#include "glrec/scene_queries.h"
#include "scene/toaster.h"
#include "support/test_support.h"

using namespace glrec;
namespace m = math;

namespace {

const Color BLACK{0, 0, 0}, RED{1, 0, 0}, WHITE{1, 1, 1};

using Screens = support::FreshScene;

void expectRectangle(const Primitive& p, int x, int y, int w, int h)
{
    const auto& c = p.vertices;
    ASSERT_EQ(c.size(), 4u);
    EXPECT_TRUE(near(c[0].model, {double(x), double(y), 0}, 0));
    EXPECT_TRUE(near(c[1].model, {double(x + w), double(y), 0}, 0));
    EXPECT_TRUE(near(c[2].model, {double(x + w), double(y + h), 0}, 0));
    EXPECT_TRUE(near(c[3].model, {double(x), double(y + h), 0}, 0));
}

}  // namespace

TEST_F(Screens, TwoDViewMapsTheDesignSpaceOntoTheWholeScreen)
{
    winX = 1920;
    winY = 1080;
    ini_2d();
    EXPECT_EQ(rec().viewport(), (std::array<int, 4>{0, 0, 1920, 1080}));
    const auto top = m::toWindow(rec().projection(), rec().modelview(), rec().viewport(), {1024, 768, 0});
    EXPECT_NEAR(top.x, 1920, 1e-9);
    EXPECT_NEAR(top.y, 1080, 1e-9);
    EXPECT_TRUE(near(rec().clearColor, BLACK));
}

TEST_F(Screens, TitleShowsTheDateLineAndThreeButtonsInTheDesignSpace)
{
    const Drawing d = capture(display_ini);
    EXPECT_EQ(rec().clears, 1);
    EXPECT_EQ(rec().swaps, 1);
    const auto quads = d.withMode(GL_QUADS);
    const auto loops = d.withMode(GL_LINE_LOOP);
    ASSERT_EQ(quads.size(), 3u);
    ASSERT_EQ(loops.size(), 3u);
    const int ys[3] = {440, 320, 200};
    for (int i = 0; i < 3; i++) {
        expectRectangle(*quads[i], 362, ys[i], 300, 100);
        expectRectangle(*loops[i], 362, ys[i], 300, 100);
        EXPECT_TRUE(near(quads[i]->color, BLACK));
        EXPECT_TRUE(near(loops[i]->color, RED));
        EXPECT_LT(quads[i]->sequence, loops[i]->sequence);  // the outline over the fill
    }
    ASSERT_EQ(d.texts.size(), 4u);
    const struct { const char* text; int x, y; Color c; } expected[4] = {
        {"2006. ISBERNA", 20, 20, WHITE}, {"PLAY", 492, 485, RED}, {"REC", 502, 365, RED}, {"SALIR", 492, 245, RED}};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(d.texts[i].text, expected[i].text);
        EXPECT_EQ(d.texts[i].x, expected[i].x) << expected[i].text;
        EXPECT_EQ(d.texts[i].y, expected[i].y) << expected[i].text;
        EXPECT_TRUE(near(d.texts[i].color, expected[i].c)) << expected[i].text;
        EXPECT_EQ(d.texts[i].font, GLUT_BITMAP_HELVETICA_18);
    }
}

TEST_F(Screens, ButtonsDoNotDependOnTheScreenSize)
{
    winX = 1280;
    winY = 1024;
    const Drawing d = capture(display_ini);
    expectRectangle(*d.withMode(GL_QUADS)[0], 362, 440, 300, 100);
}

TEST_F(Screens, AnEmptyLabelSitsAtTheCentreLessFive)
{
    const Drawing d = capture([] { PintarBoton(10, 20, 31, 41, "", 0.2f, 0.3f, 0.4f); });
    ASSERT_EQ(d.texts.size(), 1u);
    EXPECT_EQ(d.texts[0].x, 10 + 15);
    EXPECT_EQ(d.texts[0].y, 20 + 20 - 5);
    EXPECT_EQ(d.texts[0].text, "");
    EXPECT_TRUE(near(d.withMode(GL_QUADS)[0]->color, {0.2f, 0.3f, 0.4f}));
}

TEST_F(Screens, CreditsToasterViewStartsFourHundredUnitsIn)
{
    winX = 1024;
    winY = 768;
    marco_tostadora();
    EXPECT_EQ(rec().viewport(), (std::array<int, 4>{400, 0, 1024, 768}));
    const auto& p = rec().projection();
    EXPECT_NEAR(p.m[5] / p.m[0], 768.0 / 624.0, 1e-9);
    EXPECT_NEAR(p.m[14], -2.0 * 100.0 / 99.0, 1e-9);  // near 1, far 100
    const auto v = m::lookAt(1, 2, 1, 0, 0, 0, 0, 1, 0);
    for (int i = 0; i < 16; i++)
        EXPECT_NEAR(rec().modelview().m[i], v.m[i], 1e-12);
    winX = 1280;
    marco_tostadora();
    EXPECT_EQ(rec().viewport()[0], 500);
}

TEST_F(Screens, CreditsDrawTheSpinningToasterDoubledAndFourWhiteLines)
{
    for (int angle : {0, 90}) {
        angulo_tostadora = angle;
        const Drawing d = capture(display_fin);
        EXPECT_TRUE(d.balanced);
        EXPECT_EQ(rec().swaps, 1);
        // The body's origin corner, through the view, the doubling and the spin.
        const auto expected = m::transformPoint(
            m::lookAt(1, 2, 1, 0, 0, 0, 0, 1, 0) * m::scaling(2, 2, 2) * m::rotation(angle, 0, 1, 0) *
                m::translation(-0.1, 0, -0.05),
            {0, 0, 0});
        const auto body = d.withColor({0.3f, 0.3f, 0.4f});
        ASSERT_EQ(body.size(), 3u);
        EXPECT_TRUE(near(body[0]->vertices[0].world, expected, 1e-6));
        ASSERT_EQ(d.texts.size(), 4u);
        const struct { const char* text; int x, y; } lines[4] = {
            {"2006. ISBERNA            (ESC para salir)", 20, 500}, {"Hecho por:", 20, 720}, {"Brunovel", 40, 680},
            {nullptr, 40, 560}};
        for (int i = 0; i < 4; i++) {
            if (lines[i].text != nullptr) {
                EXPECT_EQ(d.texts[i].text, lines[i].text);
            }
            EXPECT_FALSE(d.texts[i].text.empty());
            EXPECT_EQ(d.texts[i].x, lines[i].x);
            EXPECT_EQ(d.texts[i].y, lines[i].y);
            EXPECT_TRUE(near(d.texts[i].color, WHITE));
        }
        // The text is drawn in the 2D view, after the toaster.
        EXPECT_EQ(rec().viewport(), (std::array<int, 4>{0, 0, winX, winY}));
        EXPECT_GT(d.texts[0].sequence, body.back()->sequence);
    }
}
