#pragma once

#include <atomic>
#include <memory>

// Parameter values that threads other than the editor's (the audio thread, a host restoring
// state) leave for the editor. Each parameter has one slot holding its latest value; the editor's
// tick takes what is pending and shows it. Posting is lock-free and never allocates, so the audio
// thread may post; taking belongs to the editor's thread alone.
class IParamMailbox
{
public:
  // One slot per parameter, made once, before any thread posts.
  explicit IParamMailbox(int params);

  // Any thread. Indices outside the slots are ignored.
  void Post(int paramIdx, double normalized);

  // Editor thread: calls apply(paramIdx, normalized) for every parameter posted since the last take,
  // with the latest value posted.
  template <class Apply>
  void TakeAll(Apply apply)
  {
    for (int i = 0; i < mCount; ++i) {
      Slot& slot = mSlots[i];
      if (!slot.pending.exchange(false, std::memory_order_acquire)) continue;
      apply(i, slot.value.load(std::memory_order_relaxed));
    }
  }

private:
  struct Slot
  {
    std::atomic<double> value{0.0};
    std::atomic<bool> pending{false};
  };
  static_assert(std::atomic<double>::is_always_lock_free, "the audio thread posts values");

  std::unique_ptr<Slot[]> mSlots;
  int mCount;
};
