#pragma once
// The host side of reference counting: the test host owns every object it hands to the plug-in
// and keeps it until the end of its session, so Release never deletes; the count only tells
// whether the plug-in gave back every reference it took.

#include "adapters/aax/support/AcfInterfaces.h"

#include <atomic>
#include <cstdint>
#include <initializer_list>

namespace aaxhost {

template <class Interface>
class HostObject : public Interface {
public:
    uint32_t AddRef() override { return mReferences.fetch_add(1) + 1; }
    uint32_t Release() override { return mReferences.fetch_sub(1) - 1; }
    // References the plug-in holds (negative when it released more than it took).
    int32_t references() const { return static_cast<int32_t>(mReferences.load()); }

protected:
    // Answers `iid` with this object when it is one of `accepted`.
    int32_t answer(const aax::acfIID& iid, void** out, std::initializer_list<aax::acfIID> accepted) {
        if (!out) return aax::ACF_E_POINTER;
        *out = nullptr;
        for (const aax::acfIID& candidate : accepted) {
            if (iid == candidate) {
                *out = static_cast<Interface*>(this);
                AddRef();
                return aax::ACF_OK;
            }
        }
        return aax::ACF_E_NOINTERFACE;
    }

private:
    std::atomic<uint32_t> mReferences{0};
};

} // namespace aaxhost
