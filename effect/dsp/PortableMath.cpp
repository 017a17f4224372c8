#include "effect/dsp/PortableMath.h"

#include <cmath>
#include <limits>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Dsp::PortableMath {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kSqrtHalf = 0x1.6a09e667f3bcdp-1;

// pi/2 in three parts of 33, 33 and 53 bits: q x the first two is exact for the quadrant counts met.
constexpr double kPiOver2Hi = 0x1.921fb544p+0;
constexpr double kPiOver2Mid = 0x1.0b4611a6p-34;
constexpr double kPiOver2Lo = 0x1.3198a2e037073p-69;
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;

// p(r2) for coefficients from the highest power down, by Horner's rule.
template <std::size_t N>
double Polynomial(const double (&c)[N], double r2) {
  double p = c[0];
  for (std::size_t i = 1; i < N; ++i) p = p * r2 + c[i];
  return p;
}

// sin r and cos r for |r| <= pi/4: Taylor series to r^19 and r^18.
double SinKernel(double r) {
  constexpr double c[] = {-1.0 / 121645100408832000.0, 1.0 / 355687428096000.0, -1.0 / 1307674368000.0,
                          1.0 / 6227020800.0,          -1.0 / 39916800.0,      1.0 / 362880.0,
                          -1.0 / 5040.0,               1.0 / 120.0,            -1.0 / 6.0};
  const double r2 = r * r;
  return r + r * (r2 * Polynomial(c, r2));
}

double CosKernel(double r) {
  constexpr double c[] = {-1.0 / 6402373705728000.0, 1.0 / 20922789888000.0, -1.0 / 87178291200.0,
                          1.0 / 479001600.0,         -1.0 / 3628800.0,      1.0 / 40320.0,
                          -1.0 / 720.0,              1.0 / 24.0};
  const double r2 = r * r;
  return 1.0 - 0.5 * r2 + r2 * (r2 * Polynomial(c, r2));
}

// x = q pi/2 + r with |r| <= about pi/4; returns q mod 4. Not meant for |x| beyond about 1e9.
int ReduceQuadrant(double x, double& r) {
  const double scaled = x * kTwoOverPi;
  const double q = static_cast<double>(static_cast<std::int64_t>(scaled < 0.0 ? scaled - 0.5 : scaled + 0.5));
  r = ((x - q * kPiOver2Hi) - q * kPiOver2Mid) - q * kPiOver2Lo;
  return static_cast<int>(static_cast<std::int64_t>(q) & 3);
}

bool OutsideTrigRange(double x) { return !(x > -1e9 && x < 1e9); }

#if defined(__SSE2__)
// Tanh of two values: the scalar Tanh's operations in the same order, lane by lane.
__m128d Tanh2(__m128d x) {
  const __m128d sign = _mm_set1_pd(-0.0);
  const __m128d a = _mm_andnot_pd(sign, x);
  const __m128d x2 = _mm_mul_pd(_mm_set1_pd(2.0), a);
  // k = nearest(2a / ln 2), 2a >= 0; the lanes where |x| >= 22 or NaN are replaced below.
  const __m128d scaled = _mm_mul_pd(x2, _mm_set1_pd(detail::kInvLn2));
  const __m128i k = _mm_cvttpd_epi32(_mm_add_pd(scaled, _mm_set1_pd(0.5)));
  const __m128d kd = _mm_cvtepi32_pd(k);
  const __m128d r = _mm_sub_pd(_mm_sub_pd(x2, _mm_mul_pd(kd, _mm_set1_pd(detail::kLn2Hi))),
                               _mm_mul_pd(kd, _mm_set1_pd(detail::kLn2Lo)));
  constexpr double c[] = {1.0 / 87178291200.0, 1.0 / 6227020800.0, 1.0 / 479001600.0, 1.0 / 39916800.0,
                          1.0 / 3628800.0,     1.0 / 362880.0,     1.0 / 40320.0,     1.0 / 5040.0,
                          1.0 / 720.0,         1.0 / 120.0,        1.0 / 24.0,        1.0 / 6.0,
                          0.5};
  __m128d p = _mm_set1_pd(c[0]);
  for (int i = 1; i < 13; ++i) p = _mm_add_pd(_mm_mul_pd(p, r), _mm_set1_pd(c[i]));
  const __m128d m = _mm_add_pd(r, _mm_mul_pd(r, _mm_mul_pd(r, p)));
  // 2^k from its bits; k >= 0 here (garbage only in lanes replaced below).
  const __m128i k64 = _mm_unpacklo_epi32(k, _mm_setzero_si128());
  const __m128d scale = _mm_castsi128_pd(_mm_slli_epi64(_mm_add_epi64(k64, _mm_set1_epi64x(1023)), 52));
  const __m128d t = _mm_add_pd(_mm_mul_pd(scale, m), _mm_sub_pd(scale, _mm_set1_pd(1.0)));
  const __m128d y = _mm_div_pd(t, _mm_add_pd(t, _mm_set1_pd(2.0)));
  const __m128d negative = _mm_and_pd(_mm_cmplt_pd(x, _mm_setzero_pd()), sign);
  const __m128d small = _mm_xor_pd(y, negative);
  const __m128d saturated = _mm_or_pd(_mm_set1_pd(1.0), negative);
  const __m128d nan = _mm_cmpunord_pd(x, x);
  const __m128d edge = _mm_or_pd(_mm_and_pd(nan, x), _mm_andnot_pd(nan, saturated));
  const __m128d inside = _mm_cmplt_pd(a, _mm_set1_pd(22.0));
  return _mm_or_pd(_mm_and_pd(inside, small), _mm_andnot_pd(inside, edge));
}
#endif

}  // namespace

void TanhInPlace(double* values, int count) {
  int i = 0;
#if defined(__SSE2__)
  for (; i + 2 <= count; i += 2) _mm_storeu_pd(values + i, Tanh2(_mm_loadu_pd(values + i)));
#endif
  for (; i < count; ++i) values[i] = Tanh(values[i]);
}

double Exp(double x) {
  if (x != x) return x;
  if (x > 709.78) return kInfinity;
  if (x < -745.2) return 0.0;
  int k;
  const double r = detail::Reduce(x, k);
  const double m = 1.0 + detail::Expm1Kernel(r);
  // Split the scaling so that neither factor leaves the normal range.
  if (k > 1023) return m * 2.0 * detail::TwoTo(k - 1);
  if (k < -1022) return m * detail::TwoTo(k + 600) * detail::TwoTo(-600);
  return m * detail::TwoTo(k);
}

double Log(double x) {
  if (x != x || x < 0.0) return kNaN;
  if (x == 0.0) return -kInfinity;
  if (x == kInfinity) return x;
  int e = 0;
  if (x < 0x1p-1022) {
    x *= 0x1p54;
    e = -54;
  }
  std::uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  e += static_cast<int>((bits >> 52) & 0x7FF) - 1023;
  bits = (bits & 0x000FFFFFFFFFFFFFull) | 0x3FF0000000000000ull;
  double m;
  std::memcpy(&m, &bits, sizeof m);
  // m in [sqrt(1/2), sqrt(2)): ln m = 2 atanh(s) with |s| <= 0.172, a series to s^23.
  if (m > 2.0 * kSqrtHalf) {
    m *= 0.5;
    ++e;
  }
  const double s = (m - 1.0) / (m + 1.0);
  const double s2 = s * s;
  double p = 1.0 / 23.0;
  for (int n = 21; n >= 3; n -= 2) p = p * s2 + 1.0 / n;
  const double lnM = 2.0 * s + 2.0 * s * (s2 * p);
  return e * detail::kLn2Hi + (e * detail::kLn2Lo + lnM);
}

double Pow(double x, double y) { return Exp(y * Log(x)); }

double Sinh(double x) {
  const double a = x < 0.0 ? -x : x;
  // Near 0 through Expm1, so that small arguments keep their precision.
  const double t = Expm1(a);
  const double y = a < 1.0 ? 0.5 * (t + t / (t + 1.0)) : 0.5 * (Exp(a) - 1.0 / Exp(a));
  return x < 0.0 ? -y : y;
}

double Cosh(double x) {
  const double e = Exp(x < 0.0 ? -x : x);
  return 0.5 * (e + 1.0 / e);
}

double Sin(double x) {
  if (OutsideTrigRange(x)) return kNaN;
  double r;
  switch (ReduceQuadrant(x, r)) {
    case 0: return SinKernel(r);
    case 1: return CosKernel(r);
    case 2: return -SinKernel(r);
    default: return -CosKernel(r);
  }
}

double Cos(double x) {
  if (OutsideTrigRange(x)) return kNaN;
  double r;
  switch (ReduceQuadrant(x, r)) {
    case 0: return CosKernel(r);
    case 1: return -SinKernel(r);
    case 2: return -CosKernel(r);
    default: return SinKernel(r);
  }
}

double Tan(double x) {
  if (OutsideTrigRange(x)) return kNaN;
  double r;
  const int quadrant = ReduceQuadrant(x, r);
  const double s = SinKernel(r);
  const double c = CosKernel(r);
  return quadrant & 1 ? -c / s : s / c;
}

Complex Mul(const Complex& a, const Complex& b) {
  return Complex(a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real());
}

Complex Div(const Complex& a, const Complex& b) {
  const double c = b.real();
  const double d = b.imag();
  if ((c < 0.0 ? -c : c) >= (d < 0.0 ? -d : d)) {
    const double ratio = d / c;
    const double denominator = c + d * ratio;
    return Complex((a.real() + a.imag() * ratio) / denominator, (a.imag() - a.real() * ratio) / denominator);
  }
  const double ratio = c / d;
  const double denominator = c * ratio + d;
  return Complex((a.real() * ratio + a.imag()) / denominator, (a.imag() * ratio - a.real()) / denominator);
}

double Abs(const Complex& a) {
  double big = a.real() < 0.0 ? -a.real() : a.real();
  double small = a.imag() < 0.0 ? -a.imag() : a.imag();
  if (small > big) std::swap(big, small);
  if (big == 0.0 || big == kInfinity) return big;
  const double ratio = small / big;
  return big * std::sqrt(1.0 + ratio * ratio);
}

}  // namespace Dsp::PortableMath
