#include "tools/host/ParameterChanges.h"

using namespace vst3;

namespace quilhost {

tresult PLUGIN_API ParamValueQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value) {
    if (index < 0 || static_cast<std::size_t>(index) >= mPoints.size()) return kInvalidArgument;
    sampleOffset = mPoints[static_cast<std::size_t>(index)].offset;
    value = mPoints[static_cast<std::size_t>(index)].value;
    return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index) {
    // Points stay ordered by offset; a point at an existing offset replaces it.
    std::size_t at = 0;
    while (at < mPoints.size() && mPoints[at].offset < sampleOffset) ++at;
    if (at < mPoints.size() && mPoints[at].offset == sampleOffset) {
        mPoints[at].value = value;
    } else {
        mPoints.insert(mPoints.begin() + static_cast<std::ptrdiff_t>(at), Point{sampleOffset, value});
    }
    index = static_cast<int32>(at);
    return kResultOk;
}

tresult PLUGIN_API ParamValueQueue::queryInterface(const TUID iidBytes, void** obj) {
    if (obj && iidBytes && answerInterface<IParamValueQueue>(this, iidBytes, obj)) return kResultOk;
    return FObject::queryInterface(iidBytes, obj);
}

IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData(int32 index) {
    if (index < 0 || static_cast<std::size_t>(index) >= mQueues.size()) return nullptr;
    return mQueues[static_cast<std::size_t>(index)];
}

IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData(const ParamID& id, int32& index) {
    for (std::size_t i = 0; i < mQueues.size(); ++i) {
        if (mQueues[i]->getParameterId() == id) {
            index = static_cast<int32>(i);
            return mQueues[i];
        }
    }
    mQueues.push_back(new ParamValueQueue(id));
    index = static_cast<int32>(mQueues.size() - 1);
    return mQueues.back();
}

tresult PLUGIN_API ParameterChanges::queryInterface(const TUID iidBytes, void** obj) {
    if (obj && iidBytes && answerInterface<IParameterChanges>(this, iidBytes, obj)) return kResultOk;
    return FObject::queryInterface(iidBytes, obj);
}

void ParameterChanges::add(ParamID id, int32 sampleOffset, ParamValue value) {
    int32 index = 0;
    addParameterData(id, index)->addPoint(sampleOffset, value, index);
}

void ParameterChanges::clear() {
    for (ParamValueQueue* queue : mQueues) queue->release();
    mQueues.clear();
}

} // namespace quilhost
