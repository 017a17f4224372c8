#pragma once
// The edit controller: parameters as the host sees them, the host's edit callbacks, context menus
// and MIDI controller mapping.

#include "adapters/vst3/api/FUnknown.h"
#include "adapters/vst3/api/PlugView.h"
#include "adapters/vst3/api/Stream.h"

#include <cstddef>

namespace vst3 {

struct ParameterInfo {
    enum ParameterFlags : int32 {
        kNoFlags = 0,
        kCanAutomate = 1 << 0,
        kIsReadOnly = 1 << 1,
        kIsWrapAround = 1 << 2,
        kIsList = 1 << 3,
        kIsHidden = 1 << 4,
        kIsProgramChange = 1 << 15,
        kIsBypass = 1 << 16,
    };
    ParamID id;
    String128 title;
    String128 shortTitle;
    String128 units;
    int32 stepCount;
    ParamValue defaultNormalizedValue;
    UnitID unitId;
    int32 flags;
};

static_assert(sizeof(ParameterInfo) == 792 && alignof(ParameterInfo) == 8, "ParameterInfo layout");
static_assert(offsetof(ParameterInfo, stepCount) == 772 && offsetof(ParameterInfo, defaultNormalizedValue) == 776,
              "ParameterInfo layout");
static_assert(offsetof(ParameterInfo, flags) == 788, "ParameterInfo layout");

enum KnobModes : int32 { kCircularMode = 0, kRelativCircularMode = 1, kLinearMode = 2 };

enum RestartFlags : int32 {
    kReloadComponent = 1 << 0,
    kIoChanged = 1 << 1,
    kParamValuesChanged = 1 << 2,
    kLatencyChanged = 1 << 3,
    kParamTitlesChanged = 1 << 4,
    kMidiCCAssignmentChanged = 1 << 5,
};

class IComponentHandler : public FUnknown {
public:
    virtual tresult PLUGIN_API beginEdit(ParamID id) = 0;
    virtual tresult PLUGIN_API performEdit(ParamID id, ParamValue valueNormalized) = 0;
    virtual tresult PLUGIN_API endEdit(ParamID id) = 0;
    virtual tresult PLUGIN_API restartComponent(int32 flags) = 0;
    static constexpr Uid iid = Uid::fromWords(0x93A0BEA3, 0x0BD045DB, 0x8E890B0C, 0xC1E46AC6);
};

class IComponentHandler2 : public FUnknown {
public:
    virtual tresult PLUGIN_API setDirty(TBool state) = 0;
    virtual tresult PLUGIN_API requestOpenEditor(FIDString name) = 0;
    virtual tresult PLUGIN_API startGroupEdit() = 0;
    virtual tresult PLUGIN_API finishGroupEdit() = 0;
    static constexpr Uid iid = Uid::fromWords(0xF040B4B3, 0xA36045EC, 0xABCDC045, 0xB4D5A2CC);
};

struct IContextMenuItem {
    enum Flags : int32 { kIsSeparator = 1 << 0, kIsDisabled = 1 << 1, kIsChecked = 1 << 2 };
    String128 name;
    int32 tag;
    int32 flags;
};

static_assert(sizeof(IContextMenuItem) == 264, "IContextMenuItem layout");

class IContextMenuTarget : public FUnknown {
public:
    virtual tresult PLUGIN_API executeMenuItem(int32 tag) = 0;
    static constexpr Uid iid = Uid::fromWords(0x3CDF2E75, 0x85D34144, 0xBF86D36B, 0xD7C4894D);
};

class IContextMenu : public FUnknown {
public:
    virtual int32 PLUGIN_API getItemCount() = 0;
    virtual tresult PLUGIN_API getItem(int32 index, IContextMenuItem& item, IContextMenuTarget** target) = 0;
    virtual tresult PLUGIN_API addItem(const IContextMenuItem& item, IContextMenuTarget* target) = 0;
    virtual tresult PLUGIN_API removeItem(const IContextMenuItem& item, IContextMenuTarget* target) = 0;
    virtual tresult PLUGIN_API popup(UCoord x, UCoord y) = 0;
    static constexpr Uid iid = Uid::fromWords(0x2E93C863, 0x0C9C4588, 0x97DBECF5, 0xAD17817D);
};

class IComponentHandler3 : public FUnknown {
public:
    virtual IContextMenu* PLUGIN_API createContextMenu(IPlugView* plugView, const ParamID* paramID) = 0;
    static constexpr Uid iid = Uid::fromWords(0x69F11617, 0xD26B400D, 0xA4B6B964, 0x7B6EBBAB);
};

class IEditController : public IPluginBase {
public:
    virtual tresult PLUGIN_API setComponentState(IBStream* state) = 0;
    virtual tresult PLUGIN_API setState(IBStream* state) = 0;
    virtual tresult PLUGIN_API getState(IBStream* state) = 0;
    virtual int32 PLUGIN_API getParameterCount() = 0;
    virtual tresult PLUGIN_API getParameterInfo(int32 paramIndex, ParameterInfo& info) = 0;
    virtual tresult PLUGIN_API getParamStringByValue(ParamID id, ParamValue valueNormalized, String128 string) = 0;
    virtual tresult PLUGIN_API getParamValueByString(ParamID id, TChar* string, ParamValue& valueNormalized) = 0;
    virtual ParamValue PLUGIN_API normalizedParamToPlain(ParamID id, ParamValue valueNormalized) = 0;
    virtual ParamValue PLUGIN_API plainParamToNormalized(ParamID id, ParamValue plainValue) = 0;
    virtual ParamValue PLUGIN_API getParamNormalized(ParamID id) = 0;
    virtual tresult PLUGIN_API setParamNormalized(ParamID id, ParamValue value) = 0;
    virtual tresult PLUGIN_API setComponentHandler(IComponentHandler* handler) = 0;
    virtual IPlugView* PLUGIN_API createView(FIDString name) = 0;
    static constexpr Uid iid = Uid::fromWords(0xDCD7BBE3, 0x7742448D, 0xA874AACC, 0x979C759E);
};

class IEditController2 : public FUnknown {
public:
    virtual tresult PLUGIN_API setKnobMode(KnobMode mode) = 0;
    virtual tresult PLUGIN_API openHelp(TBool onlyCheck) = 0;
    virtual tresult PLUGIN_API openAboutBox(TBool onlyCheck) = 0;
    static constexpr Uid iid = Uid::fromWords(0x7F4EFE59, 0xF3204967, 0xAC27A3AE, 0xAFB63038);
};

class IMidiMapping : public FUnknown {
public:
    virtual tresult PLUGIN_API getMidiControllerAssignment(int32 busIndex, int16 channel, CtrlNumber midiControllerNumber,
                                                           ParamID& id) = 0;
    static constexpr Uid iid = Uid::fromWords(0xDF0FF9F7, 0x49B74669, 0xB63AB732, 0x7ADBF5E5);
};

} // namespace vst3
