#pragma once
// Vector building blocks of the artwork: points, colours, shapes given by signed distance, and paints.
// All coordinates are in output pixels (floats); the canvas evaluates them at its supersampled grid.

#include <functional>

namespace artwork {

constexpr float kPi = 3.14159265358979f;

struct Vec2 {
  float x = 0, y = 0;
};
inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, float s) { return {a.x * s, a.y * s}; }
float Length(Vec2 v);
// The unit vector of a dial angle: degrees clockwise from twelve o'clock (y grows downwards).
Vec2 DialDirection(float degrees);

struct Rect {
  float left = 0, top = 0, right = 0, bottom = 0;
  float Width() const { return right - left; }
  float Height() const { return bottom - top; }
  Vec2 Centre() const { return {(left + right) * 0.5f, (top + bottom) * 0.5f}; }
  Rect Grown(float by) const { return {left - by, top - by, right + by, bottom + by}; }
  Rect Moved(Vec2 by) const { return {left + by.x, top + by.y, right + by.x, bottom + by.y}; }
};

// Straight (not premultiplied) colour, channels 0..1.
struct Colour {
  float r = 0, g = 0, b = 0, a = 1;
};
Colour Hex(unsigned rgb, float alpha = 1.0f);
Colour Mix(Colour from, Colour to, float t);
Colour WithAlpha(Colour c, float alpha);
Colour Lighter(Colour c, float amount);  // amount < 0 darkens

// A shape: signed distance to its outline (negative inside) and a box that holds it.
struct Shape {
  std::function<float(Vec2)> distance;
  Rect bounds;
};
Shape Circle(Vec2 centre, float radius);
Shape RoundedBox(Rect box, float radius);
Shape Capsule(Vec2 from, Vec2 to, float radius);
Shape Ring(Vec2 centre, float innerRadius, float outerRadius);
Shape Shifted(const Shape& shape, Vec2 by);
// Turned clockwise on screen by `degrees` about `pivot`.
Shape Rotated(const Shape& shape, Vec2 pivot, float degrees);
Shape Difference(const Shape& a, const Shape& cut);
Shape Union(const Shape& a, const Shape& b);
// Outward normal of a shape's distance field at p.
Vec2 Normal(const Shape& shape, Vec2 p);

// A paint gives the colour at a point.
using Paint = std::function<Colour(Vec2)>;
Paint Solid(Colour c);
Paint LinearGradient(Vec2 from, Vec2 to, Colour c0, Colour c1);
Paint RadialGradient(Vec2 centre, float radius, Colour inner, Colour outer);
// Light falling on a rounded edge: `light` where the outline faces `towards`, `shade` where it faces away,
// fading out `width` pixels inside the outline.
Paint EdgeLight(const Shape& shape, float width, Vec2 towards, Colour light, Colour shade);
// Satin metal turned on a lathe: the highlight bands of concentric brushing, lit from `lightDegrees`.
Paint TurnedMetal(Vec2 centre, Colour base, float sheen, float lightDegrees);
// A small deterministic speckle, for the grain of powder coat and rubber.
float Grain(int x, int y, unsigned seed);

}  // namespace artwork
