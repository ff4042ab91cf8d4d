// A placement followed step by step, with GL's matrices for each step.
#include "scene/colocacion.h"

#include <cmath>

namespace {

constexpr double PI = 3.14159265358979323846;

}  // namespace

void Colocacion::multiplicar(const Filas& b)
{
    Filas r;
    for (int i = 0; i < 3; i++)
        for (int j = 0; j < 4; j++) {
            r[i][j] = j == 3 ? m_[i][3] : 0.0;
            for (int k = 0; k < 3; k++)
                r[i][j] += m_[i][k] * b[k][j];
        }
    for (int i = 0; i < 3; i++)
        for (int j = 0; j < 4; j++)
            m_[i][j] = r[i][j];
}

Colocacion& Colocacion::trasladar(double x, double y, double z)
{
    const Filas t = {{1, 0, 0, x}, {0, 1, 0, y}, {0, 0, 1, z}};
    multiplicar(t);
    return *this;
}

Colocacion& Colocacion::girar(double grados, double x, double y, double z)
{
    const double largo = std::sqrt(x * x + y * y + z * z);
    if (largo == 0.0)
        return *this;  // GL leaves the matrix as it is for a null axis
    x /= largo;
    y /= largo;
    z /= largo;
    const double a = grados * PI / 180.0;
    const double c = std::cos(a), s = std::sin(a), d = 1.0 - c;
    const Filas g = {
        {x * x * d + c,     x * y * d - z * s, x * z * d + y * s, 0},
        {y * x * d + z * s, y * y * d + c,     y * z * d - x * s, 0},
        {z * x * d - y * s, z * y * d + x * s, z * z * d + c,     0},
    };
    multiplicar(g);
    return *this;
}

Colocacion& Colocacion::escalar(double x, double y, double z)
{
    const Filas e = {{x, 0, 0, 0}, {0, y, 0, 0}, {0, 0, z, 0}};
    multiplicar(e);
    return *this;
}

PuntoMundo Colocacion::punto(double x, double y, double z) const
{
    const double p[3] = {x, y, z};
    double w[3];
    for (int i = 0; i < 3; i++)
        w[i] = m_[i][0] * p[0] + m_[i][1] * p[1] + m_[i][2] * p[2] + m_[i][3];
    return {static_cast<float>(w[0]), static_cast<float>(w[1]), static_cast<float>(w[2])};
}
