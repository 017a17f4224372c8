#pragma once

#include <cmath>
#include <functional>
#include <iomanip>
#include <vector>

#include <gtest/gtest.h>

namespace effect_test {

constexpr double kPi = 3.14159265358979323846;

inline double Db(double ratio) { return 20.0 * std::log10(ratio); }

// Passes when `actual` agrees with `expected` (given to `digits` significant digits) to within half
// a unit of its last digit, with a little room for the last bit of the computation.
inline ::testing::AssertionResult AgreesTo(double actual, double expected, int digits = 12) {
  const double magnitude = expected == 0.0 ? 1.0 : std::fabs(expected);
  const double unit = std::pow(10.0, std::floor(std::log10(magnitude)) - (digits - 1));
  if (std::fabs(actual - expected) <= 0.5 * unit + 4e-16 * magnitude) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << std::setprecision(17) << actual << " differs from " << expected;
}

// A sine of `amplitude` at `hz` (rate `rate`), `count` samples long, starting at phase 0.
inline std::vector<double> Sine(double hz, double rate, int count, double amplitude = 1.0) {
  std::vector<double> out(count);
  for (int i = 0; i < count; ++i) out[i] = amplitude * std::sin(2.0 * kPi * hz * i / rate);
  return out;
}

inline double Rms(const std::vector<double>& x, std::size_t from, std::size_t to) {
  double sum = 0.0;
  for (std::size_t i = from; i < to; ++i) sum += x[i] * x[i];
  return std::sqrt(sum / static_cast<double>(to - from));
}

// Steady-state gain in dB of a sample processor for a sine at `hz`: one second of signal, measured
// over its second half.
inline double SineGainDb(const std::function<double(double)>& process, double hz, double rate) {
  const int count = static_cast<int>(rate);
  std::vector<double> in = Sine(hz, rate, count);
  std::vector<double> out(count);
  for (int i = 0; i < count; ++i) out[i] = process(in[i]);
  return Db(Rms(out, count / 2, count) / Rms(in, count / 2, count));
}

}  // namespace effect_test
