#include "effect/dsp/Shelf.h"

#include <cmath>

#include "effect/dsp/PortableMath.h"

namespace Dsp {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The terms both shelves share: A = 10^(G/40), cos w0 and the cookbook's 2 sqrt(A) alpha.
struct ShelfTerms {
  double A;
  double c;
  double q;
};

ShelfTerms Terms(double frequency, double gainDb, double slope) {
  const double A = PortableMath::Pow(10.0, gainDb / 40.0);
  const double w0 = 2.0 * kPi * frequency;
  const double q =
      2.0 * std::sqrt(A) * (PortableMath::Sin(w0) / 2.0) * std::sqrt((A + 1.0 / A) * (1.0 / slope - 1.0) + 2.0);
  return {A, PortableMath::Cos(w0), q};
}

void Assign(Stage& stage, double b0, double b1, double b2, double a0, double a1, double a2) {
  stage.A1 = -a1 / a0;
  stage.A2 = -a2 / a0;
  stage.B0 = b0 / a0;
  stage.B1 = b1 / a0;
  stage.B2 = b2 / a0;
}

}  // namespace

void HighShelf::Setup(double frequency, double gainDb, double slope) {
  const auto [A, c, q] = Terms(frequency, gainDb, slope);
  Assign(mStages[0], A * ((A + 1) + (A - 1) * c + q), -2 * A * ((A - 1) + (A + 1) * c),
         A * ((A + 1) + (A - 1) * c - q), (A + 1) - (A - 1) * c + q, 2 * ((A - 1) - (A + 1) * c),
         (A + 1) - (A - 1) * c - q);
}

void LowShelf::Setup(double frequency, double gainDb, double slope) {
  const auto [A, c, q] = Terms(frequency, gainDb, slope);
  Assign(mStages[0], A * ((A + 1) - (A - 1) * c + q), 2 * A * ((A - 1) - (A + 1) * c),
         A * ((A + 1) - (A - 1) * c - q), (A + 1) + (A - 1) * c + q, -2 * ((A - 1) + (A + 1) * c),
         (A + 1) + (A - 1) * c - q);
}

}  // namespace Dsp
