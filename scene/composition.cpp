// The composition of the world: where each model stands and in which order it is
// painted (there is no depth buffer, so later lines cover earlier ones). The
// ground, the pitch, the train and the rest place themselves from the world
// origin or from the translations below; the ball and the car are placed by
// their state variables.
#include "scene/composition.h"

#include "app/scene_state.h"
#include "models/railway_town/track_catenary.h"
#include "models/railway_town/train.h"
#include "models/sports_vehicles/sofa_character.h"
#include "scene/toaster.h"

#include <GL/glut.h>

// The ball: along the pitch (world z) until frame 1114, then across x in the plane z = 25.
static void colocarBalon()
{
    glColor3f(1.0f, 1.0f, 1.0f);
    glPushMatrix();
        if (fotograma <= 1114)
            glTranslatef(-29.2f, ybalon + 0.1f, xbalon);
        else
            glTranslatef(xbalon - 29.2f, ybalon + 15.2f, 25.0f);
        balon();
    glPopMatrix();
}

void display()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1.0f, 1.0f, 1.0f);

    glPushMatrix();
        glRotatef(90.0f * rota_escena, 0.0f, 1.0f, 0.0f);

        glPushMatrix();
            glTranslatef(xtostadora - 75.0f, ytostadora, 25.0f);
            tostadora();
        glPopMatrix();
        glPushMatrix();
            glTranslatef(-30.0f, 0.0f, 25.0f);
            sofa();
        glPopMatrix();

        glColor3f(1.0f, 1.0f, 1.0f);
        catenaria();
        vias_tren();
        tren();
        if (estado_balon == 0)
            colocarBalon();

        if (modo == 1)
            foco();
    glPopMatrix();

    glutSwapBuffers();
}
