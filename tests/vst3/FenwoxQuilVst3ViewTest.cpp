// The editor view of the VST3 plug-in, in process: the delay plug-in on the VST3 adapter with its
// pedal editor on the window-less platform, driven as a host drives views.
#include "adapters/vst3/IEffectVST3View.h"
#include "adapters/vst3/base/FObject.h"
#include "core/ModuleHandle.h"
#include "editor/offscreen/IGraphicsOffscreen.h"
#include "effect/FenwoxQuil.h"
#include "raster/Png.h"
#include "tests/vst3/LoopFrame.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace vst3;

namespace {

// The plug-in, telling what its editor hooks saw and when it is destroyed.
class ObservedQuil : public FenwoxQuil {
public:
    explicit ObservedQuil(bool* destroyed) : FenwoxQuil(nullptr), mDestroyed(destroyed) {}
    ~ObservedQuil() override { *mDestroyed = true; }
    void EditorOpened() override { calls.push_back("opened"); }
    void EditorClosing() override { calls.push_back("closing"); }
    void EditorResized() override { calls.push_back("resized"); }
    std::vector<std::string> calls;

private:
    bool* mDestroyed;
};

// A host frame that resizes its window at once and tells the view, as hosts do, and offers its
// run loop as Linux hosts do.
class ResizingFrame : public FObject, public IPlugFrame {
public:
    ~ResizingFrame() override { mLoop->release(); }
    tresult PLUGIN_API resizeView(IPlugView* view, ViewRect* newSize) override {
        requests.push_back({view, *newSize});
        return view->onSize(newSize);
    }
    tresult PLUGIN_API queryInterface(const TUID iidBytes, void** obj) override {
        if (obj && answerInterface<IPlugFrame>(this, iidBytes, obj)) return kResultOk;
        if (obj && Linux::IRunLoop::iid == iidBytes) return mLoop->queryInterface(iidBytes, obj);
        return FObject::queryInterface(iidBytes, obj);
    }
    QUIL_VST3_REFCOUNT_FROM(FObject)

    struct Request {
        IPlugView* view;
        ViewRect rect;
    };
    std::vector<Request> requests;

private:
    vst3test::AcceptingRunLoop* mLoop = new vst3test::AcceptingRunLoop;
};

// A context menu that records where it was shown.
class RecordingMenu : public FObject, public IContextMenu {
public:
    explicit RecordingMenu(std::vector<std::string>& log) : mLog(log) {}
    ~RecordingMenu() override { mLog.push_back("menu released"); }
    int32 PLUGIN_API getItemCount() override { return 0; }
    tresult PLUGIN_API getItem(int32, IContextMenuItem&, IContextMenuTarget**) override { return kResultFalse; }
    tresult PLUGIN_API addItem(const IContextMenuItem&, IContextMenuTarget*) override { return kResultOk; }
    tresult PLUGIN_API removeItem(const IContextMenuItem&, IContextMenuTarget*) override { return kResultOk; }
    tresult PLUGIN_API popup(UCoord x, UCoord y) override {
        mLog.push_back("popup " + std::to_string(x) + "," + std::to_string(y));
        return kResultOk;
    }
    tresult PLUGIN_API queryInterface(const TUID iidBytes, void** obj) override {
        if (obj && answerInterface<IContextMenu>(this, iidBytes, obj)) return kResultOk;
        return FObject::queryInterface(iidBytes, obj);
    }
    QUIL_VST3_REFCOUNT_FROM(FObject)

private:
    std::vector<std::string>& mLog;
};

// A component handler with the context-menu interface.
class MenuHandler : public FObject, public IComponentHandler, public IComponentHandler3 {
public:
    tresult PLUGIN_API beginEdit(ParamID) override { return kResultOk; }
    tresult PLUGIN_API performEdit(ParamID, ParamValue) override { return kResultOk; }
    tresult PLUGIN_API endEdit(ParamID) override { return kResultOk; }
    tresult PLUGIN_API restartComponent(int32) override { return kResultOk; }
    IContextMenu* PLUGIN_API createContextMenu(IPlugView* view, const ParamID* id) override {
        log.push_back("menu for " + std::string(view == expectedView ? "the first view" : "another view") +
                      " and parameter " + (id ? std::to_string(*id) : "none"));
        return new RecordingMenu(log);
    }
    tresult PLUGIN_API queryInterface(const TUID iidBytes, void** obj) override {
        if (obj && answerInterface<IComponentHandler>(this, iidBytes, obj)) return kResultOk;
        if (obj && answerInterface<IComponentHandler3>(this, iidBytes, obj)) return kResultOk;
        return FObject::queryInterface(iidBytes, obj);
    }
    QUIL_VST3_REFCOUNT_FROM(FObject)

    IPlugView* expectedView = nullptr;
    std::vector<std::string> log;
};

using vst3test::LoopFrame;
constexpr const char* kNativeType = vst3test::kNativeWindowType;
constexpr const char* kForeignType = vst3test::kForeignWindowType;

uint32_t PixelAt(Raster_IBitmap* bitmap, int x, int y) { return bitmap->PixelData()[y * bitmap->RowPixels() + x]; }

class FenwoxQuilView : public ::testing::Test {
protected:
    void SetUp() override {
        plugin = new ObservedQuil(&destroyed);
        editor = dynamic_cast<IGraphicsOffscreen*>(plugin->Editor());
        ASSERT_NE(editor, nullptr);
    }
    void TearDown() override {
        if (!destroyed) plugin->release();
        frame->release();
    }
    IPlugView* createEditorView() {
        IPlugView* view = plugin->createView("editor");
        view->setFrame(frame);
        return view;
    }

    bool destroyed = false;
    ObservedQuil* plugin = nullptr;
    IGraphicsOffscreen* editor = nullptr;
    int parentWindow = 0;  // stands in for the host's window
    LoopFrame* frame = new LoopFrame(true);
};

} // namespace

TEST_F(FenwoxQuilView, EveryEditorRequestGivesANewViewOtherNamesNone) {
    IPlugView* first = createEditorView();
    IPlugView* second = createEditorView();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    for (const char* name : {"Editor", "editor ", "edit", ""}) EXPECT_EQ(plugin->createView(name), nullptr) << name;
    EXPECT_EQ(plugin->createView(nullptr), nullptr);
    first->release();
    second->release();
}

TEST_F(FenwoxQuilView, SizeIsTheEditorsFromTheStartAndOnlyThePlatformsWindowsAreTaken) {
    IPlugView* view = createEditorView();
    ViewRect size{1, 2, 3, 4};
    ASSERT_EQ(view->getSize(&size), kResultOk);
    EXPECT_EQ(size.left, 0);
    EXPECT_EQ(size.top, 0);
    EXPECT_EQ(size.right, 410);
    EXPECT_EQ(size.bottom, 460);
    EXPECT_EQ(view->getSize(nullptr), kInvalidArgument);
    EXPECT_EQ(view->isPlatformTypeSupported(kNativeType), kResultTrue);
    EXPECT_EQ(view->isPlatformTypeSupported(kForeignType), kResultFalse);
    EXPECT_EQ(view->isPlatformTypeSupported("NSView"), kResultFalse);
    EXPECT_EQ(view->isPlatformTypeSupported(nullptr), kResultFalse);
    EXPECT_EQ(view->canResize(), kResultFalse);
    EXPECT_EQ(view->checkSizeConstraint(&size), kResultFalse);
    EXPECT_EQ(view->onWheel(1.0f), kResultFalse);
    view->release();
}

TEST_F(FenwoxQuilView, AttachingOpensTheEditorInTheHostsWindowAndRemovingClosesIt) {
    IPlugView* view = createEditorView();
    ASSERT_EQ(view->attached(&parentWindow, kNativeType), kResultOk);
    ASSERT_NE(editor->WindowHandle(), nullptr);
    EXPECT_EQ(editor->ParentWindow(), &parentWindow);
    // The pedal shows, drawn from the images in the library.
    for (int i = 0; i < 3; ++i) editor->Tick();
    std::unique_ptr<Raster_IBitmap> background(Raster_PngFromResource(ModuleHandle, 100));
    ASSERT_NE(background, nullptr);
    int differing = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) differing += PixelAt(editor->Screen(), x, y) != PixelAt(background.get(), x, y);
    EXPECT_EQ(differing, 0);

    ASSERT_EQ(view->removed(), kResultOk);
    EXPECT_EQ(editor->WindowHandle(), nullptr);
    ASSERT_EQ(view->attached(&parentWindow, kNativeType), kResultOk);
    EXPECT_NE(editor->WindowHandle(), nullptr);
    ASSERT_EQ(view->removed(), kResultOk);

    // Another platform's window gets no editor window.
    ASSERT_EQ(view->attached(&parentWindow, kForeignType), kResultOk);
    EXPECT_EQ(editor->WindowHandle(), nullptr);
    view->removed();
    EXPECT_EQ(plugin->calls, (std::vector<std::string>{"opened", "closing", "opened", "closing", "opened", "closing"}));
    view->release();
}

TEST_F(FenwoxQuilView, OnLinuxTheViewRefusesAHostFrameWithoutRunLoop) {
    for (const bool withFrame : {false, true}) {
        IPlugView* view = plugin->createView("editor");
        auto* loopless = new LoopFrame(false);
        if (withFrame) view->setFrame(loopless);
        const tresult expected = vst3test::kViewsNeedRunLoop ? kResultFalse : kResultOk;
        EXPECT_EQ(view->attached(&parentWindow, kNativeType), expected) << withFrame;
        EXPECT_EQ(editor->WindowHandle() != nullptr, expected == kResultOk);
        view->removed();
        view->release();
        loopless->release();
    }
    // A refused attach tells the plug-in nothing.
    if (vst3test::kViewsNeedRunLoop) {
        EXPECT_TRUE(plugin->calls.empty());
    }
}

TEST_F(FenwoxQuilView, PluginResizesTheFirstViewThroughTheHostFrame) {
    IPlugView* first = createEditorView();
    IPlugView* second = createEditorView();
    auto* frame = new ResizingFrame;
    first->setFrame(frame);
    second->setFrame(frame);

    plugin->ResizeEditor(500, 300);
    ASSERT_EQ(frame->requests.size(), 1u);
    EXPECT_EQ(frame->requests[0].view, first);
    EXPECT_EQ(frame->requests[0].rect.right, 500);
    EXPECT_EQ(frame->requests[0].rect.bottom, 300);
    EXPECT_EQ(plugin->calls, std::vector<std::string>{"resized"});

    // A size the host sets on its own is kept but is no news for the plug-in.
    ViewRect hostSize{0, 0, 640, 480};
    EXPECT_EQ(first->onSize(&hostSize), kResultOk);
    EXPECT_EQ(first->onSize(nullptr), kResultOk);
    EXPECT_EQ(plugin->calls, std::vector<std::string>{"resized"});

    // Once the first view is gone the next one is addressed.
    first->release();
    plugin->ResizeEditor(420, 470);
    ASSERT_EQ(frame->requests.size(), 2u);
    EXPECT_EQ(frame->requests[1].view, second);
    second->release();
    frame->release();
}

// There is one editor window: while a view shows it no other view takes it, and only that view's
// removal or release closes it.
TEST_F(FenwoxQuilView, OneViewAtATimeShowsTheEditor) {
    IPlugView* first = createEditorView();
    IPlugView* second = createEditorView();  // nothing is shown yet: both may exist
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    auto* frame = new ResizingFrame;
    first->setFrame(frame);
    second->setFrame(frame);
    int otherWindow = 0;

    ASSERT_EQ(first->attached(&parentWindow, kNativeType), kResultOk);
    EXPECT_EQ(plugin->createView("editor"), nullptr);
    EXPECT_EQ(second->attached(&otherWindow, kNativeType), kResultFalse);
    EXPECT_EQ(editor->ParentWindow(), &parentWindow);
    EXPECT_EQ(second->removed(), kResultOk);
    EXPECT_NE(editor->WindowHandle(), nullptr) << "removing a view that showed nothing closed the editor";

    // Once the first is removed the second shows the editor, and the plug-in's requests go to it
    // although the first is still the older view.
    ASSERT_EQ(first->removed(), kResultOk);
    EXPECT_EQ(editor->WindowHandle(), nullptr);
    ASSERT_EQ(second->attached(&otherWindow, kNativeType), kResultOk);
    EXPECT_EQ(editor->ParentWindow(), &otherWindow);
    first->removed();
    EXPECT_NE(editor->WindowHandle(), nullptr);
    plugin->ResizeEditor(420, 470);
    ASSERT_EQ(frame->requests.size(), 1u);
    EXPECT_EQ(frame->requests[0].view, second);
    first->release();
    EXPECT_NE(editor->WindowHandle(), nullptr);

    // A view released while showing the editor closes it, and the next view may show it again.
    second->release();
    EXPECT_EQ(editor->WindowHandle(), nullptr);
    IPlugView* third = createEditorView();
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->attached(&parentWindow, kNativeType), kResultOk);
    EXPECT_NE(editor->WindowHandle(), nullptr);
    third->removed();
    third->release();
    frame->release();
    EXPECT_EQ(plugin->calls, (std::vector<std::string>{"opened", "closing", "opened", "resized", "closing", "opened",
                                                       "closing"}));
}

TEST_F(FenwoxQuilView, HostParameterMenuOpensForTheFirstView) {
    auto* handler = new MenuHandler;
    plugin->setComponentHandler(handler);
    plugin->ShowHostParamMenu(2, 10, 20);  // no view open: nothing to show it in
    EXPECT_TRUE(handler->log.empty());

    IPlugView* view = createEditorView();
    handler->expectedView = view;
    plugin->ShowHostParamMenu(2, 10, 20);
    EXPECT_EQ(handler->log,
              (std::vector<std::string>{"menu for the first view and parameter 2", "popup 10,20", "menu released"}));
    view->release();
    plugin->setComponentHandler(nullptr);
    handler->release();
}

TEST_F(FenwoxQuilView, ViewsKeepThePluginAliveAndSurviveItsTermination) {
    IPlugView* view = createEditorView();
    auto* frame = new ResizingFrame;
    view->setFrame(frame);
    plugin->terminate();
    plugin->ResizeEditor(500, 300);  // terminated: no open views any more
    EXPECT_TRUE(frame->requests.empty());

    plugin->release();
    EXPECT_FALSE(destroyed);
    ViewRect size{};
    EXPECT_EQ(view->getSize(&size), kResultOk);
    view->release();
    EXPECT_TRUE(destroyed);
    frame->release();
}
