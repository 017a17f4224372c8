#pragma once
// Reference counting for the objects the plug-in hands to the host. An object starts with no
// reference: whoever receives it takes one through QueryInterface or AddRef, and the last Release
// deletes it. Counts are atomic because hosts call from several threads. Every live object is
// counted process-wide so that the module can tell the host whether it may be unloaded.

#include "adapters/aax/support/AaxTypes.h"
#include "adapters/aax/support/AcfInterfaces.h"

#include <atomic>
#include <cstdint>

namespace aax {

class CACFUnknown {
public:
    CACFUnknown();
    virtual ~CACFUnknown();
    CACFUnknown(const CACFUnknown&) = delete;
    CACFUnknown& operator=(const CACFUnknown&) = delete;

    uint32_t InternalAddRef();
    // Deletes the object when the count reaches zero.
    uint32_t InternalRelease();
    uint32_t ReferenceCount() const { return mReferences.load(); }

    // Objects of this library alive in the process.
    static int32_t LiveObjectCount();

private:
    std::atomic<uint32_t> mReferences{0};
};

// Stores `object` in *out with one more reference and reports success; the caller has matched the
// identifier already.
template <class Interface, class Object>
int32_t answerInterface(Object* object, void** out) {
    Interface* view = object;
    *out = view;
    object->InternalAddRef();
    return ACF_OK;
}

// Runs `body` so that no exception reaches the host: an escaped exception becomes `onException`.
template <class Body>
int32_t guardedCall(int32_t onException, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return onException;
    }
}

} // namespace aax

// The IACFUnknown slots of a class whose reference count lives in its CACFUnknown part.
#define QUIL_AAX_REFCOUNT                                                                    \
    uint32_t AddRef() override { return InternalAddRef(); }                                  \
    uint32_t Release() override { return InternalRelease(); }
