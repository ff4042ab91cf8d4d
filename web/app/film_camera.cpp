// The film's camera as the studio's free view shows it: its path, a small wire
// pyramid at its eye, and a line on to its centre.
#include "web/app/film_camera.h"

#include "math/vector.h"

#include <GL/gl.h>

namespace {

using Pose = std::array<float, 9>;

math::Vec3 unitaria(const math::Vec3& a)
{
    const double n = math::norm(a);
    return n > 0 ? a * (1.0 / n) : a;
}

void vertice(const math::Vec3& v)
{
    glVertex3f(static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z));
}

}  // namespace

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
    const math::Vec3 ojo{p[0], p[1], p[2]}, centro{p[3], p[4], p[5]};
    const math::Vec3 vista = unitaria(centro - ojo);
    const math::Vec3 lado = unitaria(math::cross(vista, {p[6], p[7], p[8]}));
    const math::Vec3 alto = math::cross(lado, vista);
    std::array<math::Vec3, 4> esquinas;
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
