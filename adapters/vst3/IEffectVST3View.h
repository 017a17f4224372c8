#pragma once
// The editor view a VST3 host receives from createView("editor"). It draws nothing itself: it
// opens and closes the plug-in's editor in the host's window (an HWND on Windows, an X11 window on
// Linux, where the editor runs on the run loop the host frame offers), reports the editor's size
// and carries the plug-in's own resize requests to the host frame. Each view keeps its plug-in alive.

#include "adapters/vst3/api/RunLoop.h"
#include "adapters/vst3/base/PluginView.h"

class EditorRunLoopLink;
class IEffectVST3;
class IGraphics;

class IEffectVST3View : public vst3::CPluginView {
public:
    explicit IEffectVST3View(IEffectVST3* plugin);
    ~IEffectVST3View() override;

    vst3::tresult PLUGIN_API isPlatformTypeSupported(vst3::FIDString type) override;
    vst3::tresult PLUGIN_API attached(void* parent, vst3::FIDString type) override;
    vst3::tresult PLUGIN_API removed() override;
    vst3::tresult PLUGIN_API getSize(vst3::ViewRect* size) override;
    vst3::tresult PLUGIN_API onSize(vst3::ViewRect* newSize) override;

    QUIL_VST3_CLASS_NAME(IEffectVST3View, vst3::CPluginView)

    // Asks the host frame to resize this view; the onSize that answers tells the plug-in. Nothing
    // happens when the host gave no frame.
    void RequestResize(int width, int height);

private:
    // Opens the editor window and, where the host's loop drives it, connects the two; false with
    // nothing left open when either fails.
    bool OpenWindow(IGraphics* editor, void* parent, vst3::Linux::IRunLoop* loop);
    void DisconnectRunLoop();
    // Closes the editor window when this view shows it.
    void CloseEditor();

    IEffectVST3* mPlugin;
    bool mResizeRequested = false;
    EditorRunLoopLink* mRunLoopLink = nullptr;
};
