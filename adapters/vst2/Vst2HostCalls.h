#pragma once
// Calls to the VST2 host that must not be made while the instance lock is held (automation,
// begin/end edit, display updates, window size, I/O changes, MIDI and SysEx sent to the host): the
// adapter queues them here under the lock and makes them, in order, once it has let go of the lock.
// The queue is fixed-size and never allocates, so the audio thread may queue and send too.

#include "adapters/vst2/api/Vst2Structs.h"

#include <atomic>

class Vst2HostCalls {
public:
    static constexpr int kCapacity = 512;

    Vst2HostCalls(vst2::HostCallback host, vst2::AEffect* effect) : mHost(host), mEffect(effect) {}

    // False (the call is dropped) when the queue is full.
    bool Queue(vst2::VstInt32 opcode, vst2::VstInt32 index, vst2::VstIntPtr value, float opt);
    bool QueueMidi(const vst2::VstMidiEvent& event);
    // The SysEx bytes must stay valid until the queue is sent.
    bool QueueSysEx(const vst2::VstMidiSysexEvent& event);

    // Makes the queued calls in order, with no lock of ours held during a call.
    void Send();
    // Forgets what is queued (the instance is going away).
    void Clear();

private:
    struct Call {
        vst2::VstInt32 opcode;
        vst2::VstInt32 index;
        vst2::VstIntPtr value;
        float opt;
        union {
            vst2::VstMidiEvent midi;
            vst2::VstMidiSysexEvent sysex;
        };
    };

    bool Push(const Call& call);
    bool Pop(Call& call);
    void Acquire();
    void Release() { mBusy.clear(std::memory_order_release); }

    vst2::HostCallback mHost;
    vst2::AEffect* mEffect;
    // Guards the ring for the few instructions of a push or a pop, never across a host call.
    std::atomic_flag mBusy = ATOMIC_FLAG_INIT;
    Call mCalls[kCapacity];
    int mFirst = 0;
    int mCount = 0;
};
