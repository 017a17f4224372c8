#pragma once
// Connects an editor that has no thread of its own to a Linux host's run loop: the host calls this
// object when the editor's descriptor is readable and at the editor's frame interval, and it passes
// both on to the editor. Lives from the view's attach to its removal.

#include "adapters/vst3/api/RunLoop.h"
#include "adapters/vst3/base/FObject.h"

class IEditorLoopClient;

class EditorRunLoopLink : public vst3::FObject,
                          public vst3::Linux::IEventHandler,
                          public vst3::Linux::ITimerHandler {
public:
    // Registers the editor's descriptor and timer with the loop. Null, with nothing left
    // registered, when the loop refuses either. The caller owns the one reference of the result.
    static EditorRunLoopLink* Connect(vst3::Linux::IRunLoop* loop, IEditorLoopClient* editor);
    // Unregisters from the loop and forgets the editor; later calls from the host do nothing.
    void Disconnect();

    void PLUGIN_API onFDIsSet(vst3::Linux::FileDescriptor fd) override;
    void PLUGIN_API onTimer() override;

    vst3::tresult PLUGIN_API queryInterface(const vst3::TUID iidBytes, void** obj) override;
    QUIL_VST3_REFCOUNT_FROM(vst3::FObject)
    QUIL_VST3_CLASS_NAME(EditorRunLoopLink, vst3::FObject)

private:
    EditorRunLoopLink(vst3::Linux::IRunLoop* loop, IEditorLoopClient* editor);
    ~EditorRunLoopLink() override;

    vst3::Linux::IRunLoop* mLoop;
    IEditorLoopClient* mEditor;
    bool mWatching = false;
    bool mTiming = false;
};
