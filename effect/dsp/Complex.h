#pragma once

#include <complex>
#include <limits>

namespace Dsp {

// Roots of pole/zero layouts. std::complex's magnitude is computed without intermediate overflow.
using Complex = std::complex<double>;

// The "root at infinity" of analog low-pass prototypes (all of their zeros).
inline const Complex kInfinity{std::numeric_limits<double>::infinity(), 0.0};

}  // namespace Dsp
