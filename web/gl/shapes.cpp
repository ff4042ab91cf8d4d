// The ready-made wire shapes, drawn as the desktop's toolkit and GLU draw them:
// same vertices, same primitives, same order (observed through GL feedback mode
// and held to it by tests/glsub/desktop_check.cpp). Sizes in model units, angles
// in radians.
#include "web/gl/glsub.h"

#include <cmath>
#include <vector>

namespace glsub {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Point {
    double x, y, z;
};

void strip(Context& gl, Primitive p, const std::vector<Point>& points)
{
    gl.begin(p);
    for (const Point& q : points)
        gl.vertex(q.x, q.y, q.z);
    gl.end();
}

}  // namespace

// Pole to pole along the z axis. Meridian j at angle -2 pi j / slices from +x
// (clockwise seen from +z), stack i at pi i / stacks from the +z pole. First every
// meridian, from +z to -z, as a strip; then every ring between the poles as a loop.
void Context::wireSphere(double radius, int slices, int stacks)
{
    if (slices < 1 || stacks < 1)
        return;
    auto at = [&](int i, int j) {
        const double phi = kPi * i / stacks, theta = -2.0 * kPi * j / slices;
        return Point{radius * std::sin(phi) * std::cos(theta), radius * std::sin(phi) * std::sin(theta),
                     radius * std::cos(phi)};
    };
    std::vector<Point> points;
    for (int j = 0; j < slices; j++) {
        points.assign({{0.0, 0.0, radius}});
        for (int i = 1; i < stacks; i++)
            points.push_back(at(i, j));
        points.push_back({0.0, 0.0, -radius});
        strip(*this, Primitive::LineStrip, points);
    }
    for (int i = 1; i < stacks; i++) {
        points.clear();
        for (int j = 0; j < slices; j++)
            points.push_back(at(i, j));
        strip(*this, Primitive::LineLoop, points);
    }
}

// Round the z axis. Ring j at angle 2 pi j / rings from +x (counter-clockwise seen
// from +z); side i at -2 pi i / sides round the tube, starting on its outer edge.
// First the small loop round the tube at every ring, then the big loop of every side.
void Context::wireTorus(double innerRadius, double outerRadius, int sides, int rings)
{
    if (sides < 1 || rings < 1)
        return;
    auto at = [&](int i, int j) {
        const double psi = 2.0 * kPi * j / rings, phi = -2.0 * kPi * i / sides;
        const double r = outerRadius + innerRadius * std::cos(phi);
        return Point{r * std::cos(psi), r * std::sin(psi), innerRadius * std::sin(phi)};
    };
    std::vector<Point> points;
    for (int j = 0; j < rings; j++) {
        points.clear();
        for (int i = 0; i < sides; i++)
            points.push_back(at(i, j));
        strip(*this, Primitive::LineLoop, points);
    }
    for (int i = 0; i < sides; i++) {
        points.clear();
        for (int j = 0; j < rings; j++)
            points.push_back(at(i, j));
        strip(*this, Primitive::LineLoop, points);
    }
}

// From z = 0 (radius base) to z = height (radius top). Slice i at angle 2 pi i /
// slices from +y towards +x. In line style: the rings between the ends first, then
// the ring at z = 0 and the one at z = height, each closed; then every slice from
// z = 0 to the top as a strip through the stacks. Other styles are not drawn.
void Context::cylinder(Style style, double base, double top, double height, int slices, int stacks)
{
    if (style != Style::Line) {
        errors_++;
        return;
    }
    if (slices < 2 || stacks < 1)
        return;
    auto at = [&](int i, int j) {
        const double a = 2.0 * kPi * (i % slices) / slices;
        const double r = base + (top - base) * j / stacks;
        return Point{r * std::sin(a), r * std::cos(a), height * j / stacks};
    };
    std::vector<int> ringOrder;
    for (int j = 1; j < stacks; j++)
        ringOrder.push_back(j);
    ringOrder.push_back(0);
    ringOrder.push_back(stacks);
    std::vector<Point> points;
    for (int j : ringOrder) {
        points.clear();
        for (int i = 0; i <= slices; i++)
            points.push_back(at(i, j));
        strip(*this, Primitive::LineStrip, points);
    }
    for (int i = 0; i < slices; i++) {
        points.clear();
        for (int j = 0; j <= stacks; j++)
            points.push_back(at(i, j));
        strip(*this, Primitive::LineStrip, points);
    }
}

}  // namespace glsub
