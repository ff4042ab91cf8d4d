// The pixel buffer takes the frame-buffer configuration of the context the
// toolkit made for its window, so the context can be made current on it. X
// reports a failed allocation asynchronously: a handler of our own catches it
// while the buffer is made. The framebuffer-object calls are looked up at run
// time (GL 3.0, or ARB_framebuffer_object before it); a context without them,
// or with fewer than 4 samples a pixel, smooths by drawing at twice the size.
// Not a multisampled frame-buffer configuration for the pixel buffer: Mesa's
// llvmpipe offers them, but draws into such a buffer the same aliased lines (no
// shade between a line and the ground), so the samples are drawn in an object.
#include "tools/common/offscreen.h"

#include "tools/common/outputs.h"

#include <GL/glx.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int MUESTRAS = 4;  // samples a pixel, multisampled

int errorX = 0;

int anotarErrorX(Display*, XErrorEvent* e)
{
    errorX = e->error_code;
    return 0;
}

std::string tamano(int ancho, int alto)
{
    return std::to_string(ancho) + "x" + std::to_string(alto);
}

std::string noCabe(int ancho, int alto, const std::string& porQue)
{
    return "the GL context cannot give a " + tamano(ancho, alto) + " picture" +
           (porQue.empty() ? "" : " (" + porQue + ")");
}

// The framebuffer-object calls of GL 3.0, as the context gives them.
struct LlamadasMarco {
    PFNGLGENFRAMEBUFFERSPROC generarMarcos = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC borrarMarcos = nullptr;
    PFNGLBINDFRAMEBUFFERPROC enlazarMarco = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC estadoMarco = nullptr;
    PFNGLGENRENDERBUFFERSPROC generarBuferes = nullptr;
    PFNGLDELETERENDERBUFFERSPROC borrarBuferes = nullptr;
    PFNGLBINDRENDERBUFFERPROC enlazarBufer = nullptr;
    PFNGLRENDERBUFFERSTORAGEMULTISAMPLEPROC reservarMuestras = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC unirBufer = nullptr;
    PFNGLBLITFRAMEBUFFERPROC copiarMarco = nullptr;

    bool completas() const
    {
        return generarMarcos && borrarMarcos && enlazarMarco && estadoMarco && generarBuferes && borrarBuferes &&
               enlazarBufer && reservarMuestras && unirBufer && copiarMarco;
    }
};

template <typename F>
void buscar(F& f, const char* nombre)
{
    f = reinterpret_cast<F>(glXGetProcAddress(reinterpret_cast<const GLubyte*>(nombre)));
}

// The calls, when the current context offers them (GL 3.0 or ARB_framebuffer_object).
const LlamadasMarco& llamadasMarco()
{
    static const LlamadasMarco l = [] {
        LlamadasMarco r;
        const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
        const char* extensiones = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
        const bool tres = version != nullptr && std::atoi(version) >= 3;
        const bool arb = extensiones != nullptr && std::strstr(extensiones, "GL_ARB_framebuffer_object") != nullptr;
        if (!tres && !arb)
            return r;
        buscar(r.generarMarcos, "glGenFramebuffers");
        buscar(r.borrarMarcos, "glDeleteFramebuffers");
        buscar(r.enlazarMarco, "glBindFramebuffer");
        buscar(r.estadoMarco, "glCheckFramebufferStatus");
        buscar(r.generarBuferes, "glGenRenderbuffers");
        buscar(r.borrarBuferes, "glDeleteRenderbuffers");
        buscar(r.enlazarBufer, "glBindRenderbuffer");
        buscar(r.reservarMuestras, "glRenderbufferStorageMultisample");
        buscar(r.unirBufer, "glFramebufferRenderbuffer");
        buscar(r.copiarMarco, "glBlitFramebuffer");
        return r;
    }();
    return l;
}

}  // namespace

LienzoFuera::~LienzoFuera()
{
    liberar();
}

void LienzoFuera::liberar()
{
    Display* d = glXGetCurrentDisplay();
    if (marco_ != 0 && d != nullptr) {
        const LlamadasMarco& gl = llamadasMarco();
        gl.enlazarMarco(GL_FRAMEBUFFER, 0);
        gl.borrarMarcos(1, &marco_);
        gl.borrarBuferes(1, &muestras_);
    }
    marco_ = muestras_ = 0;
    if (superficie_ != 0 && d != nullptr) {
        glXMakeContextCurrent(d, None, None, nullptr);
        glXDestroyPbuffer(d, superficie_);
    }
    superficie_ = 0;
}

std::string LienzoFuera::describirMuestreo() const
{
    switch (muestreo_) {
    case Muestreo::Multimuestra:
        return std::to_string(MUESTRAS) + " samples a pixel, multisampled";
    case Muestreo::DobleTamano:
        return "4 samples a pixel, drawn at " + tamano(2 * ancho_, 2 * alto_);
    case Muestreo::Simple:
        break;
    }
    return "";
}

bool LienzoFuera::crear(int ancho, int alto, bool suavizar, std::string& error)
{
    liberar();
    ancho_ = ancho;
    alto_ = alto;
    muestreo_ = Muestreo::Simple;
    const GLXDrawable ventana = glXGetCurrentDrawable();
    std::string porQue;
    if (!crearSuperficie(ancho, alto, porQue)) {
        error = noCabe(ancho, alto, porQue);
        return false;
    }
    if (!suavizar)
        return true;
    std::string sinMuestras;
    if (crearMultimuestra(sinMuestras)) {
        muestreo_ = Muestreo::Multimuestra;
        return true;
    }
    // No multisampling: drawn at twice the size, averaged by the reader. The
    // context goes back to the window while the picture is made again.
    Display* d = glXGetCurrentDisplay();
    GLXContext contexto = glXGetCurrentContext();
    glXMakeContextCurrent(d, ventana, ventana, contexto);
    glXDestroyPbuffer(d, superficie_);
    superficie_ = 0;
    if (!crearSuperficie(2 * ancho, 2 * alto, porQue)) {
        error = "the GL context cannot give a " + tamano(ancho, alto) + " picture smoothed: it offers no " +
                "multisampling (" + sinMuestras + "), and the " + tamano(2 * ancho, 2 * alto) +
                " picture to average is beyond it (" + porQue + ")";
        return false;
    }
    muestreo_ = Muestreo::DobleTamano;
    return true;
}

bool LienzoFuera::crearSuperficie(int ancho, int alto, std::string& porQue)
{
    Display* d = glXGetCurrentDisplay();
    GLXContext contexto = glXGetCurrentContext();
    int id = 0;
    if (d == nullptr || contexto == nullptr || glXQueryContext(d, contexto, GLX_FBCONFIG_ID, &id) != Success) {
        porQue = "no GLX context";
        return false;
    }
    const int buscarConfig[] = {GLX_FBCONFIG_ID, id, None};
    int n = 0;
    GLXFBConfig* configuraciones = glXChooseFBConfig(d, DefaultScreen(d), buscarConfig, &n);
    if (configuraciones == nullptr || n == 0) {
        porQue = "no frame-buffer configuration";
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
        porQue = "no off-screen buffers on this display";
        return false;
    }
    if (ancho > anchoMaximo || alto > altoMaximo) {
        porQue = "the largest is " + tamano(anchoMaximo, altoMaximo);
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
        porQue = errorX != 0 ? "X error " + std::to_string(errorX) : "";
        superficie_ = 0;
        return false;
    }
    glDrawBuffer(GL_BACK);  // never shown: the frame is read where it is drawn
    glReadBuffer(GL_BACK);
    return true;
}

bool LienzoFuera::crearMultimuestra(std::string& porQue)
{
    const LlamadasMarco& gl = llamadasMarco();
    while (glGetError() != GL_NO_ERROR) {
    }
    if (!gl.completas()) {
        porQue = "no framebuffer objects";
        return false;
    }
    GLint maximo = 0, lado = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maximo);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &lado);
    if (maximo < MUESTRAS) {
        porQue = "at most " + plural(maximo, "sample", "samples") + " a pixel";
        return false;
    }
    if (ancho_ > lado || alto_ > lado) {
        porQue = "framebuffer objects of at most " + tamano(lado, lado);
        return false;
    }
    gl.generarBuferes(1, &muestras_);
    gl.enlazarBufer(GL_RENDERBUFFER, muestras_);
    gl.reservarMuestras(GL_RENDERBUFFER, MUESTRAS, GL_RGBA8, ancho_, alto_);
    gl.enlazarBufer(GL_RENDERBUFFER, 0);
    gl.generarMarcos(1, &marco_);
    gl.enlazarMarco(GL_FRAMEBUFFER, marco_);
    gl.unirBufer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, muestras_);
    GLint muestras = 0;
    glGetIntegerv(GL_SAMPLES, &muestras);
    if (gl.estadoMarco(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE || glGetError() != GL_NO_ERROR ||
        muestras < MUESTRAS) {
        gl.enlazarMarco(GL_FRAMEBUFFER, 0);
        gl.borrarMarcos(1, &marco_);
        gl.borrarBuferes(1, &muestras_);
        marco_ = muestras_ = 0;
        porQue = "a multisampled framebuffer object of " + tamano(ancho_, alto_) + " is incomplete";
        return false;
    }
    return true;
}

void LienzoFuera::leer(std::vector<unsigned char>& rgb) const
{
    const int ancho = anchoDibujo(), alto = altoDibujo();
    rgb.resize(static_cast<size_t>(ancho) * alto * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    if (muestreo_ == Muestreo::Multimuestra) {
        // Resolved into the pixel buffer (each pixel the mean of its samples), read there.
        const LlamadasMarco& gl = llamadasMarco();
        gl.enlazarMarco(GL_READ_FRAMEBUFFER, marco_);
        gl.enlazarMarco(GL_DRAW_FRAMEBUFFER, 0);
        gl.copiarMarco(0, 0, ancho, alto, 0, 0, ancho, alto, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        gl.enlazarMarco(GL_READ_FRAMEBUFFER, 0);
        glReadPixels(0, 0, ancho, alto, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        gl.enlazarMarco(GL_FRAMEBUFFER, marco_);
        return;
    }
    glReadPixels(0, 0, ancho, alto, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
}

void reducirDosPorDos(const std::vector<unsigned char>& grande, int ancho, int alto,
                      std::vector<unsigned char>& pequena)
{
    pequena.resize(static_cast<size_t>(ancho) * alto * 3);
    const size_t fila = static_cast<size_t>(ancho) * 2 * 3;  // bytes in a row of grande
    for (int y = 0; y < alto; y++) {
        const unsigned char* a = grande.data() + static_cast<size_t>(2 * y) * fila;
        const unsigned char* b = a + fila;
        unsigned char* p = pequena.data() + static_cast<size_t>(y) * ancho * 3;
        for (int x = 0; x < ancho; x++, a += 6, b += 6, p += 3)
            for (int c = 0; c < 3; c++)
                p[c] = static_cast<unsigned char>((a[c] + a[c + 3] + b[c] + b[c + 3] + 2) / 4);
    }
}
