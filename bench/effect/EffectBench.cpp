#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "effect/FenwoxQuil.h"

namespace {

constexpr int kBlock = 512;

// A plug-in opened by a host at `rate`, engaged, with saturation and hiss on.
std::unique_ptr<FenwoxQuil> OpenPedal(double rate) {
  auto plug = std::make_unique<FenwoxQuil>();
  plug->SeedNoise(1);
  plug->ConnectInputs(0, 2, true);
  plug->ConnectOutputs(0, 2, true);
  plug->ChangeBlockSize(kBlock);
  plug->SetHostSampleRate(rate);
  plug->ResetDsp();
  plug->NotifyAllParams();
  return plug;
}

void SetPlain(FenwoxQuil& plug, int paramIdx, double plain) {
  plug.Param(paramIdx)->SetValue(plain);
  plug.ParameterChanged(paramIdx, false);
}

// ProcessBlock at 48 kHz; the figure to read is ns_per_sample (one stereo frame).
void ProcessBlock(benchmark::State& state, int range, double time) {
  std::unique_ptr<FenwoxQuil> plug = OpenPedal(48000.0);
  SetPlain(*plug, FenwoxQuil::kDelayRange, range);
  SetPlain(*plug, FenwoxQuil::kTime, time);
  SetPlain(*plug, FenwoxQuil::kFeedback, 60);
  SetPlain(*plug, FenwoxQuil::kEffectLevel, 80);
  SetPlain(*plug, FenwoxQuil::kEffectActive, 1);
  // A second of a 500 Hz tone, fed block after block; copying a block in costs far less than the
  // processing measured.
  std::vector<double> tone(48000);
  for (std::size_t i = 0; i < tone.size(); ++i) tone[i] = 0.25 * std::sin(2.0 * 3.14159265358979 * 500.0 * i / 48000.0);
  std::vector<double> left(kBlock), right(kBlock);
  double* ins[] = {left.data(), right.data()};
  std::size_t position = 0;
  for (auto _ : state) {
    std::copy_n(tone.begin() + position, kBlock, left.begin());
    std::copy_n(tone.begin() + position, kBlock, right.begin());
    position = (position + kBlock) % (tone.size() - kBlock);
    plug->ProcessBlock(ins, ins, kBlock);
    benchmark::DoNotOptimize(left.data());
    benchmark::DoNotOptimize(right.data());
  }
  const double samples = static_cast<double>(state.iterations()) * kBlock;
  state.counters["ns_per_sample"] =
      benchmark::Counter(samples * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["x_realtime"] = benchmark::Counter(samples / 48000.0, benchmark::Counter::kIsRate);
}

// Range 0 at time 0 is the worst case: 83 memory positions written per sample.
void BM_Range0Time0(benchmark::State& state) { ProcessBlock(state, 0, 1); }
void BM_LongRangeLongestTime(benchmark::State& state) { ProcessBlock(state, 2, 100); }
void BM_Hold(benchmark::State& state) { ProcessBlock(state, 3, 50); }
BENCHMARK(BM_Range0Time0);
BENCHMARK(BM_LongRangeLongestTime);
BENCHMARK(BM_Hold);

// Heap one instance holds at a host rate (the object included), as the allocator counts small and
// mapped blocks; most of it is the delay memory.
void BM_MemoryPerInstance(benchmark::State& state) {
  const double rate = static_cast<double>(state.range(0));
  double heldBytes = 0.0;
  double storageBytes = 0.0;
  for (auto _ : state) {
    const struct mallinfo2 before = mallinfo2();
    std::unique_ptr<FenwoxQuil> plug = OpenPedal(rate);
    const struct mallinfo2 after = mallinfo2();
    heldBytes = static_cast<double>(after.uordblks - before.uordblks + after.hblkhd - before.hblkhd);
    storageBytes = static_cast<double>(plug->Engine().Memory().StorageBytes());
  }
  constexpr double kMiB = 1024.0 * 1024.0;
  state.counters["MiB_held"] = heldBytes / kMiB;
  state.counters["delay_memory_MiB"] = storageBytes / kMiB;
  state.counters["object_KiB"] = sizeof(FenwoxQuil) / 1024.0;
}
BENCHMARK(BM_MemoryPerInstance)->Arg(44100)->Arg(48000)->Arg(96000)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
