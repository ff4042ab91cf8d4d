// An off-screen picture of a given size for the current GL context: a GLX
// pixel buffer made current in place of the window, so that everything drawn
// and read goes to it and nothing on the screen (another window, a screen
// saver) can cover what is read back. A pixel buffer is a window-system
// surface like the program's own window, so lines fall on exactly the pixels
// they fall on there (an off-screen framebuffer object is drawn upside down
// inside the driver and breaks some ties between pixels the other way).
//
// Smoothed, each pixel is made of several samples, so that lines are
// anti-aliased: where the GL offers it, the picture is drawn into a
// multisampled framebuffer object of the same size (4 samples a pixel) and
// resolved into the pixel buffer before it is read; else it is drawn at twice
// the width and height into the pixel buffer itself, and whoever reads it
// averages each 2x2 block (reducirDosPorDos). A smoothed picture is the drawing
// at that size smoothed, not PLAY's picture pixel for pixel.
#pragma once

#include <string>
#include <vector>

class LienzoFuera {
public:
    // How each pixel is sampled.
    enum class Muestreo {
        Simple,        // one sample a pixel: PLAY's picture
        Multimuestra,  // 4 samples a pixel in a multisampled framebuffer object
        DobleTamano,   // drawn at 2x2 the size, to be averaged by reducirDosPorDos
    };

    LienzoFuera() = default;
    LienzoFuera(const LienzoFuera&) = delete;
    LienzoFuera& operator=(const LienzoFuera&) = delete;
    ~LienzoFuera();

    // Needs a current GLX context. ancho x alto is the picture wanted, in pixels;
    // suavizar asks for several samples a pixel. False, with the reason, when the
    // context cannot give a picture of that size (smoothed: of what that takes).
    bool crear(int ancho, int alto, bool suavizar, std::string& error);
    // The picture as RGB bytes, 3 a pixel, rows from the bottom up (GL's order),
    // of anchoDibujo() x altoDibujo() pixels.
    void leer(std::vector<unsigned char>& rgb) const;
    // Gives the picture back to the display (while it is still open).
    void liberar();

    int ancho() const { return ancho_; }
    int alto() const { return alto_; }
    Muestreo muestreo() const { return muestreo_; }
    // The size drawn, and read by leer: the picture's, or twice it for DobleTamano.
    int anchoDibujo() const { return muestreo_ == Muestreo::DobleTamano ? 2 * ancho_ : ancho_; }
    int altoDibujo() const { return muestreo_ == Muestreo::DobleTamano ? 2 * alto_ : alto_; }
    // "4 samples a pixel (multisampled)", for messages; empty when Simple.
    std::string describirMuestreo() const;

private:
    bool crearSuperficie(int ancho, int alto, std::string& error);
    bool crearMultimuestra(std::string& error);

    unsigned long superficie_ = 0;  // the GLX pixel buffer
    unsigned marco_ = 0, muestras_ = 0;  // the multisampled framebuffer object and its renderbuffer
    int ancho_ = 0, alto_ = 0;
    Muestreo muestreo_ = Muestreo::Simple;
};

// Averages each 2x2 block of grande (RGB, 2*ancho x 2*alto pixels) into one pixel
// of pequena (ancho x alto), rounding to the nearest.
void reducirDosPorDos(const std::vector<unsigned char>& grande, int ancho, int alto,
                      std::vector<unsigned char>& pequena);
