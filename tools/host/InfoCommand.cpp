// `info`: what a host learns when it scans a module: the factory and its classes, then one
// instance's buses, parameters, units and program lists.
#include "adapters/vst3/api/UnitInfo.h"
#include "adapters/vst3/base/Utf16.h"
#include "tools/host/Commands.h"
#include "tools/host/HostSession.h"

#include <cstdio>
#include <string>

using namespace vst3;

namespace quilhost {
namespace {

std::string field(const char* text, std::size_t size) { return std::string(text, strnlen(text, size)); }

std::string parameterFlagsText(int32 flags) {
    static const struct {
        int32 bit;
        const char* name;
    } names[] = {{ParameterInfo::kCanAutomate, "automate"}, {ParameterInfo::kIsReadOnly, "read-only"},
                 {ParameterInfo::kIsWrapAround, "wrap"},    {ParameterInfo::kIsList, "list"},
                 {ParameterInfo::kIsHidden, "hidden"},      {ParameterInfo::kIsProgramChange, "program-change"},
                 {ParameterInfo::kIsBypass, "bypass"}};
    std::string text;
    for (const auto& n : names) {
        if (flags & n.bit) text += (text.empty() ? "" : ",") + std::string(n.name);
    }
    return text.empty() ? "-" : text;
}

void printFactory(IPluginFactory* factory) {
    PFactoryInfo info{};
    if (factory->getFactoryInfo(&info) == kResultOk) {
        std::printf("factory: vendor \"%s\" url \"%s\" email \"%s\" flags 0x%X\n", field(info.vendor, 64).c_str(),
                    field(info.url, 256).c_str(), field(info.email, 128).c_str(), static_cast<unsigned>(info.flags));
    }
    IPluginFactory2* factory2 = queryInterfaceOf<IPluginFactory2>(factory);
    for (int32 i = 0; i < factory->countClasses(); ++i) {
        PClassInfo2 info2{};
        if (factory2 && factory2->getClassInfo2(i, &info2) == kResultOk) {
            std::printf("class %d: \"%s\" category \"%s\" cid %s\n", i, field(info2.name, 64).c_str(),
                        field(info2.category, 32).c_str(), Uid::toText(info2.cid).c_str());
            std::printf("  sub-categories \"%s\" vendor \"%s\" version \"%s\" sdk \"%s\" class-flags 0x%X "
                        "cardinality %d\n",
                        field(info2.subCategories, 128).c_str(), field(info2.vendor, 64).c_str(),
                        field(info2.version, 64).c_str(), field(info2.sdkVersion, 64).c_str(), info2.classFlags,
                        info2.cardinality);
            continue;
        }
        PClassInfo info1{};
        if (factory->getClassInfo(i, &info1) == kResultOk) {
            std::printf("class %d: \"%s\" category \"%s\" cid %s\n", i, field(info1.name, 64).c_str(),
                        field(info1.category, 32).c_str(), Uid::toText(info1.cid).c_str());
        }
    }
    if (factory2) factory2->release();
}

void printBuses(IComponent* component) {
    std::printf("buses:\n");
    for (MediaType type : {kAudio, kEvent}) {
        for (BusDirection direction : {kInput, kOutput}) {
            for (int32 i = 0; i < component->getBusCount(type, direction); ++i) {
                BusInfo bus{};
                if (component->getBusInfo(type, direction, i, bus) != kResultOk) continue;
                std::printf("  %s %s %d: \"%s\" %d channel%s, %s%s\n", type == kAudio ? "audio" : "event",
                            direction == kInput ? "input " : "output", i, toUtf8(bus.name, 128).c_str(),
                            bus.channelCount, bus.channelCount == 1 ? "" : "s", bus.busType == kMain ? "main" : "aux",
                            (bus.flags & BusInfo::kDefaultActive) ? ", active by default" : "");
            }
        }
    }
}

void printParameters(const PluginInstance& instance) {
    const auto parameters = instance.parameters();
    std::printf("parameters: %zu\n", parameters.size());
    std::printf("  %-5s %-10s %-20s %-6s %5s %8s %-12s %-5s %s\n", "index", "id", "title", "units", "steps", "default",
                "(text)", "unit", "flags");
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const ParameterInfo& info = parameters[i].info;
        std::printf("  %-5zu %-10u %-20s %-6s %5d %8.4f %-12s %-5d %s\n", i, info.id, parameters[i].title.c_str(),
                    parameters[i].units.c_str(), info.stepCount, info.defaultNormalizedValue,
                    instance.valueText(info.id, info.defaultNormalizedValue).c_str(), info.unitId,
                    parameterFlagsText(info.flags).c_str());
    }
}

void printUnits(IEditController* controller) {
    IUnitInfo* units = queryInterfaceOf<IUnitInfo>(controller);
    if (!units) {
        std::printf("units: none offered\n");
        return;
    }
    std::printf("units: %d\n", units->getUnitCount());
    for (int32 i = 0; i < units->getUnitCount(); ++i) {
        UnitInfo unit{};
        if (units->getUnitInfo(i, unit) != kResultOk) continue;
        std::printf("  unit %d: \"%s\" parent %d program list %d\n", unit.id, toUtf8(unit.name, 128).c_str(),
                    unit.parentUnitId, unit.programListId);
    }
    // Some plug-ins announce their lists without counting them, so ask for the first one too.
    for (int32 i = 0; i < std::max(units->getProgramListCount(), 1); ++i) {
        ProgramListInfo list{};
        if (units->getProgramListInfo(i, list) != kResultOk) continue;
        std::printf("program list %d: id %d \"%s\" %d program%s\n", i, list.id, toUtf8(list.name, 128).c_str(),
                    list.programCount, list.programCount == 1 ? "" : "s");
        for (int32 p = 0; p < list.programCount; ++p) {
            String128 name{};
            if (units->getProgramName(list.id, p, name) == kResultOk)
                std::printf("  program %d: \"%s\"\n", p, toUtf8(name, 128).c_str());
        }
    }
    units->release();
}

} // namespace

int runInfo(const CommandOptions& options) {
    std::string error;
    auto session = HostSession::open(options.bundle, error);
    if (!session) {
        std::fprintf(stderr, "quilhost: %s\n", error.c_str());
        return 1;
    }
    std::printf("module: %s\n", session->module().binaryPath().c_str());
    printFactory(session->module().factory());
    PluginInstance& instance = session->instance();
    std::printf("instance of \"%s\"\n", field(instance.classInfo().name, 64).c_str());
    printBuses(instance.component());
    std::printf("latency: %u samples, tail: %u samples\n", instance.processor()->getLatencySamples(),
                instance.processor()->getTailSamples());
    printParameters(instance);
    printUnits(instance.controller());
    return 0;
}

} // namespace quilhost
