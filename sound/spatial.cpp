// The camera's right is its view direction crossed with its up, as the look-at
// of camera/view builds it; a source straight ahead, or at the eye, is centred.
#include "sound/spatial.h"

#include "sound/dsp.h"

#include <cmath>

namespace {

struct Vec {
    double x, y, z;
};

Vec menos(const Vec& a, const Vec& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double punto(const Vec& a, const Vec& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec cruz(const Vec& a, const Vec& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

}  // namespace

Escucha oirDesde(const std::array<float, 9>& pose, const PuntoMundo& fuente, float referencia)
{
    const Vec ojo{pose[0], pose[1], pose[2]};
    const Vec delante = menos(Vec{pose[3], pose[4], pose[5]}, ojo);
    const Vec derecha = cruz(delante, Vec{pose[6], pose[7], pose[8]});
    const Vec v = menos(Vec{fuente.x, fuente.y, fuente.z}, ojo);
    const double distancia = std::sqrt(punto(v, v));
    const double largoDerecha = std::sqrt(punto(derecha, derecha));
    const double largoDelante = std::sqrt(punto(delante, delante));
    double lado = 0.0;  // -1 all left, 1 all right
    if (largoDerecha > 1e-9 && largoDelante > 1e-9) {
        const double x = punto(v, derecha) / largoDerecha;
        const double z = punto(v, delante) / largoDelante;
        const double cerca = 0.5 * referencia;
        lado = x / std::sqrt(x * x + z * z + cerca * cerca);
    }
    const double ganancia = distancia > referencia ? referencia / distancia : 1.0;
    const double angulo = (lado + 1.0) * PI_SONIDO / 4.0;
    Escucha e;
    e.izquierda = static_cast<float>(ganancia * coseno(angulo));
    e.derecha = static_cast<float>(ganancia * seno(angulo));
    e.corte = static_cast<float>(20000.0 / (1.0 + distancia / 100.0));
    return e;
}
