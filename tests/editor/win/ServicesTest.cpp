#include "tests/editor/win/WindowedPedal.h"

#include "editor/IMenuModel.h"

#include <cstring>
#include <thread>

namespace {

// Presses keys from another thread while the test's thread sits in a modal loop.
class KeysLater {
 public:
  // With a dialog caption: the owner of the dialog found by it goes to *owner before the keys are
  // pressed (null when there is no such dialog).
  KeysLater(quilhost::ShowWindow& window, std::vector<ShowEvent> keys, const char* caption = nullptr,
            HWND* owner = nullptr)
      : mThread([&window, keys, caption, owner] {
          Sleep(400);
          if (caption && owner) {
            HWND dialog = FindWindowA("#32770", caption);
            *owner = dialog ? GetWindow(dialog, GW_OWNER) : nullptr;
          }
          for (const ShowEvent& key : keys) {
            std::string error;
            window.inject(key, error);
            Sleep(80);
          }
        })
  {
  }
  ~KeysLater() { mThread.join(); }

 private:
  std::thread mThread;
};

ShowEvent Press(ShowKey key, char character = 0)
{
  ShowEvent event;
  event.kind = ShowEventKind::Key;
  event.key = key;
  event.character = character;
  return event;
}

class EditorServices : public ::testing::Test {
 protected:
  void SetUp() override
  {
    ASSERT_TRUE(open.window);
    ASSERT_NE(open.editor, nullptr);
  }
  OpenPedal open{100, 100};
};

}  // namespace

TEST_F(EditorServices, MenuIdentifiersLeadBackToSubmenuEntriesAndDismissingChoosesNothing)
{
  IMenuModel menu;
  menu.AddItem("one");
  IMenuEntry* withSub = menu.AddItem("more");
  menu.AddItem("three");
  withSub->submenu = new IMenuModel;
  for (const char* text : {"a", "b", "c"}) withSub->submenu->AddItem(text);
  IBounds anchor(10, 10, 60, 30);

  IMenuModel* chosen = nullptr;
  {
    KeysLater keys(*open.window, {Press(ShowKey::Down), Press(ShowKey::Down), Press(ShowKey::Right), Press(ShowKey::Down),
                                  Press(ShowKey::Down), Press(ShowKey::Return)});
    chosen = open.editor->ShowPopupMenu(&menu, &anchor);
  }
  EXPECT_EQ(chosen, withSub->submenu);
  EXPECT_EQ(withSub->submenu->chosenIndex, 2);
  EXPECT_EQ(menu.chosenIndex, -1);

  withSub->submenu->chosenIndex = -1;
  {
    KeysLater keys(*open.window, {Press(ShowKey::Down), Press(ShowKey::Escape), Press(ShowKey::Escape)});
    chosen = open.editor->ShowPopupMenu(&menu, &anchor);
  }
  EXPECT_EQ(chosen, nullptr);
  EXPECT_EQ(menu.chosenIndex, -1);
  EXPECT_EQ(withSub->submenu->chosenIndex, -1);
}

TEST_F(EditorServices, MessageBoxBelongsToTheHostsMainWindowAndAConfirmationAnsweredNoOpensNothing)
{
  HWND owner = nullptr;
  int answer = 0;
  {
    KeysLater keys(*open.window, {Press(ShowKey::Return)}, "A caption", &owner);
    answer = open.editor->ShowMessageDialog("text", "A caption", MB_OK);
  }
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(owner, open.Parent()) << "owned by the host's top-level window";

  owner = nullptr;
  bool opened = true;
  {
    KeysLater keys(*open.window, {Press(ShowKey::Character, 'n')}, "Fenwox", &owner);
    opened = open.editor->OpenLink("https://www.fenwox.example", "Fenwox", "Open the web site?", nullptr);
  }
  EXPECT_FALSE(opened);
  EXPECT_EQ(owner, open.Parent()) << "the question was asked";
}

TEST_F(EditorServices, ClipboardTextArrivesAsUtf8)
{
  const wchar_t word[] = L"Gr\u00FC\u00DFe";  // five letters, two of them outside ASCII
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, sizeof word);
  ASSERT_NE(data, nullptr);
  std::memcpy(GlobalLock(data), word, sizeof word);
  GlobalUnlock(data);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  ASSERT_NE(SetClipboardData(CF_UNICODETEXT, data), nullptr);
  CloseClipboard();

  TextBuffer text(16);
  ASSERT_TRUE(open.editor->ReadClipboardText(&text));
  EXPECT_EQ(text.Length(), 7);
  EXPECT_STREQ(text.Text(), "Gr\xC3\xBC\xC3\x9F" "e");

  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  EXPECT_FALSE(open.editor->ReadClipboardText(&text));
  EXPECT_STREQ(text.Text(), "");
}

TEST_F(EditorServices, FoldersEndInABackslashAndDialogsNeedAWindow)
{
  TextBuffer folder(64);
  char program[MAX_PATH];
  GetModuleFileNameA(nullptr, program, sizeof program);
  open.editor->HostExecutablePath(&folder);
  ASSERT_GT(folder.Length(), 0);
  EXPECT_EQ(folder.Text()[folder.Length() - 1], '\\');
  EXPECT_EQ(std::strncmp(program, folder.Text(), folder.Length()), 0);
  open.editor->PluginModulePath(&folder);
  EXPECT_EQ(std::strncmp(program, folder.Text(), folder.Length()), 0) << "the code lives in the program here";
  for (bool allUsers : {false, true}) {
    open.editor->AppDataFolder(&folder, allUsers);
    EXPECT_GT(folder.Length(), 0) << allUsers;
  }
  open.editor->DesktopFolder(&folder);
  EXPECT_GT(folder.Length(), 0);

  open.editor->CloseEditorWindow();
  TextBuffer file(64), directory(64);
  file.Assign("preset.fxp");
  directory.Assign("C:\\");
  open.editor->AskForFile(&file, 1, &directory, "fxp");
  EXPECT_STREQ(file.Text(), "");
  EXPECT_STREQ(directory.Text(), "C:\\");
  IRgba colour(255, 1, 2, 3);
  EXPECT_FALSE(open.editor->AskForColour(&colour, "Colour"));
  EXPECT_EQ(colour.red, 1);
}
