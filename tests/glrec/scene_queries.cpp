#include "glrec/scene_queries.h"

#include "app/scene_state.h"

#include <algorithm>
#include <cmath>

namespace glrec {

void Bounds::add(const Vec3& p)
{
    min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
}

bool near(const Vec3& a, const Vec3& b, double tol)
{
    return std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol && std::fabs(a.z - b.z) <= tol;
}

bool near(Color a, Color b, float tol)
{
    return std::fabs(a.r - b.r) <= tol && std::fabs(a.g - b.g) <= tol && std::fabs(a.b - b.b) <= tol;
}

std::vector<const Primitive*> Drawing::withColor(Color c, float tol) const
{
    std::vector<const Primitive*> r;
    for (const auto& p : primitives)
        if (near(p.color, c, tol))
            r.push_back(&p);
    return r;
}

std::vector<const Primitive*> Drawing::withMode(GLenum mode) const
{
    std::vector<const Primitive*> r;
    for (const auto& p : primitives)
        if (p.mode == mode)
            r.push_back(&p);
    return r;
}

int Drawing::count(GLenum mode) const
{
    return static_cast<int>(withMode(mode).size());
}

size_t Drawing::vertexCount() const
{
    size_t n = 0;
    for (const auto& p : primitives)
        n += p.vertices.size();
    return n;
}

Bounds Drawing::bounds() const
{
    Bounds b;
    for (const auto& p : primitives)
        for (const auto& v : p.vertices)
            b.add(v.world);
    return b;
}

Bounds Drawing::boundsOf(const std::vector<const Primitive*>& ps) const
{
    Bounds b;
    for (const auto* p : ps)
        for (const auto& v : p->vertices)
            b.add(v.world);
    return b;
}

Bounds Drawing::boundsOfColor(Color c, float tol) const
{
    return boundsOf(withColor(c, tol));
}

std::vector<const Shape*> Drawing::shapesOf(ShapeKind kind) const
{
    std::vector<const Shape*> r;
    for (const auto& s : shapes)
        if (s.kind == kind)
            r.push_back(&s);
    return r;
}

Drawing capture(const std::function<void()>& fn)
{
    beginWorldCapture();
    Recorder& r = rec();
    r.color = Color{1.0f, 1.0f, 1.0f};
    r.lineWidth = 1.0f;
    const size_t depth = r.modelviewDepth();
    const long long before = nprismas;
    fn();
    Drawing d;
    d.primitives = r.primitives;
    d.shapes = r.shapes;
    d.texts = r.texts;
    d.boxes = nprismas - before;
    d.balanced = r.modelviewDepth() == depth && r.stackErrors == 0 && !r.insideBegin;
    d.finalColor = r.color;
    d.finalLineWidth = r.lineWidth;
    return d;
}

}  // namespace glrec
