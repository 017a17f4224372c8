#include "adapters/vst2/Vst2HostCalls.h"

#include <thread>

using namespace vst2;

void Vst2HostCalls::Acquire() {
    while (mBusy.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
}

bool Vst2HostCalls::Push(const Call& call) {
    Acquire();
    const bool room = mCount < kCapacity;
    if (room) {
        mCalls[(mFirst + mCount) % kCapacity] = call;
        ++mCount;
    }
    Release();
    return room;
}

bool Vst2HostCalls::Pop(Call& call) {
    Acquire();
    const bool any = mCount > 0;
    if (any) {
        call = mCalls[mFirst];
        mFirst = (mFirst + 1) % kCapacity;
        --mCount;
    }
    Release();
    return any;
}

bool Vst2HostCalls::Queue(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt) {
    Call call{};
    call.opcode = opcode;
    call.index = index;
    call.value = value;
    call.opt = opt;
    return Push(call);
}

bool Vst2HostCalls::QueueMidi(const VstMidiEvent& event) {
    Call call{};
    call.opcode = audioMasterProcessEvents;
    call.midi = event;
    return Push(call);
}

bool Vst2HostCalls::QueueSysEx(const VstMidiSysexEvent& event) {
    Call call{};
    call.opcode = audioMasterProcessEvents;
    call.sysex = event;
    return Push(call);
}

void Vst2HostCalls::Send() {
    if (!mHost) {
        Clear();
        return;
    }
    Call call;
    while (Pop(call)) {
        if (call.opcode == audioMasterProcessEvents) {
            // A list of one event, pointing into this copy of the call.
            VstEvents list{};
            list.numEvents = 1;
            list.events[0] = reinterpret_cast<VstEvent*>(&call.midi);
            mHost(mEffect, call.opcode, 0, 0, &list, 0.0f);
        } else {
            mHost(mEffect, call.opcode, call.index, call.value, nullptr, call.opt);
        }
    }
}

void Vst2HostCalls::Clear() {
    Acquire();
    mCount = 0;
    Release();
}
