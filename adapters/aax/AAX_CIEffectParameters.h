#pragma once
// The data-model part of a plug-in instance: the support library's effect-parameters base with the
// processing context's instance field and the render entry the processing procedure calls.

#include "adapters/aax/support/AAX_CEffectParameters.h"

class AAX_CIEffectParameters : public aax::AAX_CEffectParameters {
public:
    // Context fields of the processing component.
    enum EField : aax::AAX_CFieldIndex {
        kFieldAudioIn = 0,
        kFieldAudioOut = 1,
        kFieldBufferLength = 3,
        kFieldInputMidi = 5,
        kFieldGlobalMidi = 6,
        kFieldTransport = 7,
        kFieldInstance = 8,
        kFieldMeters = 9,
    };

    // One block of one instance: `context` holds the fields above.
    virtual void RenderInstance(void* const* context) = 0;

protected:
    // The instance field receives a pointer to this object; every other field is zeroed.
    int32_t InitFieldData(int32_t field, void* data, uint32_t size) const override;
};

// The native processing procedure: renders every instance whose context carries its object.
void RenderCallback(void* const contextsBegin[], const void* contextsEnd);
