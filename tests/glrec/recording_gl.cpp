// The recording stand-in's entry points: GL, GLU and GLUT as the program calls
// them, answered by recording instead of drawing.
#include "glrec/recording_gl.h"

#include <GL/glu.h>

#include <algorithm>
#include <memory>

class GLUquadric {
public:
    GLenum drawStyle = GLU_FILL;
};

namespace glrec {

namespace {
Recorder recorder;
std::vector<std::unique_ptr<GLUquadric>> quadrics;

std::vector<Mat4>& currentStack()
{
    return recorder.matrixMode == GL_PROJECTION ? recorder.projectionStack : recorder.modelviewStack;
}

void multiply(const Mat4& m)
{
    Mat4& top = currentStack().back();
    top = top * m;
}

void vertex(double x, double y, double z)
{
    if (!recorder.insideBegin) {
        recorder.stackErrors++;
        return;
    }
    const Vec3 p{x, y, z};
    recorder.primitives.back().vertices.push_back(
        {p, math::transformPoint(recorder.modelview(), p), recorder.color});
}

void shape(ShapeKind kind, std::array<double, 3> size, std::array<int, 2> count, int style = 0)
{
    Shape s;
    s.kind = kind;
    s.size = size;
    s.count = count;
    s.drawStyle = style;
    s.modelview = recorder.modelview();
    s.color = recorder.color;
    s.lineWidth = recorder.lineWidth;
    s.sequence = recorder.sequence++;
    recorder.shapes.push_back(s);
}

}  // namespace

Vec3 Shape::origin() const
{
    return math::transformPoint(modelview, {0.0, 0.0, 0.0});
}

void Recorder::clearRecords()
{
    primitives.clear();
    shapes.clear();
    texts.clear();
    clears = 0;
    viewports.clear();
    redisplays = 0;
    swaps = 0;
    fullScreenRequests = 0;
    windowResizes.clear();
    stackErrors = 0;
    sequence = 0;
    deepestModelview = modelviewStack.size();
}

void Recorder::reset()
{
    const int w = screenWidth, h = screenHeight;
    *this = Recorder();
    screenWidth = w;
    screenHeight = h;
}

Recorder& rec()
{
    return recorder;
}

void beginWorldCapture()
{
    recorder.modelviewStack.assign(1, Mat4::identity());
    recorder.projectionStack.assign(1, Mat4::identity());
    recorder.matrixMode = GL_MODELVIEW;
    recorder.clearRecords();
}

}  // namespace glrec

using glrec::recorder;

// ---------------------------------------------------------------- GL

void glBegin(GLenum mode)
{
    if (recorder.insideBegin)
        recorder.stackErrors++;
    recorder.insideBegin = true;
    glrec::Primitive p;
    p.mode = mode;
    p.color = recorder.color;
    p.lineWidth = recorder.lineWidth;
    p.modelview = recorder.modelview();
    p.sequence = recorder.sequence++;
    recorder.primitives.push_back(std::move(p));
}

void glEnd()
{
    if (!recorder.insideBegin)
        recorder.stackErrors++;
    recorder.insideBegin = false;
}

void glVertex2i(GLint x, GLint y) { glrec::vertex(x, y, 0.0); }
void glVertex2f(GLfloat x, GLfloat y) { glrec::vertex(x, y, 0.0); }
void glVertex2d(GLdouble x, GLdouble y) { glrec::vertex(x, y, 0.0); }
void glVertex3i(GLint x, GLint y, GLint z) { glrec::vertex(x, y, z); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { glrec::vertex(x, y, z); }
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) { glrec::vertex(x, y, z); }
void glVertex3fv(const GLfloat* v) { glrec::vertex(v[0], v[1], v[2]); }

void glColor3f(GLfloat r, GLfloat g, GLfloat b) { recorder.color = {r, g, b}; }
void glColor3d(GLdouble r, GLdouble g, GLdouble b)
{
    recorder.color = {static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)};
}
void glColor3fv(const GLfloat* v) { recorder.color = {v[0], v[1], v[2]}; }
void glLineWidth(GLfloat width) { recorder.lineWidth = width; }

void glMatrixMode(GLenum mode) { recorder.matrixMode = mode; }
void glLoadIdentity() { glrec::currentStack().back() = glrec::Mat4::identity(); }
void glPushMatrix()
{
    auto& s = glrec::currentStack();
    s.push_back(s.back());
    if (recorder.matrixMode != GL_PROJECTION)
        recorder.deepestModelview = std::max(recorder.deepestModelview, s.size());
}
void glPopMatrix()
{
    auto& s = glrec::currentStack();
    if (s.size() <= 1) {
        recorder.stackErrors++;
        return;
    }
    s.pop_back();
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { glrec::multiply(math::translation(x, y, z)); }
void glTranslated(GLdouble x, GLdouble y, GLdouble z) { glrec::multiply(math::translation(x, y, z)); }
void glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z) { glrec::multiply(math::rotation(a, x, y, z)); }
void glRotated(GLdouble a, GLdouble x, GLdouble y, GLdouble z) { glrec::multiply(math::rotation(a, x, y, z)); }
void glScalef(GLfloat x, GLfloat y, GLfloat z) { glrec::multiply(math::scaling(x, y, z)); }
void glScaled(GLdouble x, GLdouble y, GLdouble z) { glrec::multiply(math::scaling(x, y, z)); }
void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f)
{
    glrec::multiply(math::ortho(l, r, b, t, n, f));
}
void glMultMatrixd(const GLdouble* m)
{
    glrec::Mat4 a;
    for (int i = 0; i < 16; i++)
        a.m[i] = m[i];
    glrec::multiply(a);
}
void glMultMatrixf(const GLfloat* m)
{
    glrec::Mat4 a;
    for (int i = 0; i < 16; i++)
        a.m[i] = m[i];
    glrec::multiply(a);
}

void glViewport(GLint x, GLint y, GLsizei w, GLsizei h) { recorder.viewports.push_back({x, y, w, h}); }
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf) { recorder.clearColor = {r, g, b}; }
void glClear(GLbitfield) { recorder.clears++; }
void glFlush() {}
void glFinish() {}

void glRasterPos2i(GLint x, GLint y)
{
    glrec::Text t;
    t.x = x;
    t.y = y;
    t.color = recorder.color;
    t.sequence = recorder.sequence++;
    recorder.texts.push_back(t);
}

// ---------------------------------------------------------------- GLU

GLUquadric* gluNewQuadric()
{
    glrec::quadrics.push_back(std::make_unique<GLUquadric>());
    return glrec::quadrics.back().get();
}
void gluDeleteQuadric(GLUquadric*) {}
void gluQuadricDrawStyle(GLUquadric* q, GLenum style)
{
    if (q != nullptr)
        q->drawStyle = style;
}
void gluCylinder(GLUquadric* q, GLdouble base, GLdouble top, GLdouble height, GLint slices, GLint stacks)
{
    glrec::shape(glrec::ShapeKind::Cylinder, {base, top, height}, {slices, stacks},
                 q != nullptr ? static_cast<int>(q->drawStyle) : -1);
}
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    glrec::multiply(math::perspective(fovy, aspect, zNear, zFar));
}
void gluLookAt(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz,
               GLdouble ux, GLdouble uy, GLdouble uz)
{
    glrec::multiply(math::lookAt(ex, ey, ez, cx, cy, cz, ux, uy, uz));
}
void gluOrtho2D(GLdouble l, GLdouble r, GLdouble b, GLdouble t)
{
    glrec::multiply(math::ortho(l, r, b, t, -1.0, 1.0));
}

// ---------------------------------------------------------------- GLUT

void* glutBitmapHelvetica18 = nullptr;

void glutInit(int*, char**) {}
void glutInitDisplayMode(unsigned int mode) { recorder.displayMode = mode; }
void glutInitWindowSize(int w, int h) { recorder.initialWindowSize = {w, h}; }
void glutInitWindowPosition(int x, int y) { recorder.initialWindowPosition = {x, y}; }
int glutCreateWindow(const char* title)
{
    recorder.windowTitle = title;
    return 1;
}
void glutDisplayFunc(void (*f)()) { recorder.callbacks.display = f; }
void glutReshapeFunc(void (*f)(int, int)) { recorder.callbacks.reshape = f; }
void glutKeyboardFunc(void (*f)(unsigned char, int, int)) { recorder.callbacks.keyboard = f; }
void glutSpecialFunc(void (*f)(int, int, int)) { recorder.callbacks.special = f; }
void glutMouseFunc(void (*f)(int, int, int, int)) { recorder.callbacks.mouse = f; }
void glutIdleFunc(void (*f)()) { recorder.callbacks.idle = f; }
void glutFullScreen() { recorder.fullScreenRequests++; }
void glutReshapeWindow(int w, int h) { recorder.windowResizes.push_back({w, h}); }
void glutPostRedisplay() { recorder.redisplays++; }
void glutSwapBuffers() { recorder.swaps++; }
void glutMainLoop() { recorder.mainLoops++; }
int glutGet(GLenum query)
{
    switch (query) {
    case GLUT_SCREEN_WIDTH: return recorder.screenWidth;
    case GLUT_SCREEN_HEIGHT: return recorder.screenHeight;
    default: return 0;
    }
}

void glutBitmapCharacter(void* font, int character)
{
    if (recorder.texts.empty()) {
        // Text before any raster position: a text of its own at the origin.
        glrec::Text t;
        t.color = recorder.color;
        t.sequence = recorder.sequence++;
        recorder.texts.push_back(t);
    }
    recorder.texts.back().font = font;
    recorder.texts.back().text.push_back(static_cast<char>(character));
}

void glutWireSphere(double radius, GLint slices, GLint stacks)
{
    glrec::shape(glrec::ShapeKind::WireSphere, {radius, 0.0, 0.0}, {slices, stacks});
}

void glutWireTorus(double inner, double outer, GLint sides, GLint rings)
{
    glrec::shape(glrec::ShapeKind::WireTorus, {inner, outer, 0.0}, {sides, rings});
}
