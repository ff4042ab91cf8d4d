// The station beside the line: a raised platform along the +x side of the track,
// four benches on it and a fence along its back edge. Static; reads no scene state.
#pragma once

// One backless red bench, 3 long along z, standing on y = 0 (x from -0.1 to 0.6).
void banco();
// The fence, in the platform slab's own space: nine posts and two rails, 40 long.
void vallaestacion();
// The whole station, in track space (x across the line, z along it).
void estacion();
