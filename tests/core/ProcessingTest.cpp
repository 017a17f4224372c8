#include "tests/core/RecordingEffect.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A stereo plug-in with the default (copying) ProcessBlock, its channels connected and sized for
// eight-frame blocks.
struct Frame
{
  explicit Frame(const char* channelIO = "1-1 2-2", int blockSize = 8) : plug(1, channelIO)
  {
    plug.ConnectInputs(0, plug.InputCount(), true);
    plug.ConnectOutputs(0, plug.OutputCount(), true);
    plug.ChangeBlockSize(blockSize);
  }
  // Single-precision host buffers for both channels.
  bool AttachFloat(std::vector<float>& inL, std::vector<float>& inR, std::vector<float>& outL,
                   std::vector<float>& outR)
  {
    float* ins[] = {inL.data(), inR.data()};
    float* outs[] = {outL.data(), outR.data()};
    plug.AttachOutputs(0, 2, outs);
    return plug.AttachInputs(0, 2, ins, static_cast<int>(inL.size()));
  }
  RecordingEffect plug;
};

std::vector<double> Ramp(int n, double start)
{
  std::vector<double> v(n);
  for (int i = 0; i < n; ++i) v[i] = start + i;
  return v;
}

} // namespace

TEST(Processing, DefaultBlockCopiesInputsAndSilencesTheRest)
{
  Frame f("2-3");
  std::vector<double> inL = Ramp(8, 1), inR = Ramp(8, 11), outs[3];
  for (auto& out : outs) out.assign(8, 99.0);
  double* ins[] = {inL.data(), inR.data()};
  double* host[] = {outs[0].data(), outs[1].data(), outs[2].data()};
  f.plug.AttachInputs(0, 2, ins);
  f.plug.AttachOutputs(0, 3, host);
  ASSERT_TRUE(f.plug.RunBlock(8));
  EXPECT_EQ(outs[0], inL);
  EXPECT_EQ(outs[1], inR);
  EXPECT_EQ(outs[2], std::vector<double>(8, 0.0));
}

TEST(Processing, DisconnectedInputReadsSilenceAndTakesNoHostBuffer)
{
  Frame f;
  f.plug.ConnectInputs(1, 1, false);
  std::vector<double> in = Ramp(8, 1), outL(8), outR(8, 5.0);
  double* ins[] = {in.data()};
  double* outs[] = {outL.data(), outR.data()};
  f.plug.AttachInputs(0, 2, ins);
  f.plug.AttachOutputs(0, 2, outs);
  ASSERT_TRUE(f.plug.RunBlock(8));
  EXPECT_EQ(outL, in);
  EXPECT_EQ(outR, std::vector<double>(8, 0.0));
}

TEST(Processing, SinglePrecisionReplacingAndAdding)
{
  Frame f;
  std::vector<float> inL = {1, 2, 3, 4}, inR = {-1, -2, -3, -4}, outL(4, 7.f), outR(4, 7.f);
  ASSERT_TRUE(f.AttachFloat(inL, inR, outL, outR));
  ASSERT_TRUE(f.plug.RunBlockFloat(4));
  EXPECT_EQ(outL, inL);
  EXPECT_EQ(outR, inR);

  ASSERT_TRUE(f.plug.RunBlockFloatAdding(4));
  EXPECT_EQ(outL, (std::vector<float>{2, 4, 6, 8}));
}

// Scratch holds BlockSize() frames: the frame refuses more instead of writing past it, and the
// adapters split host blocks into pieces of that size.
TEST(Processing, BlocksLargerThanTheScratchAreRefused)
{
  struct Counting : RecordingEffect
  {
    void ProcessBlock(double**, double**, int) override { ++blocks; }
    int blocks = 0;
  } counting;
  counting.ConnectInputs(0, 2, true);
  counting.ConnectOutputs(0, 2, true);
  counting.ChangeBlockSize(8);

  std::vector<float> big(64, 1.f), outBig(64, 0.f);
  float* ins[] = {big.data(), big.data()};
  float* outs[] = {outBig.data(), outBig.data()};
  EXPECT_FALSE(counting.AttachInputs(0, 2, ins, 9));
  EXPECT_FALSE(counting.AttachInputs(0, 2, ins, -1));
  counting.AttachOutputs(0, 2, outs);
  for (int frames : {9, 64, -1}) {
    EXPECT_FALSE(counting.RunBlock(frames));
    EXPECT_FALSE(counting.RunBlockFloat(frames));
    EXPECT_FALSE(counting.RunBlockFloatAdding(frames));
    EXPECT_FALSE(counting.PassThrough(frames));
    EXPECT_FALSE(counting.PassThroughFloat(frames));
  }
  EXPECT_EQ(counting.blocks, 0);
  EXPECT_EQ(outBig, std::vector<float>(64, 0.f));

  // In pieces of the block size the same host block goes through.
  for (int start = 0; start < 64; start += 8) {
    float* pieceIn[] = {big.data() + start, big.data() + start};
    float* pieceOut[] = {outBig.data() + start, outBig.data() + start};
    ASSERT_TRUE(counting.AttachInputs(0, 2, pieceIn, 8));
    counting.AttachOutputs(0, 2, pieceOut);
    ASSERT_TRUE(counting.RunBlockFloat(8));
  }
  EXPECT_EQ(counting.blocks, 8);
  EXPECT_TRUE(counting.RunBlock(0));
}

TEST(Processing, ChangeBlockSizeClearsScratchOnlyOnChange)
{
  Frame f;
  std::vector<float> in = {1, 2, 3, 4};
  float* ins[] = {in.data(), in.data()};
  ASSERT_TRUE(f.plug.AttachInputs(0, 2, ins, 4));
  std::vector<double> outL(4), outR(4);
  double* outs[] = {outL.data(), outR.data()};
  f.plug.AttachOutputs(0, 2, outs);

  EXPECT_TRUE(f.plug.ChangeBlockSize(8));
  ASSERT_TRUE(f.plug.RunBlock(4));
  EXPECT_EQ(outL, (std::vector<double>{1, 2, 3, 4}));

  EXPECT_TRUE(f.plug.ChangeBlockSize(4096));
  EXPECT_EQ(f.plug.BlockSize(), 4096);
  ASSERT_TRUE(f.plug.RunBlock(4)); // the inputs still point at their (new, silent) scratch
  EXPECT_EQ(outL, std::vector<double>(4, 0.0));

  ASSERT_TRUE(f.plug.AttachInputs(0, 2, ins, 4));
  f.plug.ClearScratch();
  ASSERT_TRUE(f.plug.RunBlock(4));
  EXPECT_EQ(outR, std::vector<double>(4, 0.0));
  EXPECT_FALSE(f.plug.ChangeBlockSize(-1));
  EXPECT_EQ(f.plug.BlockSize(), 4096);
}

TEST(Processing, PassThroughWithLatencyThree)
{
  RecordingEffect plug;
  plug.ConnectInputs(0, 2, true);
  plug.ConnectOutputs(0, 2, true);
  plug.ChangeBlockSize(8);
  plug.ChangeLatency(3);
  ASSERT_TRUE(plug.CreateLatencyDelay());
  EXPECT_EQ(plug.LatencyDelay()->length, 3);

  // Two blocks through buffers used in place, as hosts often do.
  std::vector<double> left = Ramp(5, 1), right = Ramp(5, 101);
  double* l[] = {left.data(), right.data()};
  plug.AttachInputs(0, 2, l);
  plug.AttachOutputs(0, 2, l);
  ASSERT_TRUE(plug.PassThrough(5));
  EXPECT_EQ(left, (std::vector<double>{0, 0, 0, 1, 2}));
  EXPECT_EQ(right, (std::vector<double>{0, 0, 0, 101, 102}));

  left = Ramp(4, 6);
  right = Ramp(4, 106);
  double* next[] = {left.data(), right.data()};
  plug.AttachInputs(0, 2, next);
  plug.AttachOutputs(0, 2, next);
  ASSERT_TRUE(plug.PassThrough(4));
  EXPECT_EQ(left, (std::vector<double>{3, 4, 5, 6}));
  EXPECT_EQ(right, (std::vector<double>{103, 104, 105, 106}));

  // A new latency resizes and silences the rings.
  plug.ChangeLatency(2);
  EXPECT_EQ(plug.Latency(), 2);
  left = Ramp(3, 1);
  double* third[] = {left.data(), right.data()};
  plug.AttachInputs(0, 2, third);
  plug.AttachOutputs(0, 2, third);
  ASSERT_TRUE(plug.PassThrough(3));
  EXPECT_EQ(left, (std::vector<double>{0, 0, 1}));
}

TEST(Processing, PassThroughWithoutLatencyCopies)
{
  Frame f;
  ASSERT_TRUE(f.plug.CreateLatencyDelay()); // latency 0: the delay is not used
  std::vector<float> in = {1, 2, 3}, outL(3), outR(3, 9.f);
  ASSERT_TRUE(f.AttachFloat(in, in, outL, outR));
  ASSERT_TRUE(f.plug.PassThroughFloat(3));
  EXPECT_EQ(outL, in);
  EXPECT_EQ(outR, in);
}
