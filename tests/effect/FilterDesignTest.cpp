#include <cmath>
#include <complex>
#include <vector>

#include <gtest/gtest.h>

#include "effect/dsp/PoleFilter.h"
#include "effect/dsp/Shelf.h"
#include "tests/effect/SignalHelpers.h"

namespace {

using effect_test::AgreesTo;
using effect_test::Db;
using effect_test::kPi;

constexpr double kRate = 44100.0;

double GainDbAt(const Dsp::Cascade& filter, double hz, double rate = kRate) {
  return Db(std::abs(filter.Response(2.0 * kPi * hz / rate)));
}

void ExpectStage(const Dsp::Stage& s, double a1, double a2, double b0, double b1, double b2) {
  EXPECT_TRUE(AgreesTo(s.A1, a1));
  EXPECT_TRUE(AgreesTo(s.A2, a2));
  EXPECT_TRUE(AgreesTo(s.B0, b0));
  EXPECT_TRUE(AgreesTo(s.B1, b1));
  EXPECT_TRUE(AgreesTo(s.B2, b2));
}

Dsp::DesignParams LowPassParams(int order, double cutoff, double stopBandDb = 0.0) {
  Dsp::DesignParams p;
  p.order = order;
  p.sampleRate = 1.0;
  p.cutoffFrequency = cutoff;
  p.stopBandDb = stopBandDb;
  return p;
}

TEST(ShelfDesign, EmphasisAndDeEmphasisCoefficientsAndGains) {
  Dsp::HighShelf high;
  high.Setup(3386.0 / kRate, 6.0, 0.707);
  ExpectStage(high.StageAt(0), 1.15648250299, -0.372680420556, 1.75869157605, -2.41507277610,
              0.872579117612);
  EXPECT_NEAR(GainDbAt(high, 0.0), 0.0, 5e-4);
  EXPECT_NEAR(GainDbAt(high, 3386.0), 3.0, 5e-4);
  EXPECT_NEAR(GainDbAt(high, 22050.0), 6.0, 5e-4);

  Dsp::LowShelf low;
  low.Setup(3386.0 / kRate, -6.0, 0.707);
  ExpectStage(low.StageAt(0), 1.15648250299, -0.372680420556, 0.881433765806, -1.21040364366,
              0.437325514077);
  EXPECT_NEAR(GainDbAt(low, 0.0), -6.0, 5e-4);
  EXPECT_NEAR(GainDbAt(low, 3386.0), -3.0, 5e-4);
  EXPECT_NEAR(GainDbAt(low, 22050.0), 0.0, 5e-4);
}

TEST(ButterworthDesign, OrderThreeHasOneFirstOrderSectionThenAPair) {
  Dsp::ButterLowPass<3, 1> filter;
  filter.Setup(LowPassParams(3, 7000.0 / kRate));
  ASSERT_EQ(filter.NumStages(), 2);
  // The real pole's rounding residue in its imaginary part does not make it a pair.
  ExpectStage(filter.StageAt(0), 0.294857945771, 0.0, 0.0567899512084, 0.0567899512084, 0.0);
  ExpectStage(filter.StageAt(1), 0.764142692421, -0.408437848188, 1.0, 2.0, 1.0);
  EXPECT_NEAR(GainDbAt(filter, 0.0), 0.0, 1e-12);
  EXPECT_NEAR(GainDbAt(filter, 7000.0), -3.01, 0.005);
  EXPECT_NEAR(GainDbAt(filter, 10000.0), -12.3, 0.05);
}

TEST(ButterworthDesign, OrderTwoIsOneNormalisedStage) {
  Dsp::ButterLowPass<2, 1> filter;
  filter.Setup(LowPassParams(2, 7000.0 / kRate));
  ASSERT_EQ(filter.NumStages(), 1);
  ExpectStage(filter.StageAt(0), 0.680740701688, -0.254714569108, 0.143493466855, 0.286986933710,
              0.143493466855);
  EXPECT_NEAR(GainDbAt(filter, 7000.0), -3.01, 0.005);
  EXPECT_NEAR(GainDbAt(filter, 10000.0), -8.65, 0.005);
}

TEST(ChebyshevDesign, StopBandEdgeAndFloorAtTheGivenAttenuation) {
  Dsp::ChebyIILowPass<6, 2> filter;
  filter.Setup(LowPassParams(6, 0.25, 9.0));
  ASSERT_EQ(filter.NumStages(), 3);
  EXPECT_NEAR(GainDbAt(filter, 0.0, 1.0), 0.0, 1e-9);
  EXPECT_NEAR(GainDbAt(filter, 0.2, 1.0), -0.005, 0.0005);
  EXPECT_NEAR(GainDbAt(filter, 0.25, 1.0), -9.0, 0.0005);
  EXPECT_NEAR(GainDbAt(filter, 0.5, 1.0), -9.0, 0.0005);
  for (double f = 0.25; f <= 0.5; f += 0.001) EXPECT_LE(GainDbAt(filter, f, 1.0), -9.0 + 1e-6) << f;
}

TEST(ChebyshevDesign, AnalogZerosLieOnTheImaginaryAxisInListOrder) {
  // The digital zeros are the bilinear images of the analog ones: undo the transform to check them.
  Dsp::ChebyIILowPass<6, 1> filter;
  filter.Setup(LowPassParams(6, 0.25, 9.0));
  const double k = std::tan(kPi * 0.25);
  const double expected[] = {-1.4142, 3.8637, 1.0353, 1.4142, -3.8637, -1.0353};
  const Dsp::Layout& digital = filter.DigitalLayout();
  ASSERT_EQ(digital.zeros.Count(), 6);
  for (int i = 0; i < 6; ++i) {
    const Dsp::Complex z = digital.zeros[i];
    const Dsp::Complex analog = (z - 1.0) / (z + 1.0) / k;
    EXPECT_NEAR(analog.real(), 0.0, 1e-12);
    EXPECT_NEAR(analog.imag(), expected[i], 1e-4);
  }
}

TEST(CascadeProcessing, ImpulseResponseMatchesTheComputedResponse) {
  Dsp::ButterLowPass<3, 1> butter;
  butter.Setup(LowPassParams(3, 7000.0 / kRate));
  Dsp::HighShelf shelf;
  shelf.Setup(3386.0 / kRate, 6.0, 0.707);
  for (Dsp::CascadeFilter* filter : {static_cast<Dsp::CascadeFilter*>(&butter), static_cast<Dsp::CascadeFilter*>(&shelf)}) {
    std::vector<double> h(4000);
    for (std::size_t n = 0; n < h.size(); ++n) h[n] = filter->ProcessSample(n == 0 ? 1.0 : 0.0);
    for (double w : {0.0, 0.3, 1.0, 2.5}) {
      Dsp::Complex sum;
      for (std::size_t n = 0; n < h.size(); ++n) sum += h[n] * std::polar(1.0, -w * n);
      const Dsp::Complex expected = filter->Response(w);
      EXPECT_NEAR(sum.real(), expected.real(), 1e-9) << w;
      EXPECT_NEAR(sum.imag(), expected.imag(), 1e-9) << w;
    }
  }
}

TEST(CascadeProcessing, InterleavedChannelsKeepTheirOwnState) {
  Dsp::ChebyIILowPass<6, 2> stereo;
  Dsp::ChebyIILowPass<6, 1> left;
  Dsp::ChebyIILowPass<6, 1> right;
  for (Dsp::PoleFilter* f : {static_cast<Dsp::PoleFilter*>(&stereo), static_cast<Dsp::PoleFilter*>(&left),
                             static_cast<Dsp::PoleFilter*>(&right)})
    f->Setup(LowPassParams(6, 0.2, 20.0));
  // Two frames per call, one spare sample after each frame.
  std::vector<double> block(6);
  for (int call = 0; call < 50; ++call) {
    const double a = std::sin(call * 0.7);
    const double b = call % 3 == 0 ? 1.0 : -0.25;
    const double spare = 99.0;
    block = {a, b, spare, -a, 2 * b, spare};
    stereo.Process(2, block.data(), 1);
    double l0 = a, l1 = -a, r0 = b, r1 = 2 * b;
    left.Process(1, &l0, 0);
    left.Process(1, &l1, 0);
    right.Process(1, &r0, 0);
    right.Process(1, &r1, 0);
    EXPECT_DOUBLE_EQ(block[0], l0);
    EXPECT_DOUBLE_EQ(block[1], r0);
    EXPECT_EQ(block[2], spare);
    EXPECT_DOUBLE_EQ(block[3], l1);
    EXPECT_DOUBLE_EQ(block[4], r1);
    EXPECT_EQ(block[5], spare);
  }
}

TEST(CascadeProcessing, UndesignedPassesAndSilenceLeavesOnlyTheDenormalBias) {
  Dsp::ButterLowPass<3, 1> undesigned;
  EXPECT_EQ(undesigned.NumStages(), 0);
  EXPECT_EQ(undesigned.ProcessSample(0.625), 0.625);

  Dsp::HighShelf shelf;
  shelf.Setup(3386.0 / kRate, 6.0, 0.707);
  Dsp::ButterLowPass<3, 1> butter;
  butter.Setup(LowPassParams(3, 7000.0 / kRate));
  double shelfOut = 0.0, butterOut = 0.0;
  for (int i = 0; i < 10000; ++i) {
    shelfOut = shelf.ProcessSample(0.0);
    butterOut = butter.ProcessSample(0.0);
  }
  EXPECT_NEAR(shelfOut, 1e-25, 0.1e-25);
  EXPECT_NEAR(butterOut, 7e-25, 0.5e-25);
}

}  // namespace
