// The film check. A pose is judged as the look-at camera will use it: the line of
// sight runs from the eye to the centre and the up vector must stand across it.
// The arithmetic is done in double precision, so no float pose can overflow it.
#include "film/film_check.h"

#include "camera/view.h"
#include "scene/timeline.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Eye and centre closer than this, relative to their distance from the origin (at
// least 1), are one point: the float look-at cannot tell a direction between them.
constexpr double TOLERANCIA_OJO = 1e-6;
// Sine of the angle between the up vector and the line of sight below which the
// up vector gives no direction across it.
constexpr double TOLERANCIA_ARRIBA = 1e-5;

constexpr std::array<const char*, 9> NOMBRES_VALORES = {
    "the eye's x",       "the eye's y",       "the eye's z",
    "the centre's x",    "the centre's y",    "the centre's z",
    "the up vector's x", "the up vector's y", "the up vector's z",
};

// What each kind of finding is, in the order of TipoHallazgo.
struct TextoTipo {
    TipoHallazgo tipo;
    Gravedad gravedad;
    const char* plural;  // what "... and N more" counts
};

constexpr std::array<TextoTipo, 8> TIPOS = {{
    {TipoHallazgo::Ilegible,        Gravedad::Error, "faults"},
    {TipoHallazgo::ValorNoFinito,   Gravedad::Error, "frames with a value that is not finite"},
    {TipoHallazgo::OjoEnCentro,     Gravedad::Error, "frames with the eye on the centre"},
    {TipoHallazgo::ArribaNulo,      Gravedad::Error, "frames with a zero up vector"},
    {TipoHallazgo::ArribaEnLaVista, Gravedad::Error, "frames with the up vector along the line of sight"},
    {TipoHallazgo::CentroLejano,    Gravedad::Aviso, "frames with the centre beyond the far plane"},
    {TipoHallazgo::SinRegistros,    Gravedad::Aviso, "films without records"},
    {TipoHallazgo::RestoIgnorado,   Gravedad::Aviso, "texts after the last record"},
}};

const TextoTipo& textoTipo(TipoHallazgo tipo)
{
    return TIPOS[static_cast<size_t>(tipo)];
}

using Vector = std::array<double, 3>;

Vector tramoPose(const std::array<float, 9>& pose, size_t k)
{
    return {pose[k], pose[k + 1], pose[k + 2]};
}

double largo(const Vector& v)
{
    return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

Vector restar(const Vector& a, const Vector& b)
{
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

Vector cruz(const Vector& a, const Vector& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double distanciaAlCentro(const std::array<float, 9>& pose)
{
    return largo(restar(tramoPose(pose, 3), tramoPose(pose, 0)));
}

std::string numero(double v)
{
    char texto[64];
    std::snprintf(texto, sizeof texto, "%g", v);
    return texto;
}

}  // namespace

Gravedad gravedadDe(TipoHallazgo tipo)
{
    return textoTipo(tipo).gravedad;
}

std::string pluralDe(TipoHallazgo tipo)
{
    return textoTipo(tipo).plural;
}

bool problemaDePose(const std::array<float, 9>& pose, TipoHallazgo& tipo)
{
    if (!std::all_of(pose.begin(), pose.end(), [](float v) { return std::isfinite(v); }))
        tipo = TipoHallazgo::ValorNoFinito;
    else {
        const Vector ojo = tramoPose(pose, 0), centro = tramoPose(pose, 3), arriba = tramoPose(pose, 6);
        const Vector vista = restar(centro, ojo);
        const double escala = std::max({1.0, largo(ojo), largo(centro)});
        if (largo(vista) <= TOLERANCIA_OJO * escala)
            tipo = TipoHallazgo::OjoEnCentro;
        else if (largo(arriba) == 0)
            tipo = TipoHallazgo::ArribaNulo;
        else if (largo(cruz(vista, arriba)) <= TOLERANCIA_ARRIBA * largo(vista) * largo(arriba))
            tipo = TipoHallazgo::ArribaEnLaVista;
        else if (largo(vista) > PLANO_LEJANO)
            tipo = TipoHallazgo::CentroLejano;
        else
            return false;
    }
    return true;
}

int RevisionPelicula::errores() const
{
    return static_cast<int>(std::count_if(hallazgos.begin(), hallazgos.end(), [](const Hallazgo& h) {
        return gravedadDe(h.tipo) == Gravedad::Error;
    }));
}

int RevisionPelicula::avisos() const
{
    return static_cast<int>(hallazgos.size()) - errores();
}

RevisionPelicula revisarPelicula(LecturaPelicula lectura)
{
    RevisionPelicula r;
    r.lectura = std::move(lectura);
    const LecturaPelicula& l = r.lectura;
    if (l.bien() && l.cuenta == 0)
        r.hallazgos.push_back({TipoHallazgo::SinRegistros, -1, l.posicionCuenta});
    for (size_t i = 0; i < l.poses.size(); i++) {
        TipoHallazgo tipo;
        if (problemaDePose(l.poses[i], tipo))
            r.hallazgos.push_back({tipo, static_cast<int>(i), l.inicioRegistro[i]});
    }
    if (!l.bien())
        r.hallazgos.push_back({TipoHallazgo::Ilegible, -1, l.donde});
    if (l.hayResto)
        r.hallazgos.push_back({TipoHallazgo::RestoIgnorado, -1, l.resto});
    return r;
}

RevisionPelicula revisarTexto(const std::string& texto)
{
    std::string copia = texto;
    FILE* f = fmemopen(copia.data(), copia.size(), "r");
    if (f == nullptr) {
        RevisionPelicula r;
        r.lectura.fallo = FalloPelicula::SinMemoria;
        r.hallazgos.push_back({TipoHallazgo::Ilegible, -1, {}});
        return r;
    }
    RevisionPelicula r = revisarPelicula(leerPelicula(f, true));
    std::fclose(f);
    return r;
}

std::string describirProblema(TipoHallazgo tipo, const std::array<float, 9>& pose)
{
    switch (tipo) {
    case TipoHallazgo::ValorNoFinito: {
        const auto malo = std::find_if(pose.begin(), pose.end(), [](float v) { return !std::isfinite(v); });
        const size_t k = static_cast<size_t>(malo - pose.begin()) % pose.size();
        return std::string(NOMBRES_VALORES[k]) + " is not a finite number (" + numero(pose[k]) + ")";
    }
    case TipoHallazgo::OjoEnCentro:
        return "the eye is on the centre: there is no line of sight";
    case TipoHallazgo::ArribaNulo:
        return "the up vector is zero: the camera has no up";
    case TipoHallazgo::ArribaEnLaVista:
        return "the up vector lies along the line of sight: the camera has no up across it";
    case TipoHallazgo::CentroLejano:
        return "the centre is " + numero(distanciaAlCentro(pose)) + " from the eye, beyond the far plane at " +
               numero(PLANO_LEJANO) + ": it is not drawn";
    default:
        return "";
    }
}

std::string describirHallazgo(const Hallazgo& h, const LecturaPelicula& l)
{
    switch (h.tipo) {
    case TipoHallazgo::Ilegible:
        return describirFallo(l);
    case TipoHallazgo::SinRegistros:
        return "0 records: PLAY shows the story from the default camera and never reaches the credits";
    case TipoHallazgo::RestoIgnorado:
        return "the text after the last record is ignored by PLAY";
    default:
        return "frame " + std::to_string(h.registro) + ": " +
               describirProblema(h.tipo, l.poses[static_cast<size_t>(h.registro)]);
    }
}

Seleccion seleccionarHallazgos(const std::vector<Hallazgo>& hallazgos, size_t porTipo)
{
    Seleccion s;
    std::array<int, TIPOS.size()> vistos{};
    for (const Hallazgo& h : hallazgos)
        if (static_cast<size_t>(vistos[static_cast<size_t>(h.tipo)]++) < porTipo)
            s.mostrados.push_back(h);
    for (const TextoTipo& t : TIPOS) {
        const int n = vistos[static_cast<size_t>(t.tipo)];
        if (static_cast<size_t>(n) > porTipo)
            s.omitidos.push_back({t.tipo, n - static_cast<int>(porTipo)});
    }
    return s;
}

std::string queMuestra(int registros)
{
    const std::string ultimo = std::to_string(FOTOGRAMAS_GUION - 1);
    if (registros <= 0)
        return "the story from the default camera, never reaching the credits";
    if (registros < FOTOGRAMAS_GUION)
        return "the story's frames 0 to " + std::to_string(registros - 1) + " of 0 to " + ultimo +
               ", then the credits";
    if (registros == FOTOGRAMAS_GUION)
        return "the whole story (frames 0 to " + ultimo + "), then the credits";
    return "the whole story (frames 0 to " + ultimo + ") and " + std::to_string(registros - FOTOGRAMAS_GUION) +
           " frames more of its end, then the credits";
}
