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
#include "web/app/film_camera.h"
#include "web/app/studio.h"

#include <GL/glut.h>
#include <emscripten/emscripten.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

// The motions as the page numbers them (studio_facts lists them in this order).
constexpr std::array<Movimiento, 3> MOVIMIENTOS = {Movimiento::Fijo, Movimiento::Lineal, Movimiento::Suave};

// ---- JSON --------------------------------------------------------------------

// The page reads the keys in the order they have always come.
using Json = nlohmann::ordered_json;

// An answer, as text kept until the next call.
const char* responder(const Json& j)
{
    estudio().respuesta = j.dump(-1, ' ', false, Json::error_handler_t::replace);
    return estudio().respuesta.c_str();
}

// [FROM, TO]: where something stands on its line, in bytes.
Json campo(const CampoTexto& c)
{
    return Json::array({c.desde, c.hasta});
}

Json punto(const PuntoToma& p, const CampoTexto& c)
{
    const Json actor = p.conActor ? Json(nombresDeActores()[static_cast<size_t>(p.actor)]) : Json(nullptr);
    return Json::object({{"actor", actor}, {"field", campo(c)}});
}

Json claves(const std::vector<ClaveToma>& cs)
{
    Json r = Json::array();
    for (const ClaveToma& c : cs)
        r.push_back(Json::object({{"frame", c.fotograma},
                                  {"line", c.linea},
                                  {"motion", nombreDeMovimiento(c.movimiento)},
                                  {"frameField", campo(c.campoFotograma)},
                                  {"eye", punto(c.ojo, c.campoOjo)},
                                  {"centre", punto(c.centro, c.campoCentro)},
                                  {"upField", campo(c.campoArriba)},
                                  {"motionField", campo(c.campoMovimiento)}}));
    return r;
}

// The music line read, or null where the list has none: its file's name, offset,
// tempo (null where it gives none), gain, its line, and where on it the music
// stands (from its word to its last setting).
Json musica(const MusicaDeTomas& m)
{
    if (!m.hay)
        return nullptr;
    return Json::object({{"name", m.fichero},
                         {"offset", m.desplazamiento},
                         {"tempo", m.tempo > 0.0 ? Json(m.tempo) : Json(nullptr)},
                         {"gain", m.gananciaDb},
                         {"line", m.linea},
                         {"field", campo(m.campo)}});
}

Json errores(const ErroresTexto& es)
{
    Json r = Json::array();
    for (const ErrorTexto& e : es.primeros())
        r.push_back(Json::object({{"line", e.donde.linea}, {"column", e.donde.columna}, {"message", e.mensaje}}));
    return r;
}

const char* gravedad(TipoHallazgo t)
{
    return gravedadDe(t) == Gravedad::Error ? "error" : "warning";
}

// Every frame finding as spans of frames of one kind, for the timeline.
Json tramosDeHallazgos(const std::vector<Hallazgo>& hallazgos)
{
    Json tramos = Json::array();
    for (size_t i = 0; i < hallazgos.size();) {
        const Hallazgo& h = hallazgos[i];
        size_t j = i + 1;
        while (j < hallazgos.size() && hallazgos[j].tipo == h.tipo && hallazgos[j].registro == hallazgos[j - 1].registro + 1)
            j++;
        if (h.registro >= 0)
            tramos.push_back(
                Json::object({{"from", h.registro}, {"to", hallazgos[j - 1].registro}, {"severity", gravedad(h.tipo)}}));
        i = j;
    }
    return tramos;
}

// The findings worth listing, each where the shot list shows it, how many more
// of each kind, and the spans of frames, into r.
void anotarHallazgos(Json& r, const PeliculaCompilada& c)
{
    const Seleccion s = seleccionarHallazgos(c.revision.hallazgos);
    Json mostrados = Json::array();
    for (const Hallazgo& h : s.mostrados) {
        const Diagnostico d = diagnosticoDeTomas(h, c.revision, c.lista.claves);
        mostrados.push_back(Json::object(
            {{"frame", h.registro}, {"line", d.donde.linea}, {"severity", gravedad(h.tipo)}, {"message", d.mensaje}}));
    }
    Json omitidos = Json::array();
    for (const auto& [tipo, n] : s.omitidos)
        omitidos.push_back(Json::object({{"count", n}, {"what", pluralDe(tipo)}}));
    r["findings"] = std::move(mostrados);
    r["omitted"] = std::move(omitidos);
    r["findingSpans"] = tramosDeHallazgos(c.revision.hallazgos);
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
    Json momentos = Json::array();
    for (const MomentoGuion& m : momentosDelGuion())
        momentos.push_back(Json::object({{"frame", m.fotograma}, {"name", m.nombre}}));
    Json movimientos = Json::array();
    for (Movimiento m : MOVIMIENTOS)
        movimientos.push_back(nombreDeMovimiento(m));
    return responder(Json::object({{"actors", nombresDeActores()},
                                   {"motions", movimientos},
                                   {"frames", FOTOGRAMAS_GUION},
                                   {"pace", PAUSA_PASO_MS},
                                   {"beats", momentos},
                                   {"fieldOfView", CAMPO_VISION_GRADOS}}));
}

// Reads and compiles a shot list of the story's length. The answer: whether it
// reads ("ok"), its errors (the first few, with line and column in bytes, and how
// many in all), the keys read well (even when other lines have errors), its music
// line as read (null where it has none, or where that line has an error), and, when
// it reads, the film check's findings. With mostrar, a list that reads becomes
// the film shown. The text is largo bytes at texto, NULs and all: the program
// reads exactly the text the page shows.
EMSCRIPTEN_KEEPALIVE const char* studio_compile(const char* texto, int largo, int mostrar)
{
    Estudio& e = estudio();
    PeliculaCompilada c = compilarTomas(std::string(texto, static_cast<size_t>(largo)), FOTOGRAMAS_GUION, false);
    Json r = Json::object({{"ok", c.lista.bien()},
                           {"errors", errores(c.lista.errores)},
                           {"errorCount", c.lista.errores.total()},
                           {"keys", claves(c.lista.claves)},
                           {"music", musica(c.lista.musica)}});
    if (c.lista.bien()) {
        r["sound"] = c.revision.sana();
        anotarHallazgos(r, c);
        if (mostrar) {
            e.poses = c.poses;
            e.compilada = std::move(c);
            e.dePelicula = false;
        }
    }
    return responder(r);
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
    e.compilada = {};
    e.dePelicula = true;
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

// The film shown, as `film compile` writes it (written now, when first asked
// for), and whether it would write it: its text read back has no error. Empty
// before a shot list has read well, and for a film read.
EMSCRIPTEN_KEEPALIVE const char* studio_film_text()
{
    Estudio& e = estudio();
    if (!e.dePelicula && !e.compilada.poses.empty())
        escribirTexto(e.compilada);
    return e.compilada.texto.c_str();
}
EMSCRIPTEN_KEEPALIVE int studio_film_sound()
{
    Estudio& e = estudio();
    if (e.dePelicula || !e.compilada.lista.bien() || e.compilada.poses.empty())
        return 0;
    escribirTexto(e.compilada);
    return e.compilada.revision.sana() ? 1 : 0;
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
    std::vector<Pose> poses(static_cast<size_t>(cuenta));
    for (size_t i = 0; i < poses.size(); i++)
        for (size_t k = 0; k < 9; k++)
            poses[i][k] = datos[9 * i + k];
    for (size_t i = 0; i < poses.size(); i++) {
        TipoHallazgo tipo;
        if (problemaDePose(poses[i], tipo) && gravedadDe(tipo) == Gravedad::Error)
            return responder(Json::object({{"error", "frame " + std::to_string(primero + static_cast<int>(i)) +
                                                         ": " + describirProblema(tipo, poses[i])}}));
    }
    OpcionesClaves o;
    o.tolerancia = tolerancia;
    const ClavesDeCamino c = clavesDeCamino(poses, primero, o);
    Json lineas = Json::array();
    for (const ClaveToma& clave : c.claves)
        lineas.push_back(lineaDeClave(clave));
    // The deviation to four decimals, as the page shows it.
    char desviacion[32];
    std::snprintf(desviacion, sizeof desviacion, "%.4f", c.desviacion);
    return responder(Json::object({{"lines", lineas},
                                   {"deviation", std::strtod(desviacion, nullptr)},
                                   {"deviationFrame", c.fotogramaDesviacion}}));
}

// A point of a key, as the writer writes it: actor -1 for a fixed point.
EMSCRIPTEN_KEEPALIVE const char* studio_point_text(int actor, float x, float y, float z)
{
    estudio().respuesta = textoDePunto(puntoDe(actor, x, y, z));
    return estudio().respuesta.c_str();
}

}  // extern "C"
