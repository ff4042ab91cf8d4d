// The GL, GLU and GLUT drawing calls the program makes, as C entry points that
// forward into the subset's one context (glsub.h); glutSwapBuffers hands the
// frame to the WebGL backend and starts the next one. The web build links these
// instead of real GL; the toolkit's window, callback and input calls stay
// emscripten's own. Assumes one window and a single thread.
#include "web/gl/glsub.h"
#include "web/gl/webgl_backend.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glut.h>

#include <memory>
#include <vector>

class GLUquadric {
public:
    glsub::Style style = glsub::Style::Fill;
};

namespace {

glsub::Context& gl()
{
    static glsub::Context context;
    return context;
}

std::vector<std::unique_ptr<GLUquadric>> quadrics;

void begin(GLenum mode)
{
    switch (mode) {
    case GL_LINES: gl().begin(glsub::Primitive::Lines); break;
    case GL_LINE_STRIP: gl().begin(glsub::Primitive::LineStrip); break;
    case GL_LINE_LOOP: gl().begin(glsub::Primitive::LineLoop); break;
    case GL_TRIANGLES: gl().begin(glsub::Primitive::Triangles); break;
    case GL_QUADS: gl().begin(glsub::Primitive::Quads); break;
    case GL_QUAD_STRIP: gl().begin(glsub::Primitive::QuadStrip); break;
    default: gl().begin(glsub::Primitive::Unsupported); break;
    }
}

}  // namespace

extern "C" {

// The font's handle: only its address is used.
void* glutBitmapHelvetica18 = nullptr;

void glMatrixMode(GLenum mode)
{
    gl().matrixMode(mode == GL_PROJECTION ? glsub::MatrixMode::Projection : glsub::MatrixMode::Modelview);
}
void glLoadIdentity() { gl().loadIdentity(); }
void glPushMatrix() { gl().pushMatrix(); }
void glPopMatrix() { gl().popMatrix(); }
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { gl().multiply(math::translation(x, y, z)); }
void glRotatef(GLfloat degrees, GLfloat x, GLfloat y, GLfloat z) { gl().multiply(math::rotation(degrees, x, y, z)); }
void glScalef(GLfloat x, GLfloat y, GLfloat z) { gl().multiply(math::scaling(x, y, z)); }
void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f)
{
    gl().multiply(math::ortho(l, r, b, t, n, f));
}
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    gl().multiply(math::perspective(fovy, aspect, zNear, zFar));
}
void gluLookAt(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz, GLdouble ux,
               GLdouble uy, GLdouble uz)
{
    gl().multiply(math::lookAt(ex, ey, ez, cx, cy, cz, ux, uy, uz));
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) { gl().viewport(x, y, width, height); }
void glClearColor(GLfloat r, GLfloat g, GLfloat b, GLfloat) { gl().clearColor({r, g, b}); }
void glClear(GLbitfield mask)
{
    if (mask & GL_COLOR_BUFFER_BIT)
        gl().clear();
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { gl().color({r, g, b}); }
void glLineWidth(GLfloat width) { gl().lineWidth(width); }

void glBegin(GLenum mode) { begin(mode); }
void glEnd() { gl().end(); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { gl().vertex(x, y, z); }
void glVertex3i(GLint x, GLint y, GLint z) { gl().vertex(x, y, z); }
void glVertex3fv(const GLfloat* v) { gl().vertex(v[0], v[1], v[2]); }

void glRasterPos2i(GLint x, GLint y) { gl().rasterPos(x, y, 0.0); }
void glutBitmapCharacter(void* font, int character)
{
    if (font == GLUT_BITMAP_HELVETICA_18)
        gl().bitmapCharacter(character);
}

GLUquadric* gluNewQuadric()
{
    quadrics.push_back(std::make_unique<GLUquadric>());
    return quadrics.back().get();
}
void gluDeleteQuadric(GLUquadric* q)
{
    for (auto& owned : quadrics)
        if (owned.get() == q)
            owned.reset();
}
void gluQuadricDrawStyle(GLUquadric* q, GLenum style)
{
    q->style = style == GLU_LINE ? glsub::Style::Line
               : style == GLU_POINT ? glsub::Style::Point
               : style == GLU_SILHOUETTE ? glsub::Style::Silhouette : glsub::Style::Fill;
}
void gluCylinder(GLUquadric* q, GLdouble base, GLdouble top, GLdouble height, GLint slices, GLint stacks)
{
    gl().cylinder(q->style, base, top, height, slices, stacks);
}
void glutWireSphere(GLdouble radius, GLint slices, GLint stacks) { gl().wireSphere(radius, slices, stacks); }
void glutWireTorus(GLdouble inner, GLdouble outer, GLint sides, GLint rings)
{
    gl().wireTorus(inner, outer, sides, rings);
}

void glutSwapBuffers()
{
    glsub::present(gl().frame());
    gl().newFrame();
}

}  // extern "C"
