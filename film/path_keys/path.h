// The path keys are made for: its poses (a film's), the frame of its first, the
// tolerances, where the things stand along it and where it cuts; and
// the keys made of its values, each rounded to the fewest decimals that keep it
// within a hundredth of the tolerance.
#pragma once

#include "film/camera_pose.h"
#include "film/path_keys.h"
#include "film/path_keys/features.h"
#include "film/path_keys/tracks.h"

#include <array>
#include <vector>

namespace reductor {

constexpr double PI = 3.14159265358979323846;

// The share of the tolerance a key's value may be moved by when it is rounded.
constexpr double PARTE_REDONDEO = 0.01;

// The parts of a pose a key may give after a thing.
constexpr std::array<Parte, 2> PUNTOS = {Parte::Ojo, Parte::Centro};

// One value for the eye and one for the centre of a key.
template <class T>
struct PorPunto {
    T ojo, centro;

    const T& operator[](Parte p) const { return p == Parte::Ojo ? ojo : centro; }
    T& operator[](Parte p) { return p == Parte::Ojo ? ojo : centro; }
};
using Referencias = PorPunto<Referencia>;

// Pose indices from desde to hasta, both included.
struct Rango {
    size_t desde = 0, hasta = 0;
};

struct Camino;

// The course of part parte of a path's poses after ref: pose index by pose index,
// where it is less where ref stands there.
struct CursoRelativo {
    const Camino* camino;
    Parte parte;
    Referencia ref;

    math::Vec3 operator()(size_t k) const;
};

struct Camino {
    const std::vector<std::array<float, 9>>& poses;  // pose index k stands at frame primero + k
    int primero = 0;
    OpcionesClaves opciones;
    Recorridos recorridos;
    std::vector<size_t> cortes;  // the pose indices it cuts to (cortesDelCamino)

    size_t n() const { return poses.size(); }
    int fotograma(size_t k) const { return primero + static_cast<int>(k); }
    size_t indice(const ClaveToma& c) const { return static_cast<size_t>(c.fotograma - primero); }
    PoseDoble pose(size_t k) const { return poseDoble(poses[k]); }

    // Part parte of the pose at k, less where ref stands there.
    math::Vec3 relativo(Parte parte, const Referencia& ref, size_t k) const
    {
        const PuntoMundo b = recorridos.en(ref, k);
        return parteDe(poses[k], parte) - math::Vec3{b.x, b.y, b.z};
    }
    // That, pose index by pose index.
    CursoRelativo curso(Parte parte, const Referencia& ref) const { return {this, parte, ref}; }
    // The tolerance of part parte at k as a distance: the up vector's angle over its length.
    double tolerancia(Parte parte, size_t k) const;
};

inline math::Vec3 CursoRelativo::operator()(size_t k) const
{
    return camino->relativo(parte, ref, k);
}

// The path of a film's poses from frame primero (kept by reference), the things
// standing along it as recorridos says.
Camino caminoDe(const std::vector<std::array<float, 9>>& poses, int primero, const OpcionesClaves& o,
                Recorridos recorridos);

// What a key's point is given after.
inline Referencia referenciaDe(const PuntoToma& p) { return p.conActor ? Referencia(p.actor) : std::nullopt; }

// The point of part parte at pose index k, after ref, its values rounded.
PuntoToma puntoDelCamino(const Camino& camino, const Referencia& ref, size_t k, Parte parte);
// The key at pose index k with its points after refs, its values rounded.
ClaveToma claveDelCamino(const Camino& camino, size_t k, const Referencias& refs, Movimiento m);
// The key at pose index k with fixed points and the path's own values, unrounded:
// the compiler gives the path's pose there.
ClaveToma claveExacta(const Camino& camino, size_t k, Movimiento m);

}  // namespace reductor
