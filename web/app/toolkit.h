// The calls into the page's toolkit (web/app/toolkit.js) that the program's C++
// makes on the web only. Built with emscripten only.
#pragma once

extern "C" {

// The idle function's wait, in milliseconds, before its next call: the toolkit
// waits on a timer once the step it made is drawn (the desktop sleeps instead).
void toolkit_wait_after_step(int ms);

// Calls the toolkit's reshape callback with a new size in pixels.
void toolkit_reshape(int width, int height);

}  // extern "C"
