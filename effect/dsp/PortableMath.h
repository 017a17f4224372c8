#pragma once

#include <cstdint>
#include <cstring>

#include "effect/dsp/Complex.h"

// The elementary functions the engine and the filter designs use, written in plain double
// arithmetic (additions, multiplications, divisions and square roots, each rounded once as IEEE
// requires). The C runtimes' versions differ by a unit in the last place between platforms, and on
// i386 some run on the x87 unit, whose results depend on the precision a host leaves it at; these
// give the same bits in every build. Accuracy is a few units in the last place.
namespace Dsp::PortableMath {

namespace detail {

// 2^k for -1022 <= k <= 1023, from its bits.
inline double TwoTo(int k) {
  const std::uint64_t bits = static_cast<std::uint64_t>(k + 1023) << 52;
  double result;
  std::memcpy(&result, &bits, sizeof result);
  return result;
}

// e^r - 1 for |r| <= ln 2 / 2: the Taylor series to r^14 (the next term is below 1e-19 of r).
inline double Expm1Kernel(double r) {
  constexpr double c14 = 1.0 / 87178291200.0, c13 = 1.0 / 6227020800.0, c12 = 1.0 / 479001600.0,
                   c11 = 1.0 / 39916800.0, c10 = 1.0 / 3628800.0, c9 = 1.0 / 362880.0, c8 = 1.0 / 40320.0,
                   c7 = 1.0 / 5040.0, c6 = 1.0 / 720.0, c5 = 1.0 / 120.0, c4 = 1.0 / 24.0, c3 = 1.0 / 6.0;
  double p = c14;
  p = p * r + c13;
  p = p * r + c12;
  p = p * r + c11;
  p = p * r + c10;
  p = p * r + c9;
  p = p * r + c8;
  p = p * r + c7;
  p = p * r + c6;
  p = p * r + c5;
  p = p * r + c4;
  p = p * r + c3;
  p = p * r + 0.5;
  return r + r * (r * p);
}

constexpr double kLn2Hi = 0x1.62e42ffp-1;  // ln 2 to 32 bits: k x kLn2Hi is exact
constexpr double kLn2Lo = -0x1.718432a1b0e26p-35;
constexpr double kInvLn2 = 0x1.71547652b82fep+0;

// x = k ln 2 + r with |r| <= about ln 2 / 2; for |x| <= 708.
inline double Reduce(double x, int& k) {
  const double scaled = x * kInvLn2;
  k = static_cast<int>(scaled < 0.0 ? scaled - 0.5 : scaled + 0.5);
  return (x - k * kLn2Hi) - k * kLn2Lo;
}

}  // namespace detail

// e^x - 1, accurate near 0 as well.
inline double Expm1(double x) {
  if (!(x > -40.0)) return x != x ? x : -1.0;
  if (x > 709.0) x = 709.0;
  int k;
  const double r = detail::Reduce(x, k);
  const double m = detail::Expm1Kernel(r);
  if (k == 0) return m;
  const double scale = detail::TwoTo(k);
  return scale * m + (scale - 1.0);
}

// Hyperbolic tangent: (e^2x - 1) / (e^2x + 1) through Expm1, exact ±1 from |x| = 22 on (where the
// true value rounds to it).
inline double Tanh(double x) {
  const double a = x < 0.0 ? -x : x;
  if (!(a < 22.0)) return x != x ? x : (x < 0.0 ? -1.0 : 1.0);
  const double t = Expm1(2.0 * a);
  const double y = t / (t + 2.0);
  return x < 0.0 ? -y : y;
}

// Tanh of every value in place: the same bits as Tanh, two at a time where SSE2 allows.
void TanhInPlace(double* values, int count);

double Exp(double x);
// Natural logarithm; NaN below 0, -infinity at 0.
double Log(double x);
// x^y for x > 0, as e^(y ln x).
double Pow(double x, double y);
double Sinh(double x);
double Cosh(double x);
// Trigonometric functions, reduced by multiples of pi/2 in three parts: accurate for the arguments
// the designs use (a few times pi), and well beyond.
double Sin(double x);
double Cos(double x);
double Tan(double x);

// Complex arithmetic with the same rounding everywhere (the runtime's complex division is library
// code that runs on the x87 unit on i386).
Complex Mul(const Complex& a, const Complex& b);
// Smith's division: no intermediate overflow for operands of ordinary size.
Complex Div(const Complex& a, const Complex& b);
// Magnitude, scaled so that the square cannot overflow.
double Abs(const Complex& a);

}  // namespace Dsp::PortableMath
