// The white road across the railway, its corkscrew looping and the last stretch
// with its embankment wedge.
#pragma once

// The road, placing itself in the world: surface at y = 0.6, from x = -51.8,
// across z 401 to 410, ending shifted 12.5 toward +z after the looping.
// Adds 4 wire boxes; leaves the colour white.
void carretera();
// The looping: ten strands of 25 chords round a centre at the origin, radius
// 9.659, each chord turned 15 degrees about z and 0.5 further along z than the
// last. Colours each chord green to white; leaves white.
void looping();
