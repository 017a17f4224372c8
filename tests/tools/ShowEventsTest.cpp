#include "tools/host/ShowEvents.h"

#include <gtest/gtest.h>

using namespace quilhost;

TEST(ShowEvents, ReadsEveryKindWithArgumentsAndModifiers)
{
  const std::string script =
      "# a drag on a knob\n"
      "\n"
      "0 move 195 94\n"
      "10 down 195 94   # press\n"
      "40 move 195 40 shift+ctrl\n"
      "40 up 195 40 alt\n"
      "60 rdown 1 2\n"
      "61 rup 1 2\n"
      "80 dblclick 195 94\n"
      "100 wheel 195 94 -3 ctrl\n"
      "120 key 0 0 7\n"
      "130 key 0 0 Return\n"
      "140 key 0 0 Escape\n";
  std::vector<ShowEvent> events;
  std::string error;
  ASSERT_TRUE(parseShowEvents(script, events, error)) << error;
  ASSERT_EQ(events.size(), 11u);

  EXPECT_EQ(events[0].kind, ShowEventKind::Move);
  EXPECT_EQ(events[0].line, 3);
  EXPECT_EQ(events[1].kind, ShowEventKind::Down);
  EXPECT_EQ(events[1].ms, 10);
  EXPECT_EQ(events[2].y, 40);
  EXPECT_TRUE(events[2].modifiers.shift && events[2].modifiers.ctrl && !events[2].modifiers.alt);
  EXPECT_TRUE(events[3].modifiers.alt && !events[3].modifiers.shift);
  EXPECT_EQ(events[4].kind, ShowEventKind::RightDown);
  EXPECT_EQ(events[5].kind, ShowEventKind::RightUp);
  EXPECT_EQ(events[6].kind, ShowEventKind::DoubleClick);
  EXPECT_EQ(events[7].kind, ShowEventKind::Wheel);
  EXPECT_EQ(events[7].notches, -3);
  EXPECT_TRUE(events[7].modifiers.ctrl);
  EXPECT_EQ(events[8].key, ShowKey::Character);
  EXPECT_EQ(events[8].character, '7');
  EXPECT_EQ(events[9].key, ShowKey::Return);
  EXPECT_EQ(events[10].key, ShowKey::Escape);
}

TEST(ShowEvents, RefusesBadLinesNamingTheLine)
{
  struct Case {
    const char* line;
    const char* mentions;
  };
  const Case cases[] = {
      {"10 move 5", "expected"},
      {"-1 move 5 5", "bad time"},
      {"ten move 5 5", "bad time"},
      {"10 drag 5 5", "unknown event kind"},
      {"10 move 5 x", "bad position"},
      {"10 move 40000 5", "bad position"},
      {"10 move 5 5 meta", "bad modifiers"},
      {"10 move 5 5 shift+", "bad modifiers"},
      {"10 move 5 5 shift ctrl", "too many"},
      {"10 wheel 5 5", "notches"},
      {"10 wheel 5 5 0", "notches"},
      {"10 key 0 0", "one key"},
      {"10 key 0 0 ab", "one key"},
      {"10 key 0 0 Return shift", "one key"},
  };
  for (const Case& c : cases) {
    std::vector<ShowEvent> events;
    std::string error;
    EXPECT_FALSE(parseShowEvents(std::string("0 move 1 1\n") + c.line + "\n", events, error)) << c.line;
    EXPECT_NE(error.find("line 2"), std::string::npos) << c.line << ": " << error;
    EXPECT_NE(error.find(c.mentions), std::string::npos) << c.line << ": " << error;
    EXPECT_EQ(events.size(), 1u) << c.line;
  }
}

TEST(ShowEvents, RefusesTimeRunningBackwards)
{
  std::vector<ShowEvent> events;
  std::string error;
  EXPECT_FALSE(parseShowEvents("50 down 1 1\n50 move 2 2\n49 up 2 2\n", events, error));
  EXPECT_NE(error.find("line 3"), std::string::npos) << error;
  EXPECT_NE(error.find("backwards"), std::string::npos) << error;
}

TEST(ShowEvents, MissingFileIsAnError)
{
  std::vector<ShowEvent> events;
  std::string error;
  EXPECT_FALSE(loadShowEvents("no-such-dir/none.events", events, error));
  EXPECT_NE(error.find("cannot read"), std::string::npos) << error;
}
