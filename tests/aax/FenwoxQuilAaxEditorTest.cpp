// The AAX editor object on the plug-in class itself, in process, so that the editor behind it can
// be looked at: bound at initialisation, opened in the host's window, closed and reopened with
// its controls as they were, and the plug-in's resize requests reaching the host's container.
#include "adapters/aax/AAX_CEffectGUI_IEffect.h"
#include "editor/IControl.h"
#include "editor/IGraphics.h"
#include "effect/FenwoxQuil.h"
#include "tests/aax/HostWindow.h"
#include "tools/aaxhost/HostRuntime.h"

#include <gtest/gtest.h>

using namespace aax;

namespace {

class FenwoxQuilAaxEditor : public ::testing::Test {
protected:
    void SetUp() override {
        plugin->HostInterface()->AddRef();
        ASSERT_TRUE(window);
        ASSERT_EQ(plugin->Initialize(&controller), AAX_SUCCESS);
        guiController.setDataModel(plugin->HostInterface());
        gui->AddRef();
    }

    void TearDown() override {
        gui->Uninitialize();
        gui->Release();
        plugin->Uninitialize();
        plugin->HostInterface()->Release();
    }

    // The value the editor's control of `paramIdx` shows.
    double controlValue(int paramIdx) const {
        IGraphics* editor = plugin->Editor();
        for (int i = 0; i < editor->ControlCount(); ++i) {
            if (editor->Control(i)->ParamIdx() == paramIdx) return editor->Control(i)->Value();
        }
        return -1.0;
    }

    aaxhost::HostAutomation automation;
    aaxhost::HostController controller{automation, 44100.0f, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo};
    aaxhost::HostController guiController{automation, 44100.0f, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo};
    FenwoxQuil* plugin = new FenwoxQuil();
    AAX_CEffectGUI_IEffect* gui = new AAX_CEffectGUI_IEffect;
    std::unique_ptr<quilhost::ShowWindow> window = fenwoxquil_aax_test::OpenHostWindow();
};

} // namespace

TEST_F(FenwoxQuilAaxEditor, ReopensTheSameEditorWithTheSameValues) {
    AAX_Point size{-1.0f, -1.0f};
    EXPECT_EQ(gui->GetViewSize(&size), AAX_SUCCESS);
    EXPECT_EQ(size.vert, -1.0f) << "no size before the editor is bound";
    ASSERT_EQ(gui->Initialize(&guiController), AAX_SUCCESS);
    ASSERT_NE(plugin->Editor(), nullptr);
    EXPECT_EQ(gui->BoundEditor(), plugin->Editor());

    aaxhost::HostViewContainer view(window->nativeHandle());
    ASSERT_EQ(gui->SetViewContainer(&view), AAX_SUCCESS);
    EXPECT_NE(plugin->Editor()->WindowHandle(), nullptr);
    ASSERT_EQ(plugin->UpdateParameterNormalizedValue("3", 0.5, 0), AAX_SUCCESS);
    // The value reaches the controls at the editor's next tick.
    IBounds dirty;
    plugin->Editor()->CollectDirty(&dirty);
    EXPECT_DOUBLE_EQ(controlValue(FenwoxQuil::kFeedback), 0.5);

    ASSERT_EQ(gui->SetViewContainer(nullptr), AAX_SUCCESS);
    EXPECT_EQ(plugin->Editor()->WindowHandle(), nullptr);
    // Detaching again without a view does nothing.
    EXPECT_EQ(gui->SetViewContainer(nullptr), AAX_SUCCESS);
    ASSERT_EQ(gui->SetViewContainer(&view), AAX_SUCCESS);
    EXPECT_NE(plugin->Editor()->WindowHandle(), nullptr);
    EXPECT_EQ(gui->BoundEditor(), plugin->Editor());
    EXPECT_DOUBLE_EQ(controlValue(FenwoxQuil::kFeedback), 0.5);
}

TEST_F(FenwoxQuilAaxEditor, ResizeRequestsReachTheOpenViewOnly) {
    ASSERT_EQ(gui->Initialize(&guiController), AAX_SUCCESS);
    aaxhost::HostViewContainer view(window->nativeHandle());
    ASSERT_EQ(gui->SetViewContainer(&view), AAX_SUCCESS);
    plugin->ResizeEditor(500, 300);
    ASSERT_EQ(view.sizeRequests.size(), 1u);
    EXPECT_EQ(view.sizeRequests[0].vert, 300.0f);
    EXPECT_EQ(view.sizeRequests[0].horz, 500.0f);
    ASSERT_EQ(gui->SetViewContainer(nullptr), AAX_SUCCESS);
    // Once the window is gone the request has nowhere to go.
    plugin->ResizeEditor(200, 100);
    EXPECT_EQ(view.sizeRequests.size(), 1u);
    EXPECT_EQ(view.references(), 0);
}

// A view that is not an HWND (a Mac host's NSView, none at all) is not opened: the editor keeps no
// window and asks that view for nothing.
TEST_F(FenwoxQuilAaxEditor, ViewsOfOtherKindsAreNotOpened) {
    ASSERT_EQ(gui->Initialize(&guiController), AAX_SUCCESS);
    for (const int32_t type : {0, 1, 2}) {
        aaxhost::HostViewContainer view(window->nativeHandle());
        view.type = type;
        EXPECT_EQ(gui->SetViewContainer(&view), AAX_SUCCESS) << type;
        EXPECT_EQ(plugin->Editor()->WindowHandle(), nullptr) << type;
        plugin->ResizeEditor(500, 300);
        EXPECT_TRUE(view.sizeRequests.empty()) << type;
        EXPECT_EQ(gui->SetViewContainer(nullptr), AAX_SUCCESS) << type;
        EXPECT_EQ(view.references(), 0) << type;
    }
}
