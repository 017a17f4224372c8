#include "tools/artwork/Shapes.h"

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {
float Clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }
Rect Hull(const Rect& a, const Rect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}
}  // namespace

float Length(Vec2 v) { return std::sqrt(v.x * v.x + v.y * v.y); }

Vec2 DialDirection(float degrees) {
  const float rad = degrees * kPi / 180.0f;
  return {std::sin(rad), -std::cos(rad)};
}

Colour Hex(unsigned rgb, float alpha) {
  return {((rgb >> 16) & 0xff) / 255.0f, ((rgb >> 8) & 0xff) / 255.0f, (rgb & 0xff) / 255.0f, alpha};
}

Colour Mix(Colour from, Colour to, float t) {
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
          from.a + (to.a - from.a) * t};
}

Colour WithAlpha(Colour c, float alpha) { return {c.r, c.g, c.b, alpha}; }

Colour Lighter(Colour c, float amount) {
  const Colour target = amount >= 0 ? Colour{1, 1, 1, c.a} : Colour{0, 0, 0, c.a};
  return Mix(c, target, std::fabs(amount));
}

Shape Circle(Vec2 centre, float radius) {
  return {[=](Vec2 p) { return Length(p - centre) - radius; },
          {centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius}};
}

Shape RoundedBox(Rect box, float radius) {
  const Vec2 centre = box.Centre();
  const Vec2 half = {box.Width() * 0.5f - radius, box.Height() * 0.5f - radius};
  return {[=](Vec2 p) {
            const float qx = std::fabs(p.x - centre.x) - half.x;
            const float qy = std::fabs(p.y - centre.y) - half.y;
            const float outside = Length({std::max(qx, 0.0f), std::max(qy, 0.0f)});
            return outside + std::min(std::max(qx, qy), 0.0f) - radius;
          },
          box};
}

Shape Capsule(Vec2 from, Vec2 to, float radius) {
  const Vec2 along = to - from;
  const float lengthSquared = along.x * along.x + along.y * along.y;
  return {[=](Vec2 p) {
            const Vec2 rel = p - from;
            const float t = lengthSquared > 0 ? Clamp01((rel.x * along.x + rel.y * along.y) / lengthSquared) : 0.0f;
            return Length(rel - along * t) - radius;
          },
          Rect{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x), std::max(from.y, to.y)}.Grown(
              radius)};
}

Shape Ring(Vec2 centre, float innerRadius, float outerRadius) {
  return Difference(Circle(centre, outerRadius), Circle(centre, innerRadius));
}

Shape Shifted(const Shape& shape, Vec2 by) {
  auto distance = shape.distance;
  return {[=](Vec2 p) { return distance(p - by); }, shape.bounds.Moved(by)};
}

Shape Rotated(const Shape& shape, Vec2 pivot, float degrees) {
  const float rad = degrees * kPi / 180.0f;
  const float c = std::cos(rad), s = std::sin(rad);
  auto distance = shape.distance;
  const Rect& b = shape.bounds;
  float reach = 0;
  for (Vec2 corner : {Vec2{b.left, b.top}, Vec2{b.right, b.top}, Vec2{b.left, b.bottom}, Vec2{b.right, b.bottom}})
    reach = std::max(reach, Length(corner - pivot));
  return {[=](Vec2 p) {
            const Vec2 rel = p - pivot;
            return distance(pivot + Vec2{rel.x * c + rel.y * s, -rel.x * s + rel.y * c});
          },
          {pivot.x - reach, pivot.y - reach, pivot.x + reach, pivot.y + reach}};
}

Shape Difference(const Shape& a, const Shape& cut) {
  auto da = a.distance, dc = cut.distance;
  return {[=](Vec2 p) { return std::max(da(p), -dc(p)); }, a.bounds};
}

Shape Union(const Shape& a, const Shape& b) {
  auto da = a.distance, db = b.distance;
  return {[=](Vec2 p) { return std::min(da(p), db(p)); }, Hull(a.bounds, b.bounds)};
}

Vec2 Normal(const Shape& shape, Vec2 p) {
  const float e = 0.05f;
  const Vec2 g = {shape.distance({p.x + e, p.y}) - shape.distance({p.x - e, p.y}),
                  shape.distance({p.x, p.y + e}) - shape.distance({p.x, p.y - e})};
  const float len = Length(g);
  return len > 0 ? g * (1.0f / len) : Vec2{0, 0};
}

Paint Solid(Colour c) {
  return [c](Vec2) { return c; };
}

Paint LinearGradient(Vec2 from, Vec2 to, Colour c0, Colour c1) {
  const Vec2 along = to - from;
  const float lengthSquared = along.x * along.x + along.y * along.y;
  return [=](Vec2 p) {
    const Vec2 rel = p - from;
    return Mix(c0, c1, Clamp01((rel.x * along.x + rel.y * along.y) / lengthSquared));
  };
}

Paint RadialGradient(Vec2 centre, float radius, Colour inner, Colour outer) {
  return [=](Vec2 p) { return Mix(inner, outer, Clamp01(Length(p - centre) / radius)); };
}

Paint EdgeLight(const Shape& shape, float width, Vec2 towards, Colour light, Colour shade) {
  const float len = Length(towards);
  const Vec2 dir = towards * (1.0f / len);
  return [=](Vec2 p) {
    const float depth = Clamp01(-shape.distance(p) / width);
    const Vec2 n = Normal(shape, p);
    const float facing = n.x * dir.x + n.y * dir.y;
    const float fade = (1.0f - depth) * (1.0f - depth);
    const Colour c = facing >= 0 ? light : shade;
    return WithAlpha(c, c.a * std::fabs(facing) * fade);
  };
}

Paint TurnedMetal(Vec2 centre, Colour base, float sheen, float lightDegrees) {
  const float lightRad = lightDegrees * kPi / 180.0f;
  return [=](Vec2 p) {
    const Vec2 rel = p - centre;
    const float phi = std::atan2(rel.x, -rel.y);
    // Concentric brushing reflects in two opposite bright wedges facing the light.
    const float band = std::pow(std::fabs(std::cos(phi - lightRad)), 6.0f);
    const float fine = 0.5f + 0.5f * std::sin(Length(rel) * 9.0f);
    return Lighter(base, sheen * (band * 0.9f + 0.1f * fine) - sheen * 0.35f);
  };
}

float Grain(int x, int y, unsigned seed) {
  unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xffff) / 65535.0f;
}

}  // namespace artwork
