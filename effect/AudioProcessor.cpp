#include "effect/AudioProcessor.h"

void AudioProcessor::SetOversampling(int factor) {
  mOversampling = factor < 1 ? 1 : factor;
  DesignResamplingFilters();
  Prepare();
}

void AudioProcessor::ResetFilters() {
  // A design starts every stage from identity, so redesigning is the whole reset.
  DesignResamplingFilters();
}

void AudioProcessor::DesignResamplingFilters() {
  Dsp::DesignParams params;
  params.order = 6;
  params.sampleRate = 1.0;
  // The host Nyquist frequency as a fraction of the running rate; written without the host rate
  // (which cancels) so that a rate not yet known cannot make it 0/0.
  params.cutoffFrequency = 0.5 / mOversampling;
  params.stopBandDb = 9.0;
  mUpsamplingFilter.Setup(params);
  mDownsamplingFilter.Setup(params);
}
