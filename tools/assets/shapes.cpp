#include "tools/assets/shapes.h"

#include <algorithm>
#include <cmath>

namespace assets {

namespace {

float Length(float x, float y) { return std::sqrt(x * x + y * y); }

Box Join(const Box& a, const Box& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

Box Widen(const Box& box, float amount) {
    return {box.left - amount, box.top - amount, box.right + amount, box.bottom + amount};
}

float SegmentDistance(float px, float py, Point a, Point b) {
    const float bx = b.x - a.x;
    const float by = b.y - a.y;
    const float length2 = bx * bx + by * by;
    const float t = length2 > 0 ? std::clamp(((px - a.x) * bx + (py - a.y) * by) / length2, 0.0f, 1.0f) : 0.0f;
    return Length(px - a.x - bx * t, py - a.y - by * t);
}

}  // namespace

Paint Solid(Colour c) {
    return [c](float, float) { return c; };
}

Paint VerticalGradient(Colour top, Colour bottom, float y0, float y1) {
    return [=](float, float y) { return Mix(top, bottom, std::clamp((y - y0) / (y1 - y0), 0.0f, 1.0f)); };
}

Paint HorizontalGradient(Colour left, Colour right, float x0, float x1) {
    return [=](float x, float) { return Mix(left, right, std::clamp((x - x0) / (x1 - x0), 0.0f, 1.0f)); };
}

Shape Circle(float cx, float cy, float radius) {
    return {[=](float x, float y) { return Length(x - cx, y - cy) - radius; },
            {cx - radius, cy - radius, cx + radius, cy + radius}};
}

Shape Ellipse(float cx, float cy, float rx, float ry) {
    return {[=](float x, float y) {
                const float px = x - cx;
                const float py = y - cy;
                const float k0 = Length(px / rx, py / ry);
                const float k1 = Length(px / (rx * rx), py / (ry * ry));
                return k1 > 0 ? k0 * (k0 - 1) / k1 : -std::min(rx, ry);
            },
            {cx - rx, cy - ry, cx + rx, cy + ry}};
}

Shape RoundRect(float x, float y, float width, float height, float radius) {
    const float cx = x + width / 2;
    const float cy = y + height / 2;
    const float hx = width / 2;
    const float hy = height / 2;
    radius = std::min({radius, hx, hy});
    return {[=](float px, float py) {
                const float qx = std::abs(px - cx) - hx + radius;
                const float qy = std::abs(py - cy) - hy + radius;
                return Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) - radius;
            },
            {x, y, x + width, y + height}};
}

Shape Capsule(Point a, Point b, float radius) {
    return {[=](float x, float y) { return SegmentDistance(x, y, a, b) - radius; },
            {std::min(a.x, b.x) - radius, std::min(a.y, b.y) - radius, std::max(a.x, b.x) + radius,
             std::max(a.y, b.y) + radius}};
}

Shape Polygon(std::vector<Point> points) {
    Box box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const Point& p : points) box = Join(box, {p.x, p.y, p.x, p.y});
    return {[points = std::move(points)](float x, float y) {
                float nearest = 1e9f;
                bool inside = false;
                for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                    const Point& a = points[i];
                    const Point& b = points[j];
                    nearest = std::min(nearest, SegmentDistance(x, y, a, b));
                    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
                }
                return inside ? -nearest : nearest;
            },
            box};
}

Shape Outline(Shape shape, float width) {
    return {[d = shape.distance, width](float x, float y) { return std::abs(d(x, y)) - width / 2; },
            Widen(shape.box, width / 2)};
}

Shape Grow(Shape shape, float amount) {
    return {[d = shape.distance, amount](float x, float y) { return d(x, y) - amount; },
            Widen(shape.box, std::max(amount, 0.0f))};
}

Shape Union(Shape a, Shape b) {
    return {[da = a.distance, db = b.distance](float x, float y) { return std::min(da(x, y), db(x, y)); },
            Join(a.box, b.box)};
}

Shape Subtract(Shape a, Shape b) {
    return {[da = a.distance, db = b.distance](float x, float y) { return std::max(da(x, y), -db(x, y)); }, a.box};
}

Shape Intersect(Shape a, Shape b) {
    return {[da = a.distance, db = b.distance](float x, float y) { return std::max(da(x, y), db(x, y)); },
            {std::max(a.box.left, b.box.left), std::max(a.box.top, b.box.top), std::min(a.box.right, b.box.right),
             std::min(a.box.bottom, b.box.bottom)}};
}

Shape Moved(Shape shape, float dx, float dy) {
    return {[d = shape.distance, dx, dy](float x, float y) { return d(x - dx, y - dy); },
            {shape.box.left + dx, shape.box.top + dy, shape.box.right + dx, shape.box.bottom + dy}};
}

void Fill(Canvas& canvas, const Shape& shape, const Paint& paint, float opacity) {
    const int left = std::max(0, static_cast<int>(std::floor(shape.box.left)) - 1);
    const int top = std::max(0, static_cast<int>(std::floor(shape.box.top)) - 1);
    const int right = std::min(canvas.Width() - 1, static_cast<int>(std::ceil(shape.box.right)) + 1);
    const int bottom = std::min(canvas.Height() - 1, static_cast<int>(std::ceil(shape.box.bottom)) + 1);
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            const float px = static_cast<float>(x) + 0.5f;
            const float py = static_cast<float>(y) + 0.5f;
            const float coverage = std::clamp(0.5f - shape.distance(px, py), 0.0f, 1.0f);
            if (coverage > 0) canvas.Blend(x, y, paint(px, py), coverage * opacity);
        }
}

void Fill(Canvas& canvas, const Shape& shape, Colour colour, float opacity) {
    Fill(canvas, shape, Solid(colour), opacity);
}

}  // namespace assets
