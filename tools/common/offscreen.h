// An off-screen picture of a given size for the current GL context: a GLX
// pixel buffer made current in place of the window, so that everything drawn
// and read goes to it and nothing on the screen (another window, a screen
// saver) can cover what is read back. A pixel buffer is a window-system
// surface like the program's own window, so lines fall on exactly the pixels
// they fall on there (an off-screen framebuffer object is drawn upside down
// inside the driver and breaks some ties between pixels the other way).
#pragma once

#include <string>
#include <vector>

class LienzoFuera {
public:
    LienzoFuera() = default;
    LienzoFuera(const LienzoFuera&) = delete;
    LienzoFuera& operator=(const LienzoFuera&) = delete;
    ~LienzoFuera();

    // Needs a current GLX context. False, with the reason, when the context cannot
    // give a picture of that size.
    bool crear(int ancho, int alto, std::string& error);
    // The picture as RGB bytes, 3 a pixel, rows from the bottom up (GL's order).
    void leer(std::vector<unsigned char>& rgb) const;
    // Gives the picture back to the display (while it is still open).
    void liberar();

    int ancho() const { return ancho_; }
    int alto() const { return alto_; }

private:
    unsigned long superficie_ = 0;  // the GLX pixel buffer
    int ancho_ = 0, alto_ = 0;
};
