#include "adapters/aax/AAX_CIEffectParameters.h"

#include <cstring>

int32_t AAX_CIEffectParameters::InitFieldData(int32_t field, void* data, uint32_t size) const {
    if (field != kFieldInstance) return aax::AAX_CEffectParameters::InitFieldData(field, data, size);
    // A block too small for the pointer is refused and left as it is.
    if (size < sizeof(AAX_CIEffectParameters*)) return aax::AAX_ERROR_INVALID_ARGUMENT;
    const AAX_CIEffectParameters* self = this;
    std::memset(data, 0, size);
    std::memcpy(data, &self, sizeof self);
    return aax::AAX_SUCCESS;
}

void RenderCallback(void* const contextsBegin[], const void* contextsEnd) {
    if (!contextsBegin) return;
    // Older hosts end the list with a null entry instead of giving its end.
    const auto end = static_cast<void* const*>(contextsEnd);
    for (void* const* entry = contextsBegin; end ? entry < end : *entry != nullptr; ++entry) {
        auto* const* context = static_cast<void* const*>(*entry);
        if (!context) continue;
        const void* block = context[AAX_CIEffectParameters::kFieldInstance];
        if (!block) continue;
        AAX_CIEffectParameters* instance = nullptr;
        std::memcpy(&instance, block, sizeof instance);
        if (!instance) continue;
        try {
            instance->RenderInstance(context);
        } catch (...) {
            // Nothing may unwind into the host's audio engine; the block stays as the host gave it.
        }
    }
}
