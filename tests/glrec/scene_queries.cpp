#include "glrec/scene_queries.h"

#include "app/scene_state.h"
#include "scene/composition.h"

#include <algorithm>
#include <cmath>

namespace glrec {

void Bounds::add(const Vec3& p)
{
    min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
}

void Bounds::add(const Bounds& b)
{
    if (!b.empty()) {
        add(b.min);
        add(b.max);
    }
}

bool near(const Vec3& a, const Vec3& b, double tol)
{
    return std::fabs(a.x - b.x) <= tol && std::fabs(a.y - b.y) <= tol && std::fabs(a.z - b.z) <= tol;
}

bool near(Color a, Color b, float tol)
{
    return std::fabs(a.r - b.r) <= tol && std::fabs(a.g - b.g) <= tol && std::fabs(a.b - b.b) <= tol;
}

int firstDifference(const Drawing& a, const Drawing& b, Vec3 shift, double tol)
{
    const size_t n = std::min(a.primitives.size(), b.primitives.size());
    for (size_t i = 0; i < n; i++) {
        const Primitive& p = a.primitives[i];
        const Primitive& q = b.primitives[i];
        bool same = p.mode == q.mode && p.vertices.size() == q.vertices.size();
        for (size_t k = 0; same && k < p.vertices.size(); k++) {
            const Vec3& v = p.vertices[k].world;
            same = near({v.x + shift.x, v.y + shift.y, v.z + shift.z}, q.vertices[k].world, tol);
        }
        if (!same)
            return static_cast<int>(i);
    }
    return a.primitives.size() == b.primitives.size() ? -1 : static_cast<int>(n);
}

Vec3 direction(const Mat4& m, const Vec3& d)
{
    return {m.at(0, 0) * d.x + m.at(0, 1) * d.y + m.at(0, 2) * d.z,
            m.at(1, 0) * d.x + m.at(1, 1) * d.y + m.at(1, 2) * d.z,
            m.at(2, 0) * d.x + m.at(2, 1) * d.y + m.at(2, 2) * d.z};
}

Batches Drawing::where(const BatchTest& keep) const&
{
    Batches r;
    for (const auto& p : primitives)
        if (!keep || keep(p))
            r.push_back(&p);
    return r;
}

Batches Drawing::all() const&
{
    return where(nullptr);
}

Batches Drawing::withColor(Color c, float tol) const&
{
    return where([&](const Primitive& p) { return near(p.color, c, tol); });
}

Batches Drawing::withMode(GLenum mode) const&
{
    return where([&](const Primitive& p) { return p.mode == mode; });
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
    return boundsOf(all());
}

Bounds Drawing::boundsWhere(const BatchTest& keep) const
{
    return boundsOf(where(keep));
}

Bounds Drawing::boundsOfColor(Color c, float tol) const
{
    return boundsOf(withColor(c, tol));
}

std::vector<const Shape*> Drawing::shapesOf(ShapeKind kind) const&
{
    std::vector<const Shape*> r;
    for (const auto& s : shapes)
        if (s.kind == kind)
            r.push_back(&s);
    return r;
}

std::vector<const Shape*> Drawing::spheresOf(double radius) const&
{
    std::vector<const Shape*> r;
    for (const Shape* s : shapesOf(ShapeKind::WireSphere))
        if (s->size[0] == radius)
            r.push_back(s);
    return r;
}

Bounds boundsOf(const Batches& ps)
{
    Bounds b;
    for (const auto* p : ps)
        for (const auto& v : p->vertices)
            b.add(v.world);
    return b;
}

Bounds boundsOf(const Primitive& p)
{
    return boundsOf(Batches{&p});
}

Batches inside(const Batches& ps, Vec3 lo, Vec3 hi, double tol)
{
    Batches r;
    for (const auto* p : ps) {
        bool in = !p->vertices.empty();
        for (const auto& v : p->vertices)
            in = in && v.world.x >= lo.x - tol && v.world.x <= hi.x + tol && v.world.y >= lo.y - tol &&
                 v.world.y <= hi.y + tol && v.world.z >= lo.z - tol && v.world.z <= hi.z + tol;
        if (in)
            r.push_back(p);
    }
    return r;
}

static bool sameModel(const Vertex& a, const Vertex& b)
{
    return a.model.x == b.model.x && a.model.y == b.model.y && a.model.z == b.model.z;
}

std::vector<WireBox> wireBoxes(const Drawing& d, size_t n)
{
    std::vector<WireBox> r;
    const auto& p = d.primitives;
    for (size_t i = 0; i + 2 < p.size(); i++) {
        const Primitive& a = p[i];
        const Primitive& b = p[i + 1];
        const Primitive& l = p[i + 2];
        if (a.mode != GL_LINE_LOOP || b.mode != GL_LINE_LOOP || l.mode != GL_LINES ||
            a.vertices.size() != n || b.vertices.size() != n || l.vertices.size() != 2 * n)
            continue;
        bool joined = true;
        for (size_t k = 0; k < n; k++)
            joined = joined && sameModel(l.vertices[2 * k], a.vertices[k]) &&
                     sameModel(l.vertices[2 * k + 1], b.vertices[k]);
        if (!joined)
            continue;
        r.push_back({boundsOf(Batches{&a, &b, &l}), a.color, a.lineWidth, i, a.sequence});
        i += 2;
    }
    return r;
}

std::vector<WireBox> wireBoxes(const Drawing& d, Color c)
{
    std::vector<WireBox> r;
    for (const auto& b : wireBoxes(d))
        if (near(b.color, c))
            r.push_back(b);
    return r;
}

std::vector<Segment> segments(const Batches& ps, const SegmentTest& keep)
{
    std::vector<Segment> r;
    for (const auto* p : ps) {
        if (p->mode != GL_LINES)
            continue;
        for (size_t k = 0; k + 1 < p->vertices.size(); k += 2) {
            const Segment s{p->vertices[k].world, p->vertices[k + 1].world, p->color};
            if (!keep || keep(s))
                r.push_back(s);
        }
    }
    return r;
}

std::vector<Segment> segments(const Drawing& d, const SegmentTest& keep)
{
    return segments(d.all(), keep);
}

std::vector<Segment> gridLines(const Batches& ps)
{
    Batches single;
    for (const auto* p : ps)
        if (p->vertices.size() == 2)
            single.push_back(p);
    return segments(single);
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

Drawing worldFrame()
{
    modo = 2;
    return capture(display);
}

static bool sameModelBatch(const Primitive& a, const Primitive& b)
{
    if (a.mode != b.mode || a.vertices.size() != b.vertices.size())
        return false;
    for (size_t i = 0; i < a.vertices.size(); i++)
        if (!sameModel(a.vertices[i], b.vertices[i]))
            return false;
    return true;
}

Drawing pickOut(const Drawing& world, const Drawing& model)
{
    Drawing found;
    const size_t n = model.primitives.size();
    int runs = 0;
    for (size_t start = 0; n > 0 && start + n <= world.primitives.size(); start++) {
        bool same = true;
        for (size_t k = 0; k < n && same; k++)
            same = sameModelBatch(world.primitives[start + k], model.primitives[k]);
        if (same) {
            runs++;
            found.primitives.assign(world.primitives.begin() + start, world.primitives.begin() + start + n);
        }
    }
    if (runs != 1)
        found.primitives.clear();
    return found;
}

}  // namespace glrec
