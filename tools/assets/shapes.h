// Shapes by signed distance (negative inside, in pixels), filled with one pixel of smoothing at
// their edges. Paints give the colour at each point, so gradients and textures fill shapes alike.
#pragma once

#include <functional>
#include <vector>

#include "tools/assets/canvas.h"

namespace assets {

struct Point {
    float x = 0;
    float y = 0;
};

struct Box {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

struct Shape {
    std::function<float(float, float)> distance;
    Box box;
};

using Paint = std::function<Colour(float, float)>;

Paint Solid(Colour c);
// From `top` at y0 to `bottom` at y1, level outside.
Paint VerticalGradient(Colour top, Colour bottom, float y0, float y1);
Paint HorizontalGradient(Colour left, Colour right, float x0, float x1);

Shape Circle(float cx, float cy, float radius);
Shape Ellipse(float cx, float cy, float rx, float ry);
Shape RoundRect(float x, float y, float width, float height, float radius);
Shape Capsule(Point a, Point b, float radius);
Shape Polygon(std::vector<Point> points);
// A band of the given width along the shape's edge, centred on it.
Shape Outline(Shape shape, float width);
// The shape grown (amount > 0) or shrunk.
Shape Grow(Shape shape, float amount);
Shape Union(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
Shape Moved(Shape shape, float dx, float dy);

void Fill(Canvas& canvas, const Shape& shape, const Paint& paint, float opacity = 1);
void Fill(Canvas& canvas, const Shape& shape, Colour colour, float opacity = 1);

}  // namespace assets
