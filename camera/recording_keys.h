// The keyboard of REC: the free camera, the scene's poses, U to record, ESC to end.
#pragma once

#include <cstdio>

void keyboard_rec(unsigned char key, int x, int y);

// Appends the current pose to the camera file and flushes it, so that nothing
// recorded is lost if the program is killed. False when the write failed.
bool grabarPose(FILE* fichero);
