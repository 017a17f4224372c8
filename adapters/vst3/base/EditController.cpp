#include "adapters/vst3/base/EditController.h"

namespace vst3 {

EditController::~EditController() { releaseComponentHandler(); }

tresult PLUGIN_API EditController::initialize(FUnknown* context) { return ComponentBase::initialize(context); }

tresult PLUGIN_API EditController::terminate() {
    parameters.removeAll();
    releaseComponentHandler();
    return ComponentBase::terminate();
}

tresult PLUGIN_API EditController::setComponentState(IBStream*) { return kNotImplemented; }
tresult PLUGIN_API EditController::setState(IBStream*) { return kNotImplemented; }
tresult PLUGIN_API EditController::getState(IBStream*) { return kNotImplemented; }

int32 PLUGIN_API EditController::getParameterCount() { return parameters.getParameterCount(); }

tresult PLUGIN_API EditController::getParameterInfo(int32 paramIndex, ParameterInfo& info) {
    const Parameter* parameter = parameters.getParameterByIndex(paramIndex);
    if (!parameter) return kResultFalse;
    info = parameter->getInfo();
    return kResultTrue;
}

tresult PLUGIN_API EditController::getParamStringByValue(ParamID id, ParamValue valueNormalized, String128 string) {
    const Parameter* parameter = parameters.getParameter(id);
    if (!parameter || !string) return kResultFalse;
    parameter->toString(valueNormalized, string);
    return kResultTrue;
}

tresult PLUGIN_API EditController::getParamValueByString(ParamID id, TChar* string, ParamValue& valueNormalized) {
    const Parameter* parameter = parameters.getParameter(id);
    if (!parameter || !parameter->fromString(string, valueNormalized)) return kResultFalse;
    return kResultTrue;
}

ParamValue PLUGIN_API EditController::normalizedParamToPlain(ParamID id, ParamValue valueNormalized) {
    const Parameter* parameter = parameters.getParameter(id);
    return parameter ? parameter->toPlain(valueNormalized) : valueNormalized;
}

ParamValue PLUGIN_API EditController::plainParamToNormalized(ParamID id, ParamValue plainValue) {
    const Parameter* parameter = parameters.getParameter(id);
    return parameter ? parameter->toNormalized(plainValue) : plainValue;
}

ParamValue PLUGIN_API EditController::getParamNormalized(ParamID id) {
    const Parameter* parameter = parameters.getParameter(id);
    return parameter ? parameter->getNormalized() : 0.0;
}

tresult PLUGIN_API EditController::setParamNormalized(ParamID id, ParamValue value) {
    Parameter* parameter = parameters.getParameter(id);
    if (!parameter) return kResultFalse;
    parameter->setNormalized(value);
    return kResultTrue;
}

tresult PLUGIN_API EditController::setComponentHandler(IComponentHandler* handler) {
    if (handler == mComponentHandler) return kResultTrue;
    releaseComponentHandler();
    mComponentHandler = handler;
    if (mComponentHandler) {
        mComponentHandler->addRef();
        mComponentHandler2 = queryInterfaceOf<IComponentHandler2>(mComponentHandler);
    }
    return kResultTrue;
}

IPlugView* PLUGIN_API EditController::createView(FIDString) { return nullptr; }

tresult PLUGIN_API EditController::setKnobMode(KnobMode mode) {
    mKnobMode = mode;
    return kResultTrue;
}

tresult PLUGIN_API EditController::openHelp(TBool) { return kResultFalse; }
tresult PLUGIN_API EditController::openAboutBox(TBool) { return kResultFalse; }

tresult PLUGIN_API EditController::queryInterface(const TUID iidBytes, void** obj) {
    if (obj && iidBytes) {
        if (answerInterface<IEditController>(this, iidBytes, obj)) return kResultOk;
        if (answerInterface<IEditController2>(this, iidBytes, obj)) return kResultOk;
    }
    return ComponentBase::queryInterface(iidBytes, obj);
}

tresult EditController::beginEdit(ParamID id) {
    return mComponentHandler ? mComponentHandler->beginEdit(id) : kResultFalse;
}

tresult EditController::performEdit(ParamID id, ParamValue valueNormalized) {
    return mComponentHandler ? mComponentHandler->performEdit(id, valueNormalized) : kResultFalse;
}

tresult EditController::endEdit(ParamID id) { return mComponentHandler ? mComponentHandler->endEdit(id) : kResultFalse; }

tresult EditController::restartComponent(int32 flags) {
    return mComponentHandler ? mComponentHandler->restartComponent(flags) : kResultFalse;
}

void EditController::releaseComponentHandler() {
    if (mComponentHandler2) mComponentHandler2->release();
    if (mComponentHandler) mComponentHandler->release();
    mComponentHandler2 = nullptr;
    mComponentHandler = nullptr;
}

} // namespace vst3
