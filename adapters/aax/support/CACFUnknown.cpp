#include "adapters/aax/support/CACFUnknown.h"

namespace aax {
namespace {

std::atomic<int32_t> gLiveObjects{0};

} // namespace

CACFUnknown::CACFUnknown() { gLiveObjects.fetch_add(1); }

CACFUnknown::~CACFUnknown() { gLiveObjects.fetch_sub(1); }

uint32_t CACFUnknown::InternalAddRef() { return mReferences.fetch_add(1) + 1; }

uint32_t CACFUnknown::InternalRelease() {
    uint32_t count = mReferences.load();
    // A release without a reference (a host fault) must not wrap the count and delete twice.
    do {
        if (count == 0) return 0;
    } while (!mReferences.compare_exchange_weak(count, count - 1));
    if (count == 1) delete this;
    return count - 1;
}

int32_t CACFUnknown::LiveObjectCount() { return gLiveObjects.load(); }

} // namespace aax
