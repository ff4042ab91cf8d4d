// The whole world, drawn once per redisplay from the scene state.
#pragma once

// Display callback of REC and PLAY: draws every model in its place and order on
// top of the camera that reshape left, and swaps the buffers. Changes no state.
void display();
