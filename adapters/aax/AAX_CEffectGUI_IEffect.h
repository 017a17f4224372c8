#pragma once
// The AAX editor object of one plug-in instance: it finds the editor the plug-in built, opens it
// in the window the host provides, closes it when the host takes the window away and reports its
// size. It draws nothing itself; the editor belongs to the plug-in.

#include "adapters/aax/support/AAX_CEffectGUI.h"

class IGraphics;

class AAX_CEffectGUI_IEffect : public aax::AAX_CEffectGUI {
public:
    IGraphics* BoundEditor() const { return editor; }

protected:
    void BindEditor() override;
    void AttachToView() override;
    void DetachFromView() override;
    int32_t EditorViewSize(aax::AAX_Point& size) const override;

private:
    IGraphics* editor = nullptr;
};
