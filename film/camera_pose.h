// A camera pose in double precision: the eye, the centre and the up vector, each a
// vector of the matrix library, named or by part; the arithmetic the camera path
// interpolates with, part by part; and the pose to and from a film's nine floats
// (eye, centre, up).
#pragma once

#include "math/vector.h"

#include <array>
#include <cstddef>

enum class Parte { Ojo, Centro, Arriba };
constexpr std::array<Parte, 3> PARTES = {Parte::Ojo, Parte::Centro, Parte::Arriba};

// One value for each part of a pose.
template <class T>
struct PorParte {
    T ojo, centro, arriba;

    const T& operator[](Parte p) const { return p == Parte::Ojo ? ojo : p == Parte::Centro ? centro : arriba; }
    T& operator[](Parte p) { return p == Parte::Ojo ? ojo : p == Parte::Centro ? centro : arriba; }
};

using PoseDoble = PorParte<math::Vec3>;

inline PoseDoble operator+(const PoseDoble& a, const PoseDoble& b)
{
    return {a.ojo + b.ojo, a.centro + b.centro, a.arriba + b.arriba};
}
inline PoseDoble operator-(const PoseDoble& a, const PoseDoble& b)
{
    return {a.ojo - b.ojo, a.centro - b.centro, a.arriba - b.arriba};
}
inline PoseDoble operator*(const PoseDoble& a, double s) { return {a.ojo * s, a.centro * s, a.arriba * s}; }

// Part parte of a film's pose, and the whole pose, every value as it is (a float is
// a double exactly).
inline math::Vec3 parteDe(const std::array<float, 9>& p, Parte parte)
{
    const size_t k = parte == Parte::Ojo ? 0 : parte == Parte::Centro ? 3 : 6;
    return {p[k], p[k + 1], p[k + 2]};
}
inline PoseDoble poseDoble(const std::array<float, 9>& p)
{
    return {parteDe(p, Parte::Ojo), parteDe(p, Parte::Centro), parteDe(p, Parte::Arriba)};
}

// The pose as a film keeps it: each value rounded to the nearest float.
inline std::array<float, 9> poseFloat(const PoseDoble& p)
{
    const auto f = [](double v) { return static_cast<float>(v); };
    return {f(p.ojo.x),    f(p.ojo.y),    f(p.ojo.z),    f(p.centro.x), f(p.centro.y),
            f(p.centro.z), f(p.arriba.x), f(p.arriba.y), f(p.arriba.z)};
}
