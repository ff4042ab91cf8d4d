// The football pitch: a green grid 30 by 50 with white markings and a netted
// goal at each end.
#pragma once

#include "scene/placement.h"

// The pitch between its touchlines (ANCHO_CAMPO, across x) and its goal lines
// (LARGO_CAMPO, along z).
constexpr float ANCHO_CAMPO = 30.0f;
constexpr float LARGO_CAMPO = 50.0f;
// The centre spot, in the pitch's space.
constexpr PuntoModelo CENTRO_CAMPO = {0.0, 0.0, LARGO_CAMPO / 2.0};

// The whole pitch with both goals; origin at the middle of one goal line, +z along
// the pitch to the other goal line at z = 50. Leaves the colour white.
void campoFutbol();
// Every marking, from a pitch corner (x 0 to 30, z 0 to 50), in the current colour.
void lineasCampo();
// One goal area and one penalty area; +z points toward the goal line, reached at z = 3.
void lineasArea();
// The centre circle of twelve pieces around the origin, in the current colour.
void centroCampo();
// One goal: posts, crossbar and net; origin at the bottom front outer corner of
// the left post, +z back into the net. Leaves the colour white.
void porteria();
// The net frame and the four nets of one goal; origin at the back of the left post.
void redPorteria();
// A grid of lines 0.2 apart in the box from the origin to (x, y, z), in the current
// colour; with one size 0 a flat net.
void red(float x, float y, float z);
