#pragma once

#include <algorithm>

#include "effect/dsp/Cascade.h"
#include "effect/dsp/Layout.h"

namespace Dsp {

// Design families: each writes an analog low-pass prototype with a cutoff of 1 rad/s.
struct Butter {
  static void Design(int order, const DesignParams& params, Layout& analog);
};

struct ChebyII {
  // params.stopBandDb is the minimum stop-band attenuation; the cutoff is the stop-band edge.
  static void Design(int order, const DesignParams& params, Layout& analog);
};

// Kinds: map an analog prototype to the digital layout.
struct LowPass {
  // Bilinear transform pre-warped to params.cutoffFrequency / params.sampleRate.
  static void Transform(const DesignParams& params, const Layout& analog, Layout& digital);
};

// A cascade designed from poles and zeros.
class PoleFilter : public CascadeFilter {
 public:
  virtual void Setup(const DesignParams& params) = 0;

 protected:
  using CascadeFilter::CascadeFilter;
  ~PoleFilter() = default;
};

// Storage and design of a pole/zero filter of at most Order poles for ChannelCount channels.
template <class DesignT, class KindT, int Order, int ChannelCount>
class PoleFilterSpace : private CascadeSpace<Order, ChannelCount>, public PoleFilter {
  using Space = CascadeSpace<Order, ChannelCount>;

 public:
  // Never designed: no stages, so samples pass unchanged.
  PoleFilterSpace()
      : PoleFilter(Space::mStageStorage, Space::kStages, 0, Space::mStateStorage, ChannelCount) {}

  // Keeps the channel state, so a running filter can be redesigned.
  void Setup(const DesignParams& params) override {
    // Storage is sized for Order: a larger order is designed at Order.
    const int order = std::min(params.order, Order);
    DesignT::Design(order, params, mAnalog);
    KindT::Transform(params, mAnalog, mDigital);
    SetLayout(mDigital);
  }

  const Layout& DigitalLayout() const { return mDigital; }

 private:
  LayoutSpace<Order> mAnalog;
  LayoutSpace<Order> mDigital;
};

template <int Order, int ChannelCount>
class ButterLowPass : public PoleFilterSpace<Butter, LowPass, Order, ChannelCount> {};

template <int Order, int ChannelCount>
class ChebyIILowPass : public PoleFilterSpace<ChebyII, LowPass, Order, ChannelCount> {};

}  // namespace Dsp
