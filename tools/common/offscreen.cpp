// The pixel buffer takes the frame-buffer configuration of the context the
// toolkit made for its window, so the context can be made current on it. X
// reports a failed allocation asynchronously: a handler of our own catches it
// while the buffer is made.
#include "tools/common/offscreen.h"

#include <GL/glx.h>

#include <algorithm>

namespace {

int errorX = 0;

int anotarErrorX(Display*, XErrorEvent* e)
{
    errorX = e->error_code;
    return 0;
}

std::string noCabe(int ancho, int alto, const std::string& porQue)
{
    return "the GL context cannot give a " + std::to_string(ancho) + "x" + std::to_string(alto) + " picture" +
           (porQue.empty() ? "" : " (" + porQue + ")");
}

}  // namespace

LienzoFuera::~LienzoFuera()
{
    liberar();
}

void LienzoFuera::liberar()
{
    Display* d = glXGetCurrentDisplay();
    if (superficie_ != 0 && d != nullptr) {
        glXMakeContextCurrent(d, None, None, nullptr);
        glXDestroyPbuffer(d, superficie_);
    }
    superficie_ = 0;
}

bool LienzoFuera::crear(int ancho, int alto, std::string& error)
{
    Display* d = glXGetCurrentDisplay();
    GLXContext contexto = glXGetCurrentContext();
    int id = 0;
    if (d == nullptr || contexto == nullptr || glXQueryContext(d, contexto, GLX_FBCONFIG_ID, &id) != Success) {
        error = noCabe(ancho, alto, "no GLX context");
        return false;
    }
    const int buscar[] = {GLX_FBCONFIG_ID, id, None};
    int n = 0;
    GLXFBConfig* configuraciones = glXChooseFBConfig(d, DefaultScreen(d), buscar, &n);
    if (configuraciones == nullptr || n == 0) {
        error = noCabe(ancho, alto, "no frame-buffer configuration");
        return false;
    }
    const GLXFBConfig config = configuraciones[0];
    XFree(configuraciones);
    int tipos = 0, anchoMaximo = 0, altoMaximo = 0;
    glXGetFBConfigAttrib(d, config, GLX_DRAWABLE_TYPE, &tipos);
    glXGetFBConfigAttrib(d, config, GLX_MAX_PBUFFER_WIDTH, &anchoMaximo);
    glXGetFBConfigAttrib(d, config, GLX_MAX_PBUFFER_HEIGHT, &altoMaximo);
    GLint vista[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, vista);
    anchoMaximo = std::min(anchoMaximo, static_cast<int>(vista[0]));
    altoMaximo = std::min(altoMaximo, static_cast<int>(vista[1]));
    if (!(tipos & GLX_PBUFFER_BIT)) {
        error = noCabe(ancho, alto, "no off-screen buffers on this display");
        return false;
    }
    if (ancho > anchoMaximo || alto > altoMaximo) {
        error = noCabe(ancho, alto, "the largest is " + std::to_string(anchoMaximo) + "x" + std::to_string(altoMaximo));
        return false;
    }
    const int atributos[] = {GLX_PBUFFER_WIDTH, ancho, GLX_PBUFFER_HEIGHT, alto, GLX_PRESERVED_CONTENTS, True,
                             GLX_LARGEST_PBUFFER, False, None};
    XSync(d, False);
    errorX = 0;
    auto anterior = XSetErrorHandler(anotarErrorX);
    superficie_ = glXCreatePbuffer(d, config, atributos);
    XSync(d, False);
    const bool hecha = superficie_ != 0 && errorX == 0 && glXMakeContextCurrent(d, superficie_, superficie_, contexto);
    XSync(d, False);
    XSetErrorHandler(anterior);
    if (!hecha || errorX != 0) {
        error = noCabe(ancho, alto, errorX != 0 ? "X error " + std::to_string(errorX) : "");
        superficie_ = 0;
        return false;
    }
    glDrawBuffer(GL_BACK);  // never shown: the frame is read where it is drawn
    glReadBuffer(GL_BACK);
    ancho_ = ancho;
    alto_ = alto;
    return true;
}

void LienzoFuera::leer(std::vector<unsigned char>& rgb) const
{
    rgb.resize(static_cast<size_t>(ancho_) * alto_ * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, ancho_, alto_, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
}
