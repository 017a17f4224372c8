// The delay plug-in on the VST3 adapter with several host threads at once: the audio thread never
// waits for the host's stream work, and audio, editor and host threads may all run together.
#include "adapters/vst3/IEffectVST3.h"
#include "adapters/vst3/api/PlugView.h"
#include "editor/offscreen/IGraphicsOffscreen.h"
#include "editor/offscreen/IOffscreenResponder.h"
#include "effect/FenwoxQuil.h"
#include "tools/host/MemoryStream.h"
#include "tools/host/ParameterChanges.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <iostream>
#include <mutex>
#include <thread>
#include <vector>

using namespace vst3;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int32 kBlock = 64;
constexpr double kRate = 48000.0;
constexpr auto kBlockPeriod = std::chrono::microseconds(1333);  // 64 frames at 48 kHz
constexpr auto kGiveUp = std::chrono::seconds(5);

// The audio side of a host: stereo buffers with a tone, one 64-frame block per call.
class AudioThreadSide {
public:
    explicit AudioThreadSide(IAudioProcessor* processor) : mProcessor(processor) {
        for (int32 i = 0; i < kBlock; ++i) mIn[0][i] = mIn[1][i] = static_cast<float>(0.3 * std::sin(0.07 * i));
        mInBus.numChannels = mOutBus.numChannels = 2;
        mInBus.channelBuffers32 = mInChannels;
        mOutBus.channelBuffers32 = mOutChannels;
        mContext.tempo = 120.0;
        mContext.sampleRate = kRate;
    }

    void SetTempo(double tempo) { mContext.tempo = tempo; }

    tresult Process(IParameterChanges* changes = nullptr) {
        ProcessData data{};
        data.processMode = kRealtime;
        data.symbolicSampleSize = kSample32;
        data.numSamples = kBlock;
        data.numInputs = data.numOutputs = 1;
        data.inputs = &mInBus;
        data.outputs = &mOutBus;
        data.inputParameterChanges = changes;
        data.processContext = &mContext;
        return mProcessor->process(data);
    }

    bool OutputFinite() const {
        for (const float* channel : mOutChannels)
            for (int32 i = 0; i < kBlock; ++i)
                if (!std::isfinite(channel[i])) return false;
        return true;
    }

private:
    IAudioProcessor* mProcessor;
    float mIn[2][kBlock] = {};
    float mOut[2][kBlock] = {};
    float* mInChannels[2] = {mIn[0], mIn[1]};
    float* mOutChannels[2] = {mOut[0], mOut[1]};
    AudioBusBuffers mInBus{};
    AudioBusBuffers mOutBus{};
    ProcessContext mContext{};
};

// A host stream that holds every read and write until the test lets it go.
class HeldStream : public quilhost::MemoryStream {
public:
    using MemoryStream::MemoryStream;

    tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) override {
        Hold();
        return MemoryStream::read(buffer, numBytes, numBytesRead);
    }
    tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) override {
        Hold();
        return MemoryStream::write(buffer, numBytes, numBytesWritten);
    }

    bool WaitUntilEntered() {
        std::unique_lock<std::mutex> lock(mMutex);
        return mChanged.wait_for(lock, kGiveUp, [this] { return mEntered; });
    }
    void Release() {
        std::lock_guard<std::mutex> lock(mMutex);
        mReleased = true;
        mChanged.notify_all();
    }

private:
    void Hold() {
        std::unique_lock<std::mutex> lock(mMutex);
        mEntered = true;
        mChanged.notify_all();
        mChanged.wait(lock, [this] { return mReleased; });
    }

    std::mutex mMutex;
    std::condition_variable mChanged;
    bool mEntered = false;
    bool mReleased = false;
};

// A host stream on a slow disk: every read and write takes 2 ms.
class SlowStream : public quilhost::MemoryStream {
public:
    tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return MemoryStream::read(buffer, numBytes, numBytesRead);
    }
    tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return MemoryStream::write(buffer, numBytes, numBytesWritten);
    }
};

// Waits up to kGiveUp for the flag.
bool WaitFor(const std::atomic<bool>& flag) {
    const auto giveUp = Clock::now() + kGiveUp;
    while (!flag && Clock::now() < giveUp) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return flag;
}

// The plug-in set up for 64-frame blocks and active, as a host leaves it before processing.
class FenwoxQuilThreads : public ::testing::Test {
protected:
    void SetUp() override {
        plugin = new FenwoxQuil(nullptr);
        ASSERT_EQ(plugin->initialize(nullptr), kResultOk);
        ProcessSetup setup{kRealtime, kSample32, kBlock, kRate};
        ASSERT_EQ(plugin->setupProcessing(setup), kResultOk);
        ASSERT_EQ(plugin->setActive(true), kResultOk);
    }
    void TearDown() override {
        plugin->setActive(false);
        plugin->terminate();
        plugin->release();
    }

    FenwoxQuil* plugin = nullptr;
};

// Saving (false) or restoring (true) through a stream that is still busy.
class HostStreamBusy : public FenwoxQuilThreads, public ::testing::WithParamInterface<bool> {};

TEST_P(HostStreamBusy, AudioThreadProcessesMeanwhile) {
    const bool restoring = GetParam();
    quilhost::MemoryStream saved;
    ASSERT_EQ(plugin->getState(&saved), kResultOk);
    HeldStream stream(restoring ? saved.bytes() : std::vector<std::uint8_t>{});

    std::atomic<tresult> hostResult{kInternalError};
    std::thread host([&] { hostResult = restoring ? plugin->setState(&stream) : plugin->getState(&stream); });
    const bool entered = stream.WaitUntilEntered();
    std::atomic<bool> processed{false};
    std::thread audio([&] {
        AudioThreadSide side(plugin);
        side.Process();
        processed = true;
    });
    const bool processedWhileBusy = entered && WaitFor(processed);
    stream.Release();
    audio.join();
    host.join();

    EXPECT_TRUE(entered);
    EXPECT_TRUE(processedWhileBusy) << "a block waited for the host's stream";
    EXPECT_EQ(hostResult, kResultOk);
    if (!restoring) {
        EXPECT_EQ(stream.bytes(), saved.bytes());
    }
}

INSTANTIATE_TEST_SUITE_P(Transfers, HostStreamBusy, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Restore" : "Save";
                         });

// Blocks paced at 64 frames per 48 kHz while a host thread saves and restores state on a slow
// disk without pause. A block that waited for the stream would take 2 ms or more; the time a block
// may take beyond its own work is only what taking and applying a state in memory costs.
TEST_F(FenwoxQuilThreads, BlocksStayShortWhileStateIsSavedAndRestored) {
    constexpr int kBlocks = 1500;
    std::atomic<bool> stop{false};
    std::atomic<int> transfers{0};
    std::thread host([&] {
        while (!stop) {
            SlowStream stream;
            plugin->getState(&stream);
            stream.rewind();
            plugin->setState(&stream);
            ++transfers;
        }
    });

    AudioThreadSide side(plugin);
    std::vector<double> micros;
    micros.reserve(kBlocks);
    auto next = Clock::now();
    for (int i = 0; i < kBlocks; ++i) {
        next += kBlockPeriod;
        std::this_thread::sleep_until(next);
        const auto start = Clock::now();
        side.Process();
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    stop = true;
    host.join();

    std::sort(micros.begin(), micros.end());
    const auto over1ms = std::count_if(micros.begin(), micros.end(), [](double us) { return us >= 1000.0; });
    const double longest = micros.back();
    const double p999 = micros[static_cast<size_t>(0.999 * (kBlocks - 1))];
    std::cout << "longest block " << longest << " us, 99.9th percentile " << p999 << " us, " << over1ms
              << " of " << kBlocks << " blocks at 1 ms or more, " << transfers << " state transfers\n";
    RecordProperty("longest_block_us", static_cast<int>(longest));
    RecordProperty("blocks_over_1ms", static_cast<int>(over1ms));
    EXPECT_GT(transfers, 10);
    // Preemption on a loaded machine can stretch a few blocks; waiting for the stream stretches
    // nearly all of them.
    EXPECT_LT(over1ms, kBlocks / 20);
}

// Plays the user in the sync caption's menu: a different entry each time.
class CyclingMenu : public IOffscreenResponder {
public:
    int ChooseMenuCommand(const IMenuModel&, const IBounds&) override { return mNext++ % 3; }

private:
    int mNext = 0;
};

// Audio, editor and host threads at once for a few seconds, as a host runs them: the audio thread
// processes 64-frame blocks with the host's automation and a drifting tempo, the editor thread
// ticks the editor and drags, clicks and picks values, the host thread automates parameters, sets
// and reads controller values and saves and restores state.
TEST_F(FenwoxQuilThreads, AudioEditorAndHostThreadsRunTogether) {
    constexpr auto kRun = std::chrono::seconds(3);
    IPlugView* view = plugin->createView("editor");
    ASSERT_NE(view, nullptr);
    int parentWindow = 0;
    ASSERT_EQ(view->attached(&parentWindow, "HWND"), kResultOk);
    auto* editor = dynamic_cast<IGraphicsOffscreen*>(plugin->Editor());
    ASSERT_NE(editor, nullptr);
    CyclingMenu menu;
    editor->SetResponder(&menu);

    // The host's automation lanes, written by the host thread and read into each block's changes.
    std::atomic<double> lanes[FenwoxQuil::kNumParams];
    for (auto& lane : lanes) lane = -1.0;
    std::atomic<bool> stop{false};
    std::atomic<int> blocks{0}, ticks{0}, transfers{0};
    std::atomic<bool> finite{true};

    std::thread audio([&] {
        AudioThreadSide side(plugin);
        quilhost::ParameterChanges changes;
        double last[FenwoxQuil::kNumParams];
        std::fill(std::begin(last), std::end(last), -1.0);
        for (int n = 0; !stop; ++n) {
            changes.clear();
            for (ParamID id = 0; id < FenwoxQuil::kNumParams; ++id) {
                const double value = lanes[id];
                if (value >= 0.0 && value != last[id]) changes.add(id, 0, value);
                last[id] = value;
            }
            side.SetTempo(90.0 + (n / 50) % 60);
            side.Process(&changes);
            if (!side.OutputFinite()) finite = false;
            ++blocks;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });

    std::thread ui([&] {
        IMouseFlags left;
        left.left = true;
        for (int n = 0; !stop; ++n) {
            editor->Tick();
            ++ticks;
            // Feedback and Time knobs up and down, the saturation switch, the sync caption's
            // menu, the footswitch.
            const int knobX = n % 2 ? 121 : 195, dy = n % 4 < 2 ? -30 : 30;
            editor->PressMouse(knobX, 94, left);
            editor->MoveMouse(knobX, 94 + dy / 2, left);
            editor->Tick();
            editor->MoveMouse(knobX, 94 + dy, left);
            editor->ReleaseMouse(knobX, 94 + dy, left);
            if (n % 5 == 0) {
                editor->PressMouse(350, 72, left);
                editor->ReleaseMouse(350, 72, left);
            }
            if (n % 7 == 0) {
                editor->PressMouse(340, 290, left);
                editor->ReleaseMouse(340, 290, left);
            }
            if (n % 11 == 0) {
                editor->PressMouse(150, 350, left);
                editor->ReleaseMouse(150, 350, left);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(4));
        }
    });

    std::thread host([&] {
        for (int n = 0; !stop; ++n) {
            const ParamID id = static_cast<ParamID>(n % FenwoxQuil::kNumParams);
            lanes[id] = (n * 37 % 101) / 100.0;
            plugin->setParamNormalized((id + 2) % FenwoxQuil::kNumParams, (n % 10) / 10.0);
            plugin->getParamNormalized(id);
            if (n % 8 == 0) {
                quilhost::MemoryStream stream;
                plugin->getState(&stream);
                stream.rewind();
                plugin->setState(&stream);
                ++transfers;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });

    std::this_thread::sleep_for(kRun);
    stop = true;
    audio.join();
    ui.join();
    host.join();
    std::cout << blocks << " blocks, " << ticks << " editor ticks, " << transfers << " state transfers in "
              << kRun.count() << " s\n";
    EXPECT_GT(blocks, 100);
    EXPECT_GT(ticks, 20);
    EXPECT_GT(transfers, 20);
    EXPECT_TRUE(finite);

    ASSERT_EQ(view->removed(), kResultOk);
    view->release();
}

} // namespace
