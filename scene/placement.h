// Placements: the translations, turns and scalings that put a model where it
// stands, each chain written once as a function over a target. The drawing gives
// the chain GL's current matrix (enGL); where a thing is, without drawing, is
// found by following the same chain in a matrix of its own (Seguimiento) and
// asking where a point of the model lands in the world.
#pragma once

#include "math/matrix.h"

// A point of the world frame: world units, y up.
struct PuntoMundo {
    float x = 0, y = 0, z = 0;
};

// A point of a model's own space, in the model's units.
struct PuntoModelo {
    double x = 0, y = 0, z = 0;
};

// A target of placement steps. Each step multiplies the current matrix on the
// right, as glTranslatef, glRotatef (degrees, counter-clockwise about an axis of
// any length) and glScalef do.
class Colocacion {
public:
    virtual void trasladar(float x, float y, float z) = 0;
    virtual void girar(float grados, float x, float y, float z) = 0;
    virtual void escalar(float x, float y, float z) = 0;

protected:
    ~Colocacion() = default;
};

// GL's current matrix: the steps are given to GL as they come.
class ColocacionGL final : public Colocacion {
public:
    void trasladar(float x, float y, float z) override;
    void girar(float grados, float x, float y, float z) override;
    void escalar(float x, float y, float z) override;
};
extern ColocacionGL enGL;

// A placement followed from the world frame without GL, in the matrix library's
// double precision.
class Seguimiento final : public Colocacion {
public:
    void trasladar(float x, float y, float z) override;
    void girar(float grados, float x, float y, float z) override;
    void escalar(float x, float y, float z) override;

    // Where the point (x, y, z) of the current model space lies in the world.
    PuntoMundo punto(const PuntoModelo& p) const;
    PuntoMundo origen() const { return punto({}); }

private:
    math::Mat4 m_ = math::Mat4::identity();
};
