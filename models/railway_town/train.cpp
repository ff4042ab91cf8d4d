// The train assembled, and the ball that rides in it once it has landed there.
#include "models/railway_town/train.h"

#include <GL/glut.h>

void balon()
{
    glutWireSphere(0.2, 10, 10);
}
