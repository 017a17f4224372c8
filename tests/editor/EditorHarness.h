#pragma once

#include "tests/editor/EditorFixture.h"

#include <memory>

// A test plug-in with a window-less editor of probe controls, attached and opened.
struct EditorHarness
{
  explicit EditorHarness(int formatCode = 0, int width = 200, int height = 100)
      : plug(new EditorTestEffect(formatCode)), editor(new IGraphicsOffscreen(plug.get(), width, height, 0))
  {
    editor->SetResponder(&responder);
  }

  // Adds a probe; call Attach() once all are added.
  ProbeControl* Add(const IBounds& rect, int paramIdx)
  {
    ProbeControl* probe = new ProbeControl(plug.get(), rect, paramIdx);
    editor->AddControl(probe);
    return probe;
  }

  // Hands the editor to the plug-in, opens its window and draws the first frame.
  void Attach()
  {
    plug->AttachEditor(editor);
    editor->OpenEditorWindow(nullptr);
    editor->Tick();
    plug->calls.clear();
  }

  std::unique_ptr<EditorTestEffect> plug;
  IGraphicsOffscreen* editor;  // owned by the plug-in once attached
  ScriptedResponder responder;
};
