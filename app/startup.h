// Start-up: the scene state's defaults, the window and the title screen's callbacks.
#pragma once

// Everything main does before it enters the toolkit's main loop: defaults, the
// command line kept, a 1024 x 768 double-buffered RGB window at (0, 0), the 2D
// view, the title screen's callbacks, and the full-screen request.
void iniciarPrograma(int argc, char** argv);

// Title of the program's window.
extern const char* const TITULO_VENTANA;
