// The Windows AAX module's editor in a real window: the test host shows the editor object in a view
// container around its own top-level window, reads the window back, clicks into it, hides and
// shows it again and tears everything down.
#include "tests/aax/AaxPluginFixture.h"
#include "tests/aax/HostWindow.h"
#include "tests/editor/win/WindowedPedal.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace aax;
using namespace fenwoxquil_aax_test;

namespace {

std::string IdOf(int paramIdx) { return std::to_string(paramIdx + 1); }

class FenwoxQuilAaxWindow : public FenwoxQuilAax {
protected:
    void SetUp() override {
        FenwoxQuilAax::SetUp();
        ASSERT_TRUE(window);
        ASSERT_TRUE(plugin->showEditor(window->nativeHandle(), error)) << error;
        window->pump(kTwoTicksMs);
    }

    HWND parent() const { return static_cast<HWND>(window->nativeHandle()); }
    HWND editorWindow() const { return FindWindowExA(parent(), nullptr, nullptr, nullptr); }

    Raster_MemBitmap& capture() {
        EXPECT_TRUE(window->capture(screen));
        return screen;
    }

    void mouse(ShowEventKind kind, int x, int y) {
        ShowEvent event;
        event.kind = kind;
        event.x = x;
        event.y = y;
        std::string injectError;
        EXPECT_TRUE(window->inject(event, injectError)) << injectError;
        window->pump(15);
    }

    std::vector<aaxhost::AutomationCall::Kind> callsFor(const std::string& id, std::vector<double>* values) {
        std::vector<aaxhost::AutomationCall::Kind> kinds;
        for (const aaxhost::AutomationCall& call : plugin->automation().takeCalls()) {
            if (call.id != id) continue;
            kinds.push_back(call.kind);
            if (values && call.kind == aaxhost::AutomationCall::SetValue) values->push_back(call.value);
        }
        return kinds;
    }

    std::unique_ptr<quilhost::ShowWindow> window = OpenHostWindow();
    Raster_MemBitmap screen;
};

} // namespace

TEST_F(FenwoxQuilAaxWindow, ContainerWindowHoldsTheEditorShowingTheWindowlessPicture) {
    HWND child = editorWindow();
    ASSERT_NE(child, nullptr);
    EXPECT_NE(GetWindowLongPtrA(child, GWL_STYLE) & WS_CHILD, 0);
    EXPECT_TRUE(IsWindowVisible(child));
    RECT client;
    GetClientRect(child, &client);
    AAX_Point size{-1.0f, -1.0f};
    EXPECT_EQ(plugin->editorObject()->GetViewSize(&size), AAX_SUCCESS);
    EXPECT_EQ(static_cast<float>(client.bottom), size.vert);
    EXPECT_EQ(static_cast<float>(client.right), size.horz);

    ReferencePicture reference;
    const PixelDifference difference = ComparePixels(reference.Screen(), capture(), {kSyncCaption, kVersionText});
    EXPECT_TRUE(difference.Equal()) << difference.Describe();

    // Host automation is drawn at the editor's next tick.
    ASSERT_EQ(plugin->updateValue(IdOf(kFeedback), 1.0), AAX_SUCCESS);
    window->pump(kTwoTicksMs);
    ReferencePicture fullFeedback({{kFeedback, 1.0}});
    const PixelDifference automated = ComparePixels(fullFeedback.Screen(), capture(), {kSyncCaption, kVersionText});
    EXPECT_TRUE(automated.Equal()) << automated.Describe();
}

TEST_F(FenwoxQuilAaxWindow, FootswitchClickIsOneTouchSetReleaseThroughTheAutomationDelegate) {
    const std::string id = IdOf(kEffectActive);
    const double before = plugin->normalizedValue(id);
    plugin->automation().takeCalls();

    mouse(ShowEventKind::Down, 150, 350);
    mouse(ShowEventKind::Up, 150, 350);
    std::vector<double> values;
    using Call = aaxhost::AutomationCall;
    // The click's gesture around the value's own touch / set / release, as AAX parameters send it.
    EXPECT_EQ(callsFor(id, &values),
              (std::vector<Call::Kind>{Call::Touch, Call::Touch, Call::SetValue, Call::Release, Call::Release}));
    EXPECT_EQ(values, std::vector<double>{1.0 - before});
    EXPECT_EQ(plugin->normalizedValue(id), before) << "a request until the host answers it";

    // The host answers the request; the data model holds the new value and the LED follows.
    plugin->deliverRequests();
    EXPECT_EQ(plugin->normalizedValue(id), 1.0 - before);
    window->pump(kTwoTicksMs);
    ReferencePicture toggled({{kEffectActive, 1.0 - before}});
    const PixelDifference difference = ComparePixels(toggled.Screen(), capture(), {kSyncCaption, kVersionText});
    EXPECT_TRUE(difference.Equal()) << difference.Describe();
}

TEST_F(FenwoxQuilAaxWindow, ClosingAndReopeningThenTeardownGiveEveryReferenceBack) {
    // A press left open when the host takes the window away is ended for the host.
    const std::string id = IdOf(kEffectActive);
    plugin->automation().takeCalls();
    mouse(ShowEventKind::Down, 150, 350);
    plugin->hideEditor();
    const std::vector<aaxhost::AutomationCall::Kind> calls = callsFor(id, nullptr);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), aaxhost::AutomationCall::Touch);
    EXPECT_EQ(calls.back(), aaxhost::AutomationCall::Release);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), aaxhost::AutomationCall::Touch),
              std::count(calls.begin(), calls.end(), aaxhost::AutomationCall::Release));
    EXPECT_EQ(editorWindow(), nullptr);
    EXPECT_EQ(plugin->viewContainer()->references(), 0);

    // Reopened, the editor shows what the data model holds.
    plugin->deliverRequests();
    ReferencePicture reference({{kEffectActive, plugin->normalizedValue(id)}});
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(plugin->showEditor(window->nativeHandle(), error)) << error;
        window->pump(kTwoTicksMs);
        ASSERT_NE(editorWindow(), nullptr) << round;
        const PixelDifference difference = ComparePixels(reference.Screen(), capture(), {kSyncCaption, kVersionText});
        EXPECT_TRUE(difference.Equal()) << round << ": " << difference.Describe();
        plugin->hideEditor();
        window->pump(0);
        EXPECT_EQ(editorWindow(), nullptr) << round;
    }
    ASSERT_TRUE(plugin->showEditor(window->nativeHandle(), error)) << error;
    window->pump(kTwoTicksMs);
    plugin->teardown();
    EXPECT_EQ(editorWindow(), nullptr);
    EXPECT_EQ(plugin->outstandingReferences(), 0);
    EXPECT_EQ(module->shutdown(), ACF_OK);
    EXPECT_EQ(module->canUnloadNow(), 0);
}
