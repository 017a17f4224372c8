#pragma once
// The parameter changes a host passes with one block: a queue of points per changed parameter.

#include "adapters/vst3/api/ParameterChanges.h"
#include "adapters/vst3/base/FObject.h"

#include <vector>

namespace quilhost {

class ParamValueQueue : public vst3::FObject, public vst3::IParamValueQueue {
public:
    explicit ParamValueQueue(vst3::ParamID id) : mId(id) {}

    vst3::ParamID PLUGIN_API getParameterId() override { return mId; }
    vst3::int32 PLUGIN_API getPointCount() override { return static_cast<vst3::int32>(mPoints.size()); }
    vst3::tresult PLUGIN_API getPoint(vst3::int32 index, vst3::int32& sampleOffset, vst3::ParamValue& value) override;
    vst3::tresult PLUGIN_API addPoint(vst3::int32 sampleOffset, vst3::ParamValue value, vst3::int32& index) override;

    vst3::tresult PLUGIN_API queryInterface(const vst3::TUID iidBytes, void** obj) override;
    QUIL_VST3_REFCOUNT_FROM(vst3::FObject)

private:
    struct Point {
        vst3::int32 offset;
        vst3::ParamValue value;
    };
    vst3::ParamID mId;
    std::vector<Point> mPoints;
};

class ParameterChanges : public vst3::FObject, public vst3::IParameterChanges {
public:
    ~ParameterChanges() override { clear(); }

    vst3::int32 PLUGIN_API getParameterCount() override { return static_cast<vst3::int32>(mQueues.size()); }
    // Borrowed pointer: the changes object keeps ownership.
    vst3::IParamValueQueue* PLUGIN_API getParameterData(vst3::int32 index) override;
    vst3::IParamValueQueue* PLUGIN_API addParameterData(const vst3::ParamID& id, vst3::int32& index) override;

    vst3::tresult PLUGIN_API queryInterface(const vst3::TUID iidBytes, void** obj) override;
    QUIL_VST3_REFCOUNT_FROM(vst3::FObject)

    // Adds one point for `id` (creating its queue when needed).
    void add(vst3::ParamID id, vst3::int32 sampleOffset, vst3::ParamValue value);
    void clear();

private:
    std::vector<ParamValueQueue*> mQueues;
};

} // namespace quilhost
