#pragma once
// Controller half of a plug-in: the exported parameters and the host's component handler.

#include "adapters/vst3/api/EditController.h"
#include "adapters/vst3/base/ComponentBase.h"
#include "adapters/vst3/base/ParameterContainer.h"

namespace vst3 {

class EditController : public ComponentBase, public IEditController, public IEditController2 {
public:
    EditController() = default;
    ~EditController() override;

    tresult PLUGIN_API initialize(FUnknown* context) override;
    // Drops the parameters and the component handler, then the host context.
    tresult PLUGIN_API terminate() override;

    tresult PLUGIN_API setComponentState(IBStream* state) override;
    tresult PLUGIN_API setState(IBStream* state) override;
    tresult PLUGIN_API getState(IBStream* state) override;
    int32 PLUGIN_API getParameterCount() override;
    tresult PLUGIN_API getParameterInfo(int32 paramIndex, ParameterInfo& info) override;
    tresult PLUGIN_API getParamStringByValue(ParamID id, ParamValue valueNormalized, String128 string) override;
    tresult PLUGIN_API getParamValueByString(ParamID id, TChar* string, ParamValue& valueNormalized) override;
    ParamValue PLUGIN_API normalizedParamToPlain(ParamID id, ParamValue valueNormalized) override;
    ParamValue PLUGIN_API plainParamToNormalized(ParamID id, ParamValue plainValue) override;
    ParamValue PLUGIN_API getParamNormalized(ParamID id) override;
    tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) override;
    // Keeps the handler (one reference) and its optional second interface.
    tresult PLUGIN_API setComponentHandler(IComponentHandler* handler) override;
    IPlugView* PLUGIN_API createView(FIDString name) override;

    tresult PLUGIN_API setKnobMode(KnobMode mode) override;
    tresult PLUGIN_API openHelp(TBool onlyCheck) override;
    tresult PLUGIN_API openAboutBox(TBool onlyCheck) override;

    tresult PLUGIN_API queryInterface(const TUID iidBytes, void** obj) override;
    QUIL_VST3_REFCOUNT_FROM(ComponentBase)
    QUIL_VST3_CLASS_NAME(EditController, ComponentBase)

    // Edit notifications to the host; false when it gave no component handler.
    tresult beginEdit(ParamID id);
    tresult performEdit(ParamID id, ParamValue valueNormalized);
    tresult endEdit(ParamID id);
    tresult restartComponent(int32 flags);

    IComponentHandler* getComponentHandler() const { return mComponentHandler; }
    KnobMode getKnobMode() const { return mKnobMode; }

protected:
    ParameterContainer parameters;

private:
    void releaseComponentHandler();

    IComponentHandler* mComponentHandler = nullptr;
    IComponentHandler2* mComponentHandler2 = nullptr;
    KnobMode mKnobMode = kCircularMode;
};

} // namespace vst3
