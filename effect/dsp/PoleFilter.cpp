#include "effect/dsp/PoleFilter.h"

#include <cmath>

#include "effect/dsp/PortableMath.h"

namespace Dsp {

using namespace PortableMath;

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kLn10 = 2.302585092994046;
}  // namespace

void Butter::Design(int order, const DesignParams&, Layout& analog) {
  analog.Reset();
  for (int k = 0; k < order; ++k) {
    const double angle = (2 * k + 1) * kPi / (2 * order) + kPi / 2;
    analog.poles.Add(Complex(Cos(angle), Sin(angle)));
    analog.zeros.Add(kInfinity);
  }
}

void ChebyII::Design(int order, const DesignParams& params, Layout& analog) {
  analog.Reset();
  const double g = Exp(params.stopBandDb * 0.1 * kLn10);
  const double e = 1.0 / std::sqrt(1.0 / (g - 1.0));
  const double v = Log(std::sqrt(e * e + 1.0) + e) / order;
  for (int i = 0; i < order; ++i) {
    const double t = (1 - order + 2 * i) * kPi / (2 * order);
    const double s = -Cos(t) * Sinh(v);
    const double u = Sin(t) * Cosh(v);
    const double d = s * s + u * u;
    analog.poles.Add(Complex(s / d, u / d));
    analog.zeros.Add(Complex(0.0, 1.0 / Cos((3 - 2 * order + 4 * i) * kPi / (2 * order))));
  }
}

void LowPass::Transform(const DesignParams& params, const Layout& analog, Layout& digital) {
  digital.Reset();
  const double k = Tan(params.cutoffFrequency * 2 * kPi / params.sampleRate * 0.5);
  auto map = [k](const Complex& r) {
    if (r == kInfinity) return Complex(-1.0, 0.0);
    const Complex p(k * r.real(), k * r.imag());
    return Div(Complex(1.0 + p.real(), p.imag()), Complex(1.0 - p.real(), -p.imag()));
  };
  for (int i = 0; i < analog.poles.Count(); ++i) digital.poles.Add(map(analog.poles[i]));
  for (int i = 0; i < analog.zeros.Count(); ++i) digital.zeros.Add(map(analog.zeros[i]));
  digital.normalW = analog.normalW;
  digital.normalGain = analog.normalGain;
}

}  // namespace Dsp
