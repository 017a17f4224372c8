#pragma once
// The parameters an edit controller exports, in the order they were added, found by index or by
// identifier. The container owns them.

#include "adapters/vst3/base/Parameter.h"

#include <unordered_map>
#include <vector>

namespace vst3 {

class ParameterContainer {
public:
    ParameterContainer() = default;
    ParameterContainer(const ParameterContainer&) = delete;
    ParameterContainer& operator=(const ParameterContainer&) = delete;
    ~ParameterContainer() { removeAll(); }

    // Takes over the caller's reference. A parameter whose identifier is taken already is
    // refused (released) and null is returned, so identifiers stay unique.
    Parameter* addParameter(Parameter* parameter);

    int32 getParameterCount() const { return static_cast<int32>(mParameters.size()); }
    Parameter* getParameterByIndex(int32 index) const;
    Parameter* getParameter(ParamID id) const;
    void removeAll();

private:
    std::vector<Parameter*> mParameters;
    std::unordered_map<ParamID, std::size_t> mIndexById;
};

} // namespace vst3
