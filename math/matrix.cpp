#include "math/matrix.h"

#include <cmath>

namespace math {

static const double PI = 3.14159265358979323846;

Mat4 Mat4::identity()
{
    Mat4 r;
    r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1.0;
    return r;
}

Mat4 operator*(const Mat4& a, const Mat4& b)
{
    Mat4 r;
    for (int c = 0; c < 4; c++)
        for (int row = 0; row < 4; row++) {
            double s = 0.0;
            for (int k = 0; k < 4; k++)
                s += a.m[k * 4 + row] * b.m[c * 4 + k];
            r.m[c * 4 + row] = s;
        }
    return r;
}

Mat4 translation(double x, double y, double z)
{
    Mat4 r = Mat4::identity();
    r.m[12] = x;
    r.m[13] = y;
    r.m[14] = z;
    return r;
}

Mat4 rotation(double degrees, double x, double y, double z)
{
    const double len = std::sqrt(x * x + y * y + z * z);
    if (len == 0.0)
        return Mat4::identity();
    x /= len;
    y /= len;
    z /= len;
    const double a = degrees * PI / 180.0;
    const double c = std::cos(a), s = std::sin(a), t = 1.0 - c;
    Mat4 r = Mat4::identity();
    r.m[0] = x * x * t + c;     r.m[4] = x * y * t - z * s; r.m[8] = x * z * t + y * s;
    r.m[1] = y * x * t + z * s; r.m[5] = y * y * t + c;     r.m[9] = y * z * t - x * s;
    r.m[2] = x * z * t - y * s; r.m[6] = y * z * t + x * s; r.m[10] = z * z * t + c;
    return r;
}

Mat4 scaling(double x, double y, double z)
{
    Mat4 r = Mat4::identity();
    r.m[0] = x;
    r.m[5] = y;
    r.m[10] = z;
    return r;
}

Mat4 ortho(double l, double r, double b, double t, double n, double f)
{
    Mat4 o = Mat4::identity();
    if (l == r || b == t || n == f)
        return o;  // GL refuses an empty box and leaves the matrix as it is
    o.m[0] = 2.0 / (r - l);
    o.m[5] = 2.0 / (t - b);
    o.m[10] = -2.0 / (f - n);
    o.m[12] = -(r + l) / (r - l);
    o.m[13] = -(t + b) / (t - b);
    o.m[14] = -(f + n) / (f - n);
    return o;
}

Mat4 perspective(double fovy, double aspect, double zNear, double zFar)
{
    const double radians = fovy / 2.0 * PI / 180.0;
    const double deltaZ = zFar - zNear;
    const double sine = std::sin(radians);
    if (deltaZ == 0.0 || sine == 0.0 || aspect == 0.0)
        return Mat4::identity();
    const double cotangent = std::cos(radians) / sine;
    Mat4 p;
    p.m[0] = cotangent / aspect;
    p.m[5] = cotangent;
    p.m[10] = -(zFar + zNear) / deltaZ;
    p.m[11] = -1.0;
    p.m[14] = -2.0 * zNear * zFar / deltaZ;
    return p;
}

static Vec3 normalised(const Vec3& v)
{
    const double len = norm(v);
    return len == 0.0 ? v : v / len;
}

Mat4 lookAt(double ex, double ey, double ez, double cx, double cy, double cz,
            double ux, double uy, double uz)
{
    const Vec3 forward = normalised({cx - ex, cy - ey, cz - ez});
    const Vec3 side = normalised(cross(forward, {ux, uy, uz}));
    const Vec3 up = cross(side, forward);
    Mat4 r = Mat4::identity();
    r.m[0] = side.x;     r.m[4] = side.y;     r.m[8] = side.z;
    r.m[1] = up.x;       r.m[5] = up.y;       r.m[9] = up.z;
    r.m[2] = -forward.x; r.m[6] = -forward.y; r.m[10] = -forward.z;
    return r * translation(-ex, -ey, -ez);
}

std::array<double, 4> transform4(const Mat4& m, const Vec3& p)
{
    std::array<double, 4> r{};
    for (int row = 0; row < 4; row++)
        r[row] = m.at(row, 0) * p.x + m.at(row, 1) * p.y + m.at(row, 2) * p.z + m.at(row, 3);
    return r;
}

Vec3 transformPoint(const Mat4& m, const Vec3& p)
{
    const auto r = transform4(m, p);
    const double w = r[3] == 0.0 ? 1.0 : r[3];
    return {r[0] / w, r[1] / w, r[2] / w};
}

Vec3 toWindow(const Mat4& projection, const Mat4& modelview, const std::array<int, 4>& viewport,
              const Vec3& p)
{
    const Vec3 ndc = transformPoint(projection * modelview, p);
    return {viewport[0] + (ndc.x + 1.0) * viewport[2] / 2.0,
            viewport[1] + (ndc.y + 1.0) * viewport[3] / 2.0,
            (ndc.z + 1.0) / 2.0};
}

}  // namespace math
