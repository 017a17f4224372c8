#include "editor/IBlend.h"

#include "raster/Blit.h"

int IBlend::BlitMode() const {
  switch (method) {
    case kBlendCopy: return kBlitCopy;
    case kBlendAdd: return kBlitAdd | kBlitUseSourceAlpha;
    case kBlendDodge: return kBlitDodge | kBlitUseSourceAlpha;
    default: return kBlitCopy | kBlitUseSourceAlpha;
  }
}
