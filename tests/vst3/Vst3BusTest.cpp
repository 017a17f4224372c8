// Buses and bus lists, and how the single-component effect reports them to the host.
#include "Vst3Fixtures.h"

#include <gtest/gtest.h>

#include <string>

using namespace vst3;
using namespace vst3test;

TEST(Vst3Bus, ChannelCountFollowsTheSpeakerBits) {
    const struct {
        SpeakerArrangement arrangement;
        int32 channels;
    } cases[] = {{SpeakerArr::kEmpty, 0},           {SpeakerArr::kMono, 1}, {SpeakerArr::kStereo, 2},
                 {SpeakerArr::k30Music, 3},         {SpeakerArr::kAmbi1stOrderACN, 4},
                 {SpeakerArr::k50, 5},              {SpeakerArr::k51, 6},   {~SpeakerArrangement{0}, 64}};
    for (const auto& c : cases) EXPECT_EQ(SpeakerArr::getChannelCount(c.arrangement), c.channels) << c.arrangement;
}

TEST(Vst3Bus, ListInfoCarriesTypeDirectionAndBusFields) {
    BusList outputs(kAudio, kOutput);
    outputs.append(new AudioBus("Output", kMain, BusInfo::kDefaultActive, SpeakerArr::kStereo));
    outputs.append(new AudioBus("Aux", kAux, 0, SpeakerArr::kMono));
    BusInfo info{};
    ASSERT_TRUE(outputs.getInfo(1, info));
    EXPECT_EQ(info.mediaType, kAudio);
    EXPECT_EQ(info.direction, kOutput);
    EXPECT_EQ(info.channelCount, 1);
    EXPECT_EQ(std::u16string(info.name), u"Aux");
    EXPECT_EQ(info.busType, kAux);
    EXPECT_EQ(info.flags, 0u);
    EXPECT_TRUE(outputs.at(0)->isActive());
    EXPECT_FALSE(outputs.at(1)->isActive());
    EXPECT_FALSE(outputs.getInfo(2, info));
    EXPECT_FALSE(outputs.getInfo(-1, info));

    BusList events(kEvent, kInput);
    events.append(new EventBus("MIDI Input", kMain, BusInfo::kDefaultActive, 1));
    ASSERT_TRUE(events.getInfo(0, info));
    EXPECT_EQ(info.mediaType, kEvent);
    EXPECT_EQ(info.channelCount, 1);
}

TEST(Vst3Bus, ReplaceKeepsThePositionOfTheOthers) {
    BusList inputs(kAudio, kInput);
    inputs.append(new AudioBus("Main", kMain, BusInfo::kDefaultActive, SpeakerArr::kStereo));
    inputs.append(new AudioBus("Side", kAux, 0, SpeakerArr::kStereo));
    inputs.replace(0, new AudioBus("Input", kMain, BusInfo::kDefaultActive, SpeakerArr::kMono));
    ASSERT_EQ(inputs.size(), 2);
    EXPECT_EQ(std::u16string(inputs.at(0)->getName()), u"Input");
    EXPECT_EQ(std::u16string(inputs.at(1)->getName()), u"Side");
    inputs.replace(5, new AudioBus("Extra", kAux, 0, SpeakerArr::kMono));
    EXPECT_EQ(inputs.size(), 3);
    inputs.clear();
    EXPECT_EQ(inputs.size(), 0);
}

TEST(Vst3Bus, EffectAnswersBusQueriesAndRefusesUnknownOnes) {
    auto* effect = new TestEffect;
    ASSERT_EQ(effect->initialize(nullptr), kResultOk);
    EXPECT_EQ(effect->getBusCount(kAudio, kOutput), 1);
    EXPECT_EQ(effect->getBusCount(kEvent, kOutput), 0);
    EXPECT_EQ(effect->getBusCount(7, kInput), 0);
    EXPECT_EQ(effect->getBusCount(kAudio, 9), 0);
    BusInfo info{};
    EXPECT_EQ(effect->getBusInfo(kAudio, kInput, 1, info), kResultFalse);
    EXPECT_EQ(effect->getBusInfo(kEvent, kOutput, 0, info), kResultFalse);
    EXPECT_EQ(effect->activateBus(kAudio, kOutput, 3, 1), kResultFalse);
    SpeakerArrangement arrangement = 0;
    EXPECT_EQ(effect->getBusArrangement(kOutput, 1, arrangement), kResultFalse);

    SpeakerArrangement mono = SpeakerArr::kMono;
    EXPECT_EQ(effect->setBusArrangements(&mono, 1, &mono, 1), kResultTrue);
    EXPECT_EQ(effect->getBusArrangement(kInput, 0, arrangement), kResultTrue);
    EXPECT_EQ(arrangement, SpeakerArr::kMono);
    EXPECT_EQ(effect->setBusArrangements(&mono, 1, nullptr, 0), kResultFalse);
    effect->terminate();
    effect->release();
}
