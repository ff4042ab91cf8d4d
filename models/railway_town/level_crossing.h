// The level crossing where the road crosses the line: two barriers whose booms
// swing down across the road and two traffic lights with two alternating lamps.
#pragma once

// One barrier, its boom at angulo_barrera about the pivot (90 up, 0 level).
void barrera();
// One lamp numbered n, lit when n equals semaforo_encendido; rim and hood in the
// caller's colour.
void discoSemaforo(int n);
// One traffic light: post, cross-arm and lamps 1 and 2, facing +z.
void semaforo();
// The whole crossing: track centre at x = 5, the road from z = 1 to 10.
void pasoANivel();
