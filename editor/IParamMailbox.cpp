#include "editor/IParamMailbox.h"

IParamMailbox::IParamMailbox(int params) : mSlots(new Slot[params > 0 ? params : 0]), mCount(params > 0 ? params : 0)
{
}

void IParamMailbox::Post(int paramIdx, double normalized)
{
  if (paramIdx < 0 || paramIdx >= mCount) return;
  Slot& slot = mSlots[paramIdx];
  // The value first: a tick that sees the flag finds this value or a later one.
  slot.value.store(normalized, std::memory_order_relaxed);
  slot.pending.store(true, std::memory_order_release);
}
