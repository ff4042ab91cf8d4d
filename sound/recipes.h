// The recipes of the story's one-off sounds, as data: each struck thing's
// partials, each thump's glide, each burst's band, each held tone's notes. The
// running machines' timbres follow the story and are set in sound/cues.
#pragma once

#include "sound/voices.h"

// ---- struck things: partials (ratio to the fundamental, amplitude, seconds to -60 dB) ----

// A small bronze bell (hum, prime, tierce, quint, nominal and upper partials).
constexpr ReceptaGolpe CAMPANA = {"bell", 8, {{
    {0.50f, 0.20f, 1.8f},
    {1.00f, 0.55f, 1.4f},
    {1.19f, 0.30f, 1.0f},
    {1.50f, 0.16f, 0.9f},
    {2.00f, 0.35f, 0.8f},
    {2.61f, 0.14f, 0.5f},
    {3.95f, 0.09f, 0.35f},
    {5.33f, 0.05f, 0.25f},
}}, 0.25f, 4000.0f};
// A wheel over a rail joint: the bogie's thud and the rail's ring (fundamental 100 Hz).
constexpr ReceptaGolpe CARRIL = {"rail joint", 5, {{
    {0.95f, 0.60f, 0.12f},
    {1.80f, 0.30f, 0.08f},
    {12.5f, 0.22f, 0.06f},
    {22.3f, 0.16f, 0.05f},
    {34.8f, 0.10f, 0.04f},
}}, 0.7f, 2500.0f};
// A tin box knocked: the toaster's body.
constexpr ReceptaGolpe CHAPA = {"tin", 5, {{
    {1.00f, 0.40f, 0.35f},
    {1.63f, 0.30f, 0.30f},
    {2.71f, 0.25f, 0.25f},
    {3.90f, 0.15f, 0.20f},
    {5.20f, 0.10f, 0.15f},
}}, 0.4f, 3000.0f};
// A spring let go: the toaster's pop-up.
constexpr ReceptaGolpe RESORTE = {"spring", 4, {{
    {1.00f, 0.50f, 0.60f},
    {2.76f, 0.30f, 0.40f},
    {5.40f, 0.20f, 0.30f},
    {8.93f, 0.10f, 0.20f},
}}, 0.5f, 5000.0f};
// A dry knock of wood: the toast dropping home.
constexpr ReceptaGolpe MADERA = {"wood", 3, {{
    {1.00f, 0.50f, 0.05f},
    {2.30f, 0.30f, 0.04f},
    {4.10f, 0.15f, 0.03f},
}}, 0.3f, 3500.0f};
// A soft chime, nearly a sine: the train's doors about to close.
constexpr ReceptaGolpe CAMPANILLA = {"chime", 3, {{
    {1.00f, 0.60f, 1.20f},
    {2.00f, 0.15f, 0.60f},
    {3.00f, 0.05f, 0.30f},
}}, 0.05f, 2000.0f};
// Heavy steel struck: the crane's grip, the bed, the crash.
constexpr ReceptaGolpe CHATARRA = {"steel", 6, {{
    {1.00f, 0.50f, 0.50f},
    {2.32f, 0.35f, 0.40f},
    {4.25f, 0.30f, 0.30f},
    {6.63f, 0.20f, 0.25f},
    {9.38f, 0.12f, 0.20f},
    {13.1f, 0.08f, 0.15f},
}}, 0.6f, 2500.0f};
// A small latch: a motor's stop.
constexpr ReceptaGolpe CLIC = {"click", 2, {{
    {1.00f, 0.30f, 0.03f},
    {1.70f, 0.20f, 0.02f},
}}, 0.4f, 6000.0f};

// ---- thumps:               start Hz, end Hz, glide s, fall s, click ----
constexpr ReceptaPorrazo PATADA     = {"kick",            160.0f,  48.0f, 0.09f, 0.35f, 0.6f};
constexpr ReceptaPorrazo BOTE       = {"ball",            210.0f,  85.0f, 0.05f, 0.18f, 0.4f};
constexpr ReceptaPorrazo BALON_TREN = {"ball on a floor", 140.0f,  60.0f, 0.06f, 0.25f, 0.3f};
constexpr ReceptaPorrazo BOCA       = {"mouth",           170.0f, 420.0f, 0.12f, 0.30f, 0.0f};
constexpr ReceptaPorrazo GOLPE_SECO = {"thud",             85.0f,  32.0f, 0.12f, 0.60f, 0.5f};
constexpr ReceptaPorrazo PUERTA     = {"door",            120.0f,  55.0f, 0.05f, 0.20f, 0.4f};
constexpr ReceptaPorrazo SACUDIDA   = {"jolt",             70.0f,  38.0f, 0.10f, 0.45f, 0.2f};

// ---- bursts of noise:      centre from, to (Hz), glide s, Q (0: low-pass), rise s, fall s ----
constexpr ReceptaSoplo ALETEO       = {"wing down",   380.0f,  900.0f, 0.20f, 1.2f, 0.070f, 0.22f};
constexpr ReceptaSoplo ALETEO_ARRIBA = {"wing up",    700.0f,  450.0f, 0.20f, 1.2f, 0.050f, 0.18f};
constexpr ReceptaSoplo PIERNA       = {"leg swing",   300.0f, 1200.0f, 0.25f, 1.0f, 0.120f, 0.20f};
constexpr ReceptaSoplo APARECE      = {"pop",        2500.0f, 1200.0f, 0.05f, 2.0f, 0.005f, 0.12f};
constexpr ReceptaSoplo CHOQUE       = {"crash",      9000.0f,  250.0f, 0.80f, 0.0f, 0.003f, 1.40f};

// ---- held tones:           notes (Hz), low-pass (x the first), rise, hold, fall s, vibrato ----
constexpr ReceptaTono BOCINA   = {"horn",   {311.1f, 370.0f, 0.0f},    5.0f, 0.05f, 1.0f, 0.4f, 0.002f};
constexpr ReceptaTono CHIRRIDO = {"squeal", {2850.0f, 4120.0f, 0.0f},  1.3f, 0.05f, 0.5f, 0.5f, 0.010f};

// ---- running machines, before the story sets what varies (mostly the level and the pitch) ----
//                             level   f0 Hz   saw  bright  sine   harm  noise  centre Hz   Q    chop Hz depth
constexpr Timbre SILBIDO       = {0.12f,   0.0f, 0.00f, 4.0f, 1.00f, 1.0f, 0.00f,    0.0f,  1.0f,  0.0f, 0.00f};
constexpr Timbre CRUJIDO       = {0.35f,   0.0f, 0.00f, 4.0f, 0.00f, 1.0f, 1.00f,  650.0f,  8.0f, 24.0f, 0.90f};
constexpr Timbre TRACCION      = {0.15f,  38.0f, 0.50f, 3.0f, 0.08f, 9.0f, 0.70f,  250.0f,  0.7f,  0.0f, 0.00f};
constexpr Timbre AIRE_PUERTAS  = {0.30f,   0.0f, 0.00f, 4.0f, 0.00f, 1.0f, 1.00f, 4500.0f,  0.8f,  0.0f, 0.00f};
constexpr Timbre MOTOR_BARRERA = {0.25f,  92.0f, 0.60f, 6.0f, 0.30f, 4.0f, 0.20f, 1200.0f,  1.5f,  0.0f, 0.00f};
constexpr Timbre MOTOR_COCHE   = {0.30f,  38.0f, 1.00f, 6.0f, 0.00f, 1.0f, 0.35f,  114.0f,  2.0f,  0.0f, 0.00f};
constexpr Timbre BISAGRAS      = {0.30f,   0.0f, 0.00f, 4.0f, 0.00f, 1.0f, 1.00f, 1100.0f, 12.0f, 11.0f, 0.80f};
constexpr Timbre SERVO_RUEDAS  = {0.20f, 380.0f, 0.30f, 3.0f, 0.60f, 1.0f, 0.00f,    0.0f,  1.0f,  0.0f, 0.00f};
constexpr Timbre ROTOR         = {0.35f,   0.0f, 0.00f, 4.0f, 0.12f, 8.0f, 1.00f,  250.0f,  0.8f,  0.0f, 0.75f};
constexpr Timbre VIENTO        = {0.40f,   0.0f, 0.00f, 4.0f, 0.00f, 1.0f, 1.00f,  300.0f,  0.5f,  0.0f, 0.00f};
constexpr Timbre ARRASTRE      = {0.25f,   0.0f, 0.00f, 4.0f, 0.00f, 1.0f, 1.00f, 1800.0f,  2.5f, 23.0f, 0.50f};
constexpr Timbre DIESEL        = {0.20f,  22.0f, 1.00f, 8.0f, 0.00f, 1.0f, 0.30f,  160.0f,  1.0f, 11.0f, 0.35f};
constexpr Timbre HIDRAULICA    = {0.22f, 150.0f, 0.45f, 3.0f, 0.60f, 1.0f, 0.20f, 2800.0f,  1.2f,  0.0f, 0.00f};
constexpr Timbre SERVO_BRAZO   = {0.25f, 240.0f, 0.35f, 4.0f, 0.40f, 1.0f, 0.10f, 1500.0f,  1.0f,  0.0f, 0.00f};
