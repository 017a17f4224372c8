// Interface identifiers must have the exact 16-byte image hosts compare against: GUID order on
// Windows, word order on Linux. Result codes differ the same way.
#include "adapters/vst3/api/AudioProcessor.h"
#include "adapters/vst3/api/Component.h"
#include "adapters/vst3/api/EditController.h"
#include "adapters/vst3/api/Events.h"
#include "adapters/vst3/api/Host.h"
#include "adapters/vst3/api/ParameterChanges.h"
#include "adapters/vst3/api/PluginFactory.h"
#include "adapters/vst3/api/PlugView.h"
#include "adapters/vst3/api/RunLoop.h"
#include "adapters/vst3/api/UnitInfo.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

using namespace vst3;

namespace {

struct IdCase {
    const char* name;
    const Uid& uid;
    const char* windowsBytes;
    const char* linuxBytes;
};

std::string hexOf(const Uid& uid) {
    std::string text;
    char byte[4];
    for (char c : uid.bytes) {
        std::snprintf(byte, sizeof byte, text.empty() ? "%02X" : " %02X", static_cast<unsigned char>(c));
        text += byte;
    }
    return text;
}

} // namespace

TEST(Vst3Identifier, InterfaceIdsHaveThePlatformByteImage) {
    const IdCase cases[] = {
        {"FUnknown", FUnknown::iid, "00 00 00 00 00 00 00 00 C0 00 00 00 00 00 00 46",
         "00 00 00 00 00 00 00 00 C0 00 00 00 00 00 00 46"},
        {"IPluginBase", IPluginBase::iid, "DB 8D 88 22 6E 15 AE 45 83 58 B3 48 08 19 06 25",
         "22 88 8D DB 15 6E 45 AE 83 58 B3 48 08 19 06 25"},
        {"IPluginFactory", IPluginFactory::iid, "1C 81 4D 7A 11 52 1F 4A AE D9 D2 EE 0B 43 BF 9F",
         "7A 4D 81 1C 52 11 4A 1F AE D9 D2 EE 0B 43 BF 9F"},
        {"IPluginFactory2", IPluginFactory2::iid, "50 B6 07 00 4B F2 0B 4C A4 64 ED B9 F0 0B 2A BB",
         "00 07 B6 50 F2 4B 4C 0B A4 64 ED B9 F0 0B 2A BB"},
        {"IPluginFactory3", IPluginFactory3::iid, "AB A2 55 45 23 C1 57 4E 9B 12 29 10 36 87 89 31",
         "45 55 A2 AB C1 23 4E 57 9B 12 29 10 36 87 89 31"},
        {"IComponent", IComponent::iid, "31 FF 31 E8 D5 F2 01 43 92 8E BB EE 25 69 78 02",
         "E8 31 FF 31 F2 D5 43 01 92 8E BB EE 25 69 78 02"},
        {"IAudioProcessor", IAudioProcessor::iid, "99 3F 04 42 DA B7 3C 45 A5 69 E7 9D 9A AE C3 3D",
         "42 04 3F 99 B7 DA 45 3C A5 69 E7 9D 9A AE C3 3D"},
        {"IEditController", IEditController::iid, "E3 BB D7 DC 42 77 8D 44 A8 74 AA CC 97 9C 75 9E",
         "DC D7 BB E3 77 42 44 8D A8 74 AA CC 97 9C 75 9E"},
        {"IEditController2", IEditController2::iid, "59 FE 4E 7F 20 F3 67 49 AC 27 A3 AE AF B6 30 38",
         "7F 4E FE 59 F3 20 49 67 AC 27 A3 AE AF B6 30 38"},
        {"IMidiMapping", IMidiMapping::iid, "F7 F9 0F DF B7 49 69 46 B6 3A B7 32 7A DB F5 E5",
         "DF 0F F9 F7 49 B7 46 69 B6 3A B7 32 7A DB F5 E5"},
        {"IUnitInfo", IUnitInfo::iid, "B5 D6 4B 3D 3A 91 D2 4F A8 86 E7 68 A5 EB 92 C1",
         "3D 4B D6 B5 91 3A 4F D2 A8 86 E7 68 A5 EB 92 C1"},
        {"IConnectionPoint", IConnectionPoint::iid, "6F 15 A4 70 6E 6E 26 40 98 91 48 BF AA 60 D8 D1",
         "70 A4 15 6F 6E 6E 40 26 98 91 48 BF AA 60 D8 D1"},
        {"IMessage", IMessage::iid, "3B 03 6F 93 C0 C6 DB 47 BB 08 82 F8 13 C1 E6 13",
         "93 6F 03 3B C6 C0 47 DB BB 08 82 F8 13 C1 E6 13"},
        {"IAttributeList", IAttributeList::iid, "EB 0A 5F 1E 7F CC 33 45 A2 54 40 11 38 AD 5E E4",
         "1E 5F 0A EB CC 7F 45 33 A2 54 40 11 38 AD 5E E4"},
        {"IHostApplication", IHostApplication::iid, "CC 95 E5 58 2D DB 69 49 8B 6A AF 8C 36 A6 64 E5",
         "58 E5 95 CC DB 2D 49 69 8B 6A AF 8C 36 A6 64 E5"},
        {"IComponentHandler", IComponentHandler::iid, "A3 BE A0 93 D0 0B DB 45 8E 89 0B 0C C1 E4 6A C6",
         "93 A0 BE A3 0B D0 45 DB 8E 89 0B 0C C1 E4 6A C6"},
        {"IComponentHandler2", IComponentHandler2::iid, "B3 B4 40 F0 60 A3 EC 45 AB CD C0 45 B4 D5 A2 CC",
         "F0 40 B4 B3 A3 60 45 EC AB CD C0 45 B4 D5 A2 CC"},
        {"IComponentHandler3", IComponentHandler3::iid, "17 16 F1 69 6B D2 0D 40 A4 B6 B9 64 7B 6E BB AB",
         "69 F1 16 17 D2 6B 40 0D A4 B6 B9 64 7B 6E BB AB"},
        {"IContextMenu", IContextMenu::iid, "63 C8 93 2E 9C 0C 88 45 97 DB EC F5 AD 17 81 7D",
         "2E 93 C8 63 0C 9C 45 88 97 DB EC F5 AD 17 81 7D"},
        {"IContextMenuTarget", IContextMenuTarget::iid, "75 2E DF 3C D3 85 44 41 BF 86 D3 6B D7 C4 89 4D",
         "3C DF 2E 75 85 D3 41 44 BF 86 D3 6B D7 C4 89 4D"},
        {"IBStream", IBStream::iid, "A2 6E BF C3 99 30 52 47 9B 6B F9 90 1E E3 3E 9B",
         "C3 BF 6E A2 30 99 47 52 9B 6B F9 90 1E E3 3E 9B"},
        {"IParameterChanges", IParameterChanges::iid, "63 96 77 A4 B6 0B 56 4A B4 43 84 A8 46 6F EB 9D",
         "A4 77 96 63 0B B6 4A 56 B4 43 84 A8 46 6F EB 9D"},
        {"IParamValueQueue", IParamValueQueue::iid, "18 3A 26 01 07 ED 6F 4F 98 C9 D3 56 46 86 F9 BA",
         "01 26 3A 18 ED 07 4F 6F 98 C9 D3 56 46 86 F9 BA"},
        {"IEventList", IEventList::iid, "14 42 2C 3A 63 34 FE 49 B2 C4 F3 97 B9 69 5A 44",
         "3A 2C 42 14 34 63 49 FE B2 C4 F3 97 B9 69 5A 44"},
        {"IPlugView", IPlugView::iid, "07 25 C3 5B 60 D0 EA 49 A6 15 1B 52 2B 75 5B 29",
         "5B C3 25 07 D0 60 49 EA A6 15 1B 52 2B 75 5B 29"},
        {"IPlugFrame", IPlugFrame::iid, "01 AF 7F 36 A9 AF 93 46 8D 4D A2 A0 ED 08 82 A3",
         "36 7F AF 01 AF A9 46 93 8D 4D A2 A0 ED 08 82 A3"},
        {"IRunLoop", Linux::IRunLoop::iid, "66 53 C3 18 76 97 1A 4F 9C 5B 83 85 7A 87 13 89",
         "18 C3 53 66 97 76 4F 1A 9C 5B 83 85 7A 87 13 89"},
        {"IEventHandler", Linux::IEventHandler::iid, "C9 65 1E 56 A0 13 6F 49 81 3A 2C 35 65 4D 79 83",
         "56 1E 65 C9 13 A0 49 6F 81 3A 2C 35 65 4D 79 83"},
        {"ITimerHandler", Linux::ITimerHandler::iid, "4F D9 BD 10 42 41 74 47 82 1F AD 8F EC A7 2C A9",
         "10 BD D9 4F 41 42 47 74 82 1F AD 8F EC A7 2C A9"},
        {"IDependent", IDependent::iid, "AE 7A 2B F5 72 DE 6D 41 8A F1 8A CE 9D D7 BD 5E",
         "F5 2B 7A AE DE 72 41 6D 8A F1 8A CE 9D D7 BD 5E"},
        {"IPlugInterfaceSupport", IPlugInterfaceSupport::iid, "9E 8B B5 4F AA 9E 0F 4E AB 36 1C 1C CC B5 6F EA",
         "4F B5 8B 9E 9E AA 4E 0F AB 36 1C 1C CC B5 6F EA"},
    };
    for (const IdCase& c : cases) {
#ifdef _WIN32
        EXPECT_EQ(hexOf(c.uid), c.windowsBytes) << c.name;
#else
        EXPECT_EQ(hexOf(c.uid), c.linuxBytes) << c.name;
#endif
    }
}

TEST(Vst3Identifier, WordsSurviveTheRoundTripThroughTheImage) {
    const uint32 words[4] = {0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802};
    uint32 back[4] = {};
    Uid::toWords(Uid::fromWords(words[0], words[1], words[2], words[3]).bytes, back);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(back[i], words[i]) << i;
}

TEST(Vst3Identifier, ComparisonUsesAllSixteenBytes) {
    char bytes[16];
    std::memcpy(bytes, IComponent::iid.bytes, 16);
    EXPECT_TRUE(IComponent::iid == bytes);
    bytes[15] ^= 1;
    EXPECT_FALSE(IComponent::iid == bytes);
    EXPECT_FALSE(IComponent::iid == static_cast<const char*>(nullptr));
}

TEST(Vst3Identifier, ResultCodesFollowThePlatform) {
    EXPECT_EQ(kResultOk, 0);
    EXPECT_EQ(kResultTrue, kResultOk);
    EXPECT_EQ(kResultFalse, 1);
#ifdef _WIN32
    EXPECT_EQ(static_cast<uint32>(kNoInterface), 0x80004002u);
    EXPECT_EQ(static_cast<uint32>(kNotImplemented), 0x80004001u);
    EXPECT_EQ(static_cast<uint32>(kInvalidArgument), 0x80070057u);
    EXPECT_EQ(static_cast<uint32>(kOutOfMemory), 0x8007000Eu);
#else
    EXPECT_EQ(kNoInterface, -1);
    EXPECT_EQ(kInvalidArgument, 2);
    EXPECT_EQ(kNotImplemented, 3);
    EXPECT_EQ(kInternalError, 4);
    EXPECT_EQ(kNotInitialized, 5);
    EXPECT_EQ(kOutOfMemory, 6);
#endif
}
