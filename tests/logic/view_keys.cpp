// The view: reshape's 4:3 rule and projection, learning the screen size at the
// first reshape, the fixed-size reshape, and the function keys.
#include "camera/view.h"

#include "app/title_screen.h"
#include "support/test_support.h"

#include <cmath>

using glrec::rec;
namespace m = math;

namespace {

class View : public testing::Test {
protected:
    void SetUp() override
    {
        support::freshScene();
        rec().screenWidth = 1024;
        rec().screenHeight = 768;
    }
    void TearDown() override
    {
        rec().screenWidth = 1024;
        rec().screenHeight = 768;
    }
    // Width over height, as the projection holds it.
    static double aspect() { return rec().projection().m[5] / rec().projection().m[0]; }
};

}  // namespace

TEST_F(View, FullScreenViewKeepsTheScreensProportions)
{
    winX = 1280;
    winY = 1024;
    pantalla_completa = 1;
    reshape(1280, 1024);
    EXPECT_EQ(rec().viewport(), (std::array<int, 4>{0, 0, 1280, 1024}));
    EXPECT_NEAR(aspect(), 1.25, 1e-9);
    EXPECT_EQ(tamX, 1024);  // untouched
    EXPECT_EQ(tamY, 768);
    EXPECT_TRUE(rec().windowResizes.empty());
}

TEST_F(View, AWindowIsBroughtToFourByThree)
{
    winY = 1024;
    reshape(800, 600);
    EXPECT_EQ(rec().viewport(), (std::array<int, 4>{0, 0, 800, 600}));
    EXPECT_NEAR(aspect(), 4.0 / 3.0, 1e-9);
    EXPECT_EQ(tamX, 800);
    EXPECT_EQ(tamY, 600);

    reshape(1000, 500);  // 500 x 4 / 3 = 666.67, truncated
    EXPECT_EQ(rec().viewport(), (std::array<int, 4>{0, 0, 666, 500}));
    EXPECT_EQ(tamX, 666);
    EXPECT_EQ(rec().windowResizes.back(), std::make_pair(666, 500));
}

TEST_F(View, AWindowAsHighAsTheScreenKeepsItsWidth)
{
    winY = 768;
    reshape(1500, 768);
    EXPECT_EQ(rec().viewport(), (std::array<int, 4>{0, 0, 1500, 768}));
    EXPECT_NEAR(aspect(), 1500.0 / 768.0, 1e-9);
    EXPECT_EQ(tamX, 1024);
}

TEST_F(View, PerspectiveAndLookAtComeFromThePose)
{
    pantalla_completa = 1;
    reshape(1024, 768);
    const m::Mat4 p = m::perspective(45.0, 1024.0 / 768.0, 1.0, 1000.0);
    const m::Mat4 v = m::lookAt(16.7f, 99.0f, 60.0f, 5.5f, 4.6f, 7.0f, 0.0f, 0.3f, 0.0f);
    for (int i = 0; i < 16; i++) {
        EXPECT_NEAR(rec().projection().m[i], p.m[i], 1e-9);
        EXPECT_NEAR(rec().modelview().m[i], v.m[i], 1e-9);
    }
    EXPECT_EQ(rec().matrixMode, static_cast<GLenum>(GL_MODELVIEW));
}

TEST_F(View, AZeroHeightKeepsTheProjectionFinite)
{
    pantalla_completa = 1;
    reshape(0, 0);
    for (double v : rec().projection().m)
        EXPECT_TRUE(std::isfinite(v));
}

TEST_F(View, FirstReshapeLearnsTheScreenFromTheToolkitNotFromTheWindow)
{
    rec().screenWidth = 1280;
    rec().screenHeight = 1024;
    const std::string out = support::stdoutOf([] { ConocerResolucionMonitor(1024, 768); });
    EXPECT_EQ(out, "La resolucion de pantalla es de 1280 x 1024 (tomo nota :p)\n");
    EXPECT_EQ(winX, 1280);
    EXPECT_EQ(winY, 1024);
    EXPECT_EQ(rec().callbacks.reshape, &reshape_fijo);
    // The title screen's 2D view now covers the whole screen.
    EXPECT_EQ(rec().viewport(), (std::array<int, 4>{0, 0, 1280, 1024}));
    const m::Mat4 o = m::ortho(0, 1024, 0, 768, -1, 1);
    for (int i = 0; i < 16; i++)
        EXPECT_NEAR(rec().projection().m[i], o.m[i], 1e-12);
}

TEST_F(View, WhenTheToolkitCannotTellTheReportedSizeIsUsed)
{
    rec().screenWidth = 0;
    rec().screenHeight = 0;
    EXPECT_EQ(support::stdoutOf([] { ConocerResolucionMonitor(1920, 1080); }),
              "La resolucion de pantalla es de 1920 x 1080 (tomo nota :p)\n");
    EXPECT_EQ(winX, 1920);
    EXPECT_EQ(winY, 1080);
}

TEST_F(View, FixedReshapeHoldsTheWindowAtTheScreensSize)
{
    winX = 1280;
    winY = 1024;
    reshape_fijo(300, 200);
    ASSERT_EQ(rec().windowResizes.size(), 1u);
    EXPECT_EQ(rec().windowResizes[0], std::make_pair(1280, 1024));
}

TEST_F(View, F1TogglesFullScreenOnEveryScreen)
{
    winX = 1280;
    winY = 1024;
    pantalla_completa = 1;
    keyboard_especial(GLUT_KEY_F1, 0, 0);
    EXPECT_EQ(pantalla_completa, 0);
    EXPECT_EQ(rec().windowResizes.back(), std::make_pair(1280, 1024));
    EXPECT_EQ(rec().redisplays, 2);
    keyboard_especial(GLUT_KEY_F1, 0, 0);
    EXPECT_EQ(pantalla_completa, 1);
    EXPECT_EQ(rec().fullScreenRequests, 1);
    EXPECT_EQ(rec().redisplays, 3);
}

TEST_F(View, FunctionKeysPoseTheArmOnlyInRecording)
{
    modo = 2;
    keyboard_especial(GLUT_KEY_F3, 0, 0);
    EXPECT_EQ(angulo_brazo[0], 90);
    EXPECT_TRUE(rec().viewports.empty());
    EXPECT_EQ(rec().redisplays, 1);

    modo = 1;
    pantalla_completa = 1;
    const int keys[10] = {GLUT_KEY_F3, GLUT_KEY_F4, GLUT_KEY_F5, GLUT_KEY_F6, GLUT_KEY_F7,
                          GLUT_KEY_F8, GLUT_KEY_F9, GLUT_KEY_F10, GLUT_KEY_F11, GLUT_KEY_F12};
    for (int i = 0; i < 10; i++) {
        const int joint = i / 2, step = i % 2 == 0 ? -1 : 1;
        const int before = angulo_brazo[joint];
        rec().clearRecords();
        keyboard_especial(keys[i], 0, 0);
        EXPECT_EQ(angulo_brazo[joint], before + step) << "F" << i + 3;
        EXPECT_EQ(rec().viewports.size(), 1u);  // the view is applied again
        EXPECT_GE(rec().redisplays, 1);
    }
    EXPECT_EQ(angulo_brazo[5], 40);  // the grip has no function key
}

TEST_F(View, OtherSpecialKeysInRecordingOnlyReapplyTheView)
{
    modo = 1;
    pantalla_completa = 1;
    for (int k : {GLUT_KEY_F2, GLUT_KEY_LEFT, GLUT_KEY_UP, GLUT_KEY_PAGE_DOWN}) {
        rec().clearRecords();
        keyboard_especial(k, 0, 0);
        EXPECT_EQ(rec().viewports.size(), 1u);
        EXPECT_GE(rec().redisplays, 1);
    }
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(angulo_brazo[i], angulo_brazo_reposo[i]);
}
