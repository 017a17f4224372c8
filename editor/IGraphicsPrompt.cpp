// The value prompt: a menu of value texts for choice parameters, a text entry for the others.
#include "editor/IGraphics.h"

#include "core/IEffectBase.h"
#include "core/IEffectParam.h"
#include "editor/IControl.h"
#include "editor/IMenuModel.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// The plain value as the text entry first shows it.
void FormatForEntry(const IEffectParam& param, char* out, size_t size)
{
  double value = param.Value();
  if (param.NegateDisplay()) value = -value;
  if (param.DisplayPrecision() != 0) {
    std::snprintf(out, size, "%.*f", param.DisplayPrecision(), value);
    return;
  }
  // Parameter values lie in their range, but a conversion outside int would be undefined.
  const double truncated = std::trunc(value);
  const int whole = truncated >= INT32_MIN && truncated <= INT32_MAX ? static_cast<int>(truncated) : 0;
  std::snprintf(out, size, "%d", whole);
}

} // namespace

void IGraphics::PromptParamValue(IControl* control, IEffectParam* param, IBounds* rect)
{
  if (!control || !param || !rect || !mPlugin) return;
  const int count = param->ValueTextCount();
  const bool choice = param->Kind() == ParamKindEnum || (param->Kind() == ParamKindBool && count > 0);
  // The value may be changing on another thread: read it under the plug-in's lock, and show the
  // prompt (which waits for the user) without it.
  char current[IEffectParam::kDisplaySize];
  {
    PlugMutexLock lock(mPlugin->Mutex());
    if (choice) param->FormatCurrent(current);
    else FormatForEntry(*param, current, sizeof(current));
  }
  if (!choice) {
    ShowTextEntry(control, &control->TextStyle(), rect, current, param);
    return;
  }

  IMenuModel menu;
  for (int i = 0; i < count; ++i) {
    const char* text = param->ValueTextFor(i);
    if (!menu.AddItem(text, std::strcmp(text, current) == 0 ? kMenuTicked : 0)) return;
  }
  const IMenuModel* chosen = ShowPopupMenu(&menu, rect);
  if (chosen) control->ApplyUserValue(param->ToNormalized(chosen->chosenIndex));
}
