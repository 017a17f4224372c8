#include "effect/dsp/Cascade.h"

#include <algorithm>
#include <cmath>

#include "effect/dsp/PortableMath.h"

namespace Dsp {

namespace {

// Rounding leaves a real root of the bilinear transform with an imaginary part of about 1e-16.
constexpr double kRealRootThreshold = 1e-6;

Complex Cleaned(const Complex& root) {
  return std::fabs(root.imag()) < kRealRootThreshold ? Complex(root.real(), 0.0) : root;
}

}  // namespace

void Cascade::SetLayout(const Layout& digital) {
  const int poleStages = (digital.poles.Count() + 1) / 2;
  const int zeroStages = (digital.zeros.Count() + 1) / 2;
  mNumStages = std::min(mMaxStages, std::max(poleStages, zeroStages));
  for (int i = 0; i < mNumStages; ++i) mStages[i].SetIdentity();
  if (mNumStages == 0) return;

  PlacePoles(digital.poles);
  PlaceZeros(digital.zeros);

  Stage& first = mStages[0];
  const double factor = digital.normalGain / PortableMath::Abs(Response(digital.normalW));
  first.B0 *= factor;
  first.B1 *= factor;
  first.B2 *= factor;
}

// Complex pairs fill the stages from the last one backwards; real roots meet in stage 0 and move
// out once two of them make a second-order factor. Conjugates with negative imaginary parts are
// implied by their partners.
void Cascade::PlacePoles(const RootList& poles) {
  Stage& first = mStages[0];
  int placed = 0;
  for (int i = 0; i < poles.Count(); ++i) {
    const Complex p = Cleaned(poles[i]);
    if (p.imag() == 0.0) {
      const double r = p.real();
      const double oldA1 = first.A1;
      first.A1 = oldA1 + r;
      first.A2 = -(oldA1 * r);
      const int target = mNumStages - placed - 1;
      if (first.A2 != 0.0 && target > 0) {
        mStages[target].A1 = first.A1;
        mStages[target].A2 = first.A2;
        first.A1 = 0.0;
        first.A2 = 0.0;
        ++placed;
      }
    } else if (p.imag() > 0.0) {
      const int target = mNumStages - placed - 1;
      if (target < 0) continue;
      mStages[target].A1 = 2.0 * p.real();
      mStages[target].A2 = -(p.real() * p.real() + p.imag() * p.imag());
      ++placed;
    }
  }

}

// As PlacePoles, for the numerators: a real zero r multiplies stage 0's numerator by (-r + z^-1).
void Cascade::PlaceZeros(const RootList& zeros) {
  Stage& first = mStages[0];
  int placed = 0;
  for (int i = 0; i < zeros.Count(); ++i) {
    const Complex z = Cleaned(zeros[i]);
    if (z.imag() == 0.0) {
      const double r = z.real();
      const double oldB0 = first.B0;
      const double oldB1 = first.B1;
      first.B0 = -r * oldB0;
      first.B1 = oldB0 - r * oldB1;
      first.B2 = oldB1;
      const int target = mNumStages - placed - 1;
      if (oldB1 != 0.0 && target > 0) {
        mStages[target].B0 = first.B0;
        mStages[target].B1 = first.B1;
        mStages[target].B2 = first.B2;
        first.B0 = 1.0;
        first.B1 = 0.0;
        first.B2 = 0.0;
        ++placed;
      }
    } else if (z.imag() > 0.0) {
      const int target = mNumStages - placed - 1;
      if (target < 0) continue;
      mStages[target].B0 = z.real() * z.real() + z.imag() * z.imag();
      mStages[target].B1 = -2.0 * z.real();
      mStages[target].B2 = 1.0;
      ++placed;
    }
  }
}

Complex Cascade::Response(double w) const {
  using PortableMath::Cos;
  using PortableMath::Sin;
  const double c1 = Cos(-w), s1 = Sin(-w), c2 = Cos(-2.0 * w), s2 = Sin(-2.0 * w);
  Complex numerator(1.0, 0.0);
  Complex denominator(1.0, 0.0);
  for (int i = 0; i < mNumStages; ++i) {
    const Stage& s = mStages[i];
    numerator = PortableMath::Mul(numerator, Complex(s.B0 + s.B1 * c1 + s.B2 * c2, s.B1 * s1 + s.B2 * s2));
    denominator = PortableMath::Mul(denominator, Complex(1.0 - s.A1 * c1 - s.A2 * c2, -(s.A1 * s1) - s.A2 * s2));
  }
  return PortableMath::Div(numerator, denominator);
}

}  // namespace Dsp
