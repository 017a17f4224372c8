#pragma once

#include "effect/dsp/PoleFilter.h"

// Base of the delay engine: the host sample rate, an oversampling factor and the two resampling
// low-passes designed for that factor. It resamples nothing itself: the engine processes exactly
// the samples it is given at the running rate, mSampleRate x mOversampling.
class AudioProcessor {
 public:
  using ResamplingFilter = Dsp::ChebyIILowPass<6, 2>;

  // Stores the factor (at least 1), designs the resampling filters, then prepares the engine.
  virtual void SetOversampling(int factor);
  // A setting the owner stores; the engine does not read it.
  virtual void SetAuxValue(double value) { mAuxValue = value; }
  // Designs both resampling filters again from identity stages; does not prepare the engine.
  virtual void ResetFilters();
  // Stores the host rate only: designs change at the next Prepare.
  virtual void SetSampleRate(int samplesPerSecond) { mSampleRate = samplesPerSecond; }
  // A whole-number setting the owner stores; the engine does not read it.
  virtual void SetAuxCount(int count) { mAuxCount = count; }
  // Processes count mono samples in place at the running rate.
  virtual void ProcessSamples(double* samples, int count) = 0;
  // Recomputes everything that depends on the running rate.
  virtual void Prepare() = 0;

  int SampleRate() const { return mSampleRate; }
  int Oversampling() const { return mOversampling; }
  int RunningRate() const { return mSampleRate * mOversampling; }
  double AuxValue() const { return mAuxValue; }
  double AuxCount() const { return mAuxCount; }
  const ResamplingFilter& UpsamplingFilter() const { return mUpsamplingFilter; }
  const ResamplingFilter& DownsamplingFilter() const { return mDownsamplingFilter; }

 protected:
  AudioProcessor() = default;
  // Owned by value, never deleted through the base.
  ~AudioProcessor() = default;

  int mSampleRate = 44100;
  int mOversampling = 1;
  double mAuxValue = 1.0;
  double mAuxCount = 0.0;

 private:
  void DesignResamplingFilters();

  ResamplingFilter mUpsamplingFilter;
  ResamplingFilter mDownsamplingFilter;
};
