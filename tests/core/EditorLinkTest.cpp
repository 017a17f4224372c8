#include "core/ProgramChunks.h"
#include "editor/IControl.h"
#include "editor/IGraphics.h"
#include "editor/offscreen/IGraphicsOffscreen.h"
#include "raster/SysBitmap.h"
#include "tests/core/RecordingEffect.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A control that draws nothing.
struct PlainControl : IControl
{
  PlainControl(IEffectBase* plugin, int paramIdx) : IControl(plugin, IBounds(), paramIdx, IBlend()) {}
  bool Draw(IGraphics*) override { return true; }
};

// Counts its destruction so the tests can see who deletes controls and editors.
struct CountedControl : PlainControl
{
  CountedControl(IEffectBase* plugin, int paramIdx, int* deaths) : PlainControl(plugin, paramIdx), deaths(deaths) {}
  ~CountedControl() override { ++*deaths; }
  int* deaths;
};

struct CountedEditor : IGraphicsOffscreen
{
  CountedEditor(IEffectBase* plugin, int* deaths) : IGraphicsOffscreen(plugin, 410, 460, 0), deaths(deaths) {}
  ~CountedEditor() override { ++*deaths; }
  int* deaths;
};

} // namespace

TEST(EditorLink, AttachPushesNormalisedValuesAndTakesOwnership)
{
  int controlDeaths = 0, editorDeaths = 0;
  {
    RecordingEffect plug;
    plug.Param(2)->SetValue(2.5);
    plug.Param(4)->SetValue(5.0);
    CountedEditor* editor = new CountedEditor(&plug, &editorDeaths);
    EXPECT_EQ(editor->FrameRate(), 25);
    IControl* knob = new CountedControl(&plug, 2, &controlDeaths);
    IControl* meter = new CountedControl(&plug, -1, &controlDeaths);
    ASSERT_TRUE(meter->AddAuxParam(7));
    ASSERT_TRUE(meter->AddAuxParam(4));
    EXPECT_EQ(editor->AddControl(knob), 0);
    EXPECT_EQ(editor->AddControl(meter), 1);

    EXPECT_EQ(editor->BackBuffer(), nullptr);
    plug.AttachEditor(editor);
    plug.AttachEditor(nullptr);
    EXPECT_EQ(plug.Editor(), editor);
    // Attaching holds no pixels yet: the back buffer comes with the first drawing.
    EXPECT_EQ(editor->BackBuffer(), nullptr);
    ASSERT_NE(editor->EnsureBackBuffer(), nullptr);
    EXPECT_EQ(editor->BackBuffer()->PixelWidth(), 410);
    EXPECT_EQ(editor->BackBuffer()->PixelHeight(), 460);
    EXPECT_EQ(knob->Value(), 0.25);
    EXPECT_EQ(knob->DefaultValue(), 0.25); // the first value is also the double-click value
    EXPECT_EQ(meter->AuxParamIdx(4), 1);
    EXPECT_EQ(meter->AuxParamIdx(3), -1);
    EXPECT_EQ(meter->AuxValue(1), 0.5);
    EXPECT_TRUE(meter->IsRedrawPending());
    EXPECT_TRUE(plug.calls.empty());
  }
  EXPECT_EQ(editorDeaths, 1);
  EXPECT_EQ(controlDeaths, 2);
}

TEST(EditorLink, PushedValuesMarkControlsWithoutReachingTheHost)
{
  RecordingEffect plug;
  IGraphics* editor = new IGraphicsOffscreen(&plug, 410, 460, 30);
  IControl* first = new PlainControl(&plug, 3);
  IControl* second = new PlainControl(&plug, 3);
  editor->AddControl(first);
  editor->AddControl(second);
  plug.AttachEditor(editor);
  first->SetDirty(false);

  // Pushes may come from any thread: the controls take them at the editor's next tick, whose first
  // step is collecting the dirty area.
  IBounds dirty;
  plug.PushParamsToEditor(); // unchanged values leave the controls alone
  editor->CollectDirty(&dirty);
  EXPECT_FALSE(first->IsDirty());
  EXPECT_FALSE(first->IsRedrawPending());

  plug.Param(3)->SetValue(7.5);
  plug.PushParamsToEditor();
  EXPECT_EQ(first->Value(), 0.0);
  EXPECT_TRUE(editor->CollectDirty(&dirty));
  for (IControl* control : {first, second}) {
    EXPECT_EQ(control->Value(), 0.75);
    EXPECT_TRUE(control->IsDirty());
    EXPECT_TRUE(control->IsRedrawPending());
    EXPECT_EQ(control->DefaultValue(), 0.0);
  }
  editor->ApplyParamToControls(3, 0.125, true);
  EXPECT_EQ(first->Value(), 0.125);
  editor->ApplyParamToControls(3, std::nan(""), true); // NaN counts as a change
  EXPECT_TRUE(std::isnan(first->Value()));
  editor->ApplyParamToControls(42, 1.0, false); // no such parameter: nothing to normalise
  EXPECT_TRUE(plug.calls.empty());
}

// Recalling a preset and reading a program or bank chunk change the parameters behind the
// editor's back: each brings the editor's controls up to date (by its next redraw).
TEST(EditorLink, PresetRecallAndChunkReadsBringTheEditorUpToDate)
{
  RecordingEffect source;
  source.MakeDefaultPresets("Source", 1);
  IChunkBuffer program, bank;
  source.Param(3)->SetValue(2.5);
  ASSERT_TRUE(WriteProgramChunk(&source, &program));
  source.Param(3)->SetValue(5.0);
  ASSERT_TRUE(WriteBankChunk(&source, &bank));

  RecordingEffect plug;
  plug.MakeDefaultPresets("Default", 1);
  IGraphics* editor = new IGraphicsOffscreen(&plug, 410, 460, 30);
  IControl* control = new PlainControl(&plug, 3);
  editor->AddControl(control);
  plug.AttachEditor(editor);
  plug.Param(3)->SetValue(7.5);
  plug.PushParamsToEditor();
  auto shown = [&] {
    IBounds dirty;
    editor->CollectDirty(&dirty);
    return control->Value();
  };
  ASSERT_EQ(shown(), 0.75);

  ASSERT_TRUE(plug.RecallPreset(0));
  EXPECT_EQ(shown(), 0.0) << "preset recall";
  ASSERT_TRUE(ReadProgramChunk(&plug, &program, program.Bytes(), program.Size()));
  EXPECT_EQ(shown(), 0.25) << "program chunk";
  ASSERT_TRUE(ReadBankChunk(&plug, &bank, bank.Bytes(), bank.Size()));
  EXPECT_EQ(shown(), 0.5) << "bank chunk";
  EXPECT_TRUE(plug.calls.empty()) << "nothing of this goes back to the host";
}

TEST(EditorLink, UserValuesAreLimitedAndSentToThePlugin)
{
  RecordingEffect plug;
  PlainControl knob(&plug, 1);
  knob.SetValue(1.7);
  knob.MarkDirty(true);
  EXPECT_EQ(knob.Value(), 1.0);
  EXPECT_EQ(plug.Param(1)->Value(), 10.0);
  ASSERT_EQ(plug.calls.size(), 1u);
  EXPECT_EQ(plug.calls[0].value, 1.0);

  PlainControl unlinked(&plug, -1);
  unlinked.SetValue(-0.5);
  unlinked.MarkDirty(true);
  EXPECT_EQ(unlinked.Value(), 0.0);
  EXPECT_EQ(plug.calls.size(), 1u);
}

#if GTEST_HAS_DEATH_TEST && !defined(_WIN32)
TEST(EditorLinkDeathTest, AuxiliaryIndexOutsideTheLinks)
{
  PlainControl control(nullptr, 0);
  EXPECT_DEATH(control.ApplyAuxPlugValue(0, 0.5), "idx > -1 && idx < mAuxParams.GetSize\\(\\)");
}
#endif
