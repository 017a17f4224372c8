#pragma once
// One VST2 effect driven the way hosts drive it: created through the entry point with our host
// callback, opened, set up (sample rate, block size, mains on), its parameters read and written
// through getParameter/setParameter and the name and text opcodes, and finally switched off and
// closed. The host side answers the plug-in's questions (version, time information, product) and
// keeps a log of what the plug-in told it (automation, edits, MIDI, window and I/O changes).

#include "adapters/vst2/api/Vst2Structs.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quilhost {

struct Vst2Parameter {
    int index;
    std::string title;  // the long name when the plug-in offers it, else the short one
    std::string units;
};

// One call the plug-in made to the host.
struct Vst2HostEvent {
    vst2::VstInt32 opcode;
    vst2::VstInt32 index;
    vst2::VstIntPtr value;
    float opt;
    std::vector<std::uint8_t> midi;  // audioMasterProcessEvents: the MIDI bytes of its first event
};

class Vst2Plugin {
public:
    static constexpr const char* kProductName = "quilhost";

    // Null, with `error` set, when the entry point gives no effect or a record without the magic.
    static std::unique_ptr<Vst2Plugin> create(vst2::EntryFunction entry, std::string& error);
    ~Vst2Plugin();

    Vst2Plugin(const Vst2Plugin&) = delete;
    Vst2Plugin& operator=(const Vst2Plugin&) = delete;

    vst2::AEffect* effect() const { return mEffect; }
    vst2::VstIntPtr dispatch(vst2::VstInt32 opcode, vst2::VstInt32 index = 0, vst2::VstIntPtr value = 0,
                             void* ptr = nullptr, float opt = 0.0f) const;

    std::vector<Vst2Parameter> parameters() const;
    // The index of the parameter with this title (any letter case), or -1.
    int findParameter(const std::string& title) const;
    // A value text as the plug-in reads it (effString2Parameter), as the normalised value it gives.
    // Refuses texts the plug-in does not take and numbers it shows differently (outside the range).
    // The parameter takes the value, and the plug-in reacts to it: parse on an instance of its own.
    bool parseValue(int index, const std::string& text, float& normalized, std::string& error);
    // What the plug-in shows for a parameter now: display text, then its unit when it has one.
    std::string displayText(int index) const;
    std::string text(vst2::VstInt32 opcode, vst2::VstInt32 index = 0) const;

    // Sample rate, block size and mains on; `offline` is what the host tells a process-level query.
    void prepare(double sampleRate, int maxBlockSize, bool offline);
    void stop();

    // The time information the host reports, or none.
    vst2::VstTimeInfo& timeInfo() { return mTimeInfo; }
    void setTimeInfoAvailable(bool available) { mTimeInfoAvailable = available; }
    const std::vector<Vst2HostEvent>& hostEvents() const { return mHostEvents; }
    void clearHostEvents() { mHostEvents.clear(); }

private:
    Vst2Plugin() = default;
    static vst2::VstIntPtr QUIL_VST2_CALL hostCallback(vst2::AEffect* effect, vst2::VstInt32 opcode,
                                                        vst2::VstInt32 index, vst2::VstIntPtr value, void* ptr,
                                                        float opt);
    vst2::VstIntPtr answer(vst2::VstInt32 opcode, vst2::VstInt32 index, vst2::VstIntPtr value, void* ptr, float opt);

    vst2::AEffect* mEffect = nullptr;
    bool mActive = false;
    bool mOffline = true;
    double mSampleRate = 44100.0;
    int mBlockSize = 512;
    vst2::VstTimeInfo mTimeInfo{};
    bool mTimeInfoAvailable = true;
    std::vector<Vst2HostEvent> mHostEvents;
};

} // namespace quilhost
