// Checks the matrix library against real GL: the same transforms are applied
// through GL/GLU and through the matrix library, then GL's own matrices and its
// feedback-mode window coordinates are compared with ours.
// Needs an X display (run under Xvfb). Exit status 0 when every case agrees.
#include "math/matrix.h"

#include <GL/glut.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace m = math;

struct Case {
    const char* name;
    std::function<void()> gl;        // applies the transforms through GL/GLU
    m::Mat4 projection, modelview;   // the same, through the stand-in's arithmetic
    std::array<int, 4> viewport;
};

static int failures = 0;

static void expectNear(const char* name, const char* what, double a, double b, double tol)
{
    if (std::fabs(a - b) > tol) {
        std::printf("FAIL %s: %s gl=%.6f glrec=%.6f\n", name, what, a, b);
        failures++;
    }
}

static void check(const Case& c)
{
    glViewport(c.viewport[0], c.viewport[1], c.viewport[2], c.viewport[3]);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    c.gl();

    GLdouble mv[16], pr[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    for (int i = 0; i < 16; i++) {
        const double scale = std::max(1.0, std::fabs(mv[i]));
        expectNear(c.name, "modelview", mv[i], c.modelview.m[i], 1e-4 * scale);
        expectNear(c.name, "projection", pr[i], c.projection.m[i], 1e-4 * std::max(1.0, std::fabs(pr[i])));
    }

    // Points spread about the model origin; those GL clips away are skipped on both sides.
    std::vector<m::Vec3> points;
    for (double x = -2.0; x <= 2.0; x += 1.0)
        for (double y = -2.0; y <= 2.0; y += 1.0)
            for (double z = -2.0; z <= 2.0; z += 2.0)
                points.push_back({x, y, z});

    std::vector<GLfloat> buffer(points.size() * 8 + 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    for (size_t k = 0; k < points.size(); k++) {
        const m::Vec3& p = points[k];
        glPassThrough(static_cast<GLfloat>(k));
        glBegin(GL_POINTS);
        glVertex3d(p.x, p.y, p.z);
        glEnd();
    }
    const GLint n = glRenderMode(GL_RENDER);

    // Each point is announced by a pass-through token carrying its index; a point
    // that GL clipped away has no point token after its announcement.
    size_t compared = 0;
    for (GLint i = 0; i < n;) {
        if (static_cast<GLint>(buffer[i]) != GL_PASS_THROUGH_TOKEN) {
            i++;
            continue;
        }
        const size_t point = static_cast<size_t>(buffer[i + 1]);
        i += 2;
        if (i < n && static_cast<GLint>(buffer[i]) == GL_POINT_TOKEN) {
            const m::Vec3 w = m::toWindow(c.projection, c.modelview, c.viewport, points[point]);
            expectNear(c.name, "window x", buffer[i + 1], w.x, 0.05);
            expectNear(c.name, "window y", buffer[i + 2], w.y, 0.05);
            expectNear(c.name, "window z", buffer[i + 3], w.z, 1e-3);
            compared++;
            i += 4;
        }
    }
    std::printf("%-28s %zu points compared\n", c.name, compared);
    if (compared == 0) {
        std::printf("FAIL %s: no point survived clipping\n", c.name);
        failures++;
    }
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);
    glutInitWindowSize(640, 480);
    glutCreateWindow("feedback check");

    const std::array<int, 4> vp{0, 0, 640, 480};
    std::vector<Case> cases = {
        {"ortho design space",
         [] { glMatrixMode(GL_PROJECTION); glOrtho(-3, 3, -3, 3, -5, 5); glMatrixMode(GL_MODELVIEW); },
         m::ortho(-3, 3, -3, 3, -5, 5), m::Mat4::identity(), vp},
        {"translate rotate scale",
         [] {
             glMatrixMode(GL_PROJECTION); glOrtho(-10, 10, -10, 10, -20, 20);
             glMatrixMode(GL_MODELVIEW);
             glTranslatef(1.5f, -2.0f, 0.5f); glRotatef(37.0f, 1.0f, 2.0f, 3.0f); glScalef(0.5f, 2.0f, 1.5f);
         },
         m::ortho(-10, 10, -10, 10, -20, 20),
         m::translation(1.5, -2.0, 0.5) * m::rotation(37.0, 1.0, 2.0, 3.0) * m::scaling(0.5, 2.0, 1.5), vp},
        {"rotate about (-1, 1, 0)",
         [] {
             glMatrixMode(GL_PROJECTION); glOrtho(-10, 10, -10, 10, -20, 20);
             glMatrixMode(GL_MODELVIEW); glRotatef(180.0f, -1.0f, 1.0f, 0.0f); glRotatef(-15.0f, 1.0f, 0.0f, 0.0f);
         },
         m::ortho(-10, 10, -10, 10, -20, 20), m::rotation(180.0, -1.0, 1.0, 0.0) * m::rotation(-15.0, 1.0, 0.0, 0.0), vp},
        {"perspective and look-at",
         [] {
             glMatrixMode(GL_PROJECTION); gluPerspective(45.0, 640.0 / 480.0, 1.0, 1000.0);
             glMatrixMode(GL_MODELVIEW); gluLookAt(16.7, 9.0, 6.0, 0.5, 0.6, 0.7, 0.0, 0.3, 0.0);
         },
         m::perspective(45.0, 640.0 / 480.0, 1.0, 1000.0), m::lookAt(16.7, 9.0, 6.0, 0.5, 0.6, 0.7, 0.0, 0.3, 0.0), vp},
        {"look-at with a tilted up",
         [] {
             glMatrixMode(GL_PROJECTION); gluPerspective(45.0, 1.25, 1.0, 100.0);
             glMatrixMode(GL_MODELVIEW); gluLookAt(-6.0, 4.0, 8.0, 0.0, 0.0, 0.0, 0.4, 1.0, -0.2);
             glRotatef(-30.0f, 0.0f, 1.0f, 0.0f); glTranslatef(0.25f, 0.0f, -0.5f);
         },
         m::perspective(45.0, 1.25, 1.0, 100.0),
         m::lookAt(-6.0, 4.0, 8.0, 0.0, 0.0, 0.0, 0.4, 1.0, -0.2) * m::rotation(-30.0, 0.0, 1.0, 0.0) *
             m::translation(0.25, 0.0, -0.5), vp},
        {"offset viewport",
         [] {
             glMatrixMode(GL_PROJECTION); gluPerspective(45.0, 768.0 / 624.0, 1.0, 100.0);
             glMatrixMode(GL_MODELVIEW); gluLookAt(1, 2, 1, 0, 0, 0, 0, 1, 0); glScalef(2, 2, 2);
         },
         m::perspective(45.0, 768.0 / 624.0, 1.0, 100.0), m::lookAt(1, 2, 1, 0, 0, 0, 0, 1, 0) * m::scaling(2, 2, 2),
         {160, 0, 640, 480}},
    };
    for (const auto& c : cases)
        check(c);
    std::printf(failures == 0 ? "feedback: all cases agree\n" : "feedback: %d mismatches\n", failures);
    return failures == 0 ? 0 : 1;
}
