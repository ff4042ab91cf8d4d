// The program: a wireframe world with a scripted story, seen through a camera
// path recorded by hand (REC) and replayed (PLAY).
#include "app/startup.h"

#include <GL/glut.h>

#include <cstdio>

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    iniciarPrograma(argc, argv);
    glutMainLoop();
    return 0;
}
