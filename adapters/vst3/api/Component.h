#pragma once
// The processing component: its buses and state, as the host sees them.

#include "adapters/vst3/api/FUnknown.h"
#include "adapters/vst3/api/Stream.h"

#include <cstddef>

namespace vst3 {

enum MediaTypes : int32 { kAudio = 0, kEvent = 1, kNumMediaTypes = 2 };
enum BusDirections : int32 { kInput = 0, kOutput = 1 };
enum BusTypes : int32 { kMain = 0, kAux = 1 };
enum IoModes : int32 { kSimple = 0, kAdvanced = 1, kOfflineProcessing = 2 };

struct BusInfo {
    enum BusFlags : uint32 { kDefaultActive = 1 << 0, kIsControlVoltage = 1 << 1 };
    MediaType mediaType;
    BusDirection direction;
    int32 channelCount;
    String128 name;
    BusType busType;
    uint32 flags;
};

struct RoutingInfo {
    MediaType mediaType;
    int32 busIndex;
    int32 channel;
};

static_assert(sizeof(BusInfo) == 276 && alignof(BusInfo) == 4, "BusInfo layout");
static_assert(offsetof(BusInfo, name) == 12 && offsetof(BusInfo, busType) == 268, "BusInfo layout");
static_assert(sizeof(RoutingInfo) == 12, "RoutingInfo layout");

// Component flags of an audio module class.
enum ComponentFlags : uint32 { kDistributable = 1 << 0, kSimpleModeSupported = 1 << 1 };

class IComponent : public IPluginBase {
public:
    virtual tresult PLUGIN_API getControllerClassId(TUID classId) = 0;
    virtual tresult PLUGIN_API setIoMode(IoMode mode) = 0;
    virtual int32 PLUGIN_API getBusCount(MediaType type, BusDirection dir) = 0;
    virtual tresult PLUGIN_API getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& bus) = 0;
    virtual tresult PLUGIN_API getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) = 0;
    virtual tresult PLUGIN_API activateBus(MediaType type, BusDirection dir, int32 index, TBool state) = 0;
    virtual tresult PLUGIN_API setActive(TBool state) = 0;
    virtual tresult PLUGIN_API setState(IBStream* state) = 0;
    virtual tresult PLUGIN_API getState(IBStream* state) = 0;
    static constexpr Uid iid = Uid::fromWords(0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802);
};

} // namespace vst3
