// The train assembled, and the ball it carries. Train space is the track's space
// before the travel: x across (the track centre at x = 0), y up from the foot of
// the sleepers, +z along the line and the way the train runs. The first car
// spans z -0.5 to 17.5, the gangway 17.5 to 18.34, the second car 18.5 to 36.5;
// a cabin closes each free end. Car space is train space for the first car: the
// floor slab at y 3 to 3.4, the sides up to 7.4, the doors at z 7.5 to 9.5.
// Reads angulo_tren (travel) and estado_balon (the ball rides while it is 1);
// the wheels and doors read the rest.
#include "models/railway_town/train.h"

#include "app/scene_state.h"
#include "models/railway_town/track_catenary.h"
#include "models/railway_town/train_running_gear.h"
#include "primitives/primitives.h"

#include <GL/glut.h>

// The seat's side profile (y, z): a base 0.1 thick with a backrest rising to
// 0.5 in the middle, two seats back to back.
constexpr int NUM_VERTICES_PERFIL = 8;
constexpr float perfil[NUM_VERTICES_PERFIL][2] = {
    //  y     z
    {0.0f, 0.0f},
    {0.1f, 0.0f},
    {0.1f, 0.3f},
    {0.5f, 0.4f},
    {0.5f, 0.6f},
    {0.1f, 0.7f},
    {0.1f, 1.0f},
    {0.0f, 1.0f},
};

// Where the seats of a row begin along the car, clear of the doors (z 7.5 to 9.5).
constexpr int NUM_ASIENTOS_FILA = 4;
constexpr float zAsiento[NUM_ASIENTOS_FILA] = {0.5f, 4.5f, 10.5f, 14.5f};

// The cabin's five panels, each 4.4 high: the corner it starts from (x, z), its
// turn about y and its width; each ends where the next begins.
constexpr int NUM_PANELES_CABINA = 5;
constexpr float panelCabina[NUM_PANELES_CABINA][4] = {
    //  x      z              turn     width
    {-2.5f,  0.0f,          70.0f,  1.4619f},
    {-2.0f, -1.3737f,       30.0f,  1.1547f},
    {-1.0f, -FONDO_MORRO,    0.0f,  2.0f   },    // the nose
    { 2.0f, -1.3737f,      150.0f,  1.1547f},
    { 2.5f,  0.0f,         110.0f,  1.4619f},
};

void perfilAsiento()
{
    glBegin(GL_LINE_LOOP);
        for (const auto& v : perfil)
            glVertex3f(0.0f, v[0], v[1]);
    glEnd();
}

void asiento()
{
    glPushMatrix();
        glTranslatef(0.0f, 0.25f, 0.0f);
        perfilAsiento();
        glPushMatrix();
            glTranslatef(1.0f, 0.0f, 0.0f);
            perfilAsiento();
        glPopMatrix();
        glBegin(GL_LINES);                         // the profiles joined across the seat
            for (const auto& v : perfil) {
                glVertex3f(0.0f, v[0], v[1]);
                glVertex3f(1.0f, v[0], v[1]);
            }
        glEnd();
    glPopMatrix();
    glPushMatrix();                                // two legs
        glTranslatef(0.15f, 0.0f, 0.4f);
        prisma(0.05f, 0.25f, 0.25f);
    glPopMatrix();
    glPushMatrix();
        glTranslatef(0.85f, 0.0f, 0.4f);
        prisma(0.05f, 0.25f, 0.25f);
    glPopMatrix();
}

void asientosVagon()
{
    for (int i = 0; i < 2; i++) {                  // rows at x = 0.5 and -2.3
        const float x = 0.5f - 2.8f * i;
        for (const float z : zAsiento) {
            glPushMatrix();
                glTranslatef(x, 3.4f, z);
                glScalef(1.8f, 2.0f, 2.0f);
                asiento();
            glPopMatrix();
        }
    }
}

void vagon()
{
    for (int i = 0; i < 3; i++)
        eje(i);

    glPushMatrix();
        glColor3f(0.0f, 0.0f, 1.0f);
        glTranslatef(0.0f, 0.0f, -0.5f);
        glPushMatrix();                            // floor
            glTranslatef(-2.5f, Y_SUELO_TREN, 0.0f);
            plataforma();
        glPopMatrix();
        glPushMatrix();                            // -x side, doors opening toward -x
            glTranslatef(-2.5f, 3.4f, 0.0f);
            lateralTren();
        glPopMatrix();
        glColor3f(0.0f, 1.0f, 0.0f);
        glPushMatrix();
            glTranslatef(0.0f, 0.0f, 0.5f);
            asientosVagon();
        glPopMatrix();
        glColor3f(0.0f, 0.0f, 1.0f);
        glPushMatrix();                            // +x side, turned so its doors open toward +x
            glTranslatef(2.5f, 3.4f, 18.0f);
            glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
            lateralTren();
        glPopMatrix();
        glPushMatrix();                            // roof with its grid
            glTranslatef(-2.5f, Y_TECHO_TREN, 0.0f);
            prisma(5.0f, GRUESO_TECHO_TREN, 18.0f);
            mallah(5.0f, GRUESO_TECHO_TREN, 18.0f);
        glPopMatrix();
    glPopMatrix();
}

void cabina()
{
    for (const auto& p : panelCabina) {
        const float ancho = p[3];
        glPushMatrix();
            glTranslatef(p[0], 0.0f, p[1]);
            glRotatef(p[2], 0.0f, 1.0f, 0.0f);
            glBegin(GL_LINE_LOOP);
                glVertex3f(0.0f, 0.0f, 0.0f);
                glVertex3f(ancho, 0.0f, 0.0f);
                glVertex3f(ancho, 4.4f, 0.0f);
                glVertex3f(0.0f, 4.4f, 0.0f);
            glEnd();
        glPopMatrix();
    }
}

void segmentoAnillo()
{
    glPushMatrix();
        glRotatef(45.0f, 1.0f, 0.0f, 0.0f);
        glBegin(GL_LINE_LOOP);
            glVertex3f(0.0f, 0.0f, 0.0f);
            glVertex3f(4.0f, 0.0f, 0.0f);
            glVertex3f(3.9f, 0.1f, 0.0f);
            glVertex3f(0.1f, 0.1f, 0.0f);
        glEnd();
    glPopMatrix();
}

void AnilloAcordeon()
{
    glPushMatrix();
        glTranslatef(0.0f, 5.2f, 0.0f);
        for (int k = 0; k < 4; k++) {              // the four sides of the square
            glPushMatrix();
                glRotatef(90.0f * k, 0.0f, 0.0f, 1.0f);
                glTranslatef(-2.0f, -2.0f, 0.0f);
                segmentoAnillo();
            glPopMatrix();
        }
    glPopMatrix();
}

void acordeon()
{
    glColor3f(1.0f, 1.0f, 1.0f);
    glPushMatrix();                                // seven rings, z = 17.50 to 18.34
        glTranslatef(0.0f, 0.0f, 17.36f);
        for (int i = 0; i < 7; i++) {
            glTranslatef(0.0f, 0.0f, 0.14f);
            AnilloAcordeon();
        }
    glPopMatrix();
    glPushMatrix();                                // the same places, every ring turned about y
        glTranslatef(0.0f, 0.0f, 17.36f);
        glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
        for (int i = 0; i < 7; i++) {
            glTranslatef(0.0f, 0.0f, -0.14f);
            AnilloAcordeon();
        }
    glPopMatrix();
}

void antena()
{
    glPushMatrix();
        glTranslatef(-1.5f, 7.2f, 10.0f);
        prisma(3.0f, 0.3f, 3.0f);                  // base on the roof
        glPushMatrix();                            // knee at x = 0.5: lower arm, upper arm
            glTranslatef(0.5f, 1.2f, 0.0f);
            glRotatef(30.0f, 1.0f, 0.0f, 0.0f);
            prisma(0.1f, 0.1f, 2.0f);
        glPopMatrix();
        glPushMatrix();
            glTranslatef(0.5f, 1.2f, 0.0f);
            glRotatef(30.0f, -1.0f, 0.0f, 0.0f);
            prisma(0.1f, 0.1f, 2.0f);
        glPopMatrix();
        glPushMatrix();                            // knee at x = 2.5
            glTranslatef(2.5f, 1.2f, 0.0f);
            glRotatef(30.0f, 1.0f, 0.0f, 0.0f);
            prisma(0.1f, 0.1f, 2.0f);
        glPopMatrix();
        glPushMatrix();
            glTranslatef(2.5f, 1.2f, 0.0f);
            glRotatef(30.0f, -1.0f, 0.0f, 0.0f);
            prisma(0.1f, 0.1f, 2.0f);
        glPopMatrix();
        glPushMatrix();                            // collector bar, just under the lower wire
            glTranslatef(0.0f, 2.2f, 1.7f);
            prisma(3.0f, 0.1f, 0.1f);
        glPopMatrix();
    glPopMatrix();
}

void balon()
{
    glutWireSphere(0.2, 10, 10);
}

float recorridoTren()
{
    return angulo_tren * 0.1f / 5.0f;
}

void colocarTren(Colocacion& c)
{
    c.trasladar(0.0f, 0.0f, recorridoTren());
}

void colocarBalonEnTren(Colocacion& c)
{
    c.trasladar(0.0f, 3.6f, 22.0f);
}

void tren()
{
    glPushMatrix();
        colocarTren(enGL);
        if (estado_balon == 1) {
            glColor3f(1.0f, 1.0f, 1.0f);
            glPushMatrix();
                colocarBalonEnTren(enGL);
                balon();
            glPopMatrix();
        }
        vagon();
        glColor3f(0.0f, 1.0f, 0.0f);
        antena();
        acordeon();
        glPushMatrix();                            // the second car, leading
            glTranslatef(0.0f, 0.0f, 19.0f);
            vagon();
        glPopMatrix();
        glPushMatrix();                            // -z cabin
            glTranslatef(0.0f, Y_SUELO_TREN, Z_CABINA_TRASERA);
            cabina();
        glPopMatrix();
        glPushMatrix();                            // +z cabin, nose toward +z
            glTranslatef(0.0f, Y_SUELO_TREN, Z_CABINA_DELANTERA);
            glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
            cabina();
        glPopMatrix();
    glPopMatrix();
}
