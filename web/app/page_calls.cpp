// The calls the page (web/site/page.js) makes into the program, exported to
// JavaScript: the page's size, a film read before it is played, PLAY chosen at
// once or opened paused at a frame, the program's mode, and the crane arm's
// function keys from the page's buttons. Assumes the program was started by its main (app/practica02.cpp)
// with the toolkit of toolkit.js, except web_check_film and web_film_records,
// which only read a file. Sizes are in canvas pixels.
#include "app/mode_buttons.h"
#include "app/scene_state.h"
#include "app/title_screen.h"
#include "camera/view.h"
#include "film/player.h"
#include "scene/timeline.h"
#include "web/app/toolkit.h"

#include <GL/glut.h>
#include <emscripten/emscripten.h>

#include <cstdio>
#include <string>

extern "C" {

// The page's size changed: it is the program's screen (the canvas fills it, in
// full screen or not). The 2D screens' view is set again, as when the size was
// first learned, and the reshape callback runs as the desktop's toolkit runs it.
EMSCRIPTEN_KEEPALIVE void web_resize(int width, int height)
{
    winX = width;
    winY = height;
    ini_2d();
    toolkit_reshape(width, height);
    glutPostRedisplay();
}

// Why PLAY would refuse the film at path, as "LINE:COLUMN: what was expected,
// what was found"; empty when it can play it.
EMSCRIPTEN_KEEPALIVE const char* web_check_film(const char* path)
{
    static std::string why;
    const FicheroPelicula f = leerFicheroPelicula(path);
    if (!f.abierto)
        why = "cannot be opened";
    else if (!f.lectura.bien())
        why = std::to_string(f.lectura.donde.linea) + ":" + std::to_string(f.lectura.donde.columna) + ": " +
              describirFallo(f.lectura);
    else
        why.clear();
    return why.c_str();
}

// The number of records of a film PLAY can play; -1 for any other.
EMSCRIPTEN_KEEPALIVE int web_film_records(const char* path)
{
    const FicheroPelicula f = leerFicheroPelicula(path);
    return f.abierto && f.lectura.bien() ? f.lectura.cuenta : -1;
}

// PLAY, as a click on its button chooses it.
EMSCRIPTEN_KEEPALIVE void web_choose_play()
{
    elegirPlay();
}

// PLAY paused on the picture of pose n: the story stepped to frame n without
// drawing, as the renderer steps it, the line PLAY prints before it shows that
// picture, and the picture. Space resumes. n must be a pose of the film.
EMSCRIPTEN_KEEPALIVE void web_open_at_frame(int n)
{
    elegirPlay();
    glutIdleFunc(nullptr);
    pausa = 1;
    avanzarHasta(n);
    std::printf("fotograma:%d\n", fotograma);
    refrescarVista();
}

// The program's mode: 0 the title screen, 1 REC, 2 PLAY (the credits too).
EMSCRIPTEN_KEEPALIVE int web_mode()
{
    return modo;
}

// A function key (GLUT_KEY_F1 ... GLUT_KEY_F12) from the page's buttons, as the
// keyboard would send it; the browser keeps some of them for itself.
EMSCRIPTEN_KEEPALIVE void web_special_key(int key)
{
    keyboard_especial(key, 0, 0);
}

}  // extern "C"
