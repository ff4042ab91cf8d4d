// Features of a camera path, pure functions of its poses or of one point's course
// along it: the cuts (where the eye or the centre jumps), how long a point holds
// still, how much it accelerates, and the frames where its acceleration jumps
// (where the keys of a film made from a shot list stand).
#pragma once

#include "film/camera_pose.h"

#include <array>
#include <cstddef>
#include <vector>

namespace reductor {

// A point's course along the path is any function of the pose index that gives
// where the point is there: curso(k), a math::Vec3.

// The frames between the samples each acceleration is measured from.
constexpr size_t SEPARACION = 4;

// The pose indices the path cuts to, in order: where the eye or the centre jumps
// from the pose before by more than four tolerances and eight times its moves to
// and from the poses beside them.
std::vector<size_t> cortesDelCamino(const std::vector<std::array<float, 9>>& poses, double tolerancia);

// How many pose indices after k the course keeps within tolerancia of where it is
// at k, looking no further than hasta.
template <class Curso>
size_t quietudTras(const Curso& curso, size_t k, size_t hasta, double tolerancia)
{
    const math::Vec3 en = curso(k);
    size_t f = k + 1;
    for (; f <= hasta; f++) {
        const math::Vec3 d = curso(f) - en;
        if (!(math::dot(d, d) <= tolerancia * tolerancia))
            break;
    }
    return f - k - 1;
}

// The mean acceleration of the course from k to hasta, per frame squared, measured
// every SEPARACION frames over samples SEPARACION apart; 0 where the stretch is too
// short to measure.
template <class Curso>
double aceleracionMedia(const Curso& curso, size_t k, size_t hasta)
{
    constexpr size_t H = SEPARACION;
    double suma = 0;
    size_t veces = 0;
    for (size_t f = k; f + 2 * H <= hasta; f += H, veces++)
        suma += math::norm((curso(f + 2 * H) - curso(f + H) * 2 + curso(f)) / double(H * H));
    return veces ? suma / double(veces) : 0;
}

// How much the course's acceleration changes at pose index f: the second difference
// over the SEPARACION frames after f less the one over those before, per frame
// squared. Needs 2 * SEPARACION frames either side of f.
template <class Curso>
double saltoDeAceleracion(const Curso& curso, size_t f)
{
    constexpr size_t H = SEPARACION;
    const math::Vec3 a = curso(f - 2 * H), b = curso(f - H), c = curso(f), d = curso(f + H), e = curso(f + 2 * H);
    return math::norm(((e - d * 2 + c) - (c - b * 2 + a)) / double(H * H));
}

// The frames where saltos (by pose index from primero) peaks: larger than at every
// frame within SEPARACION of it (than the earlier one on a tie), and not 0, among
// those with SEPARACION frames either side; the cuantos largest, the largest first.
std::vector<size_t> picosDeSalto(const std::vector<double>& saltos, size_t primero, size_t cuantos);

}  // namespace reductor
