// The white road across the railway, its corkscrew looping and the last stretch
// with its embankment wedge.
#pragma once

#include "scene/placement.h"

// The road across the railway, in the world frame: from z = Z_CARRETERA,
// ANCHO_CARRETERA wide, its surface ALTO_CARRETERA above the ground.
constexpr float Z_CARRETERA     = 401.0f;
constexpr float ANCHO_CARRETERA = 9.0f;
constexpr float ALTO_CARRETERA  = 0.6f;
// The looping's space, from the world frame: its centre on the road beyond the
// railway, its bottom chords on the road's surface.
void colocarLooping(Colocacion& c);
// The looping: ten strands one unit apart across the road; a strand turns once
// in 24 chords, and its 25th repeats the first one turn further along.
constexpr int HEBRAS_LOOPING = 10;
constexpr int CUERDAS_HEBRA  = 25;
constexpr float AVANCE_CUERDA = 0.5f;  // how far each chord lies along z past the one before
// The looping's axis halfway along the ribbon, in the looping's space.
constexpr PuntoModelo MITAD_LOOPING = {
    0.0, 0.0, ((HEBRAS_LOOPING - 1) + static_cast<double>(AVANCE_CUERDA) * CUERDAS_HEBRA) / 2.0};

// The road, placing itself in the world: surface at y = 0.6, from x = -51.8,
// across z 401 to 410, ending shifted 12.5 toward +z after the looping.
// Adds 4 wire boxes; leaves the colour white.
void carretera();
// The looping's space, from the world frame: its centre on the road beyond the
// railway, its bottom chords on the road's surface.
void colocarLooping(Colocacion& c);
// The looping: ten strands of 25 chords round a centre at the origin, radius
// 9.659, each chord turned 15 degrees about z and 0.5 further along z than the
// last. Colours each chord green to white; leaves white.
void looping();
