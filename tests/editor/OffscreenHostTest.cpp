#include "editor/offscreen/SystemFolders.h"
#include "tests/editor/EditorHarness.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

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

// Sets an environment variable for the length of a test, or removes it (null value).
class ScopedEnv
{
public:
  ScopedEnv(const char* name, const char* value) : mName(name)
  {
    const char* before = std::getenv(name);
    mHad = before != nullptr;
    if (mHad) mBefore = before;
    Set(value);
  }
  ~ScopedEnv() { Set(mHad ? mBefore.c_str() : nullptr); }

private:
  void Set(const char* value)
  {
#ifdef _WIN32
    _putenv_s(mName.c_str(), value ? value : "");
#else
    if (value)
      setenv(mName.c_str(), value, 1);
    else
      unsetenv(mName.c_str());
#endif
  }
  std::string mName, mBefore;
  bool mHad = false;
};

#ifdef _WIN32
constexpr const char* kProgram = "test_editor.exe";
#else
constexpr const char* kProgram = "test_editor";
#endif

// The program's folder holds this program; the module of statically linked editor code is the
// program itself.
TEST(OffscreenHost, ProgramAndModuleFoldersHoldThisProgram)
{
  EditorHarness h;
  h.Attach();
  TextBuffer program, module;
  h.editor->HostExecutablePath(&program);
  h.editor->PluginModulePath(&module);
  ASSERT_GT(program.Length(), 0);
  EXPECT_TRUE(std::ifstream(std::string(program.Text()) + kProgram).good()) << program.Text();
  EXPECT_STREQ(module.Text(), program.Text());
}

// Application-data and desktop folders follow the environment, always ending in a separator.
TEST(OffscreenHost, UserFoldersFollowTheEnvironment)
{
  EditorHarness h;
  h.Attach();
  TextBuffer folder;
#ifdef _WIN32
  {
    ScopedEnv appData("LOCALAPPDATA", "C:\\Users\\quil\\AppData\\Local");
    h.editor->UserAppDataFolder(&folder);
    EXPECT_STREQ(folder.Text(), "C:\\Users\\quil\\AppData\\Local\\");
  }
  {
    ScopedEnv profile("USERPROFILE", "C:\\Users\\quil\\");
    h.editor->DesktopFolder(&folder);
    EXPECT_STREQ(folder.Text(), "C:\\Users\\quil\\Desktop\\");
  }
#else
  {
    ScopedEnv dataHome("XDG_DATA_HOME", "/srv/data");
    h.editor->UserAppDataFolder(&folder);
    EXPECT_STREQ(folder.Text(), "/srv/data/");
  }
  {
    ScopedEnv dataHome("XDG_DATA_HOME", nullptr);
    ScopedEnv home("HOME", "/home/quil/");
    h.editor->UserAppDataFolder(&folder);
    EXPECT_STREQ(folder.Text(), "/home/quil/.local/share/");
    h.editor->DesktopFolder(&folder);
    EXPECT_STREQ(folder.Text(), "/home/quil/Desktop/");
  }
  {
    ScopedEnv dataHome("XDG_DATA_HOME", nullptr);
    ScopedEnv home("HOME", nullptr);
    folder.Assign("stale");
    h.editor->UserAppDataFolder(&folder);
    EXPECT_STREQ(folder.Text(), "") << "an unknown folder is empty";
  }
#endif
}

// Without a window system the questions go to the scripted responder, or end as if cancelled.
TEST(OffscreenHost, DialogsGoToTheScriptedResponder)
{
  EditorHarness h;
  h.Attach();
  IGraphics& g = *h.editor;
  EXPECT_EQ(g.ShowMessageDialog("Sure?", "Quil", 4), 0);
  Answering answering;
  h.editor->SetResponder(&answering);
  EXPECT_EQ(g.ShowMessageDialog("Sure?", "Quil", 4), 5);
  EXPECT_EQ(g.ShowMessageDialog("Other", "Quil", 4), 0);
  h.editor->SetResponder(nullptr);
  EXPECT_EQ(g.ShowMessageDialog("Sure?", "Quil", 4), 0);

  TextBuffer fileName, dir;
  fileName.Assign("preset.fxp");
  dir.Assign("somewhere");
  g.AskForFile(&fileName, 1, &dir, "fxp fxb");
  EXPECT_STREQ(fileName.Text(), "");
  EXPECT_STREQ(dir.Text(), "somewhere");
}

} // namespace

#ifndef _WIN32
// Folders by the desktop conventions: what a user named in user-dirs.dirs, else the defaults.
TEST(SystemFolders, DesktopAndSharedDataFollowTheDesktopConventions)
{
  char scratch[] = "/tmp/quil-folders-XXXXXX";
  ASSERT_NE(mkdtemp(scratch), nullptr);
  const std::string home = scratch;
  ASSERT_EQ(mkdir((home + "/.config").c_str(), 0700), 0);
  struct Case {
    const char* userDirs;  // null: no file
    bool belowHome;
    const char* desktop;
  };
  const Case cases[] = {
      {nullptr, true, "/Desktop/"},
      {"# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n", true, "/Schreibtisch/"},
      {"XDG_DESKTOP_DIR=\"/srv/desk/\"\n", false, "/srv/desk/"},
      {"XDG_DESKTOP_DIR=\"relative\"\n", true, "/Desktop/"},
      {"XDG_DESKTOP_DIR=\"$HOME/unterminated\n", true, "/Desktop/"},
  };
  const char* savedHome = std::getenv("HOME");
  const std::string restoreHome = savedHome ? savedHome : "";
  setenv("HOME", home.c_str(), 1);
  unsetenv("XDG_CONFIG_HOME");
  TextBuffer folder;
  for (const Case& c : cases) {
    const std::string file = home + "/.config/user-dirs.dirs";
    std::remove(file.c_str());
    if (c.userDirs) std::ofstream(file) << c.userDirs;
    SystemFolders::Desktop(&folder);
    const std::string expected = c.belowHome ? home + c.desktop : c.desktop;
    EXPECT_EQ(std::string(folder.Text()), expected) << (c.userDirs ? c.userDirs : "no file");
  }

  const char* savedDirs = std::getenv("XDG_DATA_DIRS");
  const std::string restoreDirs = savedDirs ? savedDirs : "";
  for (const auto& dirs : {std::make_pair("/opt/share:/usr/share", "/opt/share/"), std::make_pair("", "/usr/local/share/"),
                           std::make_pair("not/absolute", "/usr/local/share/")}) {
    setenv("XDG_DATA_DIRS", dirs.first, 1);
    SystemFolders::AppData(&folder, true);
    EXPECT_STREQ(folder.Text(), dirs.second) << dirs.first;
  }
  if (savedDirs) setenv("XDG_DATA_DIRS", restoreDirs.c_str(), 1);
  else unsetenv("XDG_DATA_DIRS");
  setenv("HOME", restoreHome.c_str(), 1);
  std::remove((home + "/.config/user-dirs.dirs").c_str());
  rmdir((home + "/.config").c_str());
  rmdir(home.c_str());
}
#endif
