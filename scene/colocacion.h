// A model's placement followed without drawing: the translations, turns and
// scalings that a drawing gives GL, multiplied in the same order, and the world
// point where a point of the innermost model space lands. Used to tell where
// the things of the story are (scene/actors).
#pragma once

#include "scene/actors.h"

class Colocacion {
public:
    // Each step multiplies on the right, as glTranslatef, glRotatef and glScalef do.
    Colocacion& trasladar(double x, double y, double z);
    // Degrees, counter-clockwise about the axis (x, y, z), which need not be of unit length.
    Colocacion& girar(double grados, double x, double y, double z);
    Colocacion& escalar(double x, double y, double z);

    // Where the point (x, y, z) of the current model space lies in the world.
    PuntoMundo punto(double x, double y, double z) const;

private:
    // The affine transform, row by row: a 3 x 3 linear part and the translation
    // in the last column (the fourth row of GL's matrix is always 0 0 0 1 here).
    using Filas = double[3][4];
    void multiplicar(const Filas& b);
    Filas m_ = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};
};
