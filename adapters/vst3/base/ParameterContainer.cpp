#include "adapters/vst3/base/ParameterContainer.h"

namespace vst3 {

Parameter* ParameterContainer::addParameter(Parameter* parameter) {
    if (!parameter) return nullptr;
    if (!mIndexById.emplace(parameter->getId(), mParameters.size()).second) {
        parameter->release();
        return nullptr;
    }
    mParameters.push_back(parameter);
    return parameter;
}

Parameter* ParameterContainer::getParameterByIndex(int32 index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= mParameters.size()) return nullptr;
    return mParameters[static_cast<std::size_t>(index)];
}

Parameter* ParameterContainer::getParameter(ParamID id) const {
    const auto found = mIndexById.find(id);
    return found == mIndexById.end() ? nullptr : mParameters[found->second];
}

void ParameterContainer::removeAll() {
    for (Parameter* parameter : mParameters) parameter->release();
    mParameters.clear();
    mIndexById.clear();
}

} // namespace vst3
