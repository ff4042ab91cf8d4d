// GL's matrix arithmetic: the fixed-function transforms (translate, rotate,
// scale, ortho, perspective, look-at) on column-major 4x4 matrices, as GL and GLU
// define them, in double precision. Pure C++ with no GL, checked against real
// GL's matrices and feedback mode (tests/feedback). Where things are in the world
// (scene/actors) and the tests' recording GL stand-in compute with it.
#pragma once

#include "math/vector.h"

#include <array>

namespace math {

// Column-major, element (row r, column c) at m[c * 4 + r], as glLoadMatrix takes it.
struct Mat4 {
    std::array<double, 16> m{};
    static Mat4 identity();
    double at(int row, int col) const { return m[col * 4 + row]; }
};

Mat4 operator*(const Mat4& a, const Mat4& b);

Mat4 translation(double x, double y, double z);
Mat4 rotation(double degrees, double x, double y, double z);  // glRotate: axis normalised
Mat4 scaling(double x, double y, double z);
// glOrtho; returns identity where GL would refuse the box (an empty side).
Mat4 ortho(double l, double r, double b, double t, double n, double f);
// gluPerspective; returns identity where GLU would do nothing (zero aspect, sine or depth).
Mat4 perspective(double fovy, double aspect, double zNear, double zFar);
Mat4 lookAt(double ex, double ey, double ez, double cx, double cy, double cz,
            double ux, double uy, double uz);

// m * (p, 1), divided by w when w is not 0.
Vec3 transformPoint(const Mat4& m, const Vec3& p);
// m * (p, 1) without the division: x, y, z, w.
std::array<double, 4> transform4(const Mat4& m, const Vec3& p);

// Window coordinates of a model point, as GL's feedback mode reports them.
Vec3 toWindow(const Mat4& projection, const Mat4& modelview, const std::array<int, 4>& viewport,
              const Vec3& p);

}  // namespace math
