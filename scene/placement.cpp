// The two targets of a placement: GL's current matrix, and a matrix followed
// with the matrix library.
#include "scene/placement.h"

#include <GL/gl.h>

ColocacionGL enGL;

void ColocacionGL::trasladar(float x, float y, float z)
{
    glTranslatef(x, y, z);
}

void ColocacionGL::girar(float grados, float x, float y, float z)
{
    glRotatef(grados, x, y, z);
}

void ColocacionGL::escalar(float x, float y, float z)
{
    glScalef(x, y, z);
}

void Seguimiento::trasladar(float x, float y, float z)
{
    m_ = m_ * math::translation(x, y, z);
}

void Seguimiento::girar(float grados, float x, float y, float z)
{
    m_ = m_ * math::rotation(grados, x, y, z);
}

void Seguimiento::escalar(float x, float y, float z)
{
    m_ = m_ * math::scaling(x, y, z);
}

PuntoMundo Seguimiento::punto(const PuntoModelo& p) const
{
    const math::Vec3 w = math::transformPoint(m_, {p.x, p.y, p.z});
    return {static_cast<float>(w.x), static_cast<float>(w.y), static_cast<float>(w.z)};
}
