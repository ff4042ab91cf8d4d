// The studio's calls into the program (web/js/studio/core.js makes them): a shot
// list compiled by the film tool's own compiler, the story stepped to a frame by
// the headless player, where the actors are then, a frame drawn through the
// compiled film's pose or through a free camera's, and shot-list text written by
// the shot-list writer. main() makes the GL context on the page's canvas; every
// other call assumes it ran. Structured answers are JSON text, valid until the
// next call; poses and points are floats in world units.
#include "app/scene_state.h"
#include "camera/view.h"
#include "film/film_check.h"
#include "film/path_keys.h"
#include "film/player.h"
#include "film/shot_compiler.h"
#include "film/shot_writer.h"
#include "scene/actors.h"
#include "scene/composition.h"
#include "scene/timeline.h"

#include <GL/glut.h>
#include <emscripten/emscripten.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Pose = std::array<float, 9>;

// The motions as the page numbers them (studio_facts lists them in this order).
constexpr std::array<Movimiento, 3> MOVIMIENTOS = {Movimiento::Fijo, Movimiento::Lineal, Movimiento::Suave};

struct Estudio {
    std::vector<Pose> poses;           // the film shown: the last shot list that read well, or a film read
    std::string texto;                 // that film as `film compile` writes it (empty for a film read)
    bool sana = false;                 // `film compile` would write it: the film check found no error
    std::string respuesta;             // the last answer
    std::array<float, 36> actores{};   // the last actors' points, 12 times x y z
};

Estudio& estudio()
{
    static Estudio e;
    return e;
}

// ---- JSON --------------------------------------------------------------------

// "[A,B,...]", each item's text made by texto(item).
template <typename Lista, typename Texto>
std::string lista(const Lista& items, Texto texto)
{
    std::string r = "[";
    for (const auto& item : items)
        r += (r.size() > 1 ? "," : "") + texto(item);
    return r + "]";
}

std::string cadena(const std::string& s)
{
    std::string r = "\"";
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            r += '\\';
            r += static_cast<char>(c);
        } else if (c < 0x20) {
            char u[8];
            std::snprintf(u, sizeof u, "\\u%04x", c);
            r += u;
        } else {
            r += static_cast<char>(c);
        }
    }
    return r + "\"";
}

std::string campo(const CampoTexto& c)
{
    return "[" + std::to_string(c.desde) + "," + std::to_string(c.hasta) + "]";
}

std::string punto(const PuntoToma& p, const CampoTexto& c)
{
    const std::string actor = p.conActor ? cadena(nombresDeActores()[static_cast<size_t>(p.actor)]) : "null";
    return "{\"actor\":" + actor + ",\"field\":" + campo(c) + "}";
}

std::string claves(const std::vector<ClaveToma>& cs)
{
    return lista(cs, [](const ClaveToma& c) {
        return "{\"frame\":" + std::to_string(c.fotograma) + ",\"line\":" + std::to_string(c.linea) +
               ",\"motion\":" + cadena(nombreDeMovimiento(c.movimiento)) + ",\"frameField\":" +
               campo(c.campoFotograma) + ",\"eye\":" + punto(c.ojo, c.campoOjo) +
               ",\"centre\":" + punto(c.centro, c.campoCentro) + ",\"upField\":" + campo(c.campoArriba) +
               ",\"motionField\":" + campo(c.campoMovimiento) + "}";
    });
}

std::string errores(const ErroresTexto& es)
{
    return lista(es.primeros(), [](const ErrorTexto& e) {
        return "{\"line\":" + std::to_string(e.donde.linea) + ",\"column\":" + std::to_string(e.donde.columna) +
               ",\"message\":" + cadena(e.mensaje) + "}";
    });
}

const char* gravedad(TipoHallazgo t)
{
    return gravedadDe(t) == Gravedad::Error ? "error" : "warning";
}

// The findings worth listing, each where the shot list shows it, and every frame
// finding as spans of frames of one kind, for the timeline.
std::string hallazgos(const PeliculaCompilada& c)
{
    const RevisionPelicula& r = c.revision;
    const Seleccion s = seleccionarHallazgos(r.hallazgos);
    const std::string mostrados = lista(s.mostrados, [&](const Hallazgo& h) {
        const Diagnostico d = diagnosticoDeTomas(h, r, c.lista.claves);
        return "{\"frame\":" + std::to_string(h.registro) + ",\"line\":" + std::to_string(d.donde.linea) +
               ",\"severity\":" + cadena(gravedad(h.tipo)) + ",\"message\":" + cadena(d.mensaje) + "}";
    });
    const std::string omitidos = lista(s.omitidos, [](const std::pair<TipoHallazgo, int>& o) {
        return "{\"count\":" + std::to_string(o.second) + ",\"what\":" + cadena(pluralDe(o.first)) + "}";
    });
    std::string tramos = "[";
    for (size_t i = 0; i < r.hallazgos.size();) {
        const Hallazgo& h = r.hallazgos[i];
        size_t j = i + 1;
        while (j < r.hallazgos.size() && r.hallazgos[j].tipo == h.tipo &&
               r.hallazgos[j].registro == r.hallazgos[j - 1].registro + 1)
            j++;
        if (h.registro >= 0) {
            if (tramos.size() > 1)
                tramos += ",";
            tramos += "{\"from\":" + std::to_string(h.registro) + ",\"to\":" +
                      std::to_string(r.hallazgos[j - 1].registro) + ",\"severity\":" + cadena(gravedad(h.tipo)) + "}";
        }
        i = j;
    }
    tramos += "]";
    return "\"findings\":" + mostrados + ",\"omitted\":" + omitidos + ",\"findingSpans\":" + tramos;
}

// ---- The story and the camera ------------------------------------------------

// The story stepped until frame n has been stepped, from a fresh scene when it
// stands past n already: stepping is cheap beside a drawing.
void irA(int n)
{
    if (fotograma > n + 1 || modo != 2) {
        escenaSinVentana();
        instalarPelicula({});
    }
    avanzarHasta(n);
}

// A key's point: actor -1 for a fixed one, else the actor's index and the offset from it.
PuntoToma puntoDe(int actor, float x, float y, float z)
{
    return {actor >= 0, static_cast<Actor>(actor >= 0 ? actor : 0), {x, y, z}};
}

void ponerPose(const float* p)
{
    qq = p[0]; ww = p[1]; ee = p[2];
    aa = p[3]; ss = p[4]; dd = p[5];
    zz = p[6]; xx = p[7]; cc = p[8];
}

struct V3 {
    double x, y, z;
    V3 operator+(const V3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    V3 operator-(const V3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    V3 operator*(double s) const { return {x * s, y * s, z * s}; }
};

V3 cruz(const V3& a, const V3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

V3 unitario(const V3& a)
{
    const double n = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    return n > 0 ? a * (1.0 / n) : a;
}

void vertice(const V3& v)
{
    glVertex3f(static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z));
}

// The film's camera as the free view shows it: its path (every frame's eye), a
// small wire pyramid from its eye towards its centre with a tick on its up side,
// and a line on to the centre.
void dibujarCamaraDePelicula(const Pose& p, const std::vector<Pose>& camino)
{
    glColor3f(1.0f, 0.85f, 0.1f);
    glBegin(GL_LINE_STRIP);
        for (const Pose& q : camino)
            glVertex3f(q[0], q[1], q[2]);
    glEnd();

    constexpr double LARGO = 2.0, ANCHO = 1.0, ALTO = 0.6;  // the pyramid, world units
    const V3 ojo{p[0], p[1], p[2]}, centro{p[3], p[4], p[5]};
    const V3 vista = unitario(centro - ojo);
    const V3 lado = unitario(cruz(vista, {p[6], p[7], p[8]}));
    const V3 alto = cruz(lado, vista);
    std::array<V3, 4> esquinas;
    for (size_t k = 0; k < esquinas.size(); k++)
        esquinas[k] = ojo + vista * LARGO + lado * (k == 0 || k == 3 ? -ANCHO : ANCHO) + alto * (k < 2 ? ALTO : -ALTO);
    glColor3f(1.0f, 0.3f, 0.9f);
    glBegin(GL_LINES);
        for (size_t k = 0; k < esquinas.size(); k++) {
            vertice(ojo);
            vertice(esquinas[k]);
            vertice(esquinas[k]);
            vertice(esquinas[(k + 1) % esquinas.size()]);
        }
        vertice(ojo + vista * LARGO + alto * ALTO);
        vertice(ojo + vista * LARGO + alto * (ALTO * 2));
    glEnd();
    glColor3f(0.6f, 0.2f, 0.55f);
    glBegin(GL_LINES);
        vertice(ojo);
        vertice(centro);
    glEnd();
}

}  // namespace

// The GL context on the canvas; with "--smooth", a multisampled one, whose lines
// are drawn from several samples a pixel.
int main(int argc, char** argv)
{
    const bool suave = argc > 1 && std::string(argv[1]) == "--smooth";
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | (suave ? GLUT_MULTISAMPLE : 0));
    glutCreateWindow("studio");
    escenaSinVentana();
    return 0;
}

extern "C" {

// What the page needs to know once: the actors' names, the motions' names, the
// story's length in frames, its beats, its pace (milliseconds a frame), and the
// camera's vertical field of view.
EMSCRIPTEN_KEEPALIVE const char* studio_facts()
{
    const std::string momentos = lista(momentosDelGuion(), [](const MomentoGuion& m) {
        return "{\"frame\":" + std::to_string(m.fotograma) + ",\"name\":" + cadena(m.nombre) + "}";
    });
    const std::string movimientos = lista(MOVIMIENTOS, [](Movimiento m) { return cadena(nombreDeMovimiento(m)); });
    estudio().respuesta = "{\"actors\":" + lista(nombresDeActores(), cadena) + ",\"motions\":" + movimientos +
                          ",\"frames\":" + std::to_string(FOTOGRAMAS_GUION) +
                          ",\"pace\":" + std::to_string(PAUSA_PASO_MS) + ",\"beats\":" + momentos +
                          ",\"fieldOfView\":" + std::to_string(CAMPO_VISION_GRADOS) + "}";
    return estudio().respuesta.c_str();
}

// Reads and compiles a shot list of the story's length. The answer: whether it
// reads ("ok"), its errors (the first few, with line and column in bytes, and how
// many in all), the keys read well (even when other lines have errors), and, when
// it reads, the film check's findings. With mostrar, a list that reads becomes
// the film shown. The text is largo bytes at texto, NULs and all: the program
// reads exactly the text the page shows.
EMSCRIPTEN_KEEPALIVE const char* studio_compile(const char* texto, int largo, int mostrar)
{
    Estudio& e = estudio();
    PeliculaCompilada c = compilarTomas(std::string(texto, static_cast<size_t>(largo)), FOTOGRAMAS_GUION);
    std::string r = std::string("{\"ok\":") + (c.lista.bien() ? "true" : "false") +
                    ",\"errors\":" + errores(c.lista.errores) + ",\"errorCount\":" +
                    std::to_string(c.lista.errores.total()) + ",\"keys\":" + claves(c.lista.claves);
    if (c.lista.bien()) {
        r += std::string(",\"sound\":") + (c.revision.sana() ? "true" : "false") + "," + hallazgos(c);
        if (mostrar) {
            e.poses = std::move(c.poses);
            e.texto = std::move(c.texto);
            e.sana = c.revision.sana();
        }
    }
    e.respuesta = r + "}";
    return e.respuesta.c_str();
}

// A film's text, read as PLAY reads it, becomes the film shown. The answer: empty,
// or where and why PLAY would refuse it ("LINE:COLUMN: expected ..., found ...").
// The text is largo bytes at texto.
EMSCRIPTEN_KEEPALIVE const char* studio_show_film(const char* texto, int largo)
{
    Estudio& e = estudio();
    RevisionPelicula r = revisarTexto(std::string(texto, static_cast<size_t>(largo)));
    if (!r.legible()) {
        e.respuesta = std::to_string(r.lectura.donde.linea) + ":" + std::to_string(r.lectura.donde.columna) + ": " +
                      describirFallo(r.lectura);
        return e.respuesta.c_str();
    }
    e.poses = std::move(r.lectura.poses);
    e.texto.clear();
    e.sana = false;
    e.respuesta.clear();
    return e.respuesta.c_str();
}

// The film shown: its poses, frame after frame, nine floats each; none before a
// shot list has read well.
EMSCRIPTEN_KEEPALIVE const float* studio_poses()
{
    return estudio().poses.empty() ? nullptr : estudio().poses.front().data();
}
EMSCRIPTEN_KEEPALIVE int studio_pose_count()
{
    return static_cast<int>(estudio().poses.size());
}

// The film shown, as `film compile` writes it, and whether it would write it;
// empty before a shot list has read well.
EMSCRIPTEN_KEEPALIVE const char* studio_film_text()
{
    return estudio().texto.c_str();
}
EMSCRIPTEN_KEEPALIVE int studio_film_sound()
{
    return estudio().sana ? 1 : 0;
}

// Where the actors are at frame n (in the order of their names): 12 points.
EMSCRIPTEN_KEEPALIVE const float* studio_actors(int n)
{
    irA(n);
    Estudio& e = estudio();
    for (size_t a = 0; a < nombresDeActores().size(); a++) {
        const PuntoMundo p = posicionActor(static_cast<Actor>(a));
        e.actores[3 * a] = p.x;
        e.actores[3 * a + 1] = p.y;
        e.actores[3 * a + 2] = p.z;
    }
    return e.actores.data();
}

// The picture of frame n at width x height pixels, as the renderer draws it: the
// story stepped to n, the camera at pose (nine floats), the world. With
// conCamara, the film's own camera at n and its path are drawn over it.
EMSCRIPTEN_KEEPALIVE void studio_draw(int n, const float* pose, int conCamara, int ancho, int alto)
{
    irA(n);
    tamanoSinVentana(ancho, alto);
    ponerPose(pose);
    dibujarFotograma();
    const std::vector<Pose>& poses = estudio().poses;
    if (conCamara && n >= 0 && static_cast<size_t>(n) < poses.size()) {
        aplicarCamara();
        dibujarCamaraDePelicula(poses[static_cast<size_t>(n)], poses);
    }
    glutSwapBuffers();
}

// A key's line, as the shot-list writer writes it. actor -1: a fixed point, else
// the actor's index and the offset from it; motion: its index in MOVIMIENTOS.
EMSCRIPTEN_KEEPALIVE const char* studio_key_line(int fotograma, int actorOjo, float ox, float oy, float oz,
                                                 int actorCentro, float cx, float cy, float cz, float ux, float uy,
                                                 float uz, int movimiento)
{
    ClaveToma c;
    c.fotograma = fotograma;
    c.ojo = puntoDe(actorOjo, ox, oy, oz);
    c.centro = puntoDe(actorCentro, cx, cy, cz);
    c.arriba = {ux, uy, uz};
    c.movimiento = MOVIMIENTOS.at(static_cast<size_t>(movimiento));
    estudio().respuesta = lineaDeClave(c);
    return estudio().respuesta.c_str();
}

// A take's poses (cuenta poses of nine floats, frames primero on) made into keys
// within tolerancia world units (and half a degree for the up vector) by the
// film tool's reducer. The answer: the keys' lines, the largest deviation and its
// frame; or, for a pose that shows nothing, "error" with its frame and why.
EMSCRIPTEN_KEEPALIVE const char* studio_take_keys(const float* datos, int cuenta, int primero, float tolerancia)
{
    Estudio& e = estudio();
    std::vector<Pose> poses(static_cast<size_t>(cuenta));
    for (size_t i = 0; i < poses.size(); i++)
        for (size_t k = 0; k < 9; k++)
            poses[i][k] = datos[9 * i + k];
    for (size_t i = 0; i < poses.size(); i++) {
        TipoHallazgo tipo;
        if (problemaDePose(poses[i], tipo) && gravedadDe(tipo) == Gravedad::Error) {
            e.respuesta = "{\"error\":" + cadena("frame " + std::to_string(primero + static_cast<int>(i)) + ": " +
                                                  describirProblema(tipo, poses[i])) + "}";
            return e.respuesta.c_str();
        }
    }
    OpcionesClaves o;
    o.tolerancia = tolerancia;
    const ClavesDeCamino c = clavesDeCamino(poses, primero, o);
    const std::string lineas = lista(c.claves, [](const ClaveToma& clave) { return cadena(lineaDeClave(clave)); });
    char desviacion[32];
    std::snprintf(desviacion, sizeof desviacion, "%.4f", c.desviacion);
    e.respuesta = "{\"lines\":" + lineas + ",\"deviation\":" + desviacion + ",\"deviationFrame\":" +
                  std::to_string(c.fotogramaDesviacion) + "}";
    return e.respuesta.c_str();
}

// A point of a key, as the writer writes it: actor -1 for a fixed point.
EMSCRIPTEN_KEEPALIVE const char* studio_point_text(int actor, float x, float y, float z)
{
    estudio().respuesta = textoDePunto(puntoDe(actor, x, y, z));
    return estudio().respuesta.c_str();
}

}  // extern "C"
