// The red cable-stayed bridge over the river: a double deck, one portal tower at
// mid-span on a grey footing, grey side girders and four fans of stay cables.
#pragma once

#include "scene/placement.h"

// The upper deck slab: ANCHO_TABLERO across (+x), LARGO_TABLERO along (+z), its
// underside Y_TABLERO above the river.
constexpr float ANCHO_TABLERO  = 7.0f;
constexpr float LARGO_TABLERO  = 40.0f;
constexpr float Y_TABLERO      = 7.8f;
constexpr float GRUESO_TABLERO = 0.2f;
// The middle of the deck's top, in the bridge's space.
constexpr PuntoModelo CIMA_TABLERO = {
    ANCHO_TABLERO / 2.0, static_cast<double>(Y_TABLERO) + GRUESO_TABLERO, LARGO_TABLERO / 2.0};

// The whole bridge. Origin on the river surface at a corner of the deck, +x
// across the deck (7 wide), +z along it (40 long); the deck's top at y = 8.
// Adds 15 wire boxes; leaves the colour grey (0.7, 0.7, 0.7).
void puente();
// The portal tower: two legs 8 apart, two cross-beams, the footing. Origin at
// the outer corner of the first leg's foot level; leaves the colour grey.
void torrePuente();
// One side girder: two rails 0.8 apart, 1 wide and 19.25 long, in the current colour.
void bandaPuente();
// One fan of nine stay cables from (0, 16.5, 0) down to z = 1, 3, ..., 17 at y = 0.
void tirantes();
