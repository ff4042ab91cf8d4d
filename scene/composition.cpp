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

void girarMundo(Colocacion& c)
{
    c.girar(90.0f * rota_escena, 0.0f, 1.0f, 0.0f);
}

void colocarEn(Colocacion& c, const Lugar& l)
{
    c.trasladar(l.x, l.y, l.z);
}

void colocarTostadora(Colocacion& c)
{
    c.trasladar(xtostadora + SALIDA_TOSTADORA_X, ytostadora, CARRIL_TOSTADORA_Z);
}

void colocarBalon(Colocacion& c)
{
    if (fotograma <= 1114)
        c.trasladar(-29.2f, ybalon + 0.1f, xbalon);
    else
        c.trasladar(xbalon - 29.2f, ybalon + 15.2f, 25.0f);
}

void colocarCoche(Colocacion& c)
{
    switch (estado_coche) {
    case 0:
        // Pivot on the looping's centre line: the car's rear wheel hub sits 9.109 below
        // it and 1.5 behind, so its tyres run on the track's radius of 9.659; each
        // step of angulo_coche turns 15 degrees and drifts 0.5 across the road.
        c.trasladar(mov_coche - 30.0f, despega + 10.259f, cocheZ);
        c.girar(15.0f * angulo_coche, 0.0f, 0.0f, 1.0f);
        c.trasladar(-1.5f, -9.109f, 0.5f * angulo_coche);
        break;
    case 1:
        c.trasladar(cocheX + 1311.0f, 30.0f - 0.5f * mov_coche, cocheZ);
        c.girar(180.0f, -1.0f, 1.0f, 0.0f);
        c.escalar(0.5f, 0.5f, 0.5f);
        break;
    case 2:
        c.trasladar(1309.5f, -6.0f, cocheZ);
        c.girar(90.0f, 0.0f, 1.0f, 0.0f);
        c.girar(-15.0f, 1.0f, 0.0f, 0.0f);
        c.escalar(0.5f, 0.5f, 0.5f);
        break;
    default:
        break;
    }
}

namespace {

void balonLibre()
{
    glColor3f(1.0f, 1.0f, 1.0f);
    glPushMatrix();
        colocarBalon(enGL);
        balon();
    glPopMatrix();
}

// The car while the composition draws it (estado_coche 0 to 2).
void cocheSuelto()
{
    if (estado_coche < 0 || estado_coche > 2)
        return;
    glPushMatrix();
        colocarCoche(enGL);
        coche();
    glPopMatrix();
}

}  // namespace

void dibujarMundo()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1.0f, 1.0f, 1.0f);

    glPushMatrix();
        girarMundo(enGL);

        suelo();
        if (movsofa > 8.0f) {
            glPushMatrix();
                colocarEn(enGL, LUGAR_CAMPO);
                campoFutbol();
            glPopMatrix();
        }
        glPushMatrix();
            colocarTostadora(enGL);
            tostadora();
        glPopMatrix();
        glPushMatrix();
            colocarEn(enGL, LUGAR_SOFA);
            sofa();
        glPopMatrix();

        glColor3f(1.0f, 1.0f, 1.0f);
        catenaria();
        vias_tren();
        tren();
        estacion();
        if (estado_balon == 0)
            balonLibre();

        glPushMatrix();
            colocarEn(enGL, LUGAR_PASO_A_NIVEL);
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
            colocarEn(enGL, LUGAR_ISLA);
            isla();
        glPopMatrix();

        cocheSuelto();

        if (modo == 1)
            foco();
    glPopMatrix();
}

void display()
{
    dibujarMundo();
    glutSwapBuffers();
}
