#pragma once

#include <cstdint>

enum EBlendMethod : int32_t {
  kBlendOver = 0,   // paint over using the image's own alpha
  kBlendCopy = 1,   // opaque copy, the image's alpha ignored
  kBlendAdd = 2,    // additive, using the image's alpha
  kBlendDodge = 3,  // colour dodge, using the image's alpha
};

// How a control's image is combined with what lies beneath it.
struct IBlend {
  int32_t method = kBlendOver;
  float weight = 1.0f;  // constant opacity of the whole image, 0..1

  IBlend() = default;
  IBlend(int32_t m, float w) : method(m), weight(w) {}

  // The raster blit mode word for Raster_Composite; unknown methods paint over.
  int BlitMode() const;
};
