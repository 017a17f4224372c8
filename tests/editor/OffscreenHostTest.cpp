#include "tests/editor/EditorHarness.h"

#include <cstring>

namespace {

class Answering : public ScriptedResponder
{
public:
  int AnswerMessageDialog(const char* text, const char*, int type) override
  {
    return std::strcmp(text, "Sure?") == 0 ? type + 1 : 0;
  }
};

TEST(OffscreenHost, WindowHandleLivesFromOpenToClose)
{
  EditorTestEffect plug;
  auto* editor = new IGraphicsOffscreen(&plug, 50, 40, 0);
  plug.AttachEditor(editor);
  EXPECT_EQ(editor->WindowHandle(), nullptr);
  int parent = 0;
  void* first = editor->OpenEditorWindow(&parent);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(editor->WindowHandle(), first);
  EXPECT_EQ(editor->ParentWindow(), &parent);
  EXPECT_NE(editor->OpenEditorWindow(nullptr), nullptr); // again while open: re-created
  EXPECT_EQ(editor->ParentWindow(), nullptr);
  editor->CloseEditorWindow();
  EXPECT_EQ(editor->WindowHandle(), nullptr);
  editor->CloseEditorWindow();
  EXPECT_STREQ(editor->GraphicsApiName(), "Offscreen");
}

TEST(OffscreenHost, ServicesAnswerPlainly)
{
  EditorHarness h;
  h.Attach();
  IGraphics& g = *h.editor;
  TextBuffer folder;
  for (auto ask : {&IGraphics::HostExecutablePath, &IGraphics::PluginModulePath, &IGraphics::UserAppDataFolder}) {
    folder.Assign("unchanged");
    (g.*ask)(&folder);
    ASSERT_GT(folder.Length(), 0);
    const char last = folder.Text()[folder.Length() - 1];
    EXPECT_TRUE(last == '/' || last == '\\') << folder.Text();
  }

  TextBuffer fileName, dir;
  fileName.Assign("preset.fxp");
  dir.Assign("somewhere");
  g.AskForFile(&fileName, 1, &dir, "fxp fxb");
  EXPECT_STREQ(fileName.Text(), "");
  EXPECT_STREQ(dir.Text(), "somewhere");

  IRgba colour(255, 1, 2, 3);
  EXPECT_FALSE(g.AskForColour(&colour, "Colour"));
  EXPECT_EQ(colour, IRgba(255, 1, 2, 3));
  EXPECT_FALSE(g.OpenLink("https://example.org", "Link", nullptr, nullptr));
  TextBuffer clip;
  clip.Assign("stale");
  EXPECT_FALSE(g.ReadClipboardText(&clip));
  EXPECT_STREQ(clip.Text(), "");
  EXPECT_FALSE(g.ReservedQuery(nullptr, nullptr, nullptr, nullptr));

  EXPECT_EQ(g.ShowMessageDialog("Sure?", "Quil", 4), 0); // the scripted responder answers nothing
  Answering answering;
  h.editor->SetResponder(&answering);
  EXPECT_EQ(g.ShowMessageDialog("Sure?", "Quil", 4), 5);
  h.editor->SetResponder(nullptr);
  EXPECT_EQ(g.ShowMessageDialog("Sure?", "Quil", 4), 0);
}

} // namespace
