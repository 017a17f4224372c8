#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "effect/dsp/PortableMath.h"

namespace {

namespace pm = Dsp::PortableMath;

// Largest difference from the C runtime over `count` arguments spread across [from, to], in units
// of the runtime value's last place (at least one unit of 1e-300, for results near 0).
double WorstUlps(const std::function<double(double)>& ours, double (*runtime)(double), double from, double to,
                 int count = 20001) {
  double worst = 0.0;
  for (int i = 0; i < count; ++i) {
    const double x = from + (to - from) * i / (count - 1);
    const double expected = runtime(x);
    const double ulp = std::max(std::fabs(std::nextafter(expected, INFINITY) - expected), 1e-300);
    worst = std::max(worst, std::fabs(ours(x) - expected) / ulp);
  }
  return worst;
}

TEST(PortableMath, AgreesWithTheRuntimeToAFewUnitsInTheLastPlace) {
  struct Case {
    const char* name;
    std::function<double(double)> ours;
    double (*runtime)(double);
    double from, to, ulps;
  };
  const Case cases[] = {
      {"Tanh", pm::Tanh, std::tanh, -25.0, 25.0, 4},
      {"Tanh near 0", pm::Tanh, std::tanh, -1e-3, 1e-3, 4},
      {"Expm1", pm::Expm1, std::expm1, -30.0, 30.0, 4},
      {"Exp", pm::Exp, std::exp, -700.0, 700.0, 4},
      {"Log", pm::Log, std::log, 1e-6, 1e6, 4},
      {"Log near 1", pm::Log, std::log, 0.9, 1.1, 4},
      {"Sin", pm::Sin, std::sin, -20.0, 20.0, 4},
      {"Cos", pm::Cos, std::cos, -20.0, 20.0, 4},
      {"Tan", pm::Tan, std::tan, -1.5, 1.5, 4},
      {"Sinh", pm::Sinh, std::sinh, -20.0, 20.0, 6},
      {"Cosh", pm::Cosh, std::cosh, -20.0, 20.0, 6},
  };
  for (const Case& c : cases) EXPECT_LE(WorstUlps(c.ours, c.runtime, c.from, c.to), c.ulps) << c.name;
  EXPECT_LE(WorstUlps([](double y) { return pm::Pow(10.0, y); }, [](double y) { return std::pow(10.0, y); }, -3.0,
                      3.0),
            16.0);  // e^(y ln x): the error of y ln x grows with it
}

TEST(PortableMath, BlockTanhIsTanhBitForBit) {
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<double> values = {0.0, -0.0, 1e-300, -1e-300, 21.999, 22.0, -22.0, 1e300, inf, -inf,
                                std::numeric_limits<double>::quiet_NaN()};
  for (int i = 0; i < 4001; ++i) values.push_back(-30.0 + 0.015 * i);  // odd count: a scalar tail
  std::vector<double> block = values;
  pm::TanhInPlace(block.data(), static_cast<int>(block.size()));
  for (std::size_t i = 0; i < values.size(); ++i) {
    const double expected = pm::Tanh(values[i]);
    ASSERT_EQ(std::memcmp(&block[i], &expected, sizeof expected), 0) << values[i] << ": " << block[i];
  }
}

TEST(PortableMath, EdgesOfTheDomains) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(pm::Tanh(inf), 1.0);
  EXPECT_EQ(pm::Tanh(-inf), -1.0);
  EXPECT_EQ(pm::Tanh(22.0), 1.0);
  EXPECT_EQ(pm::Tanh(1e-300), 1e-300);
  EXPECT_TRUE(std::isnan(pm::Tanh(nan)));
  EXPECT_EQ(pm::Tanh(10.0), std::tanh(10.0));  // 0.99999999587...
  EXPECT_EQ(pm::Exp(1000.0), inf);
  EXPECT_EQ(pm::Exp(-1000.0), 0.0);
  EXPECT_EQ(pm::Log(0.0), -inf);
  EXPECT_TRUE(std::isnan(pm::Log(-1.0)));
  EXPECT_NEAR(pm::Log(1e-310), std::log(1e-310), 1e-12);  // below the normal range
  EXPECT_TRUE(std::isnan(pm::Sin(inf)));
}

TEST(PortableMath, ComplexDivisionAndMagnitude) {
  const Dsp::Complex cases[][2] = {
      {{1.0, 2.0}, {3.0, -4.0}}, {{-2.5, 0.5}, {0.001, 7.0}}, {{1e300, 1e300}, {1e300, -1e300}}, {{3.0, 0.0}, {0.0, 2.0}}};
  for (const auto& c : cases) {
    const Dsp::Complex quotient = pm::Div(c[0], c[1]);
    const Dsp::Complex expected = c[0] / c[1];
    EXPECT_NEAR(quotient.real(), expected.real(), 4e-16 * std::abs(expected)) << c[0] << " / " << c[1];
    EXPECT_NEAR(quotient.imag(), expected.imag(), 4e-16 * std::abs(expected)) << c[0] << " / " << c[1];
    EXPECT_NEAR(pm::Abs(c[1]), std::abs(c[1]), 4e-16 * std::abs(c[1])) << c[1];
  }
}

}  // namespace
