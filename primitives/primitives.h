// The shapes every model is built from: wire and filled boxes, line grids and an
// axis cross. Each draws in the caller's modelling space from its origin toward
// the positive side of the extents, and sets no colour, line width or matrix.
#pragma once

// Wire box from (0, 0, 0) to (x, y, z); counted in nprismas.
void prisma(float x, float y, float z);
// The same box as six filled quadrilaterals; not counted.
void prismaS(float x, float y, float z);
// Horizontal grid at height y over [0, x] x [0, z]; far edges open.
void mallah(float x, float y, float z);
// Vertical grid in the plane x = 0 over height [0, y] and depth [0, z]; t is ignored.
void mallav(float t, float y, float z);
// Grid spanned from the origin toward (x, y, z); with one extent 0 a plane grid.
void malla(float x, float y, float z);
// One segment from (x0, y0, z0) to (x1, y1, z1), as its own batch of lines.
void segmento(float x0, float y0, float z0, float x1, float y1, float z1);
// Six arms of length 5 along the axes.
void eje_coordenadas();
