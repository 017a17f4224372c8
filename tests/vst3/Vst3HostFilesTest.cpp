// The host's own parts: WAV files, the demo phrase, the state stream and parameter queues.
#include "tools/host/DemoPhrase.h"
#include "tools/host/MemoryStream.h"
#include "tools/host/ParameterChanges.h"
#include "tools/host/WavFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

using namespace quilhost;
using namespace vst3;

namespace {
std::string scratch(const char* name) { return (std::filesystem::path(QUIL_TEST_SCRATCH) / name).string(); }
} // namespace

TEST(Vst3HostFiles, WavRoundTripKeepsFloatSamples) {
    AudioData audio;
    audio.sampleRate = 48000.0;
    audio.channels = {{0.0f, 0.5f, -1.0f, 1.5f}, {0.25f, -0.25f, 0.125f, -2.0f}};
    std::string error;
    ASSERT_TRUE(writeWav(scratch("roundtrip.wav"), audio, error)) << error;
    AudioData back;
    ASSERT_TRUE(readWav(scratch("roundtrip.wav"), back, error)) << error;
    EXPECT_EQ(back.sampleRate, 48000.0);
    EXPECT_EQ(back.channels, audio.channels);
}

TEST(Vst3HostFiles, ReadsSixteenBitPcmAndSurvivesDamage) {
    // 16-bit stereo, two frames, followed by an odd-sized chunk the reader must skip.
    const unsigned char wav[] = {'R', 'I', 'F', 'F', 48, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                                 1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0, 'd', 'a', 't', 'a', 8, 0,
                                 0, 0, 0x00, 0x40, 0x00, 0xC0, 0xFF, 0x7F, 0x00, 0x80, 'x', 'y', 'z', 'w', 1, 0, 0, 0, 9, 0};
    std::ofstream(scratch("pcm16.wav"), std::ios::binary).write(reinterpret_cast<const char*>(wav), sizeof wav);
    AudioData audio;
    std::string error;
    ASSERT_TRUE(readWav(scratch("pcm16.wav"), audio, error)) << error;
    ASSERT_EQ(audio.channelCount(), 2);
    ASSERT_EQ(audio.frames(), 2u);
    EXPECT_FLOAT_EQ(audio.channels[0][0], 0.5f);
    EXPECT_FLOAT_EQ(audio.channels[1][0], -0.5f);
    EXPECT_FLOAT_EQ(audio.channels[1][1], -1.0f);

    // Cut inside the data chunk: what is there is read, nothing past the end.
    std::ofstream(scratch("cut.wav"), std::ios::binary).write(reinterpret_cast<const char*>(wav), 50);
    ASSERT_TRUE(readWav(scratch("cut.wav"), audio, error)) << error;
    EXPECT_EQ(audio.frames(), 1u);

    std::ofstream(scratch("text.wav")) << "hello";
    EXPECT_FALSE(readWav(scratch("text.wav"), audio, error));
    EXPECT_EQ(error, "'" + scratch("text.wav") + "' is not a WAVE file");
    EXPECT_FALSE(readWav(scratch("absent.wav"), audio, error));
}

TEST(Vst3HostFiles, DemoPhraseIsRepeatableAudibleAndBounded) {
    const AudioData first = makeDemoPhrase(44100.0, 2);
    const AudioData second = makeDemoPhrase(44100.0, 2);
    EXPECT_EQ(first.channels, second.channels);
    ASSERT_EQ(first.channelCount(), 2);
    EXPECT_EQ(first.frames(), 4u * 44100u);
    float peak = 0.0f;
    for (float sample : first.channels[0]) peak = std::max(peak, std::fabs(sample));
    EXPECT_GT(peak, 0.2f);
    EXPECT_LE(peak, 1.0f);
    // The phrase ends in silence, for the echoes.
    for (std::size_t i = first.frames() - 11025; i < first.frames(); ++i) ASSERT_EQ(first.channels[0][i], 0.0f);
}

TEST(Vst3HostFiles, MemoryStreamReadsShortAndFailsAtTheEnd) {
    auto* stream = new MemoryStream;
    int32 done = 0;
    std::uint32_t value = 0xA1B2C3D4;
    EXPECT_EQ(stream->write(&value, 4, &done), kResultOk);
    EXPECT_EQ(done, 4);
    stream->rewind();
    std::uint8_t buffer[8] = {};
    EXPECT_EQ(stream->read(buffer, 8, &done), kResultOk);
    EXPECT_EQ(done, 4);
    EXPECT_EQ(stream->read(buffer, 4, &done), kResultFalse);
    EXPECT_EQ(done, 0);
    int64 position = 0;
    EXPECT_EQ(stream->seek(-2, IBStream::kIBSeekEnd, &position), kResultOk);
    EXPECT_EQ(position, 2);
    EXPECT_EQ(stream->seek(-9, IBStream::kIBSeekCur, &position), kInvalidArgument);
    EXPECT_EQ(stream->read(buffer, -1, &done), kInvalidArgument);
    stream->release();
}

TEST(Vst3HostFiles, ParameterQueuesKeepPointsInOrderPerParameter) {
    auto* changes = new ParameterChanges;
    changes->add(5, 100, 0.5);
    changes->add(9, 0, 1.0);
    changes->add(5, 10, 0.1);
    changes->add(5, 100, 0.7);
    ASSERT_EQ(changes->getParameterCount(), 2);
    IParamValueQueue* queue = changes->getParameterData(0);
    ASSERT_EQ(queue->getParameterId(), 5u);
    ASSERT_EQ(queue->getPointCount(), 2);
    int32 offset = 0;
    ParamValue value = 0.0;
    queue->getPoint(1, offset, value);
    EXPECT_EQ(offset, 100);
    EXPECT_DOUBLE_EQ(value, 0.7);
    EXPECT_EQ(queue->getPoint(2, offset, value), kInvalidArgument);
    EXPECT_EQ(changes->getParameterData(2), nullptr);
    changes->clear();
    EXPECT_EQ(changes->getParameterCount(), 0);
    changes->release();
}
