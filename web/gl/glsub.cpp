// The subset's state and its frame: matrices, begin/end batches expanded into
// segments and triangles, clipping against the view volume in clip coordinates,
// wide lines as window-space quads, bitmap text as pixel rectangles.
// Assumes what glsub.h says; distances are in window pixels unless named otherwise.
#include "web/gl/glsub.h"

#include "web/gl/helvetica18.h"

#include <algorithm>
#include <cmath>

namespace glsub {

namespace {

// The six sides of the view volume, -w <= x, y, z <= w: a point is inside a side
// when its distance, the dot product with the side's row, is not negative.
struct Plane {
    double x, y, z, w;
    const char* label;
};
constexpr Plane kPlanes[] = {
    //  x     y     z    w    label
    { 1.0,  0.0,  0.0, 1.0, "left"},
    {-1.0,  0.0,  0.0, 1.0, "right"},
    { 0.0,  1.0,  0.0, 1.0, "bottom"},
    { 0.0, -1.0,  0.0, 1.0, "top"},
    { 0.0,  0.0,  1.0, 1.0, "near"},
    { 0.0,  0.0, -1.0, 1.0, "far"},
};
constexpr int kPlaneCount = sizeof(kPlanes) / sizeof(kPlanes[0]);

double distance(const Plane& s, const std::array<double, 4>& p)
{
    return s.x * p[0] + s.y * p[1] + s.z * p[2] + s.w * p[3];
}

// Bit k set: outside side k.
unsigned outcode(const std::array<double, 4>& p)
{
    unsigned code = 0;
    for (int k = 0; k < kPlaneCount; k++)
        if (distance(kPlanes[k], p) < 0.0)
            code |= 1u << k;
    return code;
}

Color mix(const Color& a, const Color& b, double t)
{
    const auto f = static_cast<float>(t);
    return {a.r + (b.r - a.r) * f, a.g + (b.g - a.g) * f, a.b + (b.b - a.b) * f};
}

std::uint8_t toByte(float c)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(c, 0.0f, 1.0f) * 255.0f));
}

// The pixel a bitmap's origin falls in: GL truncates the raster position, and
// the desktop's rasteriser counts a position within this of the next pixel as in it.
constexpr double kBitmapSnap = 1e-4;

}  // namespace

Context::Context()
    : modelview_{math::Mat4::identity()}, projection_{math::Mat4::identity()}
{
}

void Context::loadIdentity()
{
    stack().back() = math::Mat4::identity();
}

void Context::pushMatrix()
{
    stack().push_back(stack().back());
}

void Context::popMatrix()
{
    if (stack().size() > 1)
        stack().pop_back();
}

void Context::multiply(const math::Mat4& m)
{
    stack().back() = stack().back() * m;
}

void Context::clear()
{
    frame_.clearColor = clearColor_;
    frame_.lines.clear();
    frame_.triangles.clear();
    frame_.batches.clear();
}

void Context::newFrame()
{
    frame_ = Frame{};
    frame_.clearColor = clearColor_;
}

void Context::begin(Primitive p)
{
    if (inside_) {
        errors_++;
        return;
    }
    inside_ = true;
    primitive_ = p;
    if (p == Primitive::Unsupported)
        errors_++;
    batch_.clear();
    combined_ = projection() * modelview();
}

void Context::vertex(double x, double y, double z)
{
    if (!inside_) {
        errors_++;
        return;
    }
    batch_.push_back(clipVertex(math::transform4(combined_, {x, y, z}), color_));
}

Context::ClipVertex Context::clipVertex(const std::array<double, 4>& p, const Color& c) const
{
    ClipVertex v{p, c, outcode(p), {}};
    if (v.outside == 0)
        v.window = toWindow(v);
    return v;
}

void Context::end()
{
    if (!inside_) {
        errors_++;
        return;
    }
    inside_ = false;
    const auto& v = batch_;
    const std::size_t n = v.size();
    switch (primitive_) {
    case Primitive::Lines:
        for (std::size_t i = 0; i + 1 < n; i += 2)
            segment(v[i], v[i + 1]);
        break;
    case Primitive::LineStrip:
    case Primitive::LineLoop:
        for (std::size_t i = 0; i + 1 < n; i++)
            segment(v[i], v[i + 1]);
        if (primitive_ == Primitive::LineLoop && n >= 2)
            segment(v[n - 1], v[0]);
        break;
    case Primitive::Triangles:
        for (std::size_t i = 0; i + 2 < n; i += 3)
            triangle(v[i], v[i + 1], v[i + 2]);
        break;
    case Primitive::Quads:
        // The desktop splits a quad 0 1 2 3 along 1-3.
        for (std::size_t i = 0; i + 3 < n; i += 4) {
            triangle(v[i], v[i + 1], v[i + 3]);
            triangle(v[i + 1], v[i + 2], v[i + 3]);
        }
        break;
    case Primitive::QuadStrip:
        // Quad k is 2k, 2k+1, 2k+3, 2k+2, split along 2k-2k+3 as the desktop does.
        for (std::size_t i = 0; i + 3 < n; i += 2) {
            triangle(v[i + 2], v[i], v[i + 3]);
            triangle(v[i], v[i + 1], v[i + 3]);
        }
        break;
    case Primitive::Unsupported:
        break;
    }
}

FrameVertex Context::toWindow(const ClipVertex& v) const
{
    const double w = v.p[3];
    FrameVertex out;
    out.x = static_cast<float>(viewport_[0] + (v.p[0] / w + 1.0) * viewport_[2] / 2.0);
    out.y = static_cast<float>(viewport_[1] + (v.p[1] / w + 1.0) * viewport_[3] / 2.0);
    out.w = static_cast<float>(w);
    out.rgba = {toByte(v.c.r), toByte(v.c.g), toByte(v.c.b), 255};
    return out;
}

void Context::emit(BatchKind kind, const FrameVertex* v, std::size_t n)
{
    auto& array = kind == BatchKind::Lines ? frame_.lines : frame_.triangles;
    if (frame_.batches.empty() || frame_.batches.back().kind != kind)
        frame_.batches.push_back({kind, array.size(), 0});
    array.insert(array.end(), v, v + n);
    frame_.batches.back().count += n;
}

void Context::segment(const ClipVertex& a, const ClipVertex& b)
{
    // The part of a..b inside every side: a + t (b - a) for t in [t0, t1].
    double t0 = 0.0, t1 = 1.0;
    if ((a.outside & b.outside) != 0)
        return;
    if ((a.outside | b.outside) != 0) {
        for (const Plane& s : kPlanes) {
            const double da = distance(s, a.p), db = distance(s, b.p);
            if (da < 0.0 && db < 0.0)
                return;
            if (da < 0.0)
                t0 = std::max(t0, da / (da - db));
            else if (db < 0.0)
                t1 = std::min(t1, da / (da - db));
        }
        if (t0 > t1)
            return;
    }
    auto at = [&](const ClipVertex& end, double t) {
        if (end.outside == 0)
            return end.window;
        ClipVertex v;
        for (int k = 0; k < 4; k++)
            v.p[k] = a.p[k] + (b.p[k] - a.p[k]) * t;
        v.c = mix(a.c, b.c, t);
        return toWindow(v);
    };
    const FrameVertex ends[2] = {at(a, t0), at(b, t1)};

    const float width = std::max(1.0f, std::round(lineWidth_));
    if (width <= 1.0f)
        emit(BatchKind::Lines, ends, 2);
    else
        wideLine(ends[0], ends[1], width);
}

// Aliased wide lines, as desktop GL draws them: the width rounded to whole pixels
// (above), spread across the minor axis (vertically for a line more horizontal
// than vertical), the ends cut square along that axis.
void Context::wideLine(const FrameVertex& from, const FrameVertex& to, float width)
{
    const float dx = to.x - from.x, dy = to.y - from.y;
    if (dx == 0.0f && dy == 0.0f)
        return;
    const bool xMajor = std::fabs(dx) >= std::fabs(dy);
    // Its columns (rows, if y-major) are those of the one-pixel line, whose pixels
    // are those it leaves through their inscribed diamond: the first end's pixel,
    // the last end's not, unless an end lies outside its pixel's diamond beyond the
    // centre. Each end slides along the line to a quarter pixel before the first
    // pixel centre it covers (or, at the far end, does not).
    const float major = xMajor ? dx : dy, slope = xMajor ? dy / dx : dx / dy;
    auto snap = [&](FrameVertex v) {
        float& m = xMajor ? v.x : v.y;
        float& n = xMajor ? v.y : v.x;
        const float f = m - std::floor(m), g = n - std::floor(n);
        const bool outside = std::fabs(f - 0.5f) + std::fabs(g - 0.5f) > 0.5f;
        const float snapped = major > 0.0f ? std::floor(m) + (outside && f > 0.5f ? 1.25f : 0.25f)
                                           : std::floor(m) + (outside && f < 0.5f ? -0.25f : 0.75f);
        n += (snapped - m) * slope;
        m = snapped;
        return v;
    };
    const float ox = xMajor ? 0.0f : width / 2.0f, oy = xMajor ? width / 2.0f : 0.0f;
    auto shifted = [](FrameVertex v, float sx, float sy) {
        v.x += sx;
        v.y += sy;
        return v;
    };
    const FrameVertex a = snap(from), b = snap(to);
    const FrameVertex a0 = shifted(a, -ox, -oy), a1 = shifted(a, ox, oy);
    const FrameVertex b0 = shifted(b, -ox, -oy), b1 = shifted(b, ox, oy);
    const FrameVertex quad[6] = {a0, b0, b1, a0, b1, a1};
    emit(BatchKind::Triangles, quad, 6);
}

void Context::triangle(const ClipVertex& a, const ClipVertex& b, const ClipVertex& c)
{
    if ((a.outside & b.outside & c.outside) != 0)
        return;
    if ((a.outside | b.outside | c.outside) == 0) {
        const FrameVertex v[3] = {a.window, b.window, c.window};
        emit(BatchKind::Triangles, v, 3);
        return;
    }
    // Cut the polygon by one side after another, then fan it out from its first corner.
    std::vector<ClipVertex> poly{a, b, c}, next;
    for (const Plane& s : kPlanes) {
        next.clear();
        for (std::size_t i = 0; i < poly.size(); i++) {
            const ClipVertex& p = poly[i];
            const ClipVertex& q = poly[(i + 1) % poly.size()];
            const double dp = distance(s, p.p), dq = distance(s, q.p);
            if (dp >= 0.0)
                next.push_back(p);
            if ((dp >= 0.0) != (dq >= 0.0)) {
                const double t = dp / (dp - dq);
                ClipVertex v;
                for (int k = 0; k < 4; k++)
                    v.p[k] = p.p[k] + (q.p[k] - p.p[k]) * t;
                v.c = mix(p.c, q.c, t);
                next.push_back(v);
            }
        }
        poly.swap(next);
        if (poly.size() < 3)
            return;
    }
    const FrameVertex first = toWindow(poly[0]);
    for (std::size_t i = 1; i + 1 < poly.size(); i++) {
        const FrameVertex v[3] = {first, toWindow(poly[i]), toWindow(poly[i + 1])};
        emit(BatchKind::Triangles, v, 3);
    }
}

void Context::rasterPos(double x, double y, double z)
{
    const ClipVertex v = clipVertex(math::transform4(projection() * modelview(), {x, y, z}), color_);
    rasterValid_ = v.outside == 0;
    if (!rasterValid_)
        return;
    rasterX_ = viewport_[0] + (v.p[0] / v.p[3] + 1.0) * viewport_[2] / 2.0;
    rasterY_ = viewport_[1] + (v.p[1] / v.p[3] + 1.0) * viewport_[3] / 2.0;
    rasterColor_ = color_;
}

void Context::rectangle(float x0, float y0, float x1, float y1, const Color& c)
{
    FrameVertex v;
    v.rgba = {toByte(c.r), toByte(c.g), toByte(c.b), 255};
    auto at = [&](float x, float y) {
        FrameVertex p = v;
        p.x = x;
        p.y = y;
        return p;
    };
    const FrameVertex quad[6] = {at(x0, y0), at(x1, y0), at(x1, y1), at(x0, y0), at(x1, y1), at(x0, y1)};
    emit(BatchKind::Triangles, quad, 6);
}

void Context::bitmapCharacter(int c)
{
    const Glyph* g = helvetica18(c);
    if (!rasterValid_ || g == nullptr)
        return;
    const double left = std::floor(rasterX_ + kBitmapSnap) + g->left;
    const double bottom = std::floor(rasterY_ + kBitmapSnap) + g->bottom;
    // One rectangle per run of lit pixels in each row.
    for (int row = 0; row < g->height; row++) {
        const std::uint32_t bits = g->rows[static_cast<std::size_t>(row)];
        for (int col = 0; col < g->width;) {
            if (!(bits >> col & 1u)) {
                col++;
                continue;
            }
            int run = col;
            while (run < g->width && (bits >> run & 1u))
                run++;
            rectangle(static_cast<float>(left + col), static_cast<float>(bottom + row),
                      static_cast<float>(left + run), static_cast<float>(bottom + row + 1), rasterColor_);
            col = run;
        }
    }
    rasterX_ += g->advance;
}

}  // namespace glsub
