// The estates of chalets: identical detached houses with a garage, each on a
// square walled plot with hedges, a pedestrian gate and a vehicle gate.
#pragma once

// One wall segment n - 1 long along x, 1 thick, with its hedge on top, shifted
// back by n div 2 along x and by n / 2 along z.
void lateralParcela(int n);
// One gate pillar with its cap and ball, corner at the origin.
void pilar();
// Two pillars with a barred gate of width w between them; origin at the first
// pillar's outer corner.
void puertaEntrada(int w);
// The plot's walls and gates, in the house's space (the plot's centre at (13, 6)).
void parcelaChalet();
// House, garage and plot; the plot spans x and z from 0 to 40, gates on the z = 40 side.
void chalet();
// nx by nz chalets on a 50-unit grid, each turned so that its gates face +x.
void urbanizacionChalets(int nx, int nz);
