// PNG files through libpng. Wireframe pictures are mostly black: the fastest
// deflate level with the Sub filter keeps them small and cheap to write.
#include "tools/common/png_writer.h"

#include "tools/common/whole_file.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace {

struct Fallo {
    std::string mensaje;
};

void alFallar(png_structp png, png_const_charp mensaje)
{
    static_cast<Fallo*>(png_get_error_ptr(png))->mensaje = mensaje;
    png_longjmp(png, 1);
}

void alAvisar(png_structp, png_const_charp) {}

// Everything that needs the jump buffer lives here, with no objects to unwind.
bool codificar(FILE* f, int ancho, int alto, const unsigned char* rgb, png_bytep* filas, Fallo& fallo)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &fallo, alFallar, alAvisar);
    if (png == nullptr) {
        fallo.mensaje = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, ancho, alto, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    for (int y = 0; y < alto; y++)  // the top row first
        filas[y] = const_cast<png_bytep>(rgb + static_cast<size_t>(alto - 1 - y) * ancho * 3);
    png_set_rows(png, info, filas);
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool escribirPNG(const std::string& ruta, int ancho, int alto, const std::vector<unsigned char>& rgb,
                 std::string& error)
{
    FicheroEntero fichero(ruta);
    if (!fichero.abrir(error))
        return false;
    FILE* f = fichero.flujo();
    if (f == nullptr) {
        error = "cannot write " + ruta + ": " + std::strerror(errno);
        return false;
    }
    std::vector<png_bytep> filas(static_cast<size_t>(alto));
    Fallo fallo;
    if (!codificar(f, ancho, alto, rgb.data(), filas.data(), fallo)) {
        error = "cannot write " + ruta + ": " + (fallo.mensaje.empty() ? std::strerror(errno) : fallo.mensaje);
        return false;
    }
    return fichero.terminar(error);
}
