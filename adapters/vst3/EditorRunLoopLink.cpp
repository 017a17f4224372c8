#include "adapters/vst3/EditorRunLoopLink.h"

#include "editor/IEditorLoopClient.h"

using namespace vst3;
using namespace vst3::Linux;

EditorRunLoopLink::EditorRunLoopLink(IRunLoop* loop, IEditorLoopClient* editor) : mLoop(loop), mEditor(editor) {
    mLoop->addRef();
}

EditorRunLoopLink::~EditorRunLoopLink() { mLoop->release(); }

EditorRunLoopLink* EditorRunLoopLink::Connect(IRunLoop* loop, IEditorLoopClient* editor) {
    if (!loop || !editor || editor->LoopDescriptor() < 0) return nullptr;
    auto* link = new EditorRunLoopLink(loop, editor);
    link->mWatching = loop->registerEventHandler(link, editor->LoopDescriptor()) == kResultOk;
    link->mTiming = link->mWatching &&
                    loop->registerTimer(link, static_cast<TimerInterval>(editor->LoopIntervalMs())) == kResultOk;
    if (link->mTiming) return link;
    link->Disconnect();
    link->release();
    return nullptr;
}

void EditorRunLoopLink::Disconnect() {
    mEditor = nullptr;
    // The loop may hold references of its own until it lets go of us.
    if (mTiming) mLoop->unregisterTimer(this);
    if (mWatching) mLoop->unregisterEventHandler(this);
    mTiming = mWatching = false;
}

void PLUGIN_API EditorRunLoopLink::onFDIsSet(FileDescriptor) {
    if (mEditor) mEditor->OnDescriptorReady();
}

void PLUGIN_API EditorRunLoopLink::onTimer() {
    if (mEditor) mEditor->OnLoopTimer();
}

tresult PLUGIN_API EditorRunLoopLink::queryInterface(const TUID iidBytes, void** obj) {
    if (obj && answerInterface<IEventHandler>(this, iidBytes, obj)) return kResultOk;
    if (obj && answerInterface<ITimerHandler>(this, iidBytes, obj)) return kResultOk;
    return FObject::queryInterface(iidBytes, obj);
}
