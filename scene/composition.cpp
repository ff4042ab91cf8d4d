// The composition of the world: where each model stands and in which order it is
// painted (there is no depth buffer, so later lines cover earlier ones). The
// ground, the pitch, the train and the rest place themselves from the world
// origin or from the translations below; the ball and the car are placed by
// their state variables.
#include "scene/composition.h"

#include "app/scene_state.h"
#include "models/landscape/ground_sea_river.h"
#include "models/landscape/road_looping.h"
#include "models/landscape/skyscraper_island.h"
#include "models/railway_town/chalets.h"
#include "models/railway_town/level_crossing.h"
#include "models/railway_town/station.h"
#include "models/railway_town/track_catenary.h"
#include "models/railway_town/train.h"
#include "models/sports_vehicles/car.h"
#include "models/sports_vehicles/football_pitch.h"
#include "models/sports_vehicles/sofa_character.h"
#include "scene/toaster.h"

#include <GL/glut.h>

Lugar lugarBalon()
{
    if (fotograma <= 1114)
        return {-29.2f, ybalon + 0.1f, xbalon};
    return {xbalon - 29.2f, ybalon + 15.2f, 25.0f};
}

static void colocarBalon()
{
    const Lugar b = lugarBalon();
    glColor3f(1.0f, 1.0f, 1.0f);
    glPushMatrix();
        glTranslatef(b.x, b.y, b.z);
        balon();
    glPopMatrix();
}

// The car by its state: on the road and round the looping (0), falling (1), lying
// by the island (2). While the crane holds it (3, 4) the crane draws it.
static void colocarCoche()
{
    switch (estado_coche) {
    case 0:
        // Pivot on the looping's centre line: the car's rear wheel hub sits 9.109 below
        // it and 1.5 behind, so its tyres run on the track's radius of 9.659; each
        // step of angulo_coche turns 15 degrees and drifts 0.5 across the road.
        glPushMatrix();
            glTranslatef(mov_coche - 30.0f, despega + 10.259f, cocheZ);
            glRotatef(15.0f * angulo_coche, 0.0f, 0.0f, 1.0f);
            glTranslatef(-1.5f, -9.109f, 0.5f * angulo_coche);
            coche();
        glPopMatrix();
        break;
    case 1:
        glPushMatrix();
            glTranslatef(cocheX + 1311.0f, 30.0f - 0.5f * mov_coche, cocheZ);
            glRotatef(180.0f, -1.0f, 1.0f, 0.0f);
            glScalef(0.5f, 0.5f, 0.5f);
            coche();
        glPopMatrix();
        break;
    case 2:
        glPushMatrix();
            glTranslatef(1309.5f, -6.0f, cocheZ);
            glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
            glRotatef(-15.0f, 1.0f, 0.0f, 0.0f);
            glScalef(0.5f, 0.5f, 0.5f);
            coche();
        glPopMatrix();
        break;
    default:
        break;
    }
}

void display()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1.0f, 1.0f, 1.0f);

    glPushMatrix();
        glRotatef(90.0f * rota_escena, 0.0f, 1.0f, 0.0f);

        suelo();
        if (movsofa > 8.0f) {
            glPushMatrix();
                glTranslatef(LUGAR_CAMPO.x, LUGAR_CAMPO.y, LUGAR_CAMPO.z);
                campoFutbol();
            glPopMatrix();
        }
        glPushMatrix();
            glTranslatef(xtostadora + SALIDA_TOSTADORA_X, ytostadora, CARRIL_TOSTADORA_Z);
            tostadora();
        glPopMatrix();
        glPushMatrix();
            glTranslatef(LUGAR_SOFA.x, LUGAR_SOFA.y, LUGAR_SOFA.z);
            sofa();
        glPopMatrix();

        glColor3f(1.0f, 1.0f, 1.0f);
        catenaria();
        vias_tren();
        tren();
        estacion();
        if (estado_balon == 0)
            colocarBalon();

        glPushMatrix();
            glTranslatef(LUGAR_PASO_A_NIVEL.x, LUGAR_PASO_A_NIVEL.y, LUGAR_PASO_A_NIVEL.z);
            pasoANivel();
        glPopMatrix();

        carretera();

        glPushMatrix();
            glTranslatef(234.0f, -7.0f, -5.0f);
            urbanizacionChalets(4, 4);
            glPushMatrix();
                glTranslatef(0.0f, 0.0f, 240.0f);
                urbanizacionChalets(4, 6);
            glPopMatrix();
        glPopMatrix();

        glPushMatrix();
            glTranslatef(LUGAR_ISLA.x, LUGAR_ISLA.y, LUGAR_ISLA.z);
            isla();
        glPopMatrix();

        colocarCoche();

        if (modo == 1)
            foco();
    glPopMatrix();

    glutSwapBuffers();
}
